// Recording doubles of the desktop ports, for unit tests of the core. Every call is appended to
// one shared log as a short line ("down 17", "start /bin/x -a Normal"), so tests can check
// both what happened and in which order.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "core/Ports.h"
#include "platform/fake/FakeAudioVolume.h"

namespace vorbix::fake {

using Log = std::vector<std::string>;

class FakeHotKeyBackend : public HotKeyBackend {
public:
    explicit FakeHotKeyBackend(Log& log) : log_(log) {}
    HotKeyResult registerHotKey(int32_t id, const TWinHotKey& combination) override;
    void unregisterHotKey(int32_t id) override;
    // Combinations "held by another program": registering them fails in every lock state.
    std::set<std::pair<uint16_t, uint32_t>> refused;
    std::map<int32_t, TWinHotKey> registered;

    // Like a desktop portal: every registration answers "later", and the answers wait in
    // `waiting` until answerNow() reports them, in the order asked.
    bool answerLater = false;
    std::vector<std::pair<int32_t, HotKeyResult>> waiting;
    void answerNow();
    // A change the desktop makes on its own afterwards (the user's settings), reported at once.
    void reportChange(int32_t id, const HotKeyResult& result) { report(id, result); }

private:
    HotKeyResult decide(int32_t id, const TWinHotKey& combination);
    Log& log_;
};

class FakeKeyboard : public KeyboardOutput {
public:
    explicit FakeKeyboard(Log& log) : log_(log) {}
    void keyDown(uint8_t vk) override;
    void keyUp(uint8_t vk) override;
    void releaseModifiers() override;

private:
    Log& log_;
};

class FakeLauncher : public Launcher {
public:
    explicit FakeLauncher(Log& log) : log_(log) {}
    LaunchResult startProgram(const std::string& program, const std::string& parameters,
                              WindowMode mode) override;
    LaunchResult openLocation(const std::string& location, WindowMode mode) override;
    LaunchResult openTerminal() override;
    LaunchResult openWebBrowser() override;
    LaunchResult openMailProgram() override;
    LaunchResult openSettings(SettingsPanel panel) override;
    // True for the paths in `programs` (folder false) or `folders` (folder true); not logged.
    bool canFind(const std::string& path, bool folder) const override;
    void setLateFailureHandler(LateFailureHandler handler) override {
        lateFailure_ = std::move(handler);
    }
    // What a started opener that ends with an error reports, from a thread of its own as the
    // real launcher does; waits until the report was handed over.
    void failLater(const LaunchResult& failed);
    // When set, every call fails with this reason.
    std::string failWith;
    // When set (and failWith is empty), every call fails with this result.
    std::optional<LaunchResult> failure;
    std::set<std::string> programs, folders;

private:
    LaunchResult result();
    Log& log_;
    LateFailureHandler lateFailure_;
};

class FakeWindows : public WindowControl {
public:
    explicit FakeWindows(Log& log) : log_(log) {}
    void minimizeAll() override;
    std::vector<WindowId> stackingOrder() override;
    void closeWindowsBelow(WindowId window, const std::vector<WindowId>& stacking) override;
    bool closeActiveWindow() override;
    int hideWindows(const std::vector<std::string>& keywords) override;
    int showWindows(const std::vector<std::string>& keywords) override;
    void forceForeground(WindowId window) override;
    // Whether a window manager takes close requests.
    bool windowManager = true;
    // What stackingOrder() answers, bottom to top.
    std::vector<WindowId> stacking;

private:
    Log& log_;
};

class FakeSession : public SessionControl {
public:
    explicit FakeSession(Log& log) : log_(log) {}
    bool exitSession(SessionAction action) override;

private:
    Log& log_;
};

class FakeDrives : public DriveControl {
public:
    explicit FakeDrives(Log& log) : log_(log) {}
    std::vector<std::string> opticalDrives() override;
    TrayState trayState(char letter) override;
    // Logs the move and keeps the tray where it went.
    bool setDoor(char letter, bool open) override;
    std::set<char> drives;            // letters that exist
    std::map<char, TrayState> trays;  // where each tray is; Closed when not listed

private:
    Log& log_;
};

class FakeClipboard : public ClipboardInserter {
public:
    explicit FakeClipboard(Log& log) : log_(log) {}
    void insert(const ClipboardContent& content, bool tabAfter, bool keepClipboard) override;

private:
    Log& log_;
};

class FakeMedia : public MediaControl {
public:
    explicit FakeMedia(Log& log) : log_(log) {}
    void send(MediaCommand command) override;

private:
    Log& log_;
};

class FakePrompter : public Prompter {
public:
    explicit FakePrompter(Log& log) : log_(log) {}
    void showMessage(const std::string& text, MessageType type) override;
    // Logs the question and answers it at once with `answer`, or holds it (holdAnswers)
    // until answerHeld().
    void ask(const std::string& question, Answer answer) override;
    bool answer = true;  // the answer to every question
    bool holdAnswers = false;
    // Answers the oldest held question; false when none is held.
    bool answerHeld(bool yes);
    size_t heldQuestions() const { return held_.size(); }

private:
    Log& log_;
    std::deque<Answer> held_;
};

// All doubles together, with a Desktop bundle pointing at them.
struct FakePlatform {
    Log log;
    FakeHotKeyBackend hotKeys{log};
    FakeKeyboard keys{log};
    FakeLauncher launcher{log};
    FakeWindows windows{log};
    FakeSession session{log};
    FakeDrives drives{log};
    FakeClipboard clipboard{log};
    FakeMedia media{log};
    FakePrompter prompter{log};
    FakeAudioVolume audio{log};
    Desktop desktop() {
        return {&keys, &launcher, &windows, &session, &drives, &clipboard, &media, &audio};
    }
    // The log since the last call.
    Log take();
    // What the user was told (the prompter's "info: " and "error: " lines) since the last call;
    // the rest of the log is dropped.
    Log takeMessages();
};

}  // namespace vorbix::fake
