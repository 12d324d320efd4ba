// Where the window opens, from the stored geometry and the desktop's size.
#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <climits>

namespace glint {
namespace {

const platform::Rect kDesktop{0, 0, 1280, 1024};

WindowGeometry place(int x, int y, int w = 800, int h = 600) {
    return placeWindow(WindowGeometry{x, y, w, h}, kDesktop);
}

TEST(WindowPlacement, AWindowWhoseCentreIsOffToTheRightHasItsXHalvedOnce) {
    EXPECT_EQ(place(1000, 0).x, 500);
    EXPECT_EQ(place(479, 0).x, 479);  // centre at 879: stays
    EXPECT_EQ(place(0, 800).y, 400);
}

TEST(WindowPlacement, APartlyVisibleWindowStaysWhereItWas) {
    WindowGeometry g = place(-300, 50);
    EXPECT_EQ(g.x, -300);
    EXPECT_EQ(g.y, 50);
}

TEST(WindowPlacement, AWindowEntirelyOffTheDesktopIsBroughtBack) {
    // Halving once still leaves x = 1500 off a 1280-pixel desktop.
    EXPECT_EQ(place(3000, 0).x, 480);
    EXPECT_EQ(place(-5000, 0).x, 0);
    EXPECT_EQ(place(0, -900).y, 0);
    EXPECT_EQ(place(0, 5000).y, 424);
    // The ends of int, as a damaged settings file may hold them, without overflowing.
    EXPECT_EQ(place(INT_MAX, 0).x, 480);
    EXPECT_EQ(place(INT_MIN, 0).x, 0);
    EXPECT_EQ(place(0, INT_MAX).y, 424);
    EXPECT_EQ(place(0, INT_MIN).y, 0);
    EXPECT_EQ(placeWindow(WindowGeometry{INT_MAX, INT_MIN, 800, 600}, platform::Rect{}).x, 1 << 20);
}

TEST(WindowPlacement, ImpossibleSizesOpenEightHundredBySixHundred) {
    for (auto [w, h] : {std::pair{0, 600}, {800, 0}, {319, 600}, {800, 16385}, {-800, -600}}) {
        WindowGeometry g = place(0, 0, w, h);
        EXPECT_EQ(g.width, 800);
        EXPECT_EQ(g.height, 600);
    }
    WindowGeometry kept = place(0, 0, 320, 16384);
    EXPECT_EQ(kept.width, 320);
    EXPECT_EQ(kept.height, 16384);
}

TEST(WindowPlacement, AnUnknownDesktopLeavesThePositionAlone) {
    WindowGeometry g = placeWindow(WindowGeometry{3000, -40, 800, 600}, platform::Rect{});
    EXPECT_EQ(g.x, 3000);
    EXPECT_EQ(g.y, -40);
}

TEST(WindowPlacement, ADesktopNotAtTheOriginIsRespected) {
    const platform::Rect second{1920, 0, 3200, 1024};
    // Halved to 2500, which overlaps the desktop: kept.
    EXPECT_EQ(placeWindow(WindowGeometry{5000, 0, 800, 600}, second).x, 2500);
    // Halved to 4500, still beyond it: pulled back to its right edge.
    EXPECT_EQ(placeWindow(WindowGeometry{9000, 0, 800, 600}, second).x, 2400);
}

TEST(WindowPlacement, AScaleIsLoweredUntilTheWindowFitsTheDesktop) {
    struct Case {
        int scale;
        platform::Rect desktop;
        int expected;
    };
    for (const Case& c : {
             Case{2, platform::Rect{0, 0, 1920, 1200}, 2},  // 1600 x 1200 fits exactly
             Case{2, platform::Rect{0, 0, 1920, 1080}, 1},  // 1200 rows do not
             Case{3, platform::Rect{0, 0, 3840, 2160}, 3},
             Case{8, platform::Rect{0, 0, 3840, 2160}, 3},
             Case{0, platform::Rect{0, 0, 3840, 2160}, 1}, Case{-5, platform::Rect{}, 1},
             Case{99, platform::Rect{}, 8},  // an unknown desktop: only the limits apply
         }) {
        EXPECT_EQ(fittingScale(c.scale, 800, 600, c.desktop), c.expected)
            << c.scale << " on " << c.desktop.width() << " x " << c.desktop.height();
    }
    EXPECT_EQ(fittingScale(8, 4000, 3000, platform::Rect{}), 4);  // 16000 x 12000 at most
}

TEST(WindowPlacement, FullScreenShowsThePictureCentredWithItsAspectKept) {
    struct Case {
        int width, height;
        bool keepAspect;
        platform::Rect expected;
    };
    for (const Case& c : {
             Case{1920, 1200, true, platform::Rect{160, 0, 1760, 1200}},  // bars left and right
             Case{1280, 1024, true, platform::Rect{0, 32, 1280, 992}},    // above and below
             Case{1600, 1200, true, platform::Rect{0, 0, 1600, 1200}},
             Case{1920, 1200, false, platform::Rect{0, 0, 1920, 1200}},  // a window stretches
             Case{0, 600, true, platform::Rect{}},
         }) {
        const platform::Rect r = pictureArea(c.width, c.height, 800, 600, c.keepAspect);
        EXPECT_EQ(r.left, c.expected.left) << c.width << " x " << c.height;
        EXPECT_EQ(r.top, c.expected.top) << c.width << " x " << c.height;
        EXPECT_EQ(r.right, c.expected.right) << c.width << " x " << c.height;
        EXPECT_EQ(r.bottom, c.expected.bottom) << c.width << " x " << c.height;
    }
}

}  // namespace
}  // namespace glint
