// A misbehaving or slow clipboard client for the clipboard tests, on plain xcb:
//
//   clipboard_peer --report FILE [--title TITLE] [--format NAME] MODE [N]
//
// MODE own-stalling N: owns CLIPBOARD and lists N formats, but never delivers one.
// MODE own-silent:     owns CLIPBOARD and never answers at all (a hung program).
// MODE ask-every N:    asks for the clipboard's content every N ms.
// MODE ask-on-change:  asks for the content once whenever the clipboard changes hands (as a
//                      clipboard manager does; polls the owner every 5 ms).
// MODE ask-after-key N: asks for the content N ms after each key press with Ctrl (a slow target).
//
// With --title the peer shows a window of that title (for the focus). The report file gets
// "ready" once the peer is set up, then "got TEXT" for every content received, "refused" for a
// request the owner turned down.
#include <poll.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

xcb_connection_t* c = nullptr;
xcb_window_t window = 0;
std::string report;

xcb_atom_t atom(const char* name) {
    auto* r = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(r);
    return a;
}

void note(const std::string& line) {
    if (FILE* f = std::fopen(report.c_str(), "a")) {
        std::fprintf(f, "%s\n", line.c_str());
        std::fclose(f);
    }
}

long long nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

xcb_window_t owner(xcb_atom_t selection) {
    auto* r = xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const xcb_window_t w = r ? r->owner : 0;
    std::free(r);
    return w;
}

}  // namespace

int main(int argc, char** argv) {
    std::string mode, title, format = "UTF8_STRING";
    int n = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--report" && i + 1 < argc) {
            report = argv[++i];
        } else if (a == "--title" && i + 1 < argc) {
            title = argv[++i];
        } else if (a == "--format" && i + 1 < argc) {
            format = argv[++i];
        } else if (mode.empty()) {
            mode = a;
            if (i + 1 < argc && argv[i + 1][0] != '-') n = std::atoi(argv[++i]);
        }
    }
    c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c) || report.empty() || mode.empty()) return 2;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_atom_t clipboard = atom("CLIPBOARD"), targets = atom("TARGETS"),
                     wanted = atom(format.c_str()), property = atom("PEER_DATA"),
                     utf8 = atom("UTF8_STRING");

    window = xcb_generate_id(c);
    const uint32_t events = XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 300, 200, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_EVENT_MASK,
                      &events);
    if (!title.empty()) {
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom("_NET_WM_NAME"), utf8, 8,
                            static_cast<uint32_t>(title.size()), title.data());
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                            static_cast<uint32_t>(title.size()), title.data());
        xcb_map_window(c, window);
    }
    const bool owns = mode == "own-stalling" || mode == "own-silent";
    if (owns) {
        xcb_set_selection_owner(c, window, clipboard, XCB_CURRENT_TIME);
        if (owner(clipboard) != window) return 3;
    }
    xcb_flush(c);
    note("ready");

    const auto ask = [&] {
        xcb_convert_selection(c, window, clipboard, wanted, property, XCB_CURRENT_TIME);
        xcb_flush(c);
    };
    long long next = mode == "ask-every" ? nowMs() : -1;
    xcb_window_t lastOwner = owner(clipboard);
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    for (;;) {
        int timeout = mode == "ask-on-change" ? 5 : 1000;
        if (next >= 0) timeout = int(std::max(0LL, next - nowMs()));
        ::poll(&fd, 1, timeout);
        if (xcb_connection_has_error(c)) return 0;
        if (next >= 0 && nowMs() >= next) {
            ask();
            next = mode == "ask-every" ? nowMs() + n : -1;
        }
        if (mode == "ask-on-change") {
            const xcb_window_t now = owner(clipboard);
            if (now != lastOwner && now != 0) ask();
            lastOwner = now;
        }
        while (xcb_generic_event_t* e = xcb_poll_for_event(c)) {
            switch (e->response_type & ~0x80) {
                case XCB_SELECTION_REQUEST: {
                    auto* r = reinterpret_cast<xcb_selection_request_event_t*>(e);
                    if (mode == "own-stalling" && r->target == targets) {
                        // A list of formats, none of which ever comes.
                        xcb_atom_t offered[64] = {targets};
                        int count = 1;
                        for (int i = 0; i < n && count < 64; ++i)
                            offered[count++] =
                                atom(("text/x-stalling-" + std::to_string(i)).c_str());
                        offered[count++] = utf8;
                        xcb_change_property(c, XCB_PROP_MODE_REPLACE, r->requestor, r->property,
                                            XCB_ATOM_ATOM, 32, count, offered);
                        xcb_selection_notify_event_t answer{};
                        answer.response_type = XCB_SELECTION_NOTIFY;
                        answer.time = r->time;
                        answer.requestor = r->requestor;
                        answer.selection = r->selection;
                        answer.target = r->target;
                        answer.property = r->property;
                        xcb_send_event(c, 0, r->requestor, 0, reinterpret_cast<char*>(&answer));
                        xcb_flush(c);
                    }
                    break;
                }
                case XCB_SELECTION_NOTIFY: {
                    auto* s = reinterpret_cast<xcb_selection_notify_event_t*>(e);
                    if (s->property == XCB_ATOM_NONE) {
                        note("refused");
                        break;
                    }
                    auto* r = xcb_get_property_reply(
                        c,
                        xcb_get_property(c, 1, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0,
                                         1 << 20),
                        nullptr);
                    if (r)
                        note("got " + std::string(static_cast<char*>(xcb_get_property_value(r)),
                                                  xcb_get_property_value_length(r)));
                    std::free(r);
                    break;
                }
                case XCB_KEY_PRESS: {
                    auto* k = reinterpret_cast<xcb_key_press_event_t*>(e);
                    if (mode == "ask-after-key" && (k->state & XCB_MOD_MASK_CONTROL))
                        next = nowMs() + n;
                    break;
                }
                default:
                    break;
            }
            std::free(e);
        }
    }
}
