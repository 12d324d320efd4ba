// A desktop that exists only in the test: an active 800 x 600 window whose rectangle and cursor
// the test sets by hand.
#pragma once

#include "app/MainWindow.h"
#include "platform/Window.h"

namespace glint {

class TestWindow : public MainWindow {
public:
    TestWindow(platform::Rect placed = {100, 100, 900, 700}, platform::Point at = {0, 0})
        : MainWindow(nullptr), rect(placed), cursor(at) {
        width = 800;
        height = 600;
        active = true;
    }
    platform::Rect windowRect() const override { return rect; }
    platform::Point cursorPosition() const override { return cursor; }
    void moveWindow(int newX, int newY, int w, int h) override {
        rect = platform::Rect{newX, newY, newX + w, newY + h};
    }

    platform::Rect rect;
    platform::Point cursor;
};

}  // namespace glint
