// The WM_CLASS of the window that has the keyboard focus, so that the clipboard insertion can
// tell a terminal from other programs. Internal to platform/x11.
#pragma once

#include <cstdint>
#include <string>

struct xcb_connection_t;

namespace vorbix::x11 {

struct FocusedWindow {
    uint32_t window = 0;  // the focus window; 0 for None and PointerRoot
    std::string instance;
    std::string windowClass;
};

// The focus window and the WM_CLASS of it or of its nearest ancestor that has one (a client may
// give the focus to a child window of its top-level window). Empty names when none has one.
FocusedWindow focusedWindow(xcb_connection_t* c);

}  // namespace vorbix::x11
