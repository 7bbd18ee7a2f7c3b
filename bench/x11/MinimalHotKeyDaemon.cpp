// The yardstick of the dispatch benchmark (DispatchLatencyBench.cpp): the least a hot key daemon
// must do for the same four rows, in plain xcb with nothing else around it. It grabs
//   Ctrl+F9   copy: sends Ctrl+C with XTest,
//   Ctrl+F10  browser "back": sends Alt+Left with XTest,
//   Ctrl+F11  hide the windows whose title contains KEYWORD (unmaps them, ICCCM withdraw),
//   Ctrl+F12  show them again,
//   Ctrl+F5   (when PROGRAM is given) starts PROGRAM ARGUMENT with posix_spawn, as the app
//             benchmark's program row does,
// and runs until it is terminated. Like a careful daemon it ends the keyboard grab that the held
// hot key started and lifts the held Ctrl before its own stroke, but it learns which modifiers
// are down from the key event and never asks the server anything on a press, except for the
// window list and titles that hiding needs.
//
//   x11_minimal_hotkey_daemon KEYWORD [PROGRAM ARGUMENT]
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <X11/keysym.h>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

xcb_connection_t* c = nullptr;
xcb_window_t root = 0;

struct Keymap {
    uint8_t first = 0;
    int per = 0;
    std::vector<xcb_keysym_t> syms;
    uint8_t keycodeOf(xcb_keysym_t sym) const {
        for (size_t i = 0; i < syms.size(); ++i)
            if (syms[i] == sym) return static_cast<uint8_t>(first + i / per);
        return 0;
    }
};

Keymap readKeymap() {
    const xcb_setup_t* setup = xcb_get_setup(c);
    Keymap map;
    map.first = setup->min_keycode;
    auto* reply = xcb_get_keyboard_mapping_reply(
        c,
        xcb_get_keyboard_mapping(c, setup->min_keycode,
                                 static_cast<uint8_t>(setup->max_keycode - setup->min_keycode + 1)),
        nullptr);
    if (!reply) return map;
    map.per = reply->keysyms_per_keycode;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
    map.syms.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(reply));
    std::free(reply);
    return map;
}

xcb_atom_t atom(const char* name) {
    auto* r = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : 0;
    std::free(r);
    return a;
}

void fake(uint8_t type, uint8_t code) {
    xcb_test_fake_input(c, type, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
}

// Ctrl is down (it belongs to the hot key): lift it, then press the stroke.
void stroke(uint16_t state, uint8_t control, uint8_t modifier, uint8_t key) {
    xcb_ungrab_keyboard(c, XCB_CURRENT_TIME);
    if (state & XCB_MOD_MASK_CONTROL) fake(XCB_KEY_RELEASE, control);
    fake(XCB_KEY_PRESS, modifier);
    fake(XCB_KEY_PRESS, key);
    fake(XCB_KEY_RELEASE, key);
    fake(XCB_KEY_RELEASE, modifier);
    xcb_flush(c);
}

std::vector<xcb_window_t> clientList(xcb_atom_t list) {
    auto* r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, list, XCB_ATOM_WINDOW, 0, 4096), nullptr);
    std::vector<xcb_window_t> out;
    if (r) {
        auto* w = static_cast<xcb_window_t*>(xcb_get_property_value(r));
        out.assign(w, w + xcb_get_property_value_length(r) / 4);
        std::free(r);
    }
    return out;
}

// Every title asked for at once: one round trip for the whole list.
void hide(const std::string& keyword, xcb_atom_t list, xcb_atom_t name, xcb_atom_t utf8,
          std::vector<xcb_window_t>& hidden) {
    const std::vector<xcb_window_t> clients = clientList(list);
    std::vector<xcb_get_property_cookie_t> cookies;
    for (xcb_window_t w : clients) cookies.push_back(xcb_get_property(c, 0, w, name, utf8, 0, 256));
    for (size_t i = 0; i < clients.size(); ++i) {
        auto* r = xcb_get_property_reply(c, cookies[i], nullptr);
        if (!r) continue;
        const std::string title(static_cast<const char*>(xcb_get_property_value(r)),
                                static_cast<size_t>(xcb_get_property_value_length(r)));
        std::free(r);
        if (title.find(keyword) == std::string::npos) continue;
        xcb_unmap_window(c, clients[i]);
        xcb_unmap_notify_event_t ev{};
        ev.response_type = XCB_UNMAP_NOTIFY;
        ev.event = root;
        ev.window = clients[i];
        char buffer[32] = {};
        std::memcpy(buffer, &ev, sizeof ev);
        xcb_send_event(c, 0, root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       buffer);
        hidden.push_back(clients[i]);
    }
    xcb_flush(c);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: x11_minimal_hotkey_daemon KEYWORD [PROGRAM ARGUMENT]\n");
        return 2;
    }
    const std::string keyword = argv[1];
    char* program[] = {argc > 3 ? argv[2] : nullptr, argc > 3 ? argv[3] : nullptr, nullptr};
    // Started programs are never waited for.
    std::signal(SIGCHLD, SIG_IGN);
    c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) return 1;
    root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const Keymap keymap = readKeymap();
    const uint8_t control = keymap.keycodeOf(XK_Control_L);
    const uint8_t alt = keymap.keycodeOf(XK_Alt_L);
    const uint8_t keyC = keymap.keycodeOf(XK_c);
    const uint8_t left = keymap.keycodeOf(XK_Left);
    const uint8_t keys[] = {keymap.keycodeOf(XK_F9), keymap.keycodeOf(XK_F10),
                            keymap.keycodeOf(XK_F11), keymap.keycodeOf(XK_F12),
                            keymap.keycodeOf(XK_F5)};
    const xcb_atom_t list = atom("_NET_CLIENT_LIST");
    const xcb_atom_t name = atom("_NET_WM_NAME");
    const xcb_atom_t utf8 = atom("UTF8_STRING");
    // With Caps Lock and Num Lock (Mod2) in every combination, as a daemon must.
    for (uint8_t key : keys) {
        if (key == keys[4] && !program[0]) continue;
        for (uint16_t locks : {0u, 2u, 16u, 18u})  // none, Lock, Mod2, both
            xcb_grab_key(c, 0, root, XCB_MOD_MASK_CONTROL | locks, key, XCB_GRAB_MODE_ASYNC,
                         XCB_GRAB_MODE_ASYNC);
    }
    xcb_flush(c);
    std::printf("ready\n");
    std::fflush(stdout);

    std::vector<xcb_window_t> hidden;
    while (xcb_generic_event_t* ev = xcb_wait_for_event(c)) {
        if ((ev->response_type & 0x7F) == XCB_KEY_PRESS) {
            const auto* key = reinterpret_cast<xcb_key_press_event_t*>(ev);
            if (key->detail == keys[0]) {
                stroke(key->state, control, control, keyC);
            } else if (key->detail == keys[1]) {
                stroke(key->state, control, alt, left);
            } else if (key->detail == keys[2]) {
                hide(keyword, list, name, utf8, hidden);
            } else if (key->detail == keys[4] && program[0]) {
                pid_t child = 0;
                posix_spawn(&child, program[0], nullptr, nullptr, program, environ);
            } else if (key->detail == keys[3]) {
                for (xcb_window_t w : hidden) xcb_map_window(c, w);
                hidden.clear();
                xcb_flush(c);
            }
        }
        std::free(ev);
    }
    xcb_disconnect(c);
    return 0;
}
