// Where a top-level window opens so that a person can use it, whatever geometry a configuration
// file holds and whatever scale the screens have: its size fits the available area of a screen,
// and its title bar and menus lie on the screens. Plain arithmetic on pixels of one kind (the
// caller's), and the conversions between device pixels (as Config.ini keeps sizes and places)
// and a toolkit's scaled pixels.
#pragma once

#include <cstdint>
#include <vector>

namespace vorbix {

// A rectangle: left, top, width, height.
struct Area {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    bool operator==(const Area&) const = default;
};

// The window manager's frame around the client area, as far as it is known.
struct FrameExtents {
    int32_t left = 0;
    int32_t top = 0;  // the title bar
    int32_t right = 0;
    int32_t bottom = 0;
};

struct WindowRequest {
    // x, y: the frame's top-left corner; width, height: the client area (0 or less: the minimum).
    Area wanted;
    // Opens in the middle of the first screen; x and y are not looked at.
    bool centred = false;
    // The designed smallest client size.
    int32_t minimumWidth = 0;
    int32_t minimumHeight = 0;
    FrameExtents frame;
    // How much wider than it reads each side of the frame may be (a scaled frame is rounded);
    // the size leaves room for it.
    int32_t frameRounding = 0;
    // The height of what lies below the title bar and must be reachable too (the menus).
    int32_t headHeight = 0;
};

struct WindowFit {
    Area window;  // the frame's top-left corner and the client size
    // The designed minimum, made smaller where the screen is smaller.
    int32_t minimumWidth = 0;
    int32_t minimumHeight = 0;
};

// `screens` are the available areas (without panels), the primary screen first. The window's
// screen is the first one for a centred window, else the one it covers most, else the nearest.
// Its client size is at least the minimum and at most that screen's area less the frame; the
// minimum itself yields to a smaller screen. The window keeps its place while its head (the
// title bar and the menus, across the whole width) lies on the screens; otherwise it moves
// onto its screen, as little as it takes to lie wholly on it. No screens: the wanted geometry,
// not below the minimum.
WindowFit fitToScreens(const WindowRequest& request, const std::vector<Area>& screens);

// Sizes between scaled and device pixels, for `ratio` device pixels per scaled pixel (rounded;
// a size survives the way there and back).
int32_t sizeToDevice(int32_t scaled, double ratio);
int32_t sizeFromDevice(int32_t device, double ratio);
// A place on a screen whose top-left corner lies at `origin` in both kinds of pixels (as Qt
// places scaled screens).
int32_t placeToDevice(int32_t scaled, int32_t origin, double ratio);
int32_t placeFromDevice(int32_t device, int32_t origin, double ratio);

}  // namespace vorbix
