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

}  // namespace vorbix
