// TMain: the program's main window. Two pages (welcome, hot keys) between a top strip with the
// menu bar, the language flags and the help icon, and a status strip with the row count and the
// activation switch; the tray icon and its menu; closing to the tray and the saves on closing.
#pragma once

#include <QIcon>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "core/Dispatcher.h"
#include "core/HotKeyTable.h"
#include "core/KeyNotation.h"
#include "core/LanguageTexts.h"
#include "core/Ports.h"
#include "core/Registration.h"
#include "storage/ConfigWindows.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QMenuBar;
class QSystemTrayIcon;
class QTreeWidget;

namespace vorbix {

class AnchorLayout;
class THotkeyEx;
class TLinkLabel;
class TShape;
class ShellCore;

// What the window is given by main(): the platform and the storage places.
struct ShellEnvironment {
    std::string programFolder;  // ends in "/"
    std::string dataFolder;     // ends in "/"
    const KeyNameSource* keyNames = nullptr;
    HotKeyBackend* hotKeys = nullptr;
    Desktop desktop;
    Prompter* prompter = nullptr;  // message boxes; the window's own when null
    Permissions permissions;
    int ppi = 96;
    // Chooses a file: open (mustExist) or save; empty on Cancel. The Qt dialogs when null.
    std::function<std::string(bool save, const std::string& filter, const std::string& suffix)>
        chooseFile;
};

class TMain : public QWidget, public ShellHooks {
    Q_OBJECT
public:
    explicit TMain(ShellEnvironment env, QWidget* parent = nullptr);
    ~TMain() override;

    // The start-up of the window, in order: data folder and first run, configuration, language,
    // the hot key file and its registration, the inactive presentation.
    void startUp();
    // The "hide" argument: the window stays hidden, the tray command shows it.
    void startHidden();
    // Shows the window as the start does (not hidden).
    void showAtStart();

    // Table and state, for the tests and the benchmarks.
    HotKeyTable& table();
    const LanguageTexts& texts() const { return texts_; }
    bool active() const;
    ShellCore& core() { return *core_; }
    QTreeWidget* list() const { return ListView1; }
    QComboBox* actionBox() const { return ComboBox1; }
    THotkeyEx* hotkeyField() const { return Hotkey1; }
    QAction* action(const QString& name) const;
    QMenu* trayMenu() const { return PopupMenu1; }
    QSystemTrayIcon* trayIcon() const { return Tray; }
    QLabel* statusCountLabel() const;
    TLinkLabel* addLabel() const { return LabelAddHotKey; }
    TLinkLabel* addImage() const { return Image4; }
    QString activationText() const;
    bool activeIconShown() const;
    bool welcomeShown() const;
    int selectedRow() const;
    void selectRow(int row);
    std::string language() const { return texts_.language; }

    // Commands of the window.
    void LabelAddHotKeyClick();
    void ListView1DblClick();
    void MenuDeleteSelectedExecute();
    void MenuDeleteAllExecute();
    void ButtonUpClick();
    void ButtonDownClick();
    void MenuOpenExecute();
    void MenuSaveExecute();
    void MenuSave2Execute();
    void MenuLoadConfigExecute();
    void MenuSaveConfigExecute();
    void PopupDeactivateExecute();
    void PopupStartExecute();
    void MenuCloseExecute();
    void ShowWelcome();
    void ShowMyHotKeys();
    void SetLanguage(const std::string& section = "Main");
    void switchLanguage(const std::string& language);
    void ApplyMainColors();
    void LoadMainConfig(const std::string& path);
    void SaveMainConfig(const std::string& path);
    void UpdateMenuState();
    // A hot key arrived from the backend.
    void WMHotKey(int32_t id);
    // The session ends (commit request or SIGTERM/SIGHUP): save both files, close without notice.
    void sessionEnding();
    // A second start of the program asked the running one to show itself.
    void InstanceCreated();
    // Asks whether the windows an earlier run left hidden are to be shown again.
    bool askHiddenWindowsBack(size_t count);
    // Saves Config.ini and HotKeys.hkv of the data folder.
    void saveState();
    void notifyFailure(const std::string& text);

    // What the dispatcher asks of the window.
    void activationSwitch() override { PopupDeactivateExecute(); }
    void toggleMainWindow() override;
    WindowId hideMainWindowForCloseAll() override;
    void runEditorEffect(ActionKind kind, const HotKeyEntry& row) override;
    void actionFailed(const std::string& reason) override;

    std::string configPath() const;
    std::string hotKeyPath() const;

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    // The file chosen for opening or saving, empty on Cancel; a saved file without an extension
    // gets `suffix`.
    std::string choosePath(bool save, const std::string& filter, const std::string& suffix);
    void buildWidgets();
    void buildActions();
    void buildMenus();
    void buildTray();
    void refreshList();
    void refreshCount();
    void applyActivePresentation();
    void placeClosingLine();
    void placeWelcomePoints();
    QIcon actionIcon(int kind) const;
    QIcon trayIconFor(bool active) const;
    std::string msg(const std::string& key) const;
    void hideApplication();
    void showApplication();
    bool applicationVisible() const;
    void saveWelcomeChoice();
    ConfigContext configContext() const;
    // The settings dialog's and the insert-text editor's keys: read (registering the special
    // combinations) and written with the same file as the window's own.
    void loadSettingsPart(const std::string& path);
    void saveSettingsPart(const std::string& path);
    void setWelcomeChecked(bool checked);

    ShellEnvironment env_;
    std::unique_ptr<AnchorLayout> layout_;
    std::unique_ptr<AnchorLayout> menuLayout_;
    std::unique_ptr<AnchorLayout> pageLayout_;
    std::unique_ptr<ShellCore> core_;
    std::unique_ptr<Prompter> ownPrompter_;
    std::unique_ptr<class Artwork> art_;
    LanguageTexts texts_;
    SettingsConfig settings_;
    InsertTextConfig insertText_;
    std::string languageFileText_;

    // Program-wide flags of the closing and tray logic.
    bool ExitRequested = false;
    bool SessionEnding = false;
    bool HideByMinimize = false;
    bool TrayIconVisible = true;
    bool improvementVisible_ = true;
    bool hiddenAtStart_ = false;
    bool startedUp_ = false;
    QColor colors_[4];
    // The widgets of the hot key page, hidden while the welcome page is shown so that none of
    // them (above all the capture field, which takes the keyboard) keeps the focus behind it.
    std::vector<QWidget*> hotKeyPage_;

    // Elements, named as in the design.
    TShape *Shape1 = nullptr, *Shape2 = nullptr, *Shape3 = nullptr, *Shape5 = nullptr,
           *Shape6 = nullptr, *Shape7 = nullptr, *Shape10 = nullptr;
    TShape *Shape4 = nullptr, *Shape8 = nullptr, *Shape9 = nullptr;
    QWidget* MenuPanel = nullptr;
    QMenuBar* XPMenuBar1 = nullptr;
    TLinkLabel *ImageGerman = nullptr, *ImageEnglish = nullptr, *ImageHelp = nullptr;
    TLinkLabel *Image2 = nullptr, *NaviWelcome = nullptr, *Image7 = nullptr,
               *NaviMyHotKeys = nullptr;
    QLabel *LabelHotKey = nullptr, *LabelAction = nullptr;
    QWidget* HotKeyPanel = nullptr;
    THotkeyEx* Hotkey1 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    TLinkLabel *Image4 = nullptr, *LabelAddHotKey = nullptr;
    QTreeWidget* ListView1 = nullptr;
    TLinkLabel *ButtonUp = nullptr, *ButtonDown = nullptr;
    TLinkLabel *Image8 = nullptr, *LabelAdvice = nullptr;
    QLabel* StatusbarLabel1 = nullptr;
    TLinkLabel *Image5 = nullptr, *Image6 = nullptr, *LabelDeactivated = nullptr;
    QWidget* Panel1 = nullptr;
    QLabel *Title1 = nullptr, *LabelWelcome1 = nullptr, *LabelWelcome2 = nullptr,
           *LabelWelcome3 = nullptr, *LabelWelcome4 = nullptr, *LabelWelcome5 = nullptr,
           *LabelWelcome6 = nullptr, *LabelWelcome7 = nullptr;
    QLabel *LabelArrow1 = nullptr, *Label1 = nullptr, *Label2 = nullptr, *Label3 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    TLinkLabel* LabelWelcome8 = nullptr;

    QMenu *MenuHeaderFile = nullptr, *MenuHeaderEdit = nullptr, *MenuHeaderGoto = nullptr,
          *MenuHeaderHelp = nullptr, *MenuSaveAsMenu = nullptr, *MenuHelpTopicsMenu = nullptr,
          *PopupMenu1 = nullptr, *PopupMenu2 = nullptr, *PopupMenu3 = nullptr,
          *PopupSaveAsMenu = nullptr;
    QAction *MenuOpen = nullptr, *MenuSaveAs = nullptr, *MenuSave = nullptr, *MenuSave2 = nullptr,
            *MenuLoadConfig = nullptr, *MenuSaveConfig = nullptr, *MenuClose = nullptr,
            *MenuDeleteAll = nullptr, *MenuDeleteSelected = nullptr, *MenuWelcome = nullptr,
            *MenuMyHotKeys = nullptr, *MenuSettings = nullptr, *MenuHelpTopics = nullptr,
            *MenuSearchForUpdates = nullptr, *MenuAbout = nullptr, *PopupStart = nullptr,
            *PopupClose = nullptr, *PopupDeactivate = nullptr, *HelpKeyComb = nullptr,
            *HelpLocation = nullptr, *PopupSaveAs = nullptr;
    QSystemTrayIcon* Tray = nullptr;

    // Texts held for state changes.
    std::string popupStart1_, popupStart2_, popupActivate_, popupDeactivate_, labelActivated_,
        labelDeactivated_;
    std::string hkvFilter_, iniFilter_, htmlFilter_;
};

}  // namespace vorbix
