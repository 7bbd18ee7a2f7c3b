#include "platform/x11/X11KeyboardOutput.h"

// Qt first: the X headers define names (Bool, Status) that Qt's headers refuse to follow.
#include <cstdlib>
#include <vector>

#include "platform/x11/VirtualKeys.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Keymap.h"

#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

namespace vorbix::x11 {
namespace {

// The keyboard mapping is read again when it is older than this, so a layout switch is seen
// without a round trip for every single key.
constexpr int64_t kKeymapMaxAgeMs = 200;

}  // namespace

X11KeyboardOutput::X11KeyboardOutput() : connection_(applicationConnection()) {
    init();
}

X11KeyboardOutput::X11KeyboardOutput(xcb_connection_t* connection) : connection_(connection) {
    init();
}

void X11KeyboardOutput::init() {
    restoreTimer_.setSingleShot(true);
    restoreTimer_.setInterval(kRestoreDelayMs);
    QObject::connect(&restoreTimer_, &QTimer::timeout, [this] { restoreBindings(); });
    if (!connection_) return;
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    keymap_ = std::make_unique<X11Keymap>(connection_);
    keymapReadAt_ = monotonicMs();
}

X11KeyboardOutput::~X11KeyboardOutput() {
    restoreTimer_.stop();
    restoreBindings();
}

uint8_t X11KeyboardOutput::keycodeFor(uint8_t virtualKey, bool bindIfMissing) {
    const uint32_t keysym = keysymFromVirtualKey(virtualKey);
    if (keysym == 0) return 0;
    if (auto it = bound_.find(keysym); it != bound_.end()) return it->second;
    if (monotonicMs() - keymapReadAt_ > kKeymapMaxAgeMs) {
        keymap_->refresh();
        keymapReadAt_ = monotonicMs();
    }
    if (uint8_t code = keymap_->keycodeOfVirtualKey(virtualKey)) return code;
    if (!bindIfMissing) return 0;

    // Borrow a keycode without symbols for the missing keysym.
    keymap_->refresh();
    keymapReadAt_ = monotonicMs();
    // A keycode bound earlier is no longer empty, so this finds a fresh one.
    const uint8_t spare = keymap_->spareKeycode();
    if (spare == 0) return 0;
    const int per = keymap_->keysymsPerKeycode();
    std::vector<xcb_keysym_t> syms(per, XCB_NO_SYMBOL);
    syms[0] = keysym;
    if (per > 1) syms[1] = keysym;
    xcb_change_keyboard_mapping(connection_, 1, spare, static_cast<uint8_t>(per), syms.data());
    bound_[keysym] = spare;
    return spare;
}

void X11KeyboardOutput::restoreBindings() {
    if (!connection_ || bound_.empty()) return;
    const int per = keymap_->keysymsPerKeycode();
    std::vector<xcb_keysym_t> empty(per, XCB_NO_SYMBOL);
    for (const auto& [sym, code] : bound_)
        xcb_change_keyboard_mapping(connection_, 1, code, static_cast<uint8_t>(per), empty.data());
    bound_.clear();
    xcb_flush(connection_);
    keymapReadAt_ = 0;
}

void X11KeyboardOutput::fakeKey(bool press, uint8_t keycode) {
    xcb_test_fake_input(connection_, press ? XCB_KEY_PRESS : XCB_KEY_RELEASE, keycode,
                        XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    // The presses of a stroke go out with its first release, in one piece: a modifier that
    // the user (or another client) lets go meanwhile cannot come between Ctrl and C.
    if (!press) xcb_flush(connection_);
}

void X11KeyboardOutput::keyDown(uint8_t virtualKey) {
    if (!connection_) return;
    if (uint8_t code = keycodeFor(virtualKey, true)) {
        if (!bound_.empty()) restoreTimer_.stop();
        if (guard_) {
            guard_(code, [this, code] { fakeKey(true, code); });
        } else {
            fakeKey(true, code);
        }
        down_.insert(code);
    }
}

void X11KeyboardOutput::keyUp(uint8_t virtualKey) {
    if (!connection_) return;
    if (uint8_t code = keycodeFor(virtualKey, false)) {
        fakeKey(false, code);
        down_.erase(code);
        // Only once no borrowed key is down, or its key-up would arrive without a symbol.
        bool borrowedDown = false;
        for (const auto& [sym, borrowed] : bound_)
            borrowedDown = borrowedDown || down_.count(borrowed);
        if (!bound_.empty() && !borrowedDown) restoreTimer_.start();
    }
}

void X11KeyboardOutput::releaseModifiers() {
    if (!connection_) return;
    xcb_ungrab_keyboard(connection_, XCB_CURRENT_TIME);
    // Asked before the mappings are read, so that all three answers come in one round trip.
    const xcb_query_keymap_cookie_t keysDown = xcb_query_keymap(connection_);
    keymap_->refresh();
    keymapReadAt_ = monotonicMs();

    xcb_query_keymap_reply_t* state = xcb_query_keymap_reply(connection_, keysDown, nullptr);
    if (!state) return;
    auto isDown = [state](uint8_t code) { return (state->keys[code / 8] >> (code % 8)) & 1; };
    const std::vector<uint8_t> groups[] = {
        keymap_->keycodesWith({XK_Alt_L, XK_Alt_R, XK_Meta_L, XK_Meta_R}),
        keymap_->keycodesWith({XK_Shift_L, XK_Shift_R}),
        keymap_->keycodesWith({XK_Control_L, XK_Control_R}),
        keymap_->keycodesWith({XK_Super_L, XK_Super_R}),
    };
    for (const auto& codes : groups)
        for (uint8_t code : codes)
            if (isDown(code))
                xcb_test_fake_input(connection_, XCB_KEY_RELEASE, code, XCB_CURRENT_TIME, XCB_NONE,
                                    0, 0, 0);
    std::free(state);
    xcb_flush(connection_);
}

}  // namespace vorbix::x11
