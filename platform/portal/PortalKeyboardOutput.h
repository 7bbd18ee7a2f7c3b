// Synthetic key strokes in a Wayland session, through the desktop's RemoteDesktop portal (a
// session with a keyboard device; one NotifyKeyboardKeysym call per key event). The strokes reach
// the focused window, Wayland-native or XWayland, as a keyboard's would.
//
// Strokes are queued and sent in order, each once the desktop has answered the one before, as
// soon as the session has started; a stroke asked for before that waits for it.
// releaseModifiers() does not lift keys: the portal cannot end a press of the physical keyboard,
// so the strokes after it wait until the hot key's combination has been let go (the hot key back
// end says so), at most kReleaseBoundMs.
#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "core/Ports.h"

namespace vorbix::portal {

// Where the key events go: the RemoteDesktop session, or a recorder in tests.
class KeySink {
public:
    virtual ~KeySink() = default;
    // Starts the session and calls `ready` once, with whether keys can be sent.
    virtual void open(std::function<void(bool ok)> ready) = 0;
    // Sends one key event; `sent` runs once the desktop has taken it.
    virtual void send(uint32_t keysym, bool pressed, std::function<void()> sent) = 0;
};

class PortalKeyboardOutput : public QObject, public KeyboardOutput {
    Q_OBJECT
public:
    static constexpr int kReleaseBoundMs = 1000;
    // The desktop reports a combination released when its key goes up; the modifiers held with
    // it usually follow within this time, and strokes sent before would carry them.
    static constexpr int kModifierGraceMs = 100;
    // How long after the desktop took the last key event the strokes count as in flight: the
    // compositor may still be turning them into a shortcut's activation then.
    static constexpr int kQuietMs = 250;

    // Strokes through the session bus's RemoteDesktop portal; the restore token, where the portal
    // gives one, is kept in `tokenFolder` (the data folder).
    explicit PortalKeyboardOutput(const std::string& tokenFolder, QObject* parent = nullptr);
    explicit PortalKeyboardOutput(std::unique_ptr<KeySink> sink, QObject* parent = nullptr);
    ~PortalKeyboardOutput() override;

    void keyDown(uint8_t virtualKey) override;
    void keyUp(uint8_t virtualKey) override;
    // The strokes that follow wait until no combination of a hot key is held down.
    void releaseModifiers() override;

    // Presses and releases the key that produces `keysym` in the desktop's keymap.
    void strokeKeysym(uint32_t keysym);

    // Whether a hot key's combination is held down now (the hot key back end answers).
    void setHeldQuery(std::function<bool()> held) { held_ = std::move(held); }
    void setReleaseBoundMs(int ms) { releaseBound_.setInterval(ms); }

    // True from the first queued stroke until kQuietMs after the desktop took the last one: a
    // shortcut activation then is our own stroke's, and must not run a row.
    bool strokesInFlight() const;
    // True when the session could not start: strokes are dropped (and said so in the log).
    bool failed() const { return state_ == State::Failed; }

public slots:
    // The held combination was let go: strokes waiting for it go out.
    void combinationReleased();

signals:
    // Every queued stroke has been taken by the desktop.
    void drained();

private:
    enum class State { Opening, Ready, Failed };
    struct Step {
        enum Kind { Key, WaitForRelease } kind;
        uint32_t keysym = 0;
        bool pressed = false;
    };
    void push(Step step);
    void endWait();
    void pump();
    void sent();

    std::unique_ptr<KeySink> sink_;
    State state_ = State::Opening;
    std::deque<Step> queue_;
    std::function<bool()> held_;
    QTimer releaseBound_;
    QTimer grace_;
    QTimer quiet_;
    bool waiting_ = false;
    bool pumping_ = false;  // pump() is running (a sink may answer from within send())
    int unanswered_ = 0;
    std::set<uint32_t> down_;  // keysyms this object pressed and has not released
};

}  // namespace vorbix::portal
