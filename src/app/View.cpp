// The base of every screen and panel: input, update and drawing handed on to its widgets, and
// dragging of the borderless window.
#include "app/View.h"

#include <algorithm>
#include <cmath>
#include <limits>

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
    namespace vk = platform::vk;
    const bool waitingForKey = std::any_of(widgets_.begin(), widgets_.end(),
                                           [](const Widget* w) { return w->takesEveryKey(); });
    if (!waitingForKey) {
        if (key == vk::kTab) {
            onNavigate(platform::isKeyHeld(platform::HeldKey::Shift) ? Navigation::Previous
                                                                     : Navigation::Next);
            return;
        }
        // Space types into a text box; without a focus it does what it always did (nothing).
        if (key == vk::kSpace && focus_ != nullptr && !focus_->takesText()) {
            onNavigate(Navigation::Activate);
            return;
        }
    }
    for (Widget* widget : widgets_) {
        widget->onKeyDown(key);
    }
}

void View::onChar(int character, int repeat) {
    for (Widget* widget : widgets_) {
        widget->onChar(character, repeat);
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
            followPointer(widget, false);
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
    Widget* claimant = nullptr;
    for (Widget* widget : widgets_) {
        if (widget->onLButtonDown(x, y, flags)) {
            dragging_ = false;
            claimant = claimant != nullptr ? claimant : widget;
        }
    }
    followPointer(claimant, true);
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

bool View::isTarget() const {
    return window_.target() == this;
}

void View::setFocus(Widget* widget) {
    if (widget == focus_) {
        return;
    }
    if (focus_ != nullptr) {
        focus_->setFocused(false);
    }
    focus_ = widget;
    if (focus_ != nullptr) {
        focus_->setFocused(true);
    }
}

Widget* View::cycledFocusable(int step) const {
    const int count = static_cast<int>(widgets_.size());
    int from = -1;
    for (int i = 0; i < count; ++i) {
        if (widgets_[static_cast<std::size_t>(i)] == focus_) {
            from = i;
        }
    }
    if (from < 0) {
        from = step > 0 ? -1 : count;  // the first move starts at one end
    }
    for (int tried = 1; tried <= count; ++tried) {
        const int at = ((from + step * tried) % count + count) % count;
        if (Widget* widget = widgets_[static_cast<std::size_t>(at)]; widget->canFocus()) {
            return widget;
        }
    }
    return nullptr;
}

Widget* View::nearestFocusable(Navigation direction) const {
    const Widget::Centre from = focus_->centre();
    Widget* best = nullptr;
    float bestScore = std::numeric_limits<float>::max();
    for (Widget* widget : widgets_) {
        if (widget == focus_ || !widget->canFocus()) {
            continue;
        }
        const Widget::Centre to = widget->centre();
        const float dx = to.x - from.x;
        const float dy = to.y - from.y;
        float along = 0.0f;
        float across = 0.0f;
        switch (direction) {
            case Navigation::Up:
                along = -dy;
                across = dx;
                break;
            case Navigation::Down:
                along = dy;
                across = dx;
                break;
            case Navigation::Left:
                along = -dx;
                across = dy;
                break;
            default:
                along = dx;
                across = dy;
                break;
        }
        if (along <= 0.0f) {
            continue;
        }
        // Straight ahead beats a little nearer but far to the side.
        const float score = along + 2.0f * std::fabs(across);
        if (score < bestScore) {
            bestScore = score;
            best = widget;
        }
    }
    return best;
}

void View::onNavigate(Navigation navigation) {
    if (navigation == Navigation::Back) {
        onKeyDown(platform::vk::kEscape);
        return;
    }
    if (focus_ != nullptr && !focus_->canFocus()) {
        // Hidden or disabled since it was focused: moves start from it, nothing acts on it.
        if (navigation == Navigation::Activate) {
            return;
        }
    } else if (focus_ != nullptr && navigation != Navigation::Activate &&
               focus_->onNavigate(navigation)) {
        return;
    }
    if (navigation == Navigation::Activate) {
        if (focus_ == nullptr) {
            return;
        }
        if (focus_->takesText()) {
            navigation = Navigation::Next;  // done typing: on to the next widget
        } else {
            focus_->trigger();
            // A dialog the widget opened starts where a controller can go on at once.
            if (View* top = window_.target();
                top != nullptr && top != this && top->focus() == nullptr) {
                top->setFocus(top->cycledFocusable(1));
            }
            return;
        }
    }
    Widget* next = nullptr;
    if (navigation == Navigation::Next || navigation == Navigation::Previous) {
        next = cycledFocusable(navigation == Navigation::Next ? 1 : -1);
    } else if (focus_ == nullptr) {
        next = cycledFocusable(1);
    } else {
        next = nearestFocusable(navigation);
    }
    if (next != nullptr) {
        setFocus(next);
    }
}

void View::followPointer(Widget* claimant, bool pressed) {
    if (claimant != nullptr && claimant->canFocus() && claimant != focus_) {
        // A click into a text box focuses it as Tab would. Once the keyboard or a controller
        // has shown a focus, it follows the pointer among the other widgets; a text box or a
        // key reader waiting for its key keeps it against a mere move.
        const bool textTookIt = pressed && claimant->focused();
        const bool follows = focus_ != nullptr && !claimant->takesText() && !focus_->takesText() &&
                             (pressed || !focus_->takesEveryKey());
        if (textTookIt || follows) {
            setFocus(claimant);
            return;
        }
    }
    // A click elsewhere took a text box's focus away (the box's own rule).
    if (pressed && focus_ != nullptr && focus_->takesText() && !focus_->focused()) {
        focus_ = nullptr;
    }
}

}  // namespace glint
