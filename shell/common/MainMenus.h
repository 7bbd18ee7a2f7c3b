// The commands of the main window and the menus that show them: one table names each command
// once with its language key, shortcut and icon; the menu bar, the list's context menu and the
// help menu are built from it, and applying a language is one loop over it. The tray menu takes
// its commands from here too (TrayController).
#pragma once

#include <QObject>
#include <array>
#include <string_view>

#include "core/TableCommands.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace vorbix {

class LanguageFile;

enum class Command {
    MenuOpen,
    MenuSaveAs,
    MenuSave,
    MenuSave2,
    MenuLoadConfig,
    MenuSaveConfig,
    MenuClose,
    MenuDeleteAll,
    MenuDeleteSelected,
    MenuWelcome,
    MenuMyHotKeys,
    MenuSettings,
    MenuHelpTopics,
    MenuSearchForUpdates,
    MenuAbout,
    PopupStart,
    PopupClose,
    PopupDeactivate,
    HelpKeyComb,
    HelpLocation,
    MenuEditSelected,
};
inline constexpr int kCommandCount = int(Command::MenuEditSelected) + 1;

struct CommandInfo {
    Command id;
    std::string_view key;  // language key of section "Main", also the action's object name
    int shortcut;          // a Qt key code, 0 for none
    const char* icon;      // an icon of the desktop's theme, "" for none
    bool captionFromKey;   // false: the caption follows a state (tray entries)
    bool available;        // false: the window it opens is not part of the program yet
};

// The table of all commands, in the order of `Command`.
const std::array<CommandInfo, kCommandCount>& commandTable();

class MainMenus : public QObject {
    Q_OBJECT
public:
    // Creates the actions on `window` (which gets the shortcuts) and fills `bar` (null: later,
    // with fillMenuBar).
    MainMenus(QWidget* window, QMenuBar* bar);
    // Puts the File, Edit, Go to and Help menus into `bar`.
    void fillMenuBar(QMenuBar* bar);

    QAction* action(Command id) const { return actions_[size_t(id)]; }
    // The action whose object name is `name`; null when there is none.
    QAction* action(const QString& name) const;
    QMenu* listMenu() const { return PopupMenu2; }
    QMenu* helpMenu() const { return PopupMenu3; }

    void SetLanguage(const LanguageFile& file, std::string_view section);
    // Editing and deleting the selected row need a selected row; delete-all and the save submenu
    // need rows.
    void setMenuState(const MenuState& state);
    // The page commands: the page shown cannot be chosen again.
    void setWelcomeShown(bool welcomeShown);
    // Pop-up menus keep the desktop's colours whatever the window's scheme.
    void keepDesktopColours();
    // The commands' icons from the desktop's icon theme, set the first time a menu opens:
    // reading the theme costs milliseconds that a start hidden in the tray does not spend.
    void showIcons();

signals:
    void triggered(Command id);

private:
    std::array<QAction*, kCommandCount> actions_{};
    bool iconsShown_ = false;
    QMenu *MenuHeaderFile = nullptr, *MenuHeaderEdit = nullptr, *MenuHeaderGoto = nullptr,
          *MenuHeaderHelp = nullptr, *MenuSaveAsMenu = nullptr, *MenuHelpTopicsMenu = nullptr,
          *PopupMenu2 = nullptr, *PopupMenu3 = nullptr;
};

}  // namespace vorbix
