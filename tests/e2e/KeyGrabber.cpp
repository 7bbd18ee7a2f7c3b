// Another program that holds a key combination, for the end-to-end tests: grabs the key with
// the modifiers on the root window in every lock state, says "grabbed" (or "refused") on
// standard output, and holds it until it is terminated.
//   vorbix_key_grabber KEYSYM MODIFIERS      (both hexadecimal, e.g. ffc6 c for Ctrl+Alt+F9)
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

uint8_t keycodeOf(xcb_connection_t* c, xcb_keysym_t keysym) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    std::unique_ptr<xcb_get_keyboard_mapping_reply_t, FreeDeleter> map(
        xcb_get_keyboard_mapping_reply(c, xcb_get_keyboard_mapping(c, setup->min_keycode, count),
                                       nullptr));
    if (!map) return 0;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(map.get());
    const int per = map->keysyms_per_keycode;
    for (int i = 0; i < count; ++i)
        for (int column = 0; column < per && column < 2; ++column)
            if (syms[i * per + column] == keysym)
                return static_cast<uint8_t>(setup->min_keycode + i);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vorbix_key_grabber KEYSYM MODIFIERS (hexadecimal)\n");
        return 2;
    }
    const auto keysym = static_cast<xcb_keysym_t>(std::strtoul(argv[1], nullptr, 16));
    const auto modifiers = static_cast<uint16_t>(std::strtoul(argv[2], nullptr, 16));
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "vorbix_key_grabber: no display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const uint8_t keycode = keycodeOf(c, keysym);
    if (!keycode) {
        std::fprintf(stderr, "vorbix_key_grabber: no key carries keysym %s\n", argv[1]);
        return 2;
    }
    bool refused = false;
    // No lock key, CapsLock, NumLock (Mod2), both.
    const uint16_t lockStates[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                   XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
    for (const uint16_t locks : lockStates) {
        xcb_generic_error_t* error = xcb_request_check(
            c, xcb_grab_key_checked(c, 0, root, static_cast<uint16_t>(modifiers | locks), keycode,
                                    XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        refused = refused || error != nullptr;
        std::free(error);
    }
    std::printf(refused ? "refused\n" : "grabbed\n");
    std::fflush(stdout);
    // Held until the process ends; the server lets the grab go with the connection.
    while (xcb_generic_event_t* event = xcb_wait_for_event(c)) std::free(event);
    xcb_disconnect(c);
    return 0;
}
