#include "platform/fake/FakeDesktop.h"

#include <thread>
#include <utility>

namespace vorbix::fake {

namespace {

std::string modeWord(WindowMode mode) {
    switch (mode) {
        case WindowMode::Normal:
            return "Normal";
        case WindowMode::Maximized:
            return "Maximized";
        case WindowMode::Minimized:
            return "Minimized";
    }
    return "";
}

std::string joined(const std::vector<std::string>& words) {
    std::string out;
    for (const std::string& w : words) out += (out.empty() ? "" : ",") + w;
    return out;
}

}  // namespace

HotKeyResult FakeHotKeyBackend::registerHotKey(int32_t id, const TWinHotKey& c) {
    log_.push_back("register " + std::to_string(id) + " " + std::to_string(c.Modifiers) + "+" +
                   std::to_string(c.Key));
    if (!answerLater) return decide(id, c);
    waiting.emplace_back(id, decide(id, c));
    return HotKeyResult::later();
}

void FakeHotKeyBackend::answerNow() {
    const auto answers = std::move(waiting);
    waiting.clear();
    for (const auto& [id, result] : answers) report(id, result);
}

HotKeyResult FakeHotKeyBackend::decide(int32_t id, const TWinHotKey& c) {
    if (c.Key == 0) return HotKeyResult::refused(HotKeyRefusal::NoKey);
    if (refused.count({c.Key, c.Modifiers}))
        return HotKeyResult::refused(HotKeyRefusal::HeldByOther,
                                     kLocksOff | kCapsLockOn | kNumLockOn | kCapsAndNumLockOn);
    for (const auto& [other, combination] : registered) {
        if (other != id && combination == c) return HotKeyResult::refused(HotKeyRefusal::Duplicate);
    }
    registered[id] = c;
    return HotKeyResult::accepted();
}

void FakeHotKeyBackend::unregisterHotKey(int32_t id) {
    log_.push_back("unregister " + std::to_string(id));
    registered.erase(id);
}

void FakeKeyboard::keyDown(uint8_t vk) {
    log_.push_back("down " + std::to_string(vk));
}
void FakeKeyboard::keyUp(uint8_t vk) {
    log_.push_back("up " + std::to_string(vk));
}
void FakeKeyboard::releaseModifiers() {
    log_.push_back("release");
}

LaunchResult FakeLauncher::result() {
    if (!failWith.empty()) return LaunchResult::failure(failWith);
    return failure.value_or(LaunchResult::success());
}
LaunchResult FakeLauncher::startProgram(const std::string& program, const std::string& parameters,
                                        WindowMode mode) {
    log_.push_back("start " + program + " [" + parameters + "] " + modeWord(mode));
    return result();
}
LaunchResult FakeLauncher::openLocation(const std::string& location, WindowMode mode) {
    log_.push_back("open " + location + " " + modeWord(mode));
    return result();
}
LaunchResult FakeLauncher::openTerminal() {
    log_.push_back("terminal");
    return result();
}
LaunchResult FakeLauncher::openWebBrowser() {
    log_.push_back("browser");
    return result();
}
LaunchResult FakeLauncher::openMailProgram() {
    log_.push_back("mail");
    return result();
}
LaunchResult FakeLauncher::openSettings(SettingsPanel panel) {
    log_.push_back("settings " + std::to_string(static_cast<int>(panel)));
    return result();
}
void FakeLauncher::failLater(const LaunchResult& failed) {
    std::thread([this, failed] {
        if (lateFailure_) lateFailure_(failed);
    }).join();
}
bool FakeLauncher::canFind(const std::string& path, bool folder) const {
    return (folder ? folders : programs).count(path) > 0;
}

void FakeWindows::minimizeAll() {
    log_.push_back("minimize all");
}
std::vector<WindowId> FakeWindows::stackingOrder() {
    log_.push_back("stacking");
    return stacking;
}
void FakeWindows::closeWindowsBelow(WindowId window, const std::vector<WindowId>& order) {
    std::string line = "close below " + std::to_string(window) + " of";
    for (WindowId w : order) line += " " + std::to_string(w);
    log_.push_back(line);
}
bool FakeWindows::closeActiveWindow() {
    if (!windowManager) return false;
    log_.push_back("close active");
    return true;
}
int FakeWindows::hideWindows(const std::vector<std::string>& keywords) {
    log_.push_back("hide " + joined(keywords));
    return 0;
}
int FakeWindows::showWindows(const std::vector<std::string>& keywords) {
    log_.push_back("show " + joined(keywords));
    return 0;
}
void FakeWindows::forceForeground(WindowId window) {
    log_.push_back("foreground " + std::to_string(window));
}

bool FakeSession::exitSession(SessionAction action) {
    log_.push_back("session " + std::to_string(static_cast<int>(action)));
    return false;
}

std::vector<std::string> FakeDrives::opticalDrives() {
    std::vector<std::string> out;
    for (char c : drives) out.push_back(std::string(1, c) + ":\\");
    return out;
}
TrayState FakeDrives::trayState(char letter) {
    if (!drives.count(letter)) return TrayState::Unknown;
    const auto it = trays.find(letter);
    return it == trays.end() ? TrayState::Closed : it->second;
}
bool FakeDrives::setDoor(char letter, bool open) {
    if (!drives.count(letter)) return false;
    log_.push_back(std::string("door ") + letter + (open ? " open" : " closed"));
    // A drive that cannot tell where its tray is goes on not telling.
    if (trayState(letter) != TrayState::Unknown) {
        trays[letter] = open ? TrayState::Open : TrayState::Closed;
    }
    return true;
}

void FakeClipboard::insert(const ClipboardContent& content, bool tabAfter, bool keepClipboard) {
    log_.push_back("insert " + content.plain + (tabAfter ? " +tab" : "") +
                   (keepClipboard ? " keep" : ""));
}

void FakeMedia::send(MediaCommand command) {
    log_.push_back("media " + std::to_string(static_cast<int>(command)));
}

void FakePrompter::showMessage(const std::string& text, MessageType type) {
    log_.push_back((type == MessageType::Error ? "error: " : "info: ") + text);
}
void FakePrompter::ask(const std::string& question, Answer reply) {
    log_.push_back("ask: " + question);
    if (holdAnswers) {
        held_.push_back(std::move(reply));
    } else if (reply) {
        reply(answer);
    }
}

bool FakePrompter::answerHeld(bool yes) {
    if (held_.empty()) return false;
    Answer reply = std::move(held_.front());
    held_.pop_front();
    if (reply) reply(yes);
    return true;
}

Log FakePlatform::take() {
    return std::exchange(log, {});
}

Log FakePlatform::takeMessages() {
    Log told;
    for (std::string& line : take())
        if (line.rfind("info: ", 0) == 0 || line.rfind("error: ", 0) == 0)
            told.push_back(std::move(line));
    return told;
}

}  // namespace vorbix::fake
