// The program's one window: its OpenGL context, display modes, the frame timer and keyboard
// attached to it, and the stacks of views and dialogs that receive its input.
#pragma once

#include <string>
#include <vector>

#include "platform/FrameTimer.h"
#include "platform/System.h"
#include "platform/Window.h"

namespace glint {

class App;
class View;

class MainWindow {
public:
    // The window's icon in the data pack: a 32-bit TGA.
    static constexpr const char* kIconPath = "mui/icon.tga";
    // The screen every view draws on, whatever the window's size.
    static constexpr int kLogicalWidth = 800;
    static constexpr int kLogicalHeight = 600;

    // Without an App (tests) nothing is attached to the window but the timer.
    explicit MainWindow(App* app);
    virtual ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Opens the window with its GL context, starts the frame timer and attaches the keyboard.
    // False, with error() saying why, when the window or its context cannot be made.
    bool create(const std::string& title, int x, int y, int width, int height);
    // Detaches the keyboard, stops the timer, releases the GL context and closes the window.
    void destroy();
    const std::string& error() const { return window_.error(); }

    // How full screen is made: by switching the display to the game's size, or by covering the
    // desktop without touching its mode.
    enum class FullScreenMode { ChangeMode = 0, Desktop = 1 };

    // Full screen. ChangeMode: recreates the window at (0, 0) in width x height and switches
    // the display to that size; a display that refuses leaves the window covering the desktop
    // instead (as Desktop does). Desktop: the window covers the whole desktop, the picture
    // scaled to fit with its aspect kept. Widths 320, 400 and 640 are refused (false, nothing
    // changes). Returns whether the game is now full screen.
    bool enterFullScreen(int width, int height);
    // Back to the desktop's mode and the windowed geometry from before full screen.
    bool leaveFullScreen();
    // Leaves full screen first, then asks the desktop to minimize the window.
    void minimizeWindow();

    // The stacks. None of them owns its views.
    // Activates the view and makes it current; a view already on the stack is ignored.
    void pushView(View* view);
    // Opens a dialog above everything; a dialog already open is ignored.
    void pushDialog(View* dialog);
    // Closes the top dialog, or the current view when no dialog is open (never the last view).
    // Not now: at the start of the next tick; several requests in one frame close one.
    void closeTop(bool now);
    // Takes a view off the view stack wherever it stands, without closing anything else.
    void removeView(View* view);
    // One frame step's update: pending closes, close notification, then the top's update
    // while the window is active.
    void tick(int ms);
    // The current view, then every dialog from the oldest to the newest; nothing while
    // minimized.
    void drawFrame();
    // Whether the picture on screen can be stale: something announced a change (invalidate),
    // or a view or dialog on screen says its picture changed. False while minimized.
    bool needsDraw() const;
    // The next frame step draws, whatever the views say: input arrived, the window was shown,
    // exposed, resized, restored or refocused, or the stacks changed.
    void invalidate() { invalidated_ = true; }
    // Ends the frame's drawing and shows it.
    void present();
    // The desktop asked to close (Alt+F4): every dialog leaves the stack (none is told or
    // destroyed) and the current view hears of the request.
    void requestClose();

    // Where input goes: the newest dialog, else the current view (null when both are empty).
    View* target() const;
    View* currentView() const { return views_.empty() ? nullptr : views_.front(); }
    const std::vector<View*>& views() const { return views_; }
    const std::vector<View*>& dialogs() const { return dialogs_; }

    // The window on the desktop; virtual so that tests can stand in for a desktop.
    virtual platform::Rect windowRect() const;
    virtual platform::Point cursorPosition() const;
    virtual void moveWindow(int x, int y, int width, int height);

    // Window client pixels to a logical screen of the given size (rounded down), through the
    // part of the window that shows the picture; a window or screen of unknown size maps one
    // to one.
    platform::Point toLogical(int x, int y, int logicalWidth, int logicalHeight) const;
    // The part of the window that shows the logical screen, in window pixels: all of it while
    // windowed (the picture stretched), centred with its aspect kept in full screen.
    platform::Rect pictureRect() const;
    // Makes OpenGL draw into pictureRect.
    void applyViewport() const;
    // The logical screen's projection over pictureRect (setupProjection).
    void setUpProjection() const;

    // The window's rectangle the last time it was seen not minimized: the position worth
    // remembering for the next start.
    platform::Rect lastRestoredRect() const;

    platform::Window& platformWindow() { return window_; }
    // Timer periods passed over while a step was still waiting or running (this window's timer).
    std::uint64_t skippedPeriods() const { return timer_.skippedPeriods(); }

    bool active = false;
    // Full screen, whichever way it was made.
    bool fullScreen = false;
    FullScreenMode fullScreenMode = FullScreenMode::ChangeMode;
    // The desktop reports the window minimized (nothing is drawn meanwhile).
    bool minimized = false;
    // Size and position passed to the last create.
    int width = 0;
    int height = 0;
    int x = 0;
    int y = 0;
    // Windowed geometry kept while in full screen.
    int savedWidth = 0;
    int savedHeight = 0;
    int savedX = 0;
    int savedY = 0;

    // How many frame steps the window has taken: a view that was not updated in some of them
    // can tell how long it waited.
    std::uint64_t steps() const { return steps_; }

private:
    void noteRestoredRect() const;
    // Gives the window the game's icon from the data pack, when the pack has one.
    void showIcon();
    void releaseTextures();
    void reloadTextures();

    App* app_;
    platform::Window window_;
    platform::FrameTimer timer_;
    std::string title_;
    std::vector<View*> views_;    // front is the current view
    std::vector<View*> dialogs_;  // front is the newest dialog
    View* closedDialog_ = nullptr;
    bool notifyPending_ = false;
    bool closeRequested_ = false;
    bool invalidated_ = true;
    std::uint64_t steps_ = 0;
    mutable platform::Rect restoredRect_;
    // Full screen changed the display's mode (leaving recreates the window to restore it).
    bool displayModeChanged_ = false;
};

}  // namespace glint
