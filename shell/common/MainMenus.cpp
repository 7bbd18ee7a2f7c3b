#include "shell/common/MainMenus.h"

#include <QAction>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include "components/DesignStyle.h"
#include "storage/LanguageFile.h"

namespace vorbix {

namespace {

using C = Command;

constexpr std::array<CommandInfo, kCommandCount> kCommands{{
    {C::MenuOpen, "MenuOpen", 0, "document-open", true, true},
    {C::MenuSaveAs, "MenuSaveAs", 0, "document-save-as", true, true},
    {C::MenuSave, "MenuSave", 0, "", true, true},
    {C::MenuSave2, "MenuSave2", 0, "text-html", true, true},
    {C::MenuLoadConfig, "MenuLoadConfig", 0, "", true, true},
    {C::MenuSaveConfig, "MenuSaveConfig", 0, "", true, true},
    {C::MenuClose, "MenuClose", 0, "application-exit", true, true},
    {C::MenuDeleteAll, "MenuDeleteAll", 0, "edit-clear", true, true},
    {C::MenuDeleteSelected, "MenuDeleteSelected", Qt::Key_Delete, "edit-delete", true, true},
    {C::MenuWelcome, "MenuWelcome", 0, "", true, true},
    {C::MenuMyHotKeys, "MenuMyHotKeys", 0, "", true, true},
    {C::MenuSettings, "MenuSettings", 0, "preferences-system", true, true},
    {C::MenuHelpTopics, "MenuHelpTopics", 0, "help-contents", true, true},
    {C::MenuSearchForUpdates, "MenuSearchForUpdates", 0, "system-software-update", true, true},
    {C::MenuAbout, "MenuAbout", 0, "help-about", true, true},
    {C::PopupStart, "PopupStart", 0, "", false, true},
    {C::PopupClose, "PopupClose", 0, "application-exit", true, true},
    {C::PopupDeactivate, "PopupDeactivate", 0, "", false, true},
    {C::HelpKeyComb, "HelpKeyComb", 0, "", true, true},
    {C::HelpLocation, "HelpLocation", 0, "", true, true},
    {C::MenuEditSelected, "MenuEditSelected", 0, "document-properties", true, true},
}};

// A menu's entries: a command, or a separator.
constexpr int kSeparator = -1;

}  // namespace

const std::array<CommandInfo, kCommandCount>& commandTable() {
    return kCommands;
}

MainMenus::MainMenus(QWidget* window, QMenuBar* bar) : QObject(window) {
    for (const CommandInfo& info : kCommands) {
        auto* a = new QAction(window);
        a->setObjectName(QString::fromLatin1(info.key.data(), qsizetype(info.key.size())));
        if (info.shortcut) {
            a->setShortcut(QKeySequence(info.shortcut));
            a->setShortcutContext(Qt::WindowShortcut);
            window->addAction(a);
        }
        a->setEnabled(info.available);
        const Command id = info.id;
        connect(a, &QAction::triggered, this, [this, id] { emit triggered(id); });
        actions_[size_t(id)] = a;
    }
    QFont bold = window->font();
    bold.setBold(true);
    action(C::PopupStart)->setFont(bold);

    auto fill = [this](QMenu* menu, std::initializer_list<int> entries) {
        connect(menu, &QMenu::aboutToShow, this, &MainMenus::showIcons);
        for (int e : entries) {
            if (e == kSeparator)
                menu->addSeparator();
            else
                menu->addAction(action(Command(e)));
        }
    };
    auto e = [](Command c) { return int(c); };

    MenuSaveAsMenu = new QMenu(window);
    fill(MenuSaveAsMenu, {e(C::MenuSave), e(C::MenuSave2)});
    action(C::MenuSaveAs)->setMenu(MenuSaveAsMenu);
    MenuHelpTopicsMenu = new QMenu(window);
    fill(MenuHelpTopicsMenu, {e(C::HelpKeyComb), e(C::HelpLocation)});
    action(C::MenuHelpTopics)->setMenu(MenuHelpTopicsMenu);

    MenuHeaderFile = new QMenu(window);
    fill(MenuHeaderFile, {e(C::MenuOpen), e(C::MenuSaveAs), kSeparator, e(C::MenuLoadConfig),
                          e(C::MenuSaveConfig), e(C::MenuSettings), kSeparator, e(C::MenuClose)});
    MenuHeaderEdit = new QMenu(window);
    fill(MenuHeaderEdit,
         {e(C::MenuEditSelected), kSeparator, e(C::MenuDeleteSelected), e(C::MenuDeleteAll)});
    MenuHeaderGoto = new QMenu(window);
    fill(MenuHeaderGoto, {e(C::MenuWelcome), e(C::MenuMyHotKeys)});
    MenuHeaderHelp = new QMenu(window);
    fill(MenuHeaderHelp,
         {e(C::MenuHelpTopics), kSeparator, e(C::MenuSearchForUpdates), e(C::MenuAbout)});

    PopupMenu2 = new QMenu(window);
    fill(PopupMenu2, {e(C::MenuOpen), e(C::MenuSaveAs), kSeparator, e(C::MenuDeleteSelected),
                      e(C::MenuDeleteAll)});
    PopupMenu3 = new QMenu(window);
    fill(PopupMenu3, {e(C::HelpKeyComb), e(C::HelpLocation), kSeparator, e(C::MenuAbout)});
    if (bar) fillMenuBar(bar);
}

void MainMenus::fillMenuBar(QMenuBar* bar) {
    // Children of the bar, as menus the bar makes itself are: they take its style.
    for (QMenu* menu : {MenuHeaderFile, MenuHeaderEdit, MenuHeaderGoto, MenuHeaderHelp}) {
        menu->setParent(bar, menu->windowFlags());
        bar->addMenu(menu);
    }
}

void MainMenus::showIcons() {
    if (iconsShown_) return;
    iconsShown_ = true;
    for (const CommandInfo& info : kCommands) {
        if (*info.icon) action(info.id)->setIcon(QIcon::fromTheme(QString::fromLatin1(info.icon)));
    }
}

QAction* MainMenus::action(const QString& name) const {
    for (QAction* a : actions_) {
        if (a->objectName() == name) return a;
    }
    return nullptr;
}

void MainMenus::SetLanguage(const LanguageFile& file, std::string_view section) {
    auto t = [&](std::string_view key) { return QString::fromStdString(file.text(section, key)); };
    const std::pair<QMenu*, std::string_view> headers[] = {{MenuHeaderFile, "MenuHeaderFile"},
                                                           {MenuHeaderEdit, "MenuHeaderEdit"},
                                                           {MenuHeaderGoto, "MenuHeaderGoto"},
                                                           {MenuHeaderHelp, "MenuHeaderHelp"}};
    for (const auto& [menu, key] : headers) menu->setTitle(t(key));
    for (const CommandInfo& info : kCommands) {
        if (info.captionFromKey) action(info.id)->setText(t(info.key));
    }
}

void MainMenus::setMenuState(const MenuState& m) {
    action(C::MenuEditSelected)->setEnabled(m.deleteSelected);
    action(C::MenuDeleteSelected)->setEnabled(m.deleteSelected);
    action(C::MenuDeleteAll)->setEnabled(m.deleteAll);
    action(C::MenuSaveAs)->setEnabled(m.saveAs);
}

void MainMenus::setWelcomeShown(bool welcomeShown) {
    action(C::MenuWelcome)->setEnabled(!welcomeShown);
    action(C::MenuMyHotKeys)->setEnabled(welcomeShown);
}

void MainMenus::keepDesktopColours() {
    for (QMenu* m : {PopupMenu2, PopupMenu3, MenuSaveAsMenu, MenuHelpTopicsMenu}) {
        m->setPalette(desktopPalette());
    }
}

}  // namespace vorbix
