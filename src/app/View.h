// The base of every screen and panel: input, update and drawing handed on to its widgets, and
// dragging of the borderless window.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/System.h"

namespace glint {

class MainWindow;
class Widget;

// A move of the focus or an action on it, whatever device asked for it.
enum class Navigation { Up, Down, Left, Right, Next, Previous, Activate, Back };

class View {
public:
    explicit View(MainWindow& window) : window_(window) {}
    virtual ~View() = default;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    // Ends a drag once the cursor has left the window, then updates every widget.
    virtual void update(int ms);
    virtual void draw();
    // Called on every push, when uncovered, when a dialog opens over it and when the window
    // comes back from being minimized: stops a drag and resets every widget.
    virtual void activate();
    // Tab, Shift+Tab and Space (on a focused widget that is not a text box) navigate; every
    // other key, and every key while a key reader waits, goes to the widgets.
    virtual void onKeyDown(int key);
    // A move of the focus or an action on it, from the keyboard (Tab, Shift+Tab, Space) or a
    // controller; Back acts exactly as Escape does in that view.
    // Up, Down, Left and Right go to the nearest focusable widget in that direction (by their
    // centres); Next and Previous go round the widgets in their order. The first move of a
    // view without focus focuses its first focusable widget. A focused text box takes the four
    // directions for itself, and Activate moves on from it as Next does. Activate on a widget
    // does what a click does; a dialog it opens starts with its first widget focused.
    virtual void onNavigate(Navigation navigation);
    virtual void onChar(int character, int repeat);
    // Whether the view is a game in play, which reads the controllers itself each tick: only
    // the controller's menu button reaches it as a message.
    virtual bool playsGame() const { return false; }
    // A drag step first; then the widgets in order until one claims the move.
    virtual void onMouseMove(int x, int y, std::uint64_t flags);
    virtual void onLButtonUp(int x, int y, std::uint64_t flags);
    // Starts a window drag unless a widget claims the press.
    virtual void onLButtonDown(int x, int y, std::uint64_t flags);
    virtual void onRButtonUp(int x, int y, std::uint64_t flags);
    // A widget of this view was triggered.
    virtual void onCommand(Widget* widget);
    // A dialog above this view was closed with the given result.
    virtual void onDialogClosed(int result, View* dialog);
    // The desktop asked the program to close (Alt+F4).
    virtual void onCloseRequest() {}

    // Whether the view's picture can have changed since it was last drawn, for a reason no
    // window message announced (an animation, a blinking caret, a widget changed by a timer).
    // The base view asks its widgets.
    virtual bool wantsRedraw() const;
    // The picture has just been drawn: what the widgets show now is on screen.
    void noteDrawn();

    // Widgets are drawn and offered events in the order they were added; the view does not own
    // them.
    void addWidget(Widget* widget) { widgets_.push_back(widget); }
    const std::vector<Widget*>& widgets() const { return widgets_; }
    bool isDragging() const { return dragging_; }
    // The widget the keyboard or a controller acts on; null until the first navigation (the
    // mouse alone never shows a focus). Once there is a focus, the pointer moving over a widget
    // takes it there, unless a text box holds it.
    Widget* focus() const { return focus_; }
    // Moves the focus (null: none), changing the look of both widgets.
    void setFocus(Widget* widget);
    // Whether this view receives input now, and so shows its focus.
    bool isTarget() const;
    MainWindow& window() const { return window_; }

    // Handed to the view or dialog below when this one is closed as a dialog: 0 accept,
    // 1 cancel.
    int result = 0;
    // While set and this view is on top, a left-button drag on empty space moves the window.
    bool draggable = false;

protected:
    void stopDragging() { dragging_ = false; }

    MainWindow& window_;
    std::vector<Widget*> widgets_;

private:
    Widget* nearestFocusable(Navigation direction) const;
    Widget* cycledFocusable(int step) const;
    // After a mouse event: the focus follows a widget the pointer hovered or clicked.
    void followPointer(Widget* claimant, bool pressed);

    bool dragging_ = false;
    platform::Point dragAnchor_;
    Widget* focus_ = nullptr;
};

}  // namespace glint
