// The table commands as the main window runs them: the list's selection goes into the core's
// commands, and their outcome comes back as the list's selection, the menu state and the
// keyboard focus. Editing hands the row's request to the property editors.
#pragma once

#include <functional>

#include "core/TableCommands.h"

namespace vorbix {

class HotKeyPage;
class MainMenus;

class TableActions {
public:
    using EditorOpener = std::function<void(const EditRequest&)>;

    TableActions(TableCommands& commands, HotKeyPage& page, MainMenus& menus)
        : commands_(commands), page_(page), menus_(menus) {}
    void setEditorOpener(EditorOpener opener) { openEditor_ = std::move(opener); }

    void LabelAddHotKeyClick();
    // Double click, Enter in the list, the Edit menu: the selected row's editor, when its kind
    // has properties.
    void ListView1DblClick();
    void MenuDeleteSelectedExecute();
    void MenuDeleteAllExecute();
    void ButtonUpClick();
    void ButtonDownClick();
    void UpdateMenuState();
    void selectRow(int row);

private:
    // The commands work on the row the list has selected.
    void takeSelection();
    TableCommands& commands_;
    HotKeyPage& page_;
    MainMenus& menus_;
    EditorOpener openEditor_;
};

}  // namespace vorbix
