// The program's one window: its OpenGL context, display modes, the frame timer and keyboard
// attached to it, and the stacks of views and dialogs that receive its input.
#include "app/MainWindow.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "app/App.h"
#include "app/View.h"
#include "app/WindowPlacement.h"
#include "render/Image.h"
#include "render/Projection.h"
#include "render/Texture.h"

namespace glint {

namespace {

bool contains(const std::vector<View*>& stack, const View* view) {
    return std::find(stack.begin(), stack.end(), view) != stack.end();
}

}  // namespace

MainWindow::MainWindow(App* app) : app_(app) {}

MainWindow::~MainWindow() {
    destroy();
}

bool MainWindow::create(const std::string& title, int x_, int y_, int width_, int height_) {
    title_ = title;
    x = x_;
    y = y_;
    width = width_;
    height = height_;
    if (!window_.create(title, x, y, width, height)) {
        return false;
    }
    // A window that has just been shown is the active one, and shows nothing yet.
    active = true;
    invalidate();
    if (app_ != nullptr) {
        showIcon();
    }
    Texture::setUploadEnabled(true);
    timer_.start(App::kFrameMs, inFrameFlag());
    if (app_ != nullptr) {
        app_->keyboard.attach(window_);
        app_->controls.attachPads(&app_->gamepads);
    }
    return true;
}

void MainWindow::showIcon() {
    std::optional<Image> icon = decodeTga(app_->pack.readEntry(kIconPath).data);
    if (!icon || icon->components != 4) {
        return;  // the window goes without: nothing else depends on it
    }
    // Our pictures are stored bottom row first; the desktop wants the top row first.
    const std::size_t row = static_cast<std::size_t>(icon->width) * 4;
    std::vector<std::uint8_t> topFirst(icon->pixels.size());
    for (int r = 0; r < icon->height; ++r) {
        std::copy_n(icon->pixels.begin() + static_cast<std::ptrdiff_t>(row * r), row,
                    topFirst.begin() + static_cast<std::ptrdiff_t>(row * (icon->height - 1 - r)));
    }
    window_.setIcon(topFirst, icon->width, icon->height);
}

void MainWindow::destroy() {
    if (app_ != nullptr) {
        app_->keyboard.detach();
        app_->controls.attachPads(nullptr);
    }
    timer_.stop();
    Texture::setUploadEnabled(false);
    window_.destroy();
}

void MainWindow::releaseTextures() {
    if (app_ != nullptr && app_->catalogue) {
        app_->catalogue->unload();
    }
}

void MainWindow::reloadTextures() {
    if (app_ != nullptr && app_->catalogue && window_.exists()) {
        app_->catalogue->load();
    }
}

bool MainWindow::enterFullScreen(int newWidth, int newHeight) {
    if (newWidth == 320 || newWidth == 400 || newWidth == 640) {
        return false;
    }
    if (!fullScreen) {
        platform::Rect r = lastRestoredRect();
        savedX = r.left;
        savedY = r.top;
        savedWidth = width;
        savedHeight = height;
    }
    if (fullScreenMode == FullScreenMode::Desktop && !displayModeChanged_) {
        // The same window and context: nothing needs reloading.
        fullScreen = window_.enterDesktopFullScreen() || fullScreen;
        invalidate();
        return fullScreen;
    }
    // A new context knows none of the old one's textures.
    releaseTextures();
    destroy();
    create(title_, 0, 0, newWidth, newHeight);
    displayModeChanged_ = window_.enterFullScreenMode(newWidth, newHeight);
    // Many desktops refuse to change their mode: a window in a corner is no full screen.
    fullScreen = displayModeChanged_ || window_.enterDesktopFullScreen();
    reloadTextures();
    return fullScreen;
}

bool MainWindow::leaveFullScreen() {
    if (!displayModeChanged_ && window_.exists()) {
        // The desktop's mode never changed: the window only goes back where it was.
        window_.leaveFullScreenMode();
        fullScreen = false;
        x = savedX;
        y = savedY;
        width = savedWidth;
        height = savedHeight;
        window_.move(savedX, savedY, savedWidth, savedHeight);
        invalidate();
        return true;
    }
    releaseTextures();
    destroy();  // the display returns to the desktop's mode with the full-screen window
    fullScreen = false;
    displayModeChanged_ = false;
    create(title_, savedX, savedY, savedWidth, savedHeight);
    reloadTextures();
    return true;
}

void MainWindow::minimizeWindow() {
    if (fullScreen) {
        leaveFullScreen();
    }
    // `minimized` is set when the desktop reports the window minimized, not here.
    window_.minimize();
}

void MainWindow::pushView(View* view) {
    if (view == nullptr || contains(views_, view)) {
        return;
    }
    view->activate();
    views_.insert(views_.begin(), view);
    invalidate();
}

void MainWindow::pushDialog(View* dialog) {
    if (dialog == nullptr || contains(dialogs_, dialog)) {
        return;
    }
    dialogs_.insert(dialogs_.begin(), dialog);
    invalidate();
    dialog->activate();
    if (View* current = currentView()) {
        current->activate();
    }
}

void MainWindow::closeTop(bool now) {
    if (!now) {
        closeRequested_ = true;
        return;
    }
    invalidate();
    if (!dialogs_.empty()) {
        closedDialog_ = dialogs_.front();
        dialogs_.erase(dialogs_.begin());
        notifyPending_ = true;
    } else if (views_.size() >= 2) {
        views_.erase(views_.begin());
        views_.front()->activate();
    }
}

void MainWindow::removeView(View* view) {
    auto it = std::find(views_.begin(), views_.end(), view);
    if (it == views_.end()) {
        return;
    }
    bool wasCurrent = it == views_.begin();
    views_.erase(it);
    invalidate();
    if (wasCurrent && !views_.empty()) {
        views_.front()->activate();
    }
}

void MainWindow::tick(int ms) {
    ++steps_;
    if (closeRequested_) {
        closeRequested_ = false;
        closeTop(true);
        // A view closed under a dialog that is still waiting to be announced.
        notifyPending_ = notifyPending_ || closedDialog_ != nullptr;
    }
    if (notifyPending_) {
        notifyPending_ = false;
        View* closed = closedDialog_;
        closedDialog_ = nullptr;
        if (View* top = target(); top != nullptr && closed != nullptr) {
            top->onDialogClosed(closed->result, closed);
        }
    }
    if (active) {
        if (View* top = target()) {
            top->update(ms);
        }
    }
    noteRestoredRect();
}

bool MainWindow::needsDraw() const {
    if (minimized) {
        return false;
    }
    if (invalidated_) {
        return true;
    }
    if (const View* current = currentView(); current != nullptr && current->wantsRedraw()) {
        return true;
    }
    return std::any_of(dialogs_.begin(), dialogs_.end(),
                       [](const View* dialog) { return dialog->wantsRedraw(); });
}

void MainWindow::drawFrame() {
    if (minimized) {
        return;
    }
    invalidated_ = false;
    const bool gl = window_.exists();
    if (gl) {
        // Every frame starts from a clean modelview, so no translation outlives its frame.
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }
    if (View* current = currentView()) {
        current->draw();
        current->noteDrawn();
    }
    for (auto it = dialogs_.rbegin(); it != dialogs_.rend(); ++it) {
        if (gl) {
            glPushMatrix();
        }
        (*it)->draw();
        (*it)->noteDrawn();
        if (gl) {
            glPopMatrix();
        }
    }
}

void MainWindow::present() {
    if (window_.exists()) {
        glFlush();
        window_.swapBuffers();
    }
}

void MainWindow::requestClose() {
    dialogs_.clear();
    invalidate();
    if (View* current = currentView()) {
        current->onCloseRequest();
    }
}

View* MainWindow::target() const {
    return !dialogs_.empty() ? dialogs_.front() : currentView();
}

platform::Rect MainWindow::windowRect() const {
    if (window_.exists()) {
        return window_.rect();
    }
    return platform::Rect{x, y, x + width, y + height};
}

platform::Point MainWindow::cursorPosition() const {
    return platform::cursorPosition();
}

void MainWindow::moveWindow(int newX, int newY, int newWidth, int newHeight) {
    window_.move(newX, newY, newWidth, newHeight);
}

void MainWindow::noteRestoredRect() const {
    // A full-screen window's place is not the player's: the windowed one is kept meanwhile.
    if (window_.exists() && !window_.isMinimized() && !fullScreen) {
        restoredRect_ = window_.rect();
    }
}

platform::Rect MainWindow::pictureRect() const {
    int w = width;
    int h = height;
    if (window_.exists()) {
        const platform::Rect r = window_.rect();
        if (r.width() > 0 && r.height() > 0) {
            w = r.width();
            h = r.height();
        }
    }
    return pictureArea(w, h, kLogicalWidth, kLogicalHeight, fullScreen);
}

namespace {

// OpenGL counts rows from the bottom of the window.
int rowsBelow(const platform::Window& window, int height, const platform::Rect& picture) {
    return (window.exists() ? window.rect().height() : height) - picture.bottom;
}

}  // namespace

void MainWindow::applyViewport() const {
    const platform::Rect r = pictureRect();
    glViewport(r.left, rowsBelow(window_, height, r), r.width(), r.height());
}

void MainWindow::setUpProjection() const {
    const platform::Rect r = pictureRect();
    setupProjection(r.left, rowsBelow(window_, height, r), r.width(), r.height());
}

platform::Point MainWindow::toLogical(int px, int py, int logicalWidth, int logicalHeight) const {
    const platform::Rect r = pictureRect();
    auto scale = [](int pixels, int start, int size, int logical) {
        return size > 0 && logical > 0
                   ? static_cast<int>(
                         std::floor(static_cast<float>(pixels - start) /
                                    (static_cast<float>(size) / static_cast<float>(logical))))
                   : pixels;
    };
    return platform::Point{scale(px, r.left, r.width(), logicalWidth),
                           scale(py, r.top, r.height(), logicalHeight)};
}

platform::Rect MainWindow::lastRestoredRect() const {
    noteRestoredRect();
    if (fullScreen) {
        return platform::Rect{savedX, savedY, savedX + savedWidth, savedY + savedHeight};
    }
    if (restoredRect_.width() == 0) {
        return platform::Rect{x, y, x + width, y + height};
    }
    return restoredRect_;
}

}  // namespace glint
