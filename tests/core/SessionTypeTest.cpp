// Telling a Wayland session, and keeping the program an X11 client there.
#include "core/SessionType.h"

#include <gtest/gtest.h>

namespace vorbix {
namespace {

TEST(SessionType, WaylandByEitherVariable) {
    struct Case {
        const char* sessionType;
        const char* waylandDisplay;
        bool wayland;
    };
    const Case cases[] = {
        {"", "", false},
        {"x11", "", false},
        {"tty", "", false},
        {"wayland", "", true},
        {"Wayland", "", true},
        {"", "wayland-0", true},
        // The display variable alone decides, also beside another session type.
        {"x11", "wayland-1", true},
        {"waylandish", "", false},
        {" wayland", "", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isWaylandSession(c.sessionType, c.waylandDisplay), c.wayland)
            << "[" << c.sessionType << "] [" << c.waylandDisplay << "]";
    }
}

TEST(SessionType, QtIsToldToUseX11WhereItWouldChooseWayland) {
    struct Case {
        bool wayland;
        const char* qpa;
        std::optional<std::string> required;
    };
    const Case cases[] = {
        {true, "", "xcb"},
        {true, "wayland", "xcb"},
        {false, "wayland", "xcb"},
        {true, "wayland-egl", "xcb"},
        {true, "wayland;xcb", "xcb"},
        {true, "Wayland", "xcb"},
        // A choice that already is X11 or needs no screen stays.
        {true, "xcb", std::nullopt},
        {true, "xcb;wayland", std::nullopt},
        {true, "offscreen", std::nullopt},
        {false, "", std::nullopt},
        {false, "xcb", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(requiredQtPlatform(c.wayland, c.qpa), c.required)
            << c.wayland << " [" << c.qpa << "]";
    }
}

}  // namespace
}  // namespace vorbix
