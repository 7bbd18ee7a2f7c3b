#include "platform/x11/X11KeyNames.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/x11/VirtualKeys.h"
#include "platform/x11/X11Connection.h"
#include "platform/x11/X11Keymap.h"
#include "platform/x11/XcbXkb.h"

namespace vorbix::x11 {
namespace {

// Symbol files that rules add besides the layouts (model, options).
bool isLayoutFile(std::string_view name) {
    static constexpr std::string_view kOthers[] = {
        "pc",       "inet",  "inc",      "evdev",  "group",     "compose",   "level3", "level5",
        "ctrl",     "caps",  "capslock", "altwin", "terminate", "keypad",    "kpdl",   "nbsp",
        "eurosign", "shift", "lv3",      "lv5",    "srvr_ctrl", "rupeesign", "japan",  "korean"};
    for (std::string_view other : kOthers)
        if (name == other) return false;
    return !name.empty();
}

// The layout's symbols as the server reports them ("pc+us+inc(evdev)"); empty when unreadable.
std::string symbolsName(xcb_connection_t* c) {
    auto use = xcb_xkb_use_extension(c, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION);
    xcb_xkb_use_extension_reply_t* used = xcb_xkb_use_extension_reply(c, use, nullptr);
    const bool supported = used && used->supported;
    std::free(used);
    if (!supported) return {};
    auto cookie = xcb_xkb_get_names(c, XCB_XKB_ID_USE_CORE_KBD, XCB_XKB_NAME_DETAIL_SYMBOLS);
    xcb_xkb_get_names_reply_t* reply = xcb_xkb_get_names_reply(c, cookie, nullptr);
    if (!reply) return {};
    xcb_xkb_get_names_value_list_t list{};
    xcb_xkb_get_names_value_list_unpack(xcb_xkb_get_names_value_list(reply), reply->nTypes,
                                        reply->indicators, reply->virtualMods, reply->groupNames,
                                        reply->nKeys, reply->nKeyAliases, reply->nRadioGroups,
                                        reply->which, &list);
    const xcb_atom_t atom = (reply->which & XCB_XKB_NAME_DETAIL_SYMBOLS) ? list.symbolsName : 0;
    std::free(reply);
    if (atom == XCB_ATOM_NONE) return {};
    xcb_get_atom_name_reply_t* name =
        xcb_get_atom_name_reply(c, xcb_get_atom_name(c, atom), nullptr);
    if (!name) return {};
    std::string result(xcb_get_atom_name_name(name), xcb_get_atom_name_name_length(name));
    std::free(name);
    return result;
}

int activeGroup(xcb_connection_t* c) {
    xcb_xkb_get_state_reply_t* state =
        xcb_xkb_get_state_reply(c, xcb_xkb_get_state(c, XCB_XKB_ID_USE_CORE_KBD), nullptr);
    const int group = state ? state->group : -1;
    std::free(state);
    return group;
}

}  // namespace

bool isGermanSymbolsGroup(std::string_view symbols, int group) {
    if (group < 0 || group > 3) return false;
    // The name lists files joined by "+", each "name(variant):group" with the variant and the
    // group optional: the model first, then the layouts (the first one without a group
    // number), then the options.
    std::string_view layout;
    bool layoutSeen = false;
    size_t start = 0;
    while (start <= symbols.size() && layout.empty()) {
        size_t end = symbols.find('+', start);
        if (end == std::string_view::npos) end = symbols.size();
        std::string_view file = symbols.substr(start, end - start);
        start = end + 1;

        int fileGroup = -1;
        if (size_t colon = file.rfind(':'); colon != std::string_view::npos) {
            std::string_view digits = file.substr(colon + 1);
            file = file.substr(0, colon);
            if (digits.size() == 1 && digits[0] >= '1' && digits[0] <= '4')
                fileGroup = digits[0] - '1';
        } else if (!layoutSeen) {
            fileGroup = 0;
        }
        std::string_view name = file.substr(0, file.find('('));
        if (size_t slash = name.rfind('/'); slash != std::string_view::npos)
            name = name.substr(slash + 1);
        if (!isLayoutFile(name)) continue;
        layoutSeen = true;
        if (fileGroup == group) layout = file;
    }
    if (layout.empty()) return false;

    std::string_view name = layout.substr(0, layout.find('('));
    if (size_t slash = name.rfind('/'); slash != std::string_view::npos)
        name = name.substr(slash + 1);
    std::string_view variant;
    if (size_t open = layout.find('('); open != std::string_view::npos) {
        variant = layout.substr(open + 1);
        variant = variant.substr(0, variant.find(')'));
    }
    if (name == "de") return true;
    // Swiss: the default layout and "legacy" are German, so are the variants named de_...
    if (name == "ch") return variant.empty() || variant == "legacy" || variant.substr(0, 2) == "de";
    return false;
}

X11KeyNames::X11KeyNames() : connection_(applicationConnection()) {}

X11KeyNames::X11KeyNames(xcb_connection_t* connection) : connection_(connection) {}

std::string X11KeyNames::keyName(uint8_t virtualKey) const {
    return BuiltinKeyNames::keyNameIn(
        isGermanLayout() ? BuiltinKeyNames::Group::German : BuiltinKeyNames::Group::English,
        virtualKey);
}

bool X11KeyNames::isGermanLayout() const {
    if (!connection_) return false;
    const int64_t now = monotonicMs();
    if (now - readAt_ < kCacheMs) return german_;
    german_ = isGermanSymbolsGroup(symbolsName(connection_), activeGroup(connection_));
    readAt_ = now;
    return german_;
}

uint8_t virtualKeyOfKeyEvent(uint32_t keysym, uint32_t keycode) {
    if (uint8_t vk = virtualKeyFromKeysym(keysym)) return vk;
    xcb_connection_t* c = applicationConnection();
    if (!c || keycode > 0xFF) return 0;
    X11Keymap keymap(c);
    return virtualKeyFromKeysym(keymap.keysymAt(static_cast<uint8_t>(keycode), 0));
}

WinKeys winKeysOf(const X11Keymap& keymap) {
    WinKeys keys;
    keys.keycodes = keymap.keycodesCarrying({XK_Super_L, XK_Super_R, XK_Hyper_L, XK_Hyper_R});
    const uint16_t alt =
        keymap.modifiersOf(keymap.keycodesCarrying({XK_Alt_L, XK_Alt_R, XK_Meta_L, XK_Meta_R}));
    keys.modifiers = static_cast<uint16_t>(keymap.modifiersOf(keys.keycodes) & ~alt);
    return keys;
}

bool isWinKeycode(uint32_t keycode) {
    xcb_connection_t* c = applicationConnection();
    if (!c || keycode == 0 || keycode > 0xFF) return false;
    const WinKeys keys = winKeysOf(X11Keymap(c));
    return std::find(keys.keycodes.begin(), keys.keycodes.end(), uint8_t(keycode)) !=
           keys.keycodes.end();
}

bool winHeldInState(uint32_t state) {
    xcb_connection_t* c = applicationConnection();
    if (!c) return false;
    return (state & winKeysOf(X11Keymap(c)).modifiers) != 0;
}

}  // namespace vorbix::x11
