// Game controllers through SDL's game-controller layer.
#include "platform/Gamepads.h"

#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "platform/GamepadEvents.h"

namespace glint::platform {

namespace {

// A stick leans toward a direction once past this share of its travel (of 32767), and lets go
// only below the smaller one, so that a stick resting near the edge does not flicker.
constexpr int kPressAt = 12000;
constexpr int kReleaseBelow = 9000;

struct OpenPad {
    SDL_GameController* controller;
    SDL_JoystickID instance;
    PadButtons stick;  // directions last reported as pushed, for the menu's messages
};

std::vector<OpenPad>& openPads() {
    static std::vector<OpenPad> pads;
    return pads;
}

PadButtons directions(int x, int y, PadButtons before) {
    auto held = [before](int value, int input) {
        const int threshold = (before & padBit(input)) != 0 ? kReleaseBelow : kPressAt;
        return value >= threshold;
    };
    PadButtons result = 0;
    // Along both axes at once, the stronger one decides: a stick is never up and left.
    const bool vertical = std::abs(y) >= std::abs(x);
    if (vertical) {
        result |= held(-y, pad::kStickUp) ? padBit(pad::kStickUp) : 0;
        result |= held(y, pad::kStickDown) ? padBit(pad::kStickDown) : 0;
    } else {
        result |= held(-x, pad::kStickLeft) ? padBit(pad::kStickLeft) : 0;
        result |= held(x, pad::kStickRight) ? padBit(pad::kStickRight) : 0;
    }
    return result;
}

PadButtons stickOf(SDL_GameController* controller, PadButtons before) {
    return directions(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX),
                      SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY), before);
}

}  // namespace

PadButtons stickDirections(int x, int y) {
    return directions(x, y, 0);
}

bool startGamepads(std::string& error) {
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        error = SDL_GetError();
        return false;
    }
    return true;
}

PadButtons Gamepads::heldButtons() {
    PadButtons held = 0;
    for (const OpenPad& pad : openPads()) {
        for (int button = 0; button < pad::kButtonCount; ++button) {
            if (SDL_GameControllerGetButton(pad.controller,
                                            static_cast<SDL_GameControllerButton>(button)) != 0) {
                held |= padBit(button);
            }
        }
        held |= stickOf(pad.controller, 0);
    }
    return held;
}

int Gamepads::count() {
    return static_cast<int>(openPads().size());
}

void padAdded(int deviceIndex) {
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr) {
        return;
    }
    const SDL_JoystickID instance =
        SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    auto& pads = openPads();
    if (std::any_of(pads.begin(), pads.end(),
                    [instance](const OpenPad& p) { return p.instance == instance; })) {
        SDL_GameControllerClose(controller);  // announced twice: already open
        return;
    }
    pads.push_back(OpenPad{controller, instance, 0});
}

void padRemoved(int instance) {
    auto& pads = openPads();
    for (auto it = pads.begin(); it != pads.end(); ++it) {
        if (it->instance == instance) {
            SDL_GameControllerClose(it->controller);
            pads.erase(it);
            return;
        }
    }
}

void closePads() {
    for (const OpenPad& pad : openPads()) {
        SDL_GameControllerClose(pad.controller);
    }
    openPads().clear();
}

PadButtons padStickMoved(int instance) {
    for (OpenPad& pad : openPads()) {
        if (pad.instance == instance) {
            const PadButtons now = stickOf(pad.controller, pad.stick);
            const PadButtons pushed = now & ~pad.stick;
            pad.stick = now;
            return pushed;
        }
    }
    return 0;
}

int padButtonByName(const std::string& name) {
    static const char* const kNames[pad::kButtonCount] = {
        "south",  "east",      "west",      "north", "back", "guide", "start", "lstick",
        "rstick", "lshoulder", "rshoulder", "up",    "down", "left",  "right"};
    for (int i = 0; i < pad::kButtonCount; ++i) {
        if (name == kNames[i]) {
            return i;
        }
    }
    return -1;
}

bool VirtualPad::plug() {
    if (joystick_ != nullptr) {
        return true;
    }
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = pad::kButtonCount;
    desc.button_mask = (1u << pad::kButtonCount) - 1;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.name = "Glint Seeker virtual controller";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index >= 0) {
        joystick_ = SDL_JoystickOpen(index);
    }
    return joystick_ != nullptr;
}

void VirtualPad::unplug() {
    if (joystick_ == nullptr) {
        return;
    }
    const SDL_JoystickID instance = SDL_JoystickInstanceID(joystick_);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
        if (SDL_JoystickGetDeviceInstanceID(i) == instance) {
            SDL_JoystickDetachVirtual(i);
            return;
        }
    }
}

void VirtualPad::setButton(int button, bool down) {
    if (button >= 0 && button < pad::kButtonCount && plug()) {
        SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
    }
}

void VirtualPad::setStick(int x, int y) {
    if (plug()) {
        SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX,
                                   static_cast<Sint16>(std::clamp(x, -32768, 32767)));
        SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTY,
                                   static_cast<Sint16>(std::clamp(y, -32768, 32767)));
    }
}

void VirtualPad::run(const std::string& line) {
    std::istringstream in(line);
    std::string word;
    in >> word;
    if (word == "plug") {
        plug();
    } else if (word == "unplug") {
        unplug();
    } else if (word == "press" || word == "release") {
        std::string name;
        in >> name;
        setButton(padButtonByName(name), word == "press");
    } else if (word == "stick") {
        int x = 0;
        int y = 0;
        if (in >> x >> y) {
            setStick(x, y);
        }
    }
}

namespace {

struct PadScript {
    int fd = -1;
    bool opened = false;
    std::string partial;
    VirtualPad pad;
};

}  // namespace

void driveVirtualPad() {
    static PadScript v;
    if (!v.opened) {
        v.opened = true;
        if (const char* path = std::getenv("GLINT_VIRTUAL_PAD"); path != nullptr && *path) {
            v.fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        }
    }
    if (v.fd < 0) {
        return;
    }
    char buffer[512];
    ssize_t n = 0;
    while ((n = read(v.fd, buffer, sizeof buffer)) > 0) {
        v.partial.append(buffer, static_cast<std::size_t>(n));
    }
    for (std::size_t end; (end = v.partial.find('\n')) != std::string::npos;) {
        v.pad.run(v.partial.substr(0, end));
        v.partial.erase(0, end + 1);
    }
    if (v.partial.size() > 4096) {
        v.partial.clear();  // no line of ours is that long
    }
}

}  // namespace glint::platform
