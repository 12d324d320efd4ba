// Where the window opens: the stored geometry, kept sane and on the desktop.
#include "app/WindowPlacement.h"

#include <algorithm>

namespace glint {

namespace {

constexpr int kMinSize = 320;
constexpr int kMaxSize = 16384;
// Far beyond any desktop, and far from the ends of int: positions read from a file are held
// within it before anything is added to them.
constexpr int kMaxPosition = 1 << 20;

// Moves [start, start + size) onto [low, high) when they do not overlap at all; as far as it
// fits, the whole window comes onto the desktop.
int bringOnto(int start, int size, int low, int high) {
    if (start + size > low && start < high) {
        return start;
    }
    return std::max(low, std::min(start, high - size));
}

}  // namespace

WindowGeometry placeWindow(WindowGeometry g, const platform::Rect& desktop) {
    if (g.width < kMinSize || g.width > kMaxSize || g.height < kMinSize || g.height > kMaxSize) {
        g.width = 800;
        g.height = 600;
    }
    g.x = std::clamp(g.x, -kMaxPosition, kMaxPosition);
    g.y = std::clamp(g.y, -kMaxPosition, kMaxPosition);
    if (desktop.width() <= 0 || desktop.height() <= 0) {
        return g;
    }
    // Halving pulls a window stored for a larger screen back towards this one.
    if (g.x + g.width / 2 >= desktop.width()) {
        g.x = g.x / 2;
    }
    if (g.y + g.height / 2 >= desktop.height()) {
        g.y = g.y / 2;
    }
    g.x = bringOnto(g.x, g.width, desktop.left, desktop.right);
    g.y = bringOnto(g.y, g.height, desktop.top, desktop.bottom);
    return g;
}

int fittingScale(int scale, int width, int height, const platform::Rect& desktop) {
    scale = std::clamp(scale, 1, 8);
    const bool known = desktop.width() > 0 && desktop.height() > 0;
    while (scale > 1 &&
           (width * scale > kMaxSize || height * scale > kMaxSize ||
            (known && (width * scale > desktop.width() || height * scale > desktop.height())))) {
        --scale;
    }
    return scale;
}

platform::Rect pictureArea(int windowWidth, int windowHeight, int logicalWidth, int logicalHeight,
                           bool keepAspect) {
    if (windowWidth <= 0 || windowHeight <= 0) {
        return platform::Rect{};
    }
    if (!keepAspect || logicalWidth <= 0 || logicalHeight <= 0) {
        return platform::Rect{0, 0, windowWidth, windowHeight};
    }
    const long long w = windowWidth;
    const long long h = windowHeight;
    int shownWidth = windowWidth;
    int shownHeight = windowHeight;
    if (w * logicalHeight > h * logicalWidth) {
        // Wider than the picture: bars left and right.
        shownWidth = static_cast<int>(h * logicalWidth / logicalHeight);
    } else {
        shownHeight = static_cast<int>(w * logicalHeight / logicalWidth);
    }
    const int left = (windowWidth - shownWidth) / 2;
    const int top = (windowHeight - shownHeight) / 2;
    return platform::Rect{left, top, left + shownWidth, top + shownHeight};
}

}  // namespace glint
