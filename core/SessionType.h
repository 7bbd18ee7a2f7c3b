// Whether the desktop session is a Wayland session. The program's hot keys are X11 grabs; under
// XWayland they reach it only while a window of an X11 program has the focus.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorbix {

// A Wayland session: XDG_SESSION_TYPE is "wayland" (letter case ignored) or WAYLAND_DISPLAY is
// set to a non-empty value.
bool isWaylandSession(std::string_view xdgSessionType, std::string_view waylandDisplay);
// The same for this process's environment.
bool isWaylandSession();

// The Qt platform the program must ask for, given the session and the QT_QPA_PLATFORM value:
// "xcb" where Qt would otherwise run it as a Wayland client (a Wayland session with no choice
// made, or a choice that starts with "wayland"), since its hot keys, key strokes and window
// control are X11's; nullopt keeps Qt's choice ("xcb", "offscreen", ...).
std::optional<std::string> requiredQtPlatform(bool wayland, std::string_view qtQpaPlatform);

}  // namespace vorbix
