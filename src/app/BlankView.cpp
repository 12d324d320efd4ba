// The screen shown while the program has no menu to offer: an empty black window that can be
// dragged, and that closes the program on Escape.
#include "app/BlankView.h"

#include <GL/gl.h>

#include "app/App.h"
#include "platform/Messages.h"

namespace glint {

BlankView::BlankView(MainWindow& window) : View(window) {
    draggable = true;
}

void BlankView::draw() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    View::draw();
}

void BlankView::onKeyDown(int key) {
    if (key == platform::vk::kEscape) {
        App::quit();
    }
    View::onKeyDown(key);
}

void BlankView::onCloseRequest() {
    App::quit();
}

}  // namespace glint
