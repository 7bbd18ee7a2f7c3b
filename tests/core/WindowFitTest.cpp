// Where a window opens: its stored geometry fitted to the screens that exist.
#include "core/WindowFit.h"

#include <gtest/gtest.h>

#include <climits>

namespace vorbix {
namespace {

const std::vector<Area> kTwoScreens{{0, 0, 1280, 1024}, {1280, 0, 1920, 1080}};

std::string text(const Area& a) {
    return std::to_string(a.x) + "," + std::to_string(a.y) + " " + std::to_string(a.width) + "x" +
           std::to_string(a.height);
}

TEST(WindowFit, AStoredPlaceKeepsItsHeadOnTheScreens) {
    // No frame, no menus, no minimum: the place alone.
    struct Case {
        Area wanted;
        Area opened;
    } cases[] = {
        {{100, 100, 600, 600}, {100, 100, 600, 600}},    // on the first screen
        {{2000, 400, 600, 600}, {2000, 400, 600, 600}},  // on the second
        {{1250, 50, 600, 600}, {1250, 50, 600, 600}},    // its head across both
        {{100, 600, 600, 600}, {100, 600, 600, 600}},    // the foot may hang below
        {{-560, 10, 600, 600}, {0, 10, 600, 600}},       // the head's left end off: moved
        {{5000, 300, 600, 600}, {2600, 300, 600, 600}},  // right of the second screen
        {{500, -3000, 600, 600}, {500, 0, 600, 600}},    // above the first
        {{200, 1200, 600, 600}, {200, 424, 600, 600}},   // below the first, nearer to it
        {{9000, 9000, 30, 30}, {3170, 1050, 30, 30}},    // a small window, far away
        {{1300, 1050, 600, 20}, {1300, 1050, 600, 20}},  // the second screen's lower edge
        {{100, 1050, 600, 20},
         {100, 1004, 600, 20}},  // below the first, where only the second reaches
        {{-9000, -9000, 2000, 2000}, {0, 0, 1280, 1024}},   // larger than a screen: as large
        {{9000, 9000, 2500, 2000}, {1280, 0, 1920, 1080}},  // the nearest screen's size
    };
    for (const Case& c : cases) {
        WindowRequest request;
        request.wanted = c.wanted;
        EXPECT_EQ(text(fitToScreens(request, kTwoScreens).window), text(c.opened))
            << text(c.wanted);
    }
}

TEST(WindowFit, AbsurdOrScaledSizesFitTheScreenWithFrameAndMenus) {
    const FrameExtents frame{4, 24, 4, 4};
    const std::vector<Area> one{{0, 0, 1280, 1024}};
    // A 1280 x 1024 screen at 2.25 scaled pixels per device pixel.
    const std::vector<Area> scaled{{0, 0, 569, 455}};
    struct Case {
        const char* name;
        Area wanted;
        bool centred;
        std::vector<Area> screens;
        Area opened;
        int minimumWidth, minimumHeight;
    } cases[] = {
        {"designed size, centred", {0, 0, 807, 532}, true, one, {232, 232, 807, 532}, 807, 532},
        {"no size stored", {0, 0, 0, -5}, true, one, {232, 232, 807, 532}, 807, 532},
        {"below the minimum", {40, 40, 100, 100}, false, one, {40, 40, 807, 532}, 807, 532},
        {"absurd width far left",
         {-50000, 10, 99999, 600},
         false,
         one,
         {0, 10, 1272, 600},
         807,
         532},
        {"largest numbers",
         {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
         false,
         one,
         {0, 0, 1272, 996},
         807,
         532},
        {"smallest numbers",
         {INT_MIN, INT_MIN, INT_MIN, INT_MIN},
         false,
         one,
         {0, 0, 807, 532},
         807,
         532},
        // Centred on a screen smaller than the design: the minimum yields, nothing is negative.
        {"scaled, centred", {0, 0, 807, 532}, true, scaled, {0, 0, 561, 427}, 561, 427},
        {"scaled, saved off the top",
         {-267, -68, 807, 532},
         false,
         scaled,
         {0, 0, 561, 427},
         561,
         427},
        // The title bar is on the screen but the menus below it are not.
        {"menus below the screen",
         {100, 1000, 807, 532},
         false,
         one,
         {100, 464, 807, 532},
         807,
         532},
    };
    for (const Case& c : cases) {
        WindowRequest request;
        request.wanted = c.wanted;
        request.centred = c.centred;
        request.minimumWidth = 807;
        request.minimumHeight = 532;
        request.frame = frame;
        request.headHeight = 25;
        const WindowFit fit = fitToScreens(request, c.screens);
        EXPECT_EQ(text(fit.window), text(c.opened)) << c.name;
        EXPECT_EQ(fit.minimumWidth, c.minimumWidth) << c.name;
        EXPECT_EQ(fit.minimumHeight, c.minimumHeight) << c.name;
    }
}

TEST(WindowFit, AScaledFrameReadRoundedLeavesRoomForAPixelEachSide) {
    WindowRequest request;
    request.wanted = {0, 0, 807, 532};
    request.centred = true;
    request.minimumWidth = 807;
    request.minimumHeight = 532;
    request.frame = {0, 9, 0, 2};
    request.frameRounding = 1;
    const WindowFit fit = fitToScreens(request, {{0, 0, 569, 455}});
    EXPECT_EQ(text(fit.window), text({1, 1, 567, 442}));
    EXPECT_EQ(fit.minimumWidth, 567);
}

TEST(WindowFit, WithoutScreensTheWishStandsAboveTheMinimum) {
    WindowRequest request;
    request.wanted = {9000, -9000, 10, 900};
    request.minimumWidth = 100;
    request.minimumHeight = 100;
    EXPECT_EQ(text(fitToScreens(request, {}).window), text({9000, -9000, 100, 900}));
}

TEST(WindowFit, DevicePixelsTravelBetweenScales) {
    struct Case {
        double ratio;
        int32_t scaled, device;
    } sizes[] = {
        {1.0, 807, 807}, {1.5, 807, 1211}, {1.25, 807, 1009}, {2.25, 569, 1280}, {2.0, 0, 0},
    };
    for (const Case& c : sizes) {
        EXPECT_EQ(sizeToDevice(c.scaled, c.ratio), c.device) << c.ratio;
        EXPECT_EQ(sizeFromDevice(c.device, c.ratio), c.scaled) << c.ratio;
    }
    // Every scaled size comes back unchanged from device pixels.
    for (double ratio : {1.0, 1.25, 1.5, 1.75, 2.0, 2.25, 3.0})
        for (int32_t v = 0; v < 4000; v += 7)
            ASSERT_EQ(sizeFromDevice(sizeToDevice(v, ratio), ratio), v) << ratio;
    // Places count from the screen's corner, which both kinds of pixels share.
    struct Place {
        int32_t scaled, origin;
        double ratio;
        int32_t device;
    } places[] = {
        {100, 0, 1.5, 150},
        {1380, 1280, 2.0, 1480},
        {-10, 0, 2.0, -20},
        {1280, 1280, 3.0, 1280},
    };
    for (const Place& p : places) {
        EXPECT_EQ(placeToDevice(p.scaled, p.origin, p.ratio), p.device) << p.scaled;
        EXPECT_EQ(placeFromDevice(p.device, p.origin, p.ratio), p.scaled) << p.device;
    }
    EXPECT_EQ(sizeToDevice(INT_MAX, 2.0), INT_MAX);
}

}  // namespace
}  // namespace vorbix
