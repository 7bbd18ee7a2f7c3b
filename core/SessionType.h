// Whether the desktop session is a Wayland session. The program's hot keys are X11 grabs; under
// XWayland they reach it only while a window of an X11 program has the focus.
#pragma once

#include <cstdint>
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

// Where the compositor listens, as Wayland clients find it: WAYLAND_DISPLAY itself when it is
// an absolute path, otherwise that name ("wayland-0" when unset or empty) in XDG_RUNTIME_DIR;
// empty when there is no runtime folder to look in.
std::string waylandSocketPath(std::string_view runtimeDir, std::string_view waylandDisplay);

// How the program's hot keys reach it.
enum class HotKeyRoute {
    X11,     // grabs on the X server (under XWayland: only while an X11 window has the focus)
    Portal,  // the desktop's GlobalShortcuts portal, wherever the focus is
};
// The portal in a Wayland session whose compositor is there to ask and whose portal offers
// global shortcuts (interface version above 0); X11 everywhere else.
HotKeyRoute chooseHotKeyRoute(bool wayland, bool compositorListens,
                              uint32_t globalShortcutsVersion);

}  // namespace vorbix
