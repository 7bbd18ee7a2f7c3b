// TMain's end: closing to the tray or ending the program, the session's end and the session
// manager's request to save, and how a save that fails is said.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QTimer>

#include "shell/common/ShellCore.h"
#include "shell/mainwindow/AboutBox.h"
#include "shell/mainwindow/EditorHub.h"
#include "shell/mainwindow/MainWindow.h"
#include "shell/mainwindow/QtPrompter.h"
#include "shell/mainwindow/SettingsHub.h"
#include "shell/tray/TrayController.h"
#include "storage/ConfigFile.h"
#include "storage/HotKeyFile.h"

namespace vorbix {

namespace {

// How long a tray notification of the end stays readable before the program ends.
constexpr int kExitNoticeMs = 5000;
// A message box at the end closes by itself after this long, so the end is never held up.
constexpr int kExitMessageMs = 20000;

}  // namespace

std::string TMain::saveState() {
    std::string failures;
    for (const FileResult& r :
         {writeMainConfig(configPath()),
          SaveHotKeys(hotKeyPath(), core_->table, texts_, core_->defaultDeviceId,
                      {.languages = &core_->languages})}) {
        if (!r.ok) failures += (failures.empty() ? "" : "\r\n") + r.error;
    }
    return failures;
}

void TMain::reportSaveFailure(const std::string& reason) {
    const std::string text = message("MessageSaveFailed") + "\r\n\r\n" + reason;
    if ((isVisible() && !isMinimized()) || !tray_->notify(QString::fromStdString(text))) {
        env_.prompter->showMessage(text, MessageType::Error);
    }
}

void TMain::MenuCloseExecute() {
    tray_->rules().requestExit();
    close();
}

void TMain::sessionEnding() {
    if (closedForGood_) {
        // Already on the way out, with a failed save on screen: the end does not wait for it.
        tray_->setIconVisible(false);
        QCoreApplication::quit();
        return;
    }
    editors_->closeAll();
    tray_->rules().sessionEnds();
    close();
}

void TMain::commitData() {
    if (const std::string failed = saveState(); !failed.empty()) reportSaveFailure(failed);
}

void TMain::closeEvent(QCloseEvent* e) {
    const bool windowWasUp = isVisible() && !isMinimized();
    const std::string failed = saveState();
    const TrayRules::CloseDecision decision = tray_->rules().closeQuery();
    if (decision.hideWindow) {
        tray_->showCaption();
        // A window that is closing for good is not hidden first: on a desktop without a tray
        // host, hiding would stop the exit at the notice that the window cannot come back.
        if (!decision.allow) tray_->hideApplication();
    }
    if (!decision.allow) {
        e->ignore();
        if (!failed.empty()) reportSaveFailure(failed);
        // Minimised for want of a tray (still visible), the window has told its own notice.
        if (!decision.noticeDue || isVisible()) return;
        auto file = ConfigFile::open(configPath());
        if (file && file->read(config::kSymbolNotice) == config::kFlagOff) {
            file->write(config::kSymbolNotice, config::kFlagOn);
            file->save();
            env_.prompter->showMessage(message("MessageSymbolClose1") + "\r\n\r\n" +
                                           message("MessageSymbolClose2") + "\r\n\r\n" +
                                           message("MessageSymbolClose3"),
                                       MessageType::Information);
        }
        return;
    }
    // Closing: an open editor or dialog writes nothing, then the program ends.
    editors_->closeAll();
    settingsHub_->closeWithoutApplying();
    if (about_) about_->close();
    e->accept();
    closedForGood_ = true;
    finishExit(failed, windowWasUp);
}

void TMain::finishExit(const std::string& failure, bool windowWasUp) {
    auto end = [this] {
        tray_->setIconVisible(false);
        QCoreApplication::quit();
    };
    if (failure.empty()) return end();
    const std::string text = message("MessageSaveFailed") + "\r\n\r\n" + failure;
    if (tray_->rules().SessionEnding) {
        // The session does not wait for anybody to read a message: said on standard error too,
        // and the program ends at once.
        qWarning("%s", text.c_str());
        env_.prompter->showMessage(text, MessageType::Error);
        return end();
    }
    if (!windowWasUp && tray_->notify(QString::fromStdString(text))) {
        // The notification stays readable for a moment before the program ends.
        QTimer::singleShot(kExitNoticeMs, this, end);
        return;
    }
    if (ownPrompter_) {
        // The program ends when the box closes, by OK or by itself.
        ownPrompter_->showMessageFor(text, MessageType::Error, kExitMessageMs, end);
        return;
    }
    env_.prompter->showMessage(text, MessageType::Error);
    end();
}

}  // namespace vorbix
