// The one borderless top-level window with its OpenGL context, and the display modes.
#include "platform/Window.h"

#include <SDL.h>

#include "platform/Messages.h"

namespace glint::platform {

Window::~Window() {
    destroy();
}

bool Window::create(const std::string& title, int x, int y, int width, int height) {
    destroy();
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 5);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 5);

    window_ = SDL_CreateWindow(title.c_str(), x, y, width, height,
                               SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_SHOWN);
    if (window_ == nullptr) {
        error_ = std::string("cannot open a window: ") + SDL_GetError();
        return false;
    }
    glContext_ = SDL_GL_CreateContext(window_);
    if (glContext_ == nullptr) {
        error_ = std::string("cannot create an OpenGL context: ") + SDL_GetError();
        SDL_DestroyWindow(window_);
        window_ = nullptr;
        return false;
    }
    SDL_GL_MakeCurrent(window_, glContext_);
    // A swap that waits for the display's refresh would stretch the fixed 30 ms step.
    SDL_GL_SetSwapInterval(0);
    id_ = SDL_GetWindowID(window_);
    setMessageWindow(id_);
    // A new window takes the keyboard, as a newly shown top-level window does on any desktop.
    SDL_RaiseWindow(window_);
    error_.clear();
    return true;
}

void Window::destroy() {
    if (glContext_ != nullptr) {
        SDL_GL_MakeCurrent(window_, nullptr);
        SDL_GL_DeleteContext(glContext_);
        glContext_ = nullptr;
    }
    if (window_ != nullptr) {
        SDL_DestroyWindow(window_);
        window_ = nullptr;
        id_ = 0;
    }
}

Rect Window::rect() const {
    Rect r;
    if (window_ != nullptr) {
        int w = 0;
        int h = 0;
        SDL_GetWindowPosition(window_, &r.left, &r.top);
        SDL_GetWindowSize(window_, &w, &h);
        r.right = r.left + w;
        r.bottom = r.top + h;
    }
    return r;
}

void Window::move(int x, int y, int width, int height) {
    if (window_ != nullptr) {
        SDL_SetWindowPosition(window_, x, y);
        SDL_SetWindowSize(window_, width, height);
    }
}

void Window::show() {
    if (window_ != nullptr) {
        SDL_ShowWindow(window_);
    }
}

void Window::hide() {
    if (window_ != nullptr) {
        SDL_HideWindow(window_);
    }
}

void Window::minimize() {
    if (window_ != nullptr) {
        SDL_MinimizeWindow(window_);
    }
}

bool Window::isMinimized() const {
    return window_ != nullptr && (SDL_GetWindowFlags(window_) & SDL_WINDOW_MINIMIZED) != 0;
}

bool Window::hasKeyboardFocus() const {
    return window_ != nullptr && SDL_GetKeyboardFocus() == window_;
}

void Window::swapBuffers() {
    if (window_ != nullptr) {
        SDL_GL_SwapWindow(window_);
    }
}

void Window::setIcon(std::span<const std::uint8_t> rgba, int width, int height) {
    if (window_ == nullptr || width <= 0 || height <= 0 ||
        rgba.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) {
        return;
    }
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint8_t*>(rgba.data()), width, height, 32, width * 4,
        SDL_PIXELFORMAT_RGBA32);  // bytes R, G, B, A in memory, whatever the byte order
    if (surface != nullptr) {
        SDL_SetWindowIcon(window_, surface);  // SDL keeps its own copy
        SDL_FreeSurface(surface);
    }
}

bool Window::enterFullScreenMode(int width, int height) {
    if (window_ == nullptr) {
        return false;
    }
    int display = SDL_GetWindowDisplayIndex(window_);
    SDL_DisplayMode current;
    if (display < 0 || SDL_GetCurrentDisplayMode(display, &current) != 0) {
        return false;
    }
    // The same depth and refresh rate, another size.
    SDL_DisplayMode wanted = current;
    wanted.w = width;
    wanted.h = height;
    SDL_DisplayMode closest;
    if (SDL_GetClosestDisplayMode(display, &wanted, &closest) == nullptr || closest.w != width ||
        closest.h != height) {
        return false;
    }
    if (SDL_SetWindowDisplayMode(window_, &closest) != 0 ||
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) != 0) {
        SDL_SetWindowFullscreen(window_, 0);
        return false;
    }
    SDL_DisplayMode now;
    if (SDL_GetWindowDisplayMode(window_, &now) != 0 || now.w != width || now.h != height) {
        SDL_SetWindowFullscreen(window_, 0);
        return false;
    }
    return true;
}

void Window::leaveFullScreenMode() {
    if (window_ != nullptr) {
        SDL_SetWindowFullscreen(window_, 0);
    }
}

bool Window::enterDesktopFullScreen() {
    if (window_ == nullptr) {
        return false;
    }
    const int display = SDL_GetWindowDisplayIndex(window_);
    SDL_Rect bounds;
    if (display < 0 || SDL_GetDisplayBounds(display, &bounds) != 0) {
        return false;
    }
    // The window first covers the display itself: a desktop without a window manager (or
    // one that ignores the request) does not act on the full-screen state, and SDL would go
    // on reporting the display's size for a window that kept its own.
    SDL_SetWindowPosition(window_, bounds.x, bounds.y);
    SDL_SetWindowSize(window_, bounds.w, bounds.h);
    return SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0;
}

Rect desktopBounds() {
    SDL_Rect bounds{0, 0, 0, 0};
    if (SDL_GetDisplayBounds(0, &bounds) != 0) {
        return Rect{0, 0, 0, 0};
    }
    return Rect{bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h};
}

}  // namespace glint::platform
