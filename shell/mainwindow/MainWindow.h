// TMain: the program's main window. It puts together the top strip, the navigation tabs, the
// two pages and the status strip, owns the table's rules (ShellCore) and runs the commands the
// pieces report: table commands, files, activation, language, colours, closing to the tray and
// the session end. The start-up order is StartupSequence's, the tray's rules TrayRules'.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "components/AnchorLayout.h"
#include "components/Translatable.h"
#include "core/Dispatcher.h"
#include "core/HotKeyTable.h"
#include "core/KeyNotation.h"
#include "core/LanguageTexts.h"
#include "core/Ports.h"
#include "core/Registration.h"
#include "shell/common/MainMenus.h"
#include "shell/mainwindow/FileChooser.h"
#include "shell/mainwindow/HotKeyPage.h"
#include "shell/mainwindow/MainColors.h"
#include "shell/mainwindow/StatusStrip.h"
#include "shell/mainwindow/TableActions.h"
#include "shell/mainwindow/WelcomePage.h"
#include "shell/settings/SettingsServices.h"
#include "shell/tray/TrayController.h"
#include "storage/ConfigWindows.h"
#include "storage/LanguageFile.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QSystemTrayIcon;
class QTreeView;

namespace vorbix {

class Artwork;
class EditorHub;
class FileCommands;
class HotKeyPage;
class HotKeyTableModel;
class LanguageApplier;
class NavigationTabs;
class ProgramSettings;
class QtPrompter;
class SettingsHub;
class ShellCore;
class TAbout;
class StatusStrip;
class THotkeyEx;
class TLinkLabel;
class TShape;
class TopStrip;
class TrayController;
class UpdateCheck;
class WelcomePage;

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
    FileChooser::Override chooseFile;
    // The settings kept outside the configuration file: the autostart entry and the elevated
    // step that writes the change policy (none: the settings dialog shows no entry and writes
    // no policy).
    AutostartEntry* autostart = nullptr;
    PolicyStep* policyStep = nullptr;
    // Whether the desktop has a tray host; Qt asks the desktop when null.
    std::function<bool()> trayAvailable;
    // Gives freed memory back to the system; called when a loaded table is complete.
    std::function<void()> returnFreedMemory;
    // A Wayland session: the window actions reach only the windows of X11 programs.
    bool waylandSession = false;
    // The window's pages, strips and menu bar are made when it is first shown, not with the
    // window: a start hidden in the tray needs only the tray, the hot keys and the rules.
    bool deferWidgets = false;
    // Opens the desktop's own settings of the program's shortcuts; null where the desktop has
    // none for it (the settings dialog then offers no button).
    std::function<void()> configureDesktopShortcuts;
};

class TMain : public QWidget, public ShellHooks, public Translatable {
    Q_OBJECT
public:
    explicit TMain(ShellEnvironment env, QWidget* parent = nullptr);
    ~TMain() override;

    // The start-up of the window (StartupSequence, which defines this function): data folder
    // and first run, configuration, language, the hot key file and its registration, the
    // inactive presentation.
    void startUp();
    // The "hide" argument: the window stays hidden, the tray command shows it. On a desktop
    // without a tray host it starts minimised, and a tray host that comes up within
    // `trayWaitMs` takes it in.
    void startHidden(int trayWaitMs = 10000);
    // Shows the window as the start does (not hidden).
    void showAtStart();

    // Whether the window's pages and strips exist (see ShellEnvironment::deferWidgets).
    bool widgetsBuilt() const { return hotKeyPage_ != nullptr; }

    // Table and state, for the tests and the benchmarks. The accessors of the window's pieces
    // make them first when they do not exist yet.
    HotKeyTable& table();
    const LanguageTexts& texts() const { return texts_; }
    bool active() const;
    ShellCore& core() { return *core_; }
    HotKeyTableModel& model() { return *model_; }
    LanguageApplier& languages() { return *languages_; }
    EditorHub& editors() { return *editors_; }
    SettingsHub& settingsWindow() { return *settingsHub_; }
    ProgramSettings& programSettings() { return *settings_; }
    TrayController& tray() { return *tray_; }
    UpdateCheck& updates() { return *updates_; }
    // The about box, once it has been opened.
    TAbout* aboutBox() const { return about_.get(); }
    Prompter& prompter() { return *env_.prompter; }
    const ShellEnvironment& environment() const { return env_; }
    QTreeView* list() const { return page().list(); }
    QComboBox* actionBox() const { return page().actionBox(); }
    THotkeyEx* hotkeyField() const { return page().hotkeyField(); }
    QAction* action(const QString& name) const { return menus_->action(name); }
    QMenu* trayMenu() const { return tray_->menu(); }
    QSystemTrayIcon* trayIcon() const { return tray_->icon(); }
    QLabel* statusCountLabel() const { return statusStrip().countLabel(); }
    // The status strip's word on rows that do not work (hidden while all work).
    QLabel* statusProblemLabel() const { return statusStrip().problemLabel(); }
    TLinkLabel* addLabel() const { return page().addLabel(); }
    TLinkLabel* addImage() const { return page().addImage(); }
    QString activationText() const { return statusStrip().activationText(); }
    bool activeIconShown() const { return statusStrip().activeIconShown(); }
    bool welcomeShown() const { return welcomeOnTop_; }
    int selectedRow() const { return page().selectedRow(); }
    void selectRow(int row) { tableActions().selectRow(row); }
    std::string language() const { return texts_.language; }

    // Commands of the window.
    void LabelAddHotKeyClick() { tableActions().LabelAddHotKeyClick(); }
    void ListView1DblClick() { tableActions().ListView1DblClick(); }
    void MenuDeleteSelectedExecute() { tableActions().MenuDeleteSelectedExecute(); }
    void MenuDeleteAllExecute() { tableActions().MenuDeleteAllExecute(); }
    void ButtonUpClick() { tableActions().ButtonUpClick(); }
    void ButtonDownClick() { tableActions().ButtonDownClick(); }
    void MenuSave2Execute();
    void MenuLoadConfigExecute();
    void MenuSaveConfigExecute();
    void PopupDeactivateExecute();
    void MenuCloseExecute();
    void MenuAboutExecute();
    void ShowWelcome();
    void ShowMyHotKeys();
    // Applies the current language to the main window (its part of every language change).
    void SetLanguage(const std::string& section = "Main") override;
    // The flags: the new language for every window, stored in the configuration.
    void switchLanguage(const std::string& language);
    void ApplyMainColors();
    void LoadMainConfig(const std::string& path);
    void SaveMainConfig(const std::string& path);
    void UpdateMenuState();
    // What the confirmed settings dialog changes on the main window.
    void setImprovementVisible(bool visible);
    void setMainColors(const std::array<ColorValue, 4>& colors);
    void setWelcomeChoice(bool ticked);
    // The icons, captions and label follow the activation state.
    void applyActivePresentation();
    // Switches all hot keys on or off with everything that shows the state; switched on, says
    // once how many rows the system refused.
    void switchHotKeys(bool on);
    // The settings dialog's and the insert-text editor's keys: read (registering the special
    // combinations) and written with the same file as the window's own.
    void loadSettingsPart(const std::string& path);
    void saveSettingsPart(const std::string& path);
    // The last step of the start-up: the tray icon appears (unless the start failed).
    void finishStartUp(bool showTray);
    // A hot key arrived from the backend.
    void WMHotKey(int32_t id);
    // The session ends (SIGTERM/SIGHUP, or the session manager's end): save both files, close
    // without notice.
    void sessionEnding();
    // The session manager asks for the state (a checkpoint, or a log-out that may still be
    // cancelled): both files are saved and the program goes on running.
    void commitData();
    // The main window has closed and the program is ending.
    bool closedForGood() const { return closedForGood_; }
    // A second start of the program asked the running one to show itself.
    void InstanceCreated();
    // Asks whether the windows an earlier run left hidden are to be shown again; `yes` runs on
    // a Yes.
    void askHiddenWindowsBack(size_t count, std::function<void()> yes);
    // Saves Config.ini and HotKeys.hkv of the data folder; a file that cannot be written keeps
    // its former content. The system's reasons, empty when both were written.
    std::string saveState();
    void notifyFailure(const std::string& text);
    // Tells that another program holds one of the two special combinations.
    void tellSpecialHotKeyTaken(uint16_t combination);
    // Tells the user that a file could not be saved and why: in a message box while the window
    // is up, as a tray notification otherwise.
    void reportSaveFailure(const std::string& reason);

    // What the dispatcher asks of the window.
    void activationSwitch() override { PopupDeactivateExecute(); }
    void toggleMainWindow() override;
    WindowId hideMainWindowForCloseAll() override;
    void runEditorEffect(ActionKind kind, const HotKeyEntry& row) override;
    void actionFailed(const std::string& reason) override;

    std::string configPath() const;
    std::string hotKeyPath() const;
    ConfigContext configContext() const;
    // A text of section "Main" of the language last applied.
    std::string message(const std::string& key) const;

    // Every way of showing the window (show, showMinimized, setVisible) makes its pieces first.
    void setVisible(bool visible) override;

signals:
    // The window's pieces have been made (at once, or when it was first shown).
    void widgetsCreated();

protected:
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void changeEvent(QEvent* e) override;
    void childEvent(QChildEvent* e) override;

private:
    // Makes the pages, strips and menu bar and gives them the state kept meanwhile.
    void buildWidgets();
    // The logo, drawn only once a window of the program shows: never at a start hidden in the
    // tray.
    void giveWindowIcon();
    HotKeyPage& page() const;
    StatusStrip& statusStrip() const;
    TableActions& tableActions();
    void translateWidgets(const LanguageFile& file, const std::string& section);
    void connectPieces();
    void runCommand(Command id);
    void refreshCount();
    // The list's marks and the status strip follow the rows' registrations.
    void refreshRegistrations();
    QString registrationProblem(size_t row) const;
    void saveWelcomeChoice();
    FileResult writeMainConfig(const std::string& path);
    // The program ends; a save that failed on the way is said first.
    void finishExit(const std::string& failure, bool windowWasUp);

    ShellEnvironment env_;
    AnchorLayout layout_;
    std::unique_ptr<QtPrompter> ownPrompter_;
    std::unique_ptr<Artwork> art_;
    std::unique_ptr<LanguageApplier> languages_;
    LanguageTexts texts_;
    // The language file as last applied (shared with the applier), for messages.
    std::shared_ptr<const LanguageFile> mainTexts_;
    std::unique_ptr<ShellCore> core_;
    std::unique_ptr<ProgramSettings> settings_;
    HotKeyTableModel* model_ = nullptr;
    std::unique_ptr<FileCommands> files_;
    std::unique_ptr<TableActions> table_;
    std::unique_ptr<UpdateCheck> updates_;
    std::unique_ptr<TAbout> about_;
    std::unique_ptr<SettingsHub> settingsHub_;
    // Last, so the editors go before the language applier and the table they use.
    std::unique_ptr<EditorHub> editors_;

    bool improvementVisible_ = true;
    bool iconGiven_ = false;
    // The window's state while its pieces do not exist yet (or as they show it).
    bool welcomeOnTop_ = true;
    bool welcomeTicked_ = false;
    bool welcomeEnabled_ = true;
    std::array<int, 3> columnWidths_{-1, -1, -1};
    bool closedForGood_ = false;
    MainColors colors_;

    // The pieces of the window.
    TopStrip* topStrip_ = nullptr;
    MainMenus* menus_ = nullptr;
    TrayController* tray_ = nullptr;
    HotKeyPage* hotKeyPage_ = nullptr;
    WelcomePage* welcomePage_ = nullptr;
    StatusStrip* status_ = nullptr;
    NavigationTabs* tabs_ = nullptr;
};

}  // namespace vorbix
