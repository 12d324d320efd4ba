// Process-wide platform services: start-up of the video system, clocks, the cursor, held keys,
// the clipboard and web addresses.
#include "platform/System.h"

#include "platform/GamepadEvents.h"

#include <SDL.h>

#include <algorithm>
#include <cstdlib>

namespace glint::platform {

namespace {

bool startSubsystems(std::uint32_t flags, std::string& error) {
    if (SDL_InitSubSystem(flags) != 0) {
        error = SDL_GetError();
        return false;
    }
    return true;
}

}  // namespace

bool startVideo(std::string& error) {
    // A borderless game window should not stop the desktop's screen saver from ending, nor
    // should the whole program quit behind the window's back: closing is the game's decision.
    SDL_SetHint(SDL_HINT_VIDEO_ALLOW_SCREENSAVER, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // Where OpenGL is Mesa's software renderer (llvmpipe), it hands every frame to worker
    // threads. Our frames are small: waking the workers 33 times a second costs more than the
    // work they share, so the frames are drawn on the calling thread. Whoever sets the variable
    // themselves keeps their choice; other renderers never read it.
    setenv("LP_NUM_THREADS", "0", 0);
    if (!startSubsystems(SDL_INIT_VIDEO | SDL_INIT_EVENTS | SDL_INIT_TIMER, error)) {
        return false;
    }
    // Without a display SDL falls back to drivers that draw nowhere: a window nobody can see
    // is no way to play. Someone who asks for such a driver by name gets it.
    std::string driver = SDL_GetCurrentVideoDriver() != nullptr ? SDL_GetCurrentVideoDriver() : "";
    const char* requested = SDL_getenv("SDL_VIDEODRIVER");
    if ((driver == "offscreen" || driver == "dummy") &&
        (requested == nullptr || driver != requested)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        error = "no display to open a window on (is DISPLAY or WAYLAND_DISPLAY set?)";
        return false;
    }
    return true;
}

bool startEvents(std::string& error) {
    return startSubsystems(SDL_INIT_EVENTS | SDL_INIT_TIMER, error);
}

void stopAll() {
    closePads();
    SDL_Quit();
}

std::uint32_t milliseconds() {
    return SDL_GetTicks();
}

Point cursorPosition() {
    Point p;
    SDL_GetGlobalMouseState(&p.x, &p.y);
    return p;
}

bool isKeyHeld(HeldKey key) {
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    auto down = [&](SDL_Scancode code) { return code < count && state[code] != 0; };
    switch (key) {
        case HeldKey::F4:
            return down(SDL_SCANCODE_F4);
        case HeldKey::Control:
            return down(SDL_SCANCODE_LCTRL) || down(SDL_SCANCODE_RCTRL);
        case HeldKey::Shift:
            return down(SDL_SCANCODE_LSHIFT) || down(SDL_SCANCODE_RSHIFT);
    }
    return false;
}

std::string clipboardText(std::size_t maxBytes) {
    if (!SDL_HasClipboardText()) {
        return {};
    }
    char* text = SDL_GetClipboardText();
    if (text == nullptr) {
        return {};
    }
    std::string result(text, std::min(std::char_traits<char>::length(text), maxBytes));
    SDL_free(text);
    return result;
}

bool openUrl(const std::string& address) {
    return SDL_OpenURL(address.c_str()) == 0;
}

std::string executableDirectory() {
    char* path = SDL_GetBasePath();
    if (path == nullptr) {
        return {};
    }
    std::string result(path);
    SDL_free(path);
    return result;
}

}  // namespace glint::platform
