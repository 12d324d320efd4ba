// A modal panel drawn over the current screen; it works in the units of an 800 x 600 reference
// screen whatever the window's size, and answers Escape and Enter.
#pragma once

#include "app/View.h"

namespace glint {

class Dialog : public View {
public:
    using View::View;

    // The reference screen the panel is laid out on (the logical screen, 800 x 600).
    void setReferenceSize(int width, int height) {
        refWidth = width;
        refHeight = height;
    }

    // Moves to the panel's corner and draws the widgets with texturing on. The translation is
    // left in place: the caller brackets the call with a matrix push and pop.
    void draw() override;
    // Escape closes with result 1, Enter with result 0 (at the next frame step); every key,
    // these two included, then goes to the widgets.
    void onKeyDown(int key) override;
    // Mouse coordinates are mapped into the panel before the widgets see them.
    void onMouseMove(int x, int y, std::uint64_t flags) override;
    void onLButtonUp(int x, int y, std::uint64_t flags) override;
    void onLButtonDown(int x, int y, std::uint64_t flags) override;
    void onCommand(Widget* widget) override = 0;

    // Window client pixels to panel units of the reference screen.
    platform::Point mapToPanel(int x, int y) const;

    // Covers the reference screen with a translucent colour, when dimBackdrop is set.
    void drawDimmer(float red, float green, float blue, float alpha);
    // Draws the bound texture over the panel's background rectangle, when drawBackground is
    // set.
    void drawPanelBackground(float red, float green, float blue, float alpha);

    int refWidth = 800;
    int refHeight = 600;
    bool dimBackdrop = false;
    float panelX = 0.0f;
    float panelY = 0.0f;
    int backgroundWidth = 100;
    int backgroundHeight = 100;
    bool drawBackground = true;
};

}  // namespace glint
