// Where the window opens: the stored geometry, kept sane and on the desktop.
#pragma once

#include "platform/Window.h"

namespace glint {

struct WindowGeometry {
    int x = 0;
    int y = 0;
    int width = 800;
    int height = 600;
};

// A width or height outside 320 to 16384 opens 800 x 600. A stored x or y beyond a million
// pixels either way counts as that million, so that no arithmetic on it can overflow. A window
// whose centre lies past the desktop's right (bottom) edge has its x (y) halved once. A window of
// which no part would be on the desktop is then moved just far enough to lie on it. An empty
// desktop (unknown) leaves the position as it is.
WindowGeometry placeWindow(WindowGeometry stored, const platform::Rect& desktop);

// The window size for a scale: stored (already placed) width and height times scale, with scale
// lowered (down to 1) until the window fits on the desktop and within the largest window size.
// Scale is held within 1 to 8 first.
int fittingScale(int scale, int width, int height, const platform::Rect& desktop);

// Where a logical screen is shown in a window of the given pixel size: the whole window, or,
// with keepAspect, the largest centred rectangle of the screen's aspect (black bars beside or
// above and below it). Empty when the window's size is unknown.
platform::Rect pictureArea(int windowWidth, int windowHeight, int logicalWidth, int logicalHeight,
                           bool keepAspect);

}  // namespace glint
