// System-wide hot keys on X11: each combination is a passive key grab on the root window, and a
// native event filter on the application's X connection turns the grabbed key presses into the
// registration identifiers.
#pragma once

#include <QAbstractNativeEventFilter>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "core/Ports.h"

struct xcb_connection_t;
struct _XDisplay;

namespace vorbix::x11 {

class X11Keymap;

class X11HotKeyBackend : public HotKeyBackend, public QAbstractNativeEventFilter {
public:
    using Handler = std::function<void(int32_t id)>;

    // Works on the running QGuiApplication's X connection and installs itself as its native
    // event filter. The handler is called from the event loop, once per press of a registered
    // combination. Holding the keys down does not repeat it: Windows repeats a held hot key
    // unless it is registered with MOD_NOREPEAT, but an action run at the keyboard's repeat
    // rate (a program started 25 times a second, a drive tray opened and closed) is never
    // what the user wants.
    explicit X11HotKeyBackend(Handler handler = {});
    ~X11HotKeyBackend() override;

    X11HotKeyBackend(const X11HotKeyBackend&) = delete;
    X11HotKeyBackend& operator=(const X11HotKeyBackend&) = delete;

    void setHandler(Handler handler) { handler_ = std::move(handler); }

    // Refused when the key is 0 or missing from the keyboard, when this program already holds
    // the same combination, or when another client holds it in any lock variant (the result
    // names those variants); nothing stays grabbed then.
    HotKeyResult registerHotKey(int32_t id, const TWinHotKey& combination) override;
    // All grabs go out first and their answers are read after, in one round trip.
    std::vector<HotKeyResult> registerHotKeys(const std::vector<Request>& requests) override;
    void unregisterHotKey(int32_t id) override;

    // Runs `press`, a synthetic press of `keycode` on the same connection, with this program's
    // grabs of that key lifted, so the press goes to the focused window instead of firing a
    // hot key (the server handles the requests in order: ungrab, press, grab again).
    void pressPastOwnGrabs(uint8_t keycode, const std::function<void()>& press);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

    // Handles one xcb event; true when it belonged to a registered combination.
    bool handleEvent(const void* event);

private:
    struct Grab {
        int32_t id;
        TWinHotKey combination;
        uint8_t keycode;     // 0 while not grabbed (the keyboard lacks the key)
        uint16_t modifiers;  // X modifier mask, without the lock variants
        uint16_t numLock;    // the NumLock mask of the grabbed variants
    };

    uint16_t modifierMask(uint32_t modifiers) const;
    static std::vector<uint16_t> lockVariants(uint16_t numLock);
    // A grab in steps, so that many can be sent before the first answer is read: what to grab
    // (or why not), the checked requests of every lock variant, then their answers (a refused
    // grab keeps none of its variants).
    struct SentGrab {
        uint8_t keycode = 0;
        uint16_t modifiers = 0;
        uint16_t numLock = 0;
        std::vector<uint16_t> variants;
        std::vector<unsigned int> requests;  // the sequence numbers of the checked requests
    };
    std::optional<HotKeyResult> prepareGrab(const Grab& grab, SentGrab& sent) const;
    void sendGrab(SentGrab& sent);
    HotKeyResult finishGrab(Grab& grab, const SentGrab& sent);
    HotKeyResult grab(Grab& grab);
    void ungrab(Grab& grab);
    void keymapChanged();
    void regrab();
    void findInputExtension();
    void selectRawKeyReleases(bool on);
    void keyReleased(uint8_t keycode);
    void dispatch(int32_t id);

    xcb_connection_t* connection_ = nullptr;
    _XDisplay* display_ = nullptr;
    uint32_t root_ = 0;
    uint8_t inputOpcode_ = 0;    // XInput major opcode, 0 without raw key events
    uint8_t xkbFirstEvent_ = 0;  // XKB event code, 0 without XKB
    bool regrabPending_ = false;
    std::unique_ptr<X11Keymap> keymap_;
    Handler handler_;
    std::vector<Grab> grabs_;
    std::set<uint8_t> held_;  // grabbed keys pressed and not yet released
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace vorbix::x11
