#include "shell/mainwindow/TableActions.h"

#include <QComboBox>
#include <QTreeView>

#include "components/HotkeyEx.h"
#include "shell/common/MainMenus.h"
#include "shell/mainwindow/HotKeyPage.h"

namespace vorbix {

void TableActions::takeSelection() {
    commands_.select(page_.selectedRow());
}

void TableActions::selectRow(int row) {
    page_.selectRow(row);
    commands_.select(row);
}

void TableActions::UpdateMenuState() {
    takeSelection();
    commands_.updateMenuState();
    menus_.setMenuState(commands_.menuState());
}

void TableActions::LabelAddHotKeyClick() {
    const auto kind = actionKindFromIndex(page_.actionBox()->currentIndex());
    if (!kind) return;
    commands_.add(page_.hotkeyField()->HotKey(), *kind, [this] {
        // The new row is the last one: selected and scrolled into view.
        selectRow(page_.list()->model()->rowCount() - 1);
        UpdateMenuState();
        page_.list()->setFocus();
    });
}

void TableActions::ListView1DblClick() {
    takeSelection();
    // A row without properties has nothing to edit.
    const std::optional<EditRequest> request = commands_.edit();
    if (request && openEditor_) openEditor_(*request);
}

void TableActions::MenuDeleteSelectedExecute() {
    takeSelection();
    commands_.deleteSelected();
    selectRow(commands_.selectedRow());
    UpdateMenuState();
}

void TableActions::MenuDeleteAllExecute() {
    commands_.deleteAll([this] { UpdateMenuState(); });
}

void TableActions::ButtonUpClick() {
    takeSelection();
    commands_.moveUp();
    selectRow(commands_.selectedRow());
}

void TableActions::ButtonDownClick() {
    takeSelection();
    commands_.moveDown();
    selectRow(commands_.selectedRow());
}

}  // namespace vorbix
