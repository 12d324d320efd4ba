// A modal panel drawn over the current screen; it works in the units of an 800 x 600 reference
// screen whatever the window's size, and answers Escape and Enter.
#include "app/Dialog.h"

#include <GL/gl.h>

#include <cmath>

#include "app/MainWindow.h"
#include "platform/Messages.h"

namespace glint {

platform::Point Dialog::mapToPanel(int x, int y) const {
    // Through the part of the window that shows the picture; a size not yet known maps one to
    // one rather than dividing by zero.
    const platform::Point p = window_.toLogical(x, y, refWidth, refHeight);
    return platform::Point{p.x - static_cast<int>(std::trunc(panelX)),
                           p.y - static_cast<int>(std::trunc(panelY))};
}

void Dialog::onMouseMove(int x, int y, std::uint64_t flags) {
    platform::Point p = mapToPanel(x, y);
    View::onMouseMove(p.x, p.y, flags);
}

void Dialog::onLButtonUp(int x, int y, std::uint64_t flags) {
    platform::Point p = mapToPanel(x, y);
    View::onLButtonUp(p.x, p.y, flags);
}

void Dialog::onLButtonDown(int x, int y, std::uint64_t flags) {
    platform::Point p = mapToPanel(x, y);
    View::onLButtonDown(p.x, p.y, flags);
}

void Dialog::onKeyDown(int key) {
    if (key == platform::vk::kEscape) {
        result = 1;
        window_.closeTop(false);
    } else if (key == platform::vk::kReturn) {
        result = 0;
        window_.closeTop(false);
    }
    View::onKeyDown(key);
}

void Dialog::draw() {
    glTranslatef(panelX, panelY, 0.5f);
    glEnable(GL_TEXTURE_2D);
    View::draw();
    glDisable(GL_TEXTURE_2D);
}

void Dialog::drawDimmer(float red, float green, float blue, float alpha) {
    if (!dimBackdrop) {
        return;
    }
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_ALPHA_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glTranslatef(0.0f, 0.0f, 0.5f);
    glColor4f(red, green, blue, alpha);
    float w = static_cast<float>(refWidth);
    float h = static_cast<float>(refHeight);
    glBegin(GL_TRIANGLE_STRIP);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(0.0f, h);
    glVertex2f(w, 0.0f);
    glVertex2f(w, h);
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
}

void Dialog::drawPanelBackground(float red, float green, float blue, float alpha) {
    if (!drawBackground) {
        return;
    }
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
    glTranslatef(panelX, panelY, 0.5f);
    glColor4f(red, green, blue, alpha);
    float w = static_cast<float>(backgroundWidth);
    float h = static_cast<float>(backgroundHeight);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(0.0f, h);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(w, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(w, h);
    glEnd();
    glTranslatef(-panelX, -panelY, 0.0f);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

}  // namespace glint
