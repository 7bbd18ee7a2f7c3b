// The interfaces through which the core reaches the desktop. platform/x11 and platform/linux
// implement them for a Linux desktop, platform/fake records the calls for unit tests.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/KeyNotation.h"

namespace vorbix {

// Why the system refused to register a combination.
enum class HotKeyRefusal {
    None,         // registered
    NoKey,        // key 0 (a text that does not parse), or a key the keyboard lacks
    Duplicate,    // this program already holds the same combination
    HeldByOther,  // another program (the desktop, the window manager) holds it
    NoService,    // no hot key service to register with (no display)
};

// The lock-key states a combination is registered in, one bit each; it works in every state
// only when all of them were granted.
enum LockState : uint8_t {
    kLocksOff = 1,
    kCapsLockOn = 2,
    kNumLockOn = 4,
    kCapsAndNumLockOn = 8,
};

// The system's answer to one registration.
struct HotKeyResult {
    HotKeyRefusal refusal = HotKeyRefusal::None;
    // For HeldByOther: the lock states (LockState bits) in which another program holds it.
    uint8_t refusedLocks = 0;
    // The back end answers later, through its report handler: neither bound nor refused yet.
    bool pending = false;
    // Bound, but the desktop chose another trigger than the one asked for; its own text of that
    // trigger ("Meta+Shift+Z"). Empty when bound as asked.
    std::string otherTrigger;

    // Not refused: bound, or still waiting for the answer.
    bool ok() const { return refusal == HotKeyRefusal::None; }
    static HotKeyResult accepted() { return {}; }
    static HotKeyResult refused(HotKeyRefusal why, uint8_t locks = 0) {
        HotKeyResult result;
        result.refusal = why;
        result.refusedLocks = locks;
        return result;
    }
    static HotKeyResult later() {
        HotKeyResult result;
        result.pending = true;
        return result;
    }
    static HotKeyResult boundTo(std::string trigger) {
        HotKeyResult result;
        result.otherTrigger = std::move(trigger);
        return result;
    }
    bool operator==(const HotKeyResult&) const = default;
};

// A short English account of a result for diagnostics ("held by another program with
// CapsLock on"); the user reads the language file's texts instead.
std::string describeHotKeyResult(const HotKeyResult& result);

// System-wide hot keys. A registered combination arrives as its identifier (10000, 20000 or
// 30000 + row) at the handler the shell installs on the concrete backend.
//
// A back end answers a registration at once (X11 grabs), or says "later" (a desktop portal that
// asks the compositor, and maybe the user) and reports the answer through the report handler
// when it comes. It reports again whenever the desktop changes a binding afterwards.
class HotKeyBackend {
public:
    struct Request {
        int32_t id;
        TWinHotKey combination;
    };
    using ReportHandler = std::function<void(int32_t id, const HotKeyResult& result)>;

    virtual ~HotKeyBackend() = default;
    // Registers the combination in every lock state, or not at all, and says why not; or
    // answers HotKeyResult::later() and reports the outcome through the report handler.
    virtual HotKeyResult registerHotKey(int32_t id, const TWinHotKey& combination) = 0;
    // Registers several with the results registerHotKey would give one after the other, in
    // the same order; a back end may send them all before it waits for any answer.
    virtual std::vector<HotKeyResult> registerHotKeys(const std::vector<Request>& requests) {
        std::vector<HotKeyResult> results;
        results.reserve(requests.size());
        for (const Request& r : requests) results.push_back(registerHotKey(r.id, r.combination));
        return results;
    }
    // Harmless for an identifier that is not registered.
    virtual void unregisterHotKey(int32_t id) = 0;

    // Where answers that come later go; one receiver at a time (null: none).
    void setReportHandler(ReportHandler handler) { report_ = std::move(handler); }

protected:
    void report(int32_t id, const HotKeyResult& result) const {
        if (report_) report_(id, result);
    }

private:
    ReportHandler report_;
};

// Synthetic key strokes in virtual-key codes.
class KeyboardOutput {
public:
    virtual ~KeyboardOutput() = default;
    virtual void keyDown(uint8_t virtualKey) = 0;
    virtual void keyUp(uint8_t virtualKey) = 0;
    // Lifts Alt, Shift, Ctrl and the left Windows key (and, on X11, ends the passive grab of
    // the hot key still held), so the strokes that follow arrive on their own.
    virtual void releaseModifiers() = 0;
};

enum class WindowMode { Normal, Maximized, Minimized };

// The result of starting something; `error` is a short reason for the user when !ok.
// Why something could not be started, for a message in the user's language.
enum class LaunchError {
    None,
    NotSet,       // no program, folder or address given
    NotFound,     // the program, file or folder does not exist (`subject`)
    NoProgram,    // no program for the task is installed (terminal, browser, xdg-open, ...)
    StartFailed,  // the system refused to start `subject`
    OpenFailed,   // the program that opens `subject` (a folder, an address) ended with an error
};

// The result of starting something; when !ok, `error` is a short reason in English and `kind`
// and `subject` let the program say it in the user's language.
struct LaunchResult {
    bool ok = true;
    std::string error;
    LaunchError kind = LaunchError::None;
    std::string subject;
    static LaunchResult success() { return {}; }
    static LaunchResult failure(std::string why, LaunchError kind = LaunchError::StartFailed,
                                std::string subject = {}) {
        return {false, std::move(why), kind, std::move(subject)};
    }
};

enum class SettingsPanel { ControlPanel, Display, DateTime, Region, Sound, Software, System };

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts a program with a parameter string (split into words like a shell does, never run
    // by one) in the program's folder, and applies the window mode to its first window.
    virtual LaunchResult startProgram(const std::string& program, const std::string& parameters,
                                      WindowMode mode) = 0;
    // Opens a folder in the file manager, or a web address or mailto: link in its program.
    virtual LaunchResult openLocation(const std::string& location, WindowMode mode) = 0;
    virtual LaunchResult openTerminal() = 0;
    virtual LaunchResult openWebBrowser() = 0;
    virtual LaunchResult openMailProgram() = 0;
    virtual LaunchResult openSettings(SettingsPanel panel) = 0;
    // Whether startProgram (folder false) or openLocation (folder true) would find what `path`
    // names, resolved exactly as they resolve it ("~", a bare name in PATH, a relative path
    // from the folder they count it from), without starting anything.
    virtual bool canFind(const std::string& path, bool folder) const = 0;

    // Failures that show only after a call returned success: the opener or settings program it
    // started ended at once with an error. The handler is called on any thread, at most once
    // per call; an empty handler drops them. A launcher without such failures ignores it.
    using LateFailureHandler = std::function<void(const LaunchResult&)>;
    virtual void setLateFailureHandler(LateFailureHandler handler) { (void)handler; }
};

// Native window identifier (an X11 window id).
using WindowId = uint64_t;

class WindowControl {
public:
    virtual ~WindowControl() = default;
    virtual void minimizeAll() = 0;
    // The client windows in stacking order, bottom to top.
    virtual std::vector<WindowId> stackingOrder() = 0;
    // Closes every window of `stacking` (read earlier by stackingOrder()) that lies below
    // `window` and still exists. The order is read before `window` is hidden: a window manager
    // drops a hidden window from the order at once.
    virtual void closeWindowsBelow(WindowId window, const std::vector<WindowId>& stacking) = 0;
    // Asks the window manager to close the active window (as its own close button would).
    // False when no window manager takes such requests; then nothing was done.
    virtual bool closeActiveWindow() = 0;
    // Hides the client windows whose title contains one of the keywords (letter case ignored),
    // never the program's own; returns how many were hidden.
    virtual int hideWindows(const std::vector<std::string>& keywords) = 0;
    // Shows the hidden windows whose title contains one of the keywords again.
    virtual int showWindows(const std::vector<std::string>& keywords) = 0;
    virtual void forceForeground(WindowId window) = 0;
};

// Gives the first window that a started program maps the window mode asked for (best effort,
// found by the program's process id within a bounded time, without blocking the caller).
class WindowModeControl {
public:
    virtual ~WindowModeControl() = default;
    virtual void applyWindowModeWhenMapped(int64_t processId, WindowMode mode) = 0;
};

enum class SessionAction { LogOff = 0, ShutDown = 1, Restart = 2, Suspend = 32, Lock = 64 };

class SessionControl {
public:
    virtual ~SessionControl() = default;
    // True when the request was accepted.
    virtual bool exitSession(SessionAction action) = 0;
};

// Where a drive's tray is, as the drive reports it; Unknown when it cannot tell (or is absent).
enum class TrayState { Open, Closed, Unknown };

// The optical drives; a letter names a device by number (D: the first, see core/DriveDoors.h).
// The tray calls may take seconds: the dispatcher makes them away from the interface thread.
class DriveControl {
public:
    virtual ~DriveControl() = default;
    // The optical drives present, as "D:\", "E:\", ... in ascending letters.
    virtual std::vector<std::string> opticalDrives() = 0;
    virtual TrayState trayState(char letter) = 0;
    // Opens or closes the tray; false when there is no such drive or it refused.
    virtual bool setDoor(char letter, bool open) = 0;
};

struct ClipboardContent {
    std::string plain;
    std::string html;  // empty when the text has no formatting
    std::string rtf;   // empty when the text has no formatting
};

class ClipboardInserter {
public:
    virtual ~ClipboardInserter() = default;
    // Puts the content on the clipboard, pastes it into the focused window (Ctrl+V, or the
    // paste stroke of a terminal), then optionally presses Tab; afterwards restores the previous
    // clipboard (keepClipboard) or clears it.
    virtual void insert(const ClipboardContent& content, bool tabAfter, bool keepClipboard) = 0;
};

enum class MediaCommand { PlayPause, Stop, Next, Previous };

class MediaControl {
public:
    virtual ~MediaControl() = default;
    // Returns at once; the player is reached without the caller waiting for it.
    virtual void send(MediaCommand command) = 0;
};

// Runs jobs one after another away from the interface thread, for calls that may take seconds.
class BackgroundJobs {
public:
    virtual ~BackgroundJobs() = default;
    virtual void post(std::function<void()> job) = 0;
};

class TAudioVolume;  // core/AudioVolume.h

// Every desktop service the actions use, as one bundle of non-owning pointers.
struct Desktop {
    KeyboardOutput* keys = nullptr;
    Launcher* launcher = nullptr;
    WindowControl* windows = nullptr;
    SessionControl* session = nullptr;
    DriveControl* drives = nullptr;
    ClipboardInserter* clipboard = nullptr;
    MediaControl* media = nullptr;
    TAudioVolume* audio = nullptr;
    // Null: slow calls run at once, on the caller's thread.
    BackgroundJobs* background = nullptr;
};

enum class MessageType { Information = 0, Error = 1 };

// Message boxes and questions of the program (caption "Vorbix"). Neither waits for the user:
// both return at once, so the program goes on answering hot keys, the tray and the end of the
// session while a box is open.
class Prompter {
public:
    // Called once with the user's answer: true for Yes, false for No or a box closed otherwise.
    // Never called when the box goes away unanswered because the program ends.
    using Answer = std::function<void(bool yes)>;

    virtual ~Prompter() = default;
    virtual void showMessage(const std::string& text, MessageType type) = 0;
    // Asks a yes/no question. `answer` runs after this returns (a double may run it at once),
    // so state it uses must be checked again there.
    virtual void ask(const std::string& question, Answer answer) = 0;
    // Runs `next` at once when `needed` is false, else after a Yes to `question`.
    void confirmThen(bool needed, const std::string& question, std::function<void()> next) {
        if (!needed) return next();
        ask(question, [next = std::move(next)](bool yes) {
            if (yes) next();
        });
    }
};

}  // namespace vorbix
