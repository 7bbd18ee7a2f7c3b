#include "core/WindowFit.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vorbix {

namespace {

// Edges in 64 bits: a stored width of 2^31 - 1 at a place of 2^31 - 1 still adds up.
struct Box {
    int64_t left, top, right, bottom;  // right and bottom exclusive
    explicit Box(const Area& a)
        : left(a.x), top(a.y), right(left + a.width), bottom(top + a.height) {}
    Box(int64_t l, int64_t t, int64_t r, int64_t b) : left(l), top(t), right(r), bottom(b) {}
    bool holds(int64_t x, int64_t y) const {
        return x >= left && x < right && y >= top && y < bottom;
    }
};

int64_t overlap(const Box& a, const Box& b) {
    const int64_t w = std::min(a.right, b.right) - std::max(a.left, b.left);
    const int64_t h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// Squared distance from a point to a box.
int64_t distance(const Box& box, int64_t x, int64_t y) {
    const int64_t dx = x < box.left ? box.left - x : x >= box.right ? x - box.right + 1 : 0;
    const int64_t dy = y < box.top ? box.top - y : y >= box.bottom ? y - box.bottom + 1 : 0;
    // The distances are capped so that the squares cannot overflow.
    const int64_t cx = std::min<int64_t>(dx, 1 << 30), cy = std::min<int64_t>(dy, 1 << 30);
    return cx * cx + cy * cy;
}

size_t screenOf(const Box& frame, const std::vector<Area>& screens) {
    size_t best = 0;
    int64_t bestOverlap = 0;
    for (size_t i = 0; i < screens.size(); ++i) {
        const int64_t o = overlap(frame, Box(screens[i]));
        if (o > bestOverlap) {
            best = i;
            bestOverlap = o;
        }
    }
    if (bestOverlap > 0) return best;
    const int64_t cx = frame.left + (frame.right - frame.left) / 2;
    const int64_t cy = frame.top + (frame.bottom - frame.top) / 2;
    for (size_t i = 1; i < screens.size(); ++i)
        if (distance(Box(screens[i]), cx, cy) < distance(Box(screens[best]), cx, cy)) best = i;
    return best;
}

bool onSomeScreen(int64_t x, int64_t y, const std::vector<Area>& screens) {
    return std::any_of(screens.begin(), screens.end(),
                       [&](const Area& s) { return Box(s).holds(x, y); });
}

// Every corner of the head lies on a screen (side by side screens share the head between them).
bool headOnScreens(const Box& head, const std::vector<Area>& screens) {
    for (const int64_t x : {head.left, head.right - 1})
        for (const int64_t y : {head.top, head.bottom - 1})
            if (!onSomeScreen(x, y, screens)) return false;
    return true;
}

int32_t clampedTo32(int64_t value) {
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t fitted(int32_t wanted, int32_t minimum, int32_t available) {
    return std::clamp(wanted > 0 ? wanted : minimum, minimum, std::max(minimum, available));
}

}  // namespace

WindowFit fitToScreens(const WindowRequest& r, const std::vector<Area>& screens) {
    WindowFit fit{r.wanted, r.minimumWidth, r.minimumHeight};
    const FrameExtents& f = r.frame;
    if (screens.empty()) {
        fit.window.width = fitted(r.wanted.width, r.minimumWidth, r.wanted.width);
        fit.window.height = fitted(r.wanted.height, r.minimumHeight, r.wanted.height);
        return fit;
    }
    const Box wantedFrame(r.wanted.x, r.wanted.y,
                          int64_t{r.wanted.x} + std::max(r.wanted.width, 1) + f.left + f.right,
                          int64_t{r.wanted.y} + std::max(r.wanted.height, 1) + f.top + f.bottom);
    const Area& screen = screens[r.centred ? 0 : screenOf(wantedFrame, screens)];

    const int32_t rounding = 2 * std::max(0, r.frameRounding);
    const int32_t roomX = std::max(1, screen.width - f.left - f.right - rounding);
    const int32_t roomY = std::max(1, screen.height - f.top - f.bottom - rounding);
    fit.minimumWidth = std::clamp(r.minimumWidth, 1, roomX);
    fit.minimumHeight = std::clamp(r.minimumHeight, 1, roomY);
    fit.window.width = fitted(r.wanted.width, fit.minimumWidth, roomX);
    fit.window.height = fitted(r.wanted.height, fit.minimumHeight, roomY);

    const int32_t frameWidth = fit.window.width + f.left + f.right;
    const int32_t frameHeight = fit.window.height + f.top + f.bottom;
    if (r.centred) {
        fit.window.x = screen.x + std::max(0, (screen.width - frameWidth) / 2);
        fit.window.y = screen.y + std::max(0, (screen.height - frameHeight) / 2);
        return fit;
    }
    const int64_t headHeight = std::clamp<int64_t>(int64_t{f.top} + r.headHeight, 1, frameHeight);
    const Box head(r.wanted.x, r.wanted.y, int64_t{r.wanted.x} + frameWidth,
                   int64_t{r.wanted.y} + headHeight);
    if (headOnScreens(head, screens)) return fit;
    const int64_t right = int64_t{screen.x} + screen.width - frameWidth;
    const int64_t bottom = int64_t{screen.y} + screen.height - frameHeight;
    fit.window.x =
        clampedTo32(std::clamp<int64_t>(r.wanted.x, screen.x, std::max<int64_t>(screen.x, right)));
    fit.window.y =
        clampedTo32(std::clamp<int64_t>(r.wanted.y, screen.y, std::max<int64_t>(screen.y, bottom)));
    return fit;
}

int32_t sizeToDevice(int32_t scaled, double ratio) {
    return clampedTo32(std::llround(scaled * ratio));
}

int32_t sizeFromDevice(int32_t device, double ratio) {
    return ratio > 0 ? clampedTo32(std::llround(device / ratio)) : device;
}

int32_t placeToDevice(int32_t scaled, int32_t origin, double ratio) {
    return clampedTo32(origin + std::llround((int64_t{scaled} - origin) * ratio));
}

int32_t placeFromDevice(int32_t device, int32_t origin, double ratio) {
    return ratio > 0 ? clampedTo32(origin + std::llround((int64_t{device} - origin) / ratio))
                     : device;
}

}  // namespace vorbix
