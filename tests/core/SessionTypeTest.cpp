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

TEST(SessionType, FindsTheCompositorSocketAsWaylandClientsDo) {
    struct Case {
        const char* runtimeDir;
        const char* display;
        const char* path;
    };
    const Case cases[] = {
        {"/run/user/1000", "wayland-1", "/run/user/1000/wayland-1"},
        {"/run/user/1000/", "wayland-1", "/run/user/1000/wayland-1"},
        {"/run/user/1000", "", "/run/user/1000/wayland-0"},
        {"/run/user/1000", "/tmp/kwin-test/socket", "/tmp/kwin-test/socket"},
        {"", "/tmp/kwin-test/socket", "/tmp/kwin-test/socket"},
        {"", "wayland-0", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(waylandSocketPath(c.runtimeDir, c.display), c.path)
            << c.runtimeDir << " " << c.display;
}

TEST(SessionType, ThePortalCarriesTheHotKeysOnlyWhereItCan) {
    struct Case {
        bool wayland;
        bool compositorListens;
        uint32_t version;
        HotKeyRoute route;
    };
    const Case cases[] = {
        {true, true, 1, HotKeyRoute::Portal},
        {true, true, 2, HotKeyRoute::Portal},
        // No GlobalShortcuts (GNOME before 48, wlroots portals, no portal at all).
        {true, true, 0, HotKeyRoute::X11},
        // WAYLAND_DISPLAY names a compositor that is not there.
        {true, false, 1, HotKeyRoute::X11},
        // An X11 session keeps its grabs even where a portal offers shortcuts.
        {false, true, 2, HotKeyRoute::X11},
        {false, false, 0, HotKeyRoute::X11},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chooseHotKeyRoute(c.wayland, c.compositorListens, c.version), c.route)
            << c.wayland << c.compositorListens << " v" << c.version;
    }
}

}  // namespace
}  // namespace vorbix
