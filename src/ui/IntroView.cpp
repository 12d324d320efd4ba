// The picture shown while the program loads its assets.
#include "ui/IntroView.h"

#include <GL/gl.h>

#include <chrono>
#include <cstdlib>

#include "app/App.h"
#include "app/MainWindow.h"
#include "render/PictureBand.h"
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
    window_.setUpProjection();
    glLoadIdentity();
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.5f);
}

void IntroView::draw() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Upright: the picture's bottom row along the screen's bottom edge.
    drawPictureBand(picture_, 1, 1, 0.0f, 0.0f, static_cast<float>(app_.camera.width),
                    static_cast<float>(app_.camera.height), -10.0f);
    View::draw();
}

}  // namespace glint
