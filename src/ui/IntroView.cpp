// The picture shown while the program loads its assets.
#include "ui/IntroView.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdlib>

#include "app/App.h"
#include "app/MainWindow.h"
#include "render/Projection.h"

namespace glint {

namespace {

// Milliseconds of the machine's running clock: a different seed on every start.
unsigned clockMilliseconds() {
    using namespace std::chrono;
    return static_cast<unsigned>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

IntroView::IntroView(MainWindow& window, App& app) : View(window), app_(app) {
    std::srand(clockMilliseconds());
    picture_.loadFromMemory(app.pack.readEntry(kPicturePath).data, false, false);
}

void IntroView::activate() {
    View::activate();
    setupProjection(window_.width, window_.height);
    glLoadIdentity();
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
}

void IntroView::draw() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const float w = static_cast<float>(app_.camera.width);
    const float h = static_cast<float>(app_.camera.height);
    constexpr float z = -10.0f;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, picture_.name);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    // Texture row 0 is the picture's bottom row: it goes to the screen's bottom edge.
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(0.0f, 0.0f, z);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(w, 0.0f, z);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(w, h, z);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(0.0f, h, z);
    glEnd();
    View::draw();
}

}  // namespace glint
