#include "platform/x11/X11HotKeyBackend.h"

// Qt first: the X headers define names (Bool, Status) that Qt's headers refuse to follow.
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QMetaObject>
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Keymap.h"
#include "platform/x11/XcbXkb.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

namespace vorbix::x11 {

Q_LOGGING_CATEGORY(lcHotKeys, "vorbix.x11", QtInfoMsg)

namespace {

static_assert(kLocksOff == 1 && kCapsLockOn == 2 && kNumLockOn == 4 && kCapsAndNumLockOn == 8,
              "grab variants are reported as bits in the order lockVariants() makes them");

// The modifier bits a combination is made of; Lock and NumLock are left out, they only choose
// the grab variant.
constexpr uint16_t kComparedModifiers = XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 |
                                        XCB_MOD_MASK_2 | XCB_MOD_MASK_3 | XCB_MOD_MASK_4 |
                                        XCB_MOD_MASK_5;

}  // namespace

X11HotKeyBackend::X11HotKeyBackend(Handler handler) : handler_(std::move(handler)) {
    auto* app = QCoreApplication::instance();
    if (!app || !applicationConnection()) return;
    connection_ = applicationConnection();
    display_ = applicationDisplay();
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    keymap_ = std::make_unique<X11Keymap>(connection_);

    // Detectable auto-repeat: a held key repeats its press without releases in between, so a
    // press of a key already down is a repeat.
    auto use = xcb_xkb_use_extension(connection_, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION);
    std::free(xcb_xkb_use_extension_reply(connection_, use, nullptr));
    auto flags = xcb_xkb_per_client_flags(connection_, XCB_XKB_ID_USE_CORE_KBD,
                                          XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT,
                                          XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT, 0, 0, 0);
    std::free(xcb_xkb_per_client_flags_reply(connection_, flags, nullptr));
    if (const xcb_query_extension_reply_t* xkb = xcb_get_extension_data(connection_, &xcb_xkb_id);
        xkb && xkb->present)
        xkbFirstEvent_ = xkb->first_event;

    findInputExtension();
    app->installNativeEventFilter(this);
}

X11HotKeyBackend::~X11HotKeyBackend() {
    if (!connection_) return;
    if (auto* app = QCoreApplication::instance()) app->removeNativeEventFilter(this);
    for (Grab& grab : grabs_) ungrab(grab);
    if (!held_.empty()) selectRawKeyReleases(false);
    xcb_flush(connection_);
}

void X11HotKeyBackend::findInputExtension() {
    if (!display_) return;
    const char name[] = "XInputExtension";
    auto cookie = xcb_query_extension(connection_, sizeof name - 1, name);
    xcb_query_extension_reply_t* reply = xcb_query_extension_reply(connection_, cookie, nullptr);
    if (reply && reply->present) inputOpcode_ = reply->major_opcode;
    std::free(reply);
}

// A key release goes to whoever holds the keyboard: once an action has ended the grab of the
// held hot key, the release reaches the focused client, not this one. Raw key events from the
// master keyboard arrive whatever the grab, so they tell reliably when a held key comes up.
// They are selected only while a hot key is held, so that typing elsewhere never wakes the
// program.
void X11HotKeyBackend::selectRawKeyReleases(bool on) {
    if (!inputOpcode_) return;
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    if (on) XISetMask(bits, XI_RawKeyRelease);
    // Per device id: the application's own selection on the root (all devices) stays as it is.
    XIEventMask mask{XIAllMasterDevices, static_cast<int>(sizeof bits), bits};
    XISelectEvents(display_, root_, &mask, 1);
    XFlush(display_);
}

void X11HotKeyBackend::keyReleased(uint8_t keycode) {
    if (held_.erase(keycode) && held_.empty()) selectRawKeyReleases(false);
}

uint16_t X11HotKeyBackend::modifierMask(uint32_t modifiers) const {
    uint16_t mask = 0;
    if (modifiers & MOD_ALT) mask |= keymap_->altMask();
    if (modifiers & MOD_CONTROL) mask |= XCB_MOD_MASK_CONTROL;
    if (modifiers & MOD_SHIFT) mask |= XCB_MOD_MASK_SHIFT;
    if (modifiers & MOD_WIN) mask |= keymap_->superMask();
    return mask;
}

std::vector<uint16_t> X11HotKeyBackend::lockVariants(uint16_t numLock) {
    if (!numLock) return {0, XCB_MOD_MASK_LOCK};
    return {0, XCB_MOD_MASK_LOCK, numLock, static_cast<uint16_t>(XCB_MOD_MASK_LOCK | numLock)};
}

HotKeyResult X11HotKeyBackend::registerHotKey(int32_t id, const TWinHotKey& combination) {
    return registerHotKeys({{id, combination}}).front();
}

std::vector<HotKeyResult> X11HotKeyBackend::registerHotKeys(const std::vector<Request>& requests) {
    if (!connection_) {
        return std::vector<HotKeyResult>(requests.size(),
                                         HotKeyResult::refused(HotKeyRefusal::NoService));
    }
    // The keymap read last stays valid until the server announces a change; the change
    // re-reads it and moves every grab (regrab).
    struct Pending {
        Grab grab;
        SentGrab sent;
        std::optional<size_t> sameAs;  // an earlier request of this batch with this combination
    };
    std::vector<HotKeyResult> results(requests.size());
    std::vector<std::optional<Pending>> pending(requests.size());
    for (size_t i = 0; i < requests.size(); ++i) {
        Pending p{Grab{requests[i].id, requests[i].combination, 0, 0, 0}, {}, std::nullopt};
        if (const std::optional<HotKeyResult> refused = prepareGrab(p.grab, p.sent)) {
            results[i] = *refused;
            continue;
        }
        // The same combination earlier in this batch: the server would take this grab as a
        // repetition of that one, so that one's answer decides, as one after the other would.
        for (size_t k = 0; k < i && !p.sameAs; ++k) {
            if (pending[k] && !pending[k]->sameAs && pending[k]->sent.keycode == p.sent.keycode &&
                pending[k]->sent.modifiers == p.sent.modifiers) {
                p.sameAs = k;
            }
        }
        if (!p.sameAs) sendGrab(p.sent);
        pending[i] = std::move(p);
    }
    for (size_t i = 0; i < requests.size(); ++i) {
        if (!pending[i]) continue;
        Pending& p = *pending[i];
        if (p.sameAs) {
            const HotKeyResult& first = results[*p.sameAs];
            results[i] = first.ok() ? HotKeyResult::refused(HotKeyRefusal::Duplicate) : first;
            continue;
        }
        results[i] = finishGrab(p.grab, p.sent);
        if (results[i].ok()) grabs_.push_back(p.grab);
    }
    xcb_flush(connection_);
    for (size_t i = 0; i < requests.size(); ++i) {
        if (results[i].ok()) continue;
        qCInfo(lcHotKeys, "hot key %d (key 0x%02X, modifiers %u) not registered: %s",
               requests[i].id, unsigned(requests[i].combination.Key),
               unsigned(requests[i].combination.Modifiers),
               describeHotKeyResult(results[i]).c_str());
    }
    return results;
}

std::optional<HotKeyResult> X11HotKeyBackend::prepareGrab(const Grab& grab, SentGrab& sent) const {
    if (grab.combination.Key == 0 || grab.combination.Key > 0xFF)
        return HotKeyResult::refused(HotKeyRefusal::NoKey);
    const uint8_t keycode =
        keymap_->keycodeOfVirtualKey(static_cast<uint8_t>(grab.combination.Key));
    if (keycode == 0) return HotKeyResult::refused(HotKeyRefusal::NoKey);
    const uint16_t modifiers = modifierMask(grab.combination.Modifiers);
    // The same combination twice is refused, as the system refuses it to one program.
    for (const Grab& other : grabs_)
        if (other.keycode == keycode && other.modifiers == modifiers)
            return HotKeyResult::refused(HotKeyRefusal::Duplicate);
    sent.keycode = keycode;
    sent.modifiers = modifiers;
    sent.numLock = keymap_->numLockMask();
    sent.variants = lockVariants(sent.numLock);
    return std::nullopt;
}

void X11HotKeyBackend::sendGrab(SentGrab& sent) {
    // Checked requests: a refusal (BadAccess, another client holds the combination) comes back
    // to its request instead of the error handler.
    sent.requests.clear();
    for (uint16_t variant : sent.variants) {
        sent.requests.push_back(xcb_grab_key_checked(connection_, 0, root_,
                                                     sent.modifiers | variant, sent.keycode,
                                                     XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)
                                    .sequence);
    }
}

HotKeyResult X11HotKeyBackend::finishGrab(Grab& grab, const SentGrab& sent) {
    grab.keycode = 0;
    // The variants come in the order of the lock-state bits: none, Lock, NumLock, both.
    std::vector<bool> granted;
    uint8_t refusedLocks = 0;
    for (size_t i = 0; i < sent.requests.size(); ++i) {
        xcb_generic_error_t* error =
            xcb_request_check(connection_, xcb_void_cookie_t{sent.requests[i]});
        granted.push_back(error == nullptr);
        if (error) refusedLocks |= static_cast<uint8_t>(1u << i);
        std::free(error);
    }
    if (refusedLocks) {
        for (size_t i = 0; i < sent.variants.size(); ++i)
            if (granted[i])
                xcb_ungrab_key(connection_, sent.keycode, root_, sent.modifiers | sent.variants[i]);
        xcb_flush(connection_);
        return HotKeyResult::refused(HotKeyRefusal::HeldByOther, refusedLocks);
    }
    grab.keycode = sent.keycode;
    grab.modifiers = sent.modifiers;
    grab.numLock = sent.numLock;
    return HotKeyResult::accepted();
}

HotKeyResult X11HotKeyBackend::grab(Grab& grab) {
    grab.keycode = 0;
    SentGrab sent;
    if (const std::optional<HotKeyResult> refused = prepareGrab(grab, sent)) return *refused;
    sendGrab(sent);
    return finishGrab(grab, sent);
}

void X11HotKeyBackend::ungrab(Grab& grab) {
    if (grab.keycode == 0) return;
    for (uint16_t variant : lockVariants(grab.numLock))
        xcb_ungrab_key(connection_, grab.keycode, root_, grab.modifiers | variant);
    grab.keycode = 0;
}

void X11HotKeyBackend::unregisterHotKey(int32_t id) {
    if (!connection_) return;
    auto first = std::stable_partition(grabs_.begin(), grabs_.end(),
                                       [id](const Grab& g) { return g.id != id; });
    if (first == grabs_.end()) return;
    for (auto it = first; it != grabs_.end(); ++it) ungrab(*it);
    grabs_.erase(first, grabs_.end());
    xcb_flush(connection_);
}

void X11HotKeyBackend::pressPastOwnGrabs(uint8_t keycode, const std::function<void()>& press) {
    std::vector<size_t> lifted;
    for (size_t i = 0; i < grabs_.size(); ++i) {
        if (grabs_[i].keycode != 0 && grabs_[i].keycode == keycode) {
            ungrab(grabs_[i]);
            lifted.push_back(i);
        }
    }
    press();
    // A grab another client took meanwhile stays lifted until the next keymap change retries.
    for (size_t i : lifted) grab(grabs_[i]);
    if (!lifted.empty()) xcb_flush(connection_);
}

// A new keyboard mapping (another layout, a changed modifier map) can move a key to another
// keycode, as the Y and Z keys of the German layout: each registration follows its virtual key.
// One that cannot be grabbed anew stays registered and tries again at the next change.
void X11HotKeyBackend::regrab() {
    regrabPending_ = false;
    keymap_->refresh();
    for (Grab& g : grabs_) {
        const uint8_t keycode =
            keymap_->keycodeOfVirtualKey(static_cast<uint8_t>(g.combination.Key));
        if (g.keycode != 0 && g.keycode == keycode &&
            g.modifiers == modifierMask(g.combination.Modifiers) &&
            g.numLock == keymap_->numLockMask())
            continue;
        ungrab(g);
        grab(g);
    }
    xcb_flush(connection_);
}

void X11HotKeyBackend::keymapChanged() {
    if (regrabPending_ || grabs_.empty()) return;
    regrabPending_ = true;
    std::weak_ptr<bool> alive = alive_;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [this, alive] {
            if (!alive.expired()) regrab();
        },
        Qt::QueuedConnection);
}

bool X11HotKeyBackend::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    return handleEvent(message);
}

bool X11HotKeyBackend::handleEvent(const void* event) {
    if (!connection_ || !event) return false;
    const auto* generic = static_cast<const xcb_generic_event_t*>(event);
    const uint8_t type = generic->response_type & 0x7F;
    if (type == XCB_KEY_PRESS || type == XCB_KEY_RELEASE) {
        // With owner_events off, the grabbed presses are reported on the root window; a key
        // that reaches one of the program's own windows (the capture field) is not ours.
        const auto* key = static_cast<const xcb_key_press_event_t*>(event);
        if (key->event != root_) return false;
        if (type == XCB_KEY_RELEASE) {
            const bool ours = held_.count(key->detail) > 0;
            keyReleased(key->detail);
            return ours;
        }
        auto grab = std::find_if(grabs_.begin(), grabs_.end(), [&](const Grab& g) {
            return g.keycode == key->detail &&
                   g.modifiers == (key->state & kComparedModifiers & ~g.numLock);
        });
        if (grab == grabs_.end()) return false;
        if (held_.empty()) selectRawKeyReleases(true);
        if (held_.insert(key->detail).second) dispatch(grab->id);
        return true;
    }
    if (type == XCB_MAPPING_NOTIFY) {
        if (static_cast<const xcb_mapping_notify_event_t*>(event)->request != XCB_MAPPING_POINTER)
            keymapChanged();
        return false;
    }
    if (xkbFirstEvent_ && type == xkbFirstEvent_) {
        const uint8_t xkbType = static_cast<const uint8_t*>(event)[1];
        if (xkbType == XCB_XKB_NEW_KEYBOARD_NOTIFY || xkbType == XCB_XKB_MAP_NOTIFY)
            keymapChanged();
        return false;
    }
    if (type == XCB_GE_GENERIC && inputOpcode_) {
        const auto* ge = static_cast<const xcb_ge_generic_event_t*>(event);
        if (ge->extension == inputOpcode_ && ge->event_type == XI_RawKeyRelease) {
            // The key code of a raw event is the 32-bit detail after device id and time.
            uint32_t detail = 0;
            std::memcpy(&detail, reinterpret_cast<const char*>(event) + 16, sizeof detail);
            if (detail <= 0xFF) keyReleased(static_cast<uint8_t>(detail));
        }
    }
    return false;
}

void X11HotKeyBackend::dispatch(int32_t id) {
    // Run the handler from the event loop rather than inside the X event filter: an action may
    // open a dialog with its own event loop.
    std::weak_ptr<bool> alive = alive_;
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [this, alive, id] {
            if (!alive.expired() && handler_) handler_(id);
        },
        Qt::QueuedConnection);
}

}  // namespace vorbix::x11
