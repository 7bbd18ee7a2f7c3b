// TMain's configuration: reading the window's part of Config.ini (language, columns, place,
// tray, welcome page, activation, colours) and writing it back, and the file menu's commands for
// the configuration.
#include <QApplication>
#include <QTreeView>

#include "components/DesignStyle.h"
#include "components/WindowGeometry.h"
#include "shell/common/ShellCore.h"
#include "shell/mainwindow/FileCommands.h"
#include "shell/mainwindow/HotKeyPage.h"
#include "shell/mainwindow/LanguageApplier.h"
#include "shell/mainwindow/MainWindow.h"
#include "shell/mainwindow/WelcomePage.h"
#include "shell/settings/ProgramSettings.h"
#include "shell/tray/TrayController.h"

namespace vorbix {

void TMain::LoadMainConfig(const std::string& path) {
    MainConfig cfg = MainConfig::defaults(env_.ppi);
    FileResult r = vorbix::LoadMainConfig(path, configContext(), cfg);
    if (!r.ok) env_.prompter->showMessage(r.error, MessageType::Error);
    languages_->setLanguage(cfg.english() ? kEnglish : kGerman);
    texts_.language = languages_->language();
    for (int i = 0; i < 3; ++i) {
        const int w = cfg.columnWidths[i];
        columnWidths_[size_t(i)] = w;
        if (!hotKeyPage_) continue;
        if (w >= 0)
            list()->setColumnWidth(i, w);
        else
            list()->resizeColumnToContents(i);
    }
    restorePlacement(*this, cfg.window);
    setImprovementVisible(cfg.improvementVisible);
    TrayRules& rules = tray_->rules();
    rules.TrayIconVisible = cfg.trayIconVisible;
    tray_->setIconVisible(rules.TrayIconVisible && rules.started());
    welcomeTicked_ = cfg.welcomeCheckBoxTicked;
    welcomeEnabled_ = cfg.welcomeCheckBoxEnabled;
    if (welcomePage_) welcomePage_->setChoiceTicked(cfg.welcomeCheckBoxTicked);
    if (cfg.welcomeCheckBoxTicked)
        ShowMyHotKeys();
    else
        ShowWelcome();
    if (welcomePage_) welcomePage_->setChoiceEnabled(cfg.welcomeCheckBoxEnabled);
    rules.HideByMinimize = cfg.hideByMinimize;
    if (welcomePage_) welcomePage_->placeClosingLine();
    core_->registry.setActive(cfg.active);
    setMainColors(cfg.colors);
}

void TMain::setImprovementVisible(bool visible) {
    improvementVisible_ = visible;
    if (hotKeyPage_) hotKeyPage_->setImprovementVisible(visible);
}

void TMain::setMainColors(const std::array<ColorValue, 4>& c) {
    const QPalette desktop = QApplication::palette();
    colors_ = {toQColor(c[0], desktop), toQColor(c[1], desktop), toQColor(c[2], desktop),
               toQColor(c[3], desktop)};
    ApplyMainColors();
}

void TMain::setWelcomeChoice(bool ticked) {
    welcomeTicked_ = ticked;
    if (!welcomePage_) return;
    welcomePage_->setChoiceTicked(ticked);
    welcomePage_->placeClosingLine();
}

void TMain::SaveMainConfig(const std::string& path) {
    if (FileResult r = writeMainConfig(path); !r) reportSaveFailure(r.error);
}

FileResult TMain::writeMainConfig(const std::string& path) {
    MainConfig cfg = MainConfig::defaults(env_.ppi);
    cfg.language = languages_->language();
    for (int i = 0; i < 3; ++i)
        cfg.columnWidths[i] = hotKeyPage_ ? list()->columnWidth(i) : columnWidths_[size_t(i)];
    cfg.window = currentPlacement(*this);
    cfg.active = core_->registry.active();
    cfg.welcomeCheckBoxTicked = welcomePage_ ? welcomePage_->choiceTicked() : welcomeTicked_;
    return vorbix::SaveMainConfig(path, configContext(), cfg);
}

void TMain::saveWelcomeChoice() {
    saveSettingsPart(configPath());
}

void TMain::MenuSaveConfigExecute() {
    files_->MenuSaveConfigExecute();
}

void TMain::MenuLoadConfigExecute() {
    files_->MenuLoadConfigExecute();
}

void TMain::MenuSave2Execute() {
    files_->MenuSave2Execute();
}

}  // namespace vorbix
