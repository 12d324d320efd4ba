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

}  // namespace glint
