// Synthetic key strokes on X11 through the XTest extension, in virtual-key codes.
#pragma once

#include <QTimer>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "core/Ports.h"

struct xcb_connection_t;

namespace vorbix::x11 {

class X11Keymap;

class X11KeyboardOutput : public KeyboardOutput {
public:
    // Uses the running QGuiApplication's X connection.
    X11KeyboardOutput();
    // Uses the given connection (kept open by the caller).
    explicit X11KeyboardOutput(xcb_connection_t* connection);
    ~X11KeyboardOutput() override;

    X11KeyboardOutput(const X11KeyboardOutput&) = delete;
    X11KeyboardOutput& operator=(const X11KeyboardOutput&) = delete;

    // A key the keyboard lacks (F13-F24, some browser and media keys) is bound to a spare
    // keycode for the stroke; the binding is undone a little after the last key-up.
    void keyDown(uint8_t virtualKey) override;
    void keyUp(uint8_t virtualKey) override;
    // Ends the program's keyboard grab (the passive grab of a hot key still held), then lifts
    // Alt, Shift, Ctrl and the Windows keys that are down, in this order.
    void releaseModifiers() override;

    // Runs `press` (the synthetic press of `keycode`) so that it reaches the focused window and
    // not a hot key of this program: a stroke of ours must never fire one of our own rows.
    using PressGuard = std::function<void(uint8_t keycode, const std::function<void()>& press)>;
    void setPressGuard(PressGuard guard) { guard_ = std::move(guard); }

    // How long a temporary binding outlives its last key-up: the receiving client decodes the
    // key-up with the mapping it holds, so it must not change under it.
    static constexpr int kRestoreDelayMs = 50;

private:
    void init();
    uint8_t keycodeFor(uint8_t virtualKey, bool bindIfMissing);
    void fakeKey(bool press, uint8_t keycode);
    void restoreBindings();

    xcb_connection_t* connection_ = nullptr;
    uint32_t root_ = 0;
    std::unique_ptr<X11Keymap> keymap_;
    int64_t keymapReadAt_ = 0;
    std::map<uint32_t, uint8_t> bound_;  // keysym -> borrowed keycode
    std::set<uint8_t> down_;             // keycodes this object pressed and has not released
    QTimer restoreTimer_;
    PressGuard guard_;
};

}  // namespace vorbix::x11
