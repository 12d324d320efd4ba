// The one borderless top-level window with its OpenGL context, and the display modes.
#pragma once

#include <cstdint>
#include <span>
#include <string>

struct SDL_Window;

namespace glint::platform {

// A rectangle in screen pixels; right and bottom lie just outside it, as with window rectangles.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

class Window {
public:
    Window() = default;
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creates a visible borderless window with an OpenGL compatibility context (double
    // buffered, at least 16 depth bits) made current, with buffer swaps not tied to the
    // display's refresh. On failure nothing exists and error() says why.
    bool create(const std::string& title, int x, int y, int width, int height);
    // Releases the GL context and the window; harmless when there is none.
    void destroy();
    bool exists() const { return window_ != nullptr; }
    const std::string& error() const { return error_; }

    Rect rect() const;  // the window's rectangle on the screen
    void move(int x, int y, int width, int height);
    void show();
    void hide();
    void minimize();
    bool isMinimized() const;
    bool hasKeyboardFocus() const;
    void swapBuffers();
    // The picture task bars and window switchers show: width x height pixels of red, green,
    // blue and alpha, top row first. Ignored without a window or with too few pixels.
    void setIcon(std::span<const std::uint8_t> rgba, int width, int height);

    // Switches the display to width x height at the current depth and refresh rate and makes
    // the window cover it. False when the display could not be switched (the window is then
    // left as it was).
    bool enterFullScreenMode(int width, int height);
    // Back to the desktop's own display mode, the window windowed again.
    void leaveFullScreenMode();
    // Makes the window cover the whole display it is on without changing the display's mode.
    // False when it cannot.
    bool enterDesktopFullScreen();

    // The SDL window, for the rest of the platform layer only.
    SDL_Window* sdlWindow() const { return window_; }
    // Events carry this number to say which window they belong to.
    std::uint32_t id() const { return id_; }

private:
    SDL_Window* window_ = nullptr;
    void* glContext_ = nullptr;
    std::uint32_t id_ = 0;
    std::string error_;
};

// The part of the screen that windows may cover (the primary display's bounds).
Rect desktopBounds();

}  // namespace glint::platform
