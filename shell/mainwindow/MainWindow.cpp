#include "shell/mainwindow/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDesktopServices>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTreeView>
#include <QUrl>

#include <cstdio>

#include "components/DesignStyle.h"
#include "components/HotkeyEx.h"
#include "components/LinkLabel.h"
#include "components/Shape.h"
#include "components/WindowGeometry.h"
#include "core/Endpoints.h"
#include "core/TextUtil.h"
#include "shell/common/Artwork.h"
#include "shell/common/ShellCore.h"
#include "shell/mainwindow/AboutBox.h"
#include "shell/mainwindow/DialogsFollowWindow.h"
#include "shell/mainwindow/EditorHub.h"
#include "shell/mainwindow/FileCommands.h"
#include "shell/mainwindow/HotKeyPage.h"
#include "shell/mainwindow/HotKeyTableModel.h"
#include "shell/mainwindow/LanguageApplier.h"
#include "shell/mainwindow/NavigationTabs.h"
#include "shell/mainwindow/QtPrompter.h"
#include "shell/mainwindow/RowKind.h"
#include "shell/mainwindow/RowProblems.h"
#include "shell/mainwindow/SettingsHub.h"
#include "shell/mainwindow/StatusStrip.h"
#include "shell/mainwindow/TableActions.h"
#include "shell/mainwindow/TopStrip.h"
#include "shell/mainwindow/WelcomePage.h"
#include "shell/settings/ProgramSettings.h"
#include "shell/settings/SettingsRules.h"
#include "shell/tray/TrayController.h"
#include "shell/update/UpdateCheck.h"
#include "storage/ActionEffects.h"
#include "storage/HotKeyFile.h"
#include "storage/LanguageKeys.h"
#include "storage/StorageLocations.h"

namespace vorbix {

namespace {

constexpr QSize kDesignSize(807, 532);

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

TMain::TMain(ShellEnvironment env, QWidget* parent)
    : QWidget(parent),
      env_(std::move(env)),
      layout_(env_.ppi, kDesignSize),
      files_(std::make_unique<FileCommands>(*this, FileChooser(this, env_.chooseFile))) {
    setWindowTitle(QStringLiteral("Vorbix"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    art_ = std::make_unique<Artwork>(env_.programFolder);
    languages_ = std::make_unique<LanguageApplier>(env_.programFolder);
    if (!env_.prompter) {
        ownPrompter_ = std::make_unique<QtPrompter>(this);
        env_.prompter = ownPrompter_.get();
    }
    static const BuiltinKeyNames fallbackNames(BuiltinKeyNames::Group::German);
    if (!env_.keyNames) env_.keyNames = &fallbackNames;

    ShellCoreSetup setup{
        *env_.hotKeys,
        *env_.keyNames,
        texts_,
        *env_.prompter,
        *this,
        env_.desktop,
        env_.permissions,
        hotKeyPath(),
        configPath(),
        [this](std::string_view key) { return message(std::string(key)); },
        LanguageFile::loadCatalogue(env_.programFolder),
    };
    core_ = std::make_unique<ShellCore>(std::move(setup));
    settings_ = std::make_unique<ProgramSettings>(*core_, *env_.keyNames);
    model_ = new HotKeyTableModel(
        core_->table,
        [this](const HotKeyEntry& row) {
            const auto kind = rowKind(row, texts_, core_->languages);
            return kind ? art_->actionIcon(toIndex(*kind)) : QIcon();
        },
        this);
    core_->commands.setListener(model_);
    model_->setRowFinisher([this](HotKeyEntry& row) { completeTextDigest(row, texts_); });
    // Hidden in the tray, the insert-text rows' digests wait for the list.
    model_->setFinishingInBackground(!env_.deferWidgets);
    if (env_.returnFreedMemory) {
        connect(model_, &HotKeyTableModel::rowsFinished, this, env_.returnFreedMemory);
    }
    core_->registry.setChangeHandler([this] { refreshRegistrations(); });
    if (env_.waylandSession) {
        model_->setActionNotes([this](size_t row) {
            const auto kind = rowKind(core_->table.at(row), texts_, core_->languages);
            return kind && isWindowAction(*kind) ? q(message("HintWindowActionX11")) : QString();
        });
    }
    // A started opener that fails afterwards is told like a start that fails at once; the
    // launcher calls from its own thread, so the report is queued to this one.
    if (Launcher* launcher = env_.desktop.launcher) {
        launcher->setLateFailureHandler([this](const LaunchResult& failed) {
            QMetaObject::invokeMethod(
                this, [this, failed] { core_->dispatcher.report(failed); }, Qt::QueuedConnection);
        });
    }

    setFont(designFont("Tahoma", 13));
    setAutoFillBackground(true);
    new DialogsFollowWindow(this);
    // The commands and the tray exist from the start; the menu bar gets the menus when the
    // window's pieces are made.
    menus_ = new MainMenus(this, nullptr);
    // Hidden with the capture field focused, the window would come back with the field taking
    // the whole keyboard, which keeps every hot key from firing.
    tray_ = new TrayController(
        *art_, *menus_, this,
        [this] {
            if (hotKeyPage_ && hotkeyField()->hasFocus()) list()->setFocus();
        },
        env_.trayAvailable);
    // A hidden window forgets its focus; shown again, it would give it to the capture field, which
    // takes the whole keyboard (no hot key would fire).
    tray_->setBeforeShow([this] {
        if (hotKeyPage_ && !welcomeShown()) list()->setFocus();
    });
    tray_->setNoWayBackNotice(
        [this] { env_.prompter->showMessage(message("MessageNoTray"), MessageType::Information); });
    editors_ = std::make_unique<EditorHub>(EditorHub::Setup{
        this, *model_, core_->store, hotKeyPath(), *languages_, texts_, core_->languages,
        *env_.prompter, *art_, env_.programFolder, env_.ppi, env_.desktop, env_.keyNames,
        core_.get(), this, [this] { return settings_->settings().pathCheck; }, configPath(),
        [this] { return settings_->settings().saveClipboard; }});
    editors_->useInsertTextConfig(settings_->insertText());
    updates_ = std::make_unique<UpdateCheck>(
        UpdateCheck::Setup{configPath(), *env_.prompter,
                           [this](std::string_view key) { return message(std::string(key)); },
                           [this] { return texts_.language; },
                           [this](const std::string& url) {
                               if (env_.desktop.launcher)
                                   env_.desktop.launcher->openLocation(url, WindowMode::Normal);
                           },
                           [this] { return settings_->settings().updateIntervalDays; },
                           [this] { return env_.permissions.mayChangeConfig(); }},
        UpdateCheck::Options{});
    settingsHub_ = std::make_unique<SettingsHub>(*this);
    connect(menus_, &MainMenus::triggered, this, &TMain::runCommand);
    // A combination another program held may be free by the time the user turns to the
    // program: the refused rows are tried again when the tray menu opens and the window shows.
    connect(tray_->menu(), &QMenu::aboutToShow, this,
            [this] { core_->registry.retryRefusedRows(); });
    connect(model_, &QAbstractItemModel::rowsInserted, this, [this] { refreshCount(); });
    connect(model_, &QAbstractItemModel::rowsRemoved, this, [this] { refreshCount(); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { refreshCount(); });
    languages_->add(lang::kMain, this);

    resize(layout_.scale(kDesignSize));
    setMinimumSize(layout_.scale(kDesignSize));
    if (!env_.deferWidgets) buildWidgets();
    ShowWelcome();
}

TMain::~TMain() {
    // The pieces go first, while the rules and texts their signals reach still exist: the
    // editors, then the child widgets (a view being destroyed still reports its selection).
    editors_.reset();
    settingsHub_.reset();
    if (about_) languages_->remove(about_.get());
    about_.reset();
    core_->commands.setListener(nullptr);
    core_->registry.setChangeHandler(nullptr);
    if (env_.desktop.launcher) env_.desktop.launcher->setLateFailureHandler({});
    qDeleteAll(findChildren<QWidget*>(Qt::FindDirectChildrenOnly));
}

void TMain::connectPieces() {
    connect(tabs_, &NavigationTabs::welcomeClicked, this, [this] { ShowWelcome(); });
    connect(tabs_, &NavigationTabs::myHotKeysClicked, this, [this] { ShowMyHotKeys(); });
    connect(topStrip_, &TopStrip::germanClicked, this, [this] { switchLanguage("German"); });
    connect(topStrip_, &TopStrip::englishClicked, this, [this] { switchLanguage("English"); });
    connect(topStrip_, &TopStrip::helpClicked, this,
            [this] { menus_->helpMenu()->popup(QCursor::pos()); });
    TableActions* t = table_.get();
    connect(hotKeyPage_, &HotKeyPage::addRequested, this, [t] { t->LabelAddHotKeyClick(); });
    connect(hotKeyPage_, &HotKeyPage::editRequested, this, [t] { t->ListView1DblClick(); });
    connect(hotKeyPage_, &HotKeyPage::moveUpRequested, this, [t] { t->ButtonUpClick(); });
    connect(hotKeyPage_, &HotKeyPage::moveDownRequested, this, [t] { t->ButtonDownClick(); });
    // The commands that need a selected row follow the selection (Del among them).
    connect(hotKeyPage_, &HotKeyPage::selectionChanged, this, [this] { UpdateMenuState(); });
    connect(hotKeyPage_, &HotKeyPage::listMenuRequested, this, [this](const QPoint& at) {
        UpdateMenuState();
        menus_->listMenu()->popup(at);
    });
    connect(menus_->listMenu(), &QMenu::aboutToShow, this, [this] { UpdateMenuState(); });
    connect(hotKeyPage_, &HotKeyPage::fieldMenuRequested, this,
            [this](const QPoint& at) { tray_->menu()->popup(at); });
    connect(hotKeyPage_, &HotKeyPage::adviceClicked, this,
            [this] { QDesktopServices::openUrl(QUrl(q(suggestionMailLink(texts_.language)))); });
    connect(status_, &StatusStrip::activationClicked, this, [this] { PopupDeactivateExecute(); });
    connect(welcomePage_, &WelcomePage::choiceChanged, this, [this] {
        welcomeTicked_ = welcomePage_->choiceTicked();
        saveWelcomeChoice();
    });
}

void TMain::runCommand(Command id) {
    switch (id) {
        case Command::MenuOpen:
            return files_->MenuOpenExecute();
        case Command::MenuSave:
            return files_->MenuSaveExecute();
        case Command::MenuSave2:
            return files_->MenuSave2Execute();
        case Command::MenuLoadConfig:
            return files_->MenuLoadConfigExecute();
        case Command::MenuSaveConfig:
            return files_->MenuSaveConfigExecute();
        case Command::MenuClose:
        case Command::PopupClose:
            return MenuCloseExecute();
        case Command::MenuEditSelected:
            return tableActions().ListView1DblClick();
        case Command::MenuDeleteAll:
            return tableActions().MenuDeleteAllExecute();
        case Command::MenuDeleteSelected:
            return tableActions().MenuDeleteSelectedExecute();
        case Command::MenuWelcome:
            return ShowWelcome();
        case Command::MenuMyHotKeys:
            return ShowMyHotKeys();
        case Command::PopupStart:
            return tray_->PopupStartExecute();
        case Command::PopupDeactivate:
            return PopupDeactivateExecute();
        case Command::HelpKeyComb:
            return env_.prompter->showMessage(
                message("MessageKeyComb1") + "\r\n\r\n" + message("MessageKeyComb2") + "\r\n\r\n" +
                    message("MessageKeyComb3") + "\r\n\r\n" + message("MessageKeyComb4"),
                MessageType::Information);
        case Command::HelpLocation:
            return env_.prompter->showMessage(message("MessageLocation"), MessageType::Information);
        case Command::MenuSettings:
            return settingsHub_->MenuSettingsExecute();
        case Command::MenuSearchForUpdates:
            return updates_->MenuSearchForUpdatesExecute();
        case Command::MenuAbout:
            return MenuAboutExecute();
        // Parents of submenus.
        case Command::MenuSaveAs:
        case Command::MenuHelpTopics:
            return;
    }
}

HotKeyTable& TMain::table() {
    return core_->table;
}
bool TMain::active() const {
    return core_->registry.active();
}
std::string TMain::configPath() const {
    return configFilePath(env_.dataFolder);
}
std::string TMain::hotKeyPath() const {
    return hotKeyFilePath(env_.dataFolder);
}
std::string TMain::message(const std::string& key) const {
    return mainTexts_ ? mainTexts_->text(lang::kMain, key) : std::string();
}

// ---------------------------------------------------------------------------------------------
// Start-up

void TMain::finishStartUp(bool showTray) {
    if (showTray && tray_->rules().TrayIconVisible) tray_->setIconVisible(true);
    refreshCount();
    tray_->rules().startedUp();
}

ConfigContext TMain::configContext() const {
    return {env_.programFolder, env_.dataFolder, env_.permissions.mayChangeConfig(), env_.ppi,
            mainTexts_ ? mainTexts_->text(lang::kSettings, "ComboboxColorItem4") : std::string()};
}

void TMain::loadSettingsPart(const std::string& path) {
    FileResult r = settings_->load(path, configContext());
    if (!r.ok) env_.prompter->showMessage(r.error, MessageType::Error);
    // The tray icon is never hidden behind a combination that does not work.
    TrayRules& rules = tray_->rules();
    tray_->setSymbolHotKeyWorks(settings_->symbolHotKey() != 0);
    if (settings_->refusedSymbolHotKey()) rules.TrayIconVisible = true;
    tray_->setIconVisible(rules.TrayIconVisible && rules.started());
    for (uint16_t refused :
         {settings_->refusedSymbolHotKey(), settings_->refusedDeActivateHotKey()}) {
        if (refused) tellSpecialHotKeyTaken(refused);
    }
    updates_->setAutomatic(
        settings_->settings().updateTimerRuns(env_.permissions.mayChangeConfig()));
}

void TMain::saveSettingsPart(const std::string& path) {
    if (welcomePage_) welcomeTicked_ = welcomePage_->choiceTicked();
    FileResult r = settings_->save(path, languages_->language(), welcomeTicked_);
    if (!r.ok) reportSaveFailure(r.error);
}

void TMain::startHidden(int trayWaitMs) {
    tray_->rules().startHidden();
    tray_->showCaption();
    // Without a tray host (and without a working combination) the window starts minimised.
    tray_->startHiddenApplication(trayWaitMs);
}

void TMain::showAtStart() {
    tray_->rules().startShown();
    tray_->showCaption();
    show();
    // The list, not the capture field, starts with the focus: the field takes the whole
    // keyboard while it has the focus, which would keep every hot key from firing.
    if (!welcomeShown()) list()->setFocus();
}

// ---------------------------------------------------------------------------------------------
// Language and colours

void TMain::SetLanguage(const std::string& section) {
    mainTexts_ = languages_->current();
    const LanguageFile& file = *mainTexts_;
    texts_ = file.mainTexts(languages_->language());
    texts_.language = languages_->language();

    menus_->SetLanguage(file, section);
    tray_->SetLanguage(file, section);
    tray_->setActive(core_->registry.active());
    files_->SetLanguage(file, section);
    model_->setHeaders(q(file.text(section, "ListViewHeaderAction")),
                       q(file.text(section, "ListViewHeaderProperties")));
    model_->refreshAll();
    if (hotKeyPage_) translateWidgets(file, section);
}

void TMain::translateWidgets(const LanguageFile& file, const std::string& section) {
    status_->SetLanguage(file, section);
    tabs_->SetLanguage(file, section);
    hotKeyPage_->SetLanguage(file, section, texts_, core_->languages);
    welcomePage_->SetLanguage(file, section, texts_.isGerman());
}

void TMain::switchLanguage(const std::string& language) {
    languages_->setLanguage(language);
    saveSettingsPart(configPath());
    languages_->applyAll();
    if (welcomePage_) welcomePage_->placeClosingLine();
}

void TMain::ApplyMainColors() {
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colors_.background);
    pal.setColor(QPalette::WindowText, colors_.text);
    setPalette(pal);
    // Pop-up menus keep the desktop's colours.
    menus_->keepDesktopColours();
    tray_->menu()->setPalette(desktopPalette());
    if (!hotKeyPage_) return;
    topStrip_->applyColors(colors_);
    tabs_->applyColors(colors_);
    hotKeyPage_->applyColors(colors_);
    welcomePage_->applyColors(colors_);
    status_->applyColors(colors_);
    // The list and the action box keep the desktop's colours too.
    actionBox()->setPalette(desktopPalette());
    update();
}

// ---------------------------------------------------------------------------------------------
// The table

void TMain::refreshCount() {
    if (!status_) return;
    status_->setCount(core_->table.size());
    status_->setProblemRows(core_->registry.refusedRows().size());
}

void TMain::refreshRegistrations() {
    model_->refreshProblemMarks();
    refreshCount();
    // Refused by a desktop that answers later: told as at a start, and the tray icon comes back
    // when the show/hide combination was the way back to the window.
    for (uint16_t refused : settings_->takeLateRefusals()) {
        if (refused == settings_->refusedSymbolHotKey()) {
            tray_->setSymbolHotKeyWorks(false);
            tray_->rules().TrayIconVisible = true;
            tray_->setIconVisible(tray_->rules().started());
        }
        tellSpecialHotKeyTaken(refused);
    }
}

void TMain::tellSpecialHotKeyTaken(uint16_t combination) {
    notifyFailure(fillPlaceholder(message("MessageSpecialHotKeyTaken"), "%s",
                                  specialCombinationDisplay(combination, *env_.keyNames)));
}

QString TMain::registrationProblem(size_t row) const {
    return q(rowProblemText(*core_, row, texts_,
                            [this](std::string_view key) { return message(std::string(key)); }));
}

// ---------------------------------------------------------------------------------------------
// Activation, tray, pages

void TMain::applyActivePresentation() {
    const bool on = core_->registry.active();
    tray_->setActive(on);
    if (status_) status_->setActive(on);
}

void TMain::PopupDeactivateExecute() {
    if (!env_.permissions.mayChangeConfig()) {
        env_.prompter->showMessage(message("MessageAdminError"), MessageType::Error);
        return;
    }
    switchHotKeys(!core_->registry.active());
}

void TMain::switchHotKeys(bool on) {
    const bool wasOn = core_->registry.active();
    core_->registry.switchActive(on);
    applyActivePresentation();
    const size_t refused = core_->registry.refusedRows().size();
    if (!on || wasOn || refused == 0) return;
    const std::string text =
        fillPlaceholder(message("MessageRefusedRows"), "%d", std::to_string(refused));
    if (!tray_->notify(q(text))) env_.prompter->showMessage(text, MessageType::Information);
}

void TMain::toggleMainWindow() {
    tray_->toggle();
}

void TMain::InstanceCreated() {
    tray_->InstanceCreated();
}

WindowId TMain::hideMainWindowForCloseAll() {
    const WindowId id = winId();
    tray_->hideApplication();
    if (tray_->rules().TrayIconVisible) tray_->setIconVisible(true);
    return id;
}

void TMain::runEditorEffect(ActionKind kind, const HotKeyEntry& row) {
    if (kind == ActionKind::SearchInternet) {
        editors_->showSearchWindow(row.PropertiesText);
        return;
    }
    // Stored texts and date formats (also from files of the Windows version) are inserted.
    if (!env_.desktop.clipboard) return;
    const bool keep = settings_->settings().saveClipboard;
    if (kind == ActionKind::InsertText) {
        runInsertText(row, texts_, *env_.desktop.clipboard, keep);
    } else if (kind == ActionKind::InsertDateTime) {
        runInsertDateTime(row, texts_, *env_.desktop.clipboard, keep, std::time(nullptr));
    }
}

void TMain::actionFailed(const std::string& reason) {
    notifyFailure(message(std::string(lang::kMessageActionFailed)) + " " + reason);
}

void TMain::askHiddenWindowsBack(size_t count, std::function<void()> yes) {
    env_.prompter->confirmThen(true,
                               fillPlaceholder(message(std::string(lang::kMessageHiddenWindows)),
                                               "%d", std::to_string(count)),
                               std::move(yes));
}

void TMain::notifyFailure(const std::string& text) {
    const bool inTray = tray_->notify(q(text));
    std::fprintf(stderr, "vorbix: told %s: %s\n", inTray ? "in the tray" : "in a message box",
                 text.c_str());
    if (!inTray) env_.prompter->showMessage(text, MessageType::Error);
}

void TMain::WMHotKey(int32_t id) {
    core_->dispatcher.WMHotKey(id);
}

void TMain::ShowWelcome() {
    welcomeOnTop_ = true;
    menus_->setWelcomeShown(true);
    if (!hotKeyPage_) return;
    tabs_->showWelcome();
    hotKeyPage_->hide();
    welcomePage_->show();
}

void TMain::ShowMyHotKeys() {
    welcomeOnTop_ = false;
    menus_->setWelcomeShown(false);
    if (!hotKeyPage_) return;
    tabs_->showMyHotKeys();
    hotKeyPage_->show();
    hotKeyPage_->setImprovementVisible(improvementVisible_);
    welcomePage_->hide();
}

void TMain::MenuAboutExecute() {
    if (!about_) {
        about_ = std::make_unique<TAbout>(
            this, *languages_, *art_, env_.ppi, [this](const std::string& url) {
                if (env_.desktop.launcher)
                    env_.desktop.launcher->openLocation(url, WindowMode::Normal);
            });
        about_->FormCreate();
        languages_->add(lang::kAbout, about_.get());
    }
    about_->FormShow();
}

void TMain::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    layout_.relayout(this, size());
    if (welcomePage_) welcomePage_->placeClosingLine();
}

void TMain::showEvent(QShowEvent* e) {
    QWidget::showEvent(e);
    // Each time the window is shown the action box starts at its first entry.
    hotKeyPage_->resetActionBox();
    core_->registry.retryRefusedRows();
}

void TMain::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::WindowStateChange && tray_->rules().HideByMinimize && isMinimized()) {
        tray_->hideApplication();
    }
}

}  // namespace vorbix
