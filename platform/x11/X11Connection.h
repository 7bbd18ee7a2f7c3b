// The running application's X connection, shared by the X11 classes. Internal to platform/x11.
#pragma once

#include <cstdint>

struct xcb_connection_t;
struct _XDisplay;

namespace vorbix::x11 {

// The QGuiApplication's connection and Xlib display; null without an xcb application.
xcb_connection_t* applicationConnection();
_XDisplay* applicationDisplay();

// A monotonic clock in milliseconds, for the short caches of server state.
int64_t monotonicMs();

}  // namespace vorbix::x11
