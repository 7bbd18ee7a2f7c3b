#include "core/SessionType.h"

#include <cstdlib>

#include "core/TextUtil.h"

namespace vorbix {

bool isWaylandSession(std::string_view xdgSessionType, std::string_view waylandDisplay) {
    return equalsIgnoreCase(xdgSessionType, "wayland") || !waylandDisplay.empty();
}

bool isWaylandSession() {
    const char* type = std::getenv("XDG_SESSION_TYPE");
    const char* display = std::getenv("WAYLAND_DISPLAY");
    return isWaylandSession(type ? type : "", display ? display : "");
}

std::optional<std::string> requiredQtPlatform(bool wayland, std::string_view qtQpaPlatform) {
    if (startsWithIgnoreCase(qtQpaPlatform, "wayland") || (wayland && qtQpaPlatform.empty())) {
        return "xcb";
    }
    return std::nullopt;
}

std::string waylandSocketPath(std::string_view runtimeDir, std::string_view waylandDisplay) {
    if (!waylandDisplay.empty() && waylandDisplay.front() == '/')
        return std::string(waylandDisplay);
    if (runtimeDir.empty()) return {};
    std::string path(runtimeDir);
    if (path.back() != '/') path += '/';
    path += waylandDisplay.empty() ? std::string_view("wayland-0") : waylandDisplay;
    return path;
}

HotKeyRoute chooseHotKeyRoute(bool wayland, bool compositorListens,
                              uint32_t globalShortcutsVersion) {
    return wayland && compositorListens && globalShortcutsVersion > 0 ? HotKeyRoute::Portal
                                                                      : HotKeyRoute::X11;
}

}  // namespace vorbix
