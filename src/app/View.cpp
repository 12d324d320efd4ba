// The base of every screen and panel: input, update and drawing handed on to its widgets, and
// dragging of the borderless window.
#include "app/View.h"

#include "app/MainWindow.h"
#include "platform/Messages.h"
#include "ui/Widget.h"

namespace glint {

void View::update(int ms) {
    if (dragging_) {
        // A fast flick can leave the window behind; the drag ends rather than jump.
        platform::Rect r = window_.windowRect();
        platform::Point cursor = window_.cursorPosition();
        if (cursor.x < r.left || cursor.x > r.right || cursor.y < r.top || cursor.y > r.bottom) {
            dragging_ = false;
        }
    }
    for (Widget* widget : widgets_) {
        widget->update(ms);
    }
}

void View::draw() {
    for (Widget* widget : widgets_) {
        widget->draw();
    }
}

bool View::wantsRedraw() const {
    for (const Widget* widget : widgets_) {
        if (widget->changedSinceDrawn()) {
            return true;
        }
    }
    return false;
}

void View::noteDrawn() {
    for (Widget* widget : widgets_) {
        widget->noteDrawn();
    }
}

void View::activate() {
    dragging_ = false;
    for (Widget* widget : widgets_) {
        widget->reset();
    }
}

void View::onKeyDown(int key) {
    for (Widget* widget : widgets_) {
        widget->onKeyDown(key);
    }
}

void View::onChar(int character, int repeat) {
    for (Widget* widget : widgets_) {
        widget->onChar(character, repeat);
    }
}

void View::onNavigate(Navigation navigation) {
    if (navigation == Navigation::Back) {
        onKeyDown(platform::vk::kEscape);
    }
}

void View::onMouseMove(int x, int y, std::uint64_t flags) {
    if (dragging_ && draggable) {
        platform::Rect r = window_.windowRect();
        platform::Point cursor = window_.cursorPosition();
        window_.moveWindow(r.left + (cursor.x - dragAnchor_.x), r.top + (cursor.y - dragAnchor_.y),
                           r.width(), r.height());
        dragAnchor_ = cursor;
    }
    for (Widget* widget : widgets_) {
        if (widget->onMouseMove(x, y, flags)) {
            dragging_ = false;
            break;
        }
    }
}

void View::onLButtonUp(int x, int y, std::uint64_t flags) {
    dragging_ = false;
    for (Widget* widget : widgets_) {
        if (widget->onLButtonUp(x, y, flags)) {
            dragging_ = false;
        }
    }
}

void View::onLButtonDown(int x, int y, std::uint64_t flags) {
    dragging_ = true;
    dragAnchor_ = window_.cursorPosition();
    for (Widget* widget : widgets_) {
        if (widget->onLButtonDown(x, y, flags)) {
            dragging_ = false;
        }
    }
}

void View::onRButtonUp(int x, int y, std::uint64_t flags) {
    dragging_ = false;
    for (Widget* widget : widgets_) {
        widget->onRButtonUp(x, y, flags);
    }
}

void View::onCommand(Widget* /*widget*/) {
    dragging_ = false;
}

void View::onDialogClosed(int /*result*/, View* /*dialog*/) {}

}  // namespace glint
