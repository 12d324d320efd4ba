// Game controllers through SDL's game-controller layer: every controller plugged in is opened,
// one pulled out is dropped, and play reads what all of them hold together.
#pragma once

#include <cstdint>
#include <string>

struct _SDL_Joystick;  // SDL's own, kept out of sight of the code above the platform

namespace glint::platform {

// The buttons by their place on a controller, numbered as SDL's game-controller layer numbers
// them (the settings store these numbers). The left stick pushed past its dead zone counts as
// four more buttons.
namespace pad {
constexpr int kSouth = 0;
constexpr int kEast = 1;
constexpr int kWest = 2;
constexpr int kNorth = 3;
constexpr int kBack = 4;
constexpr int kGuide = 5;
constexpr int kStart = 6;
constexpr int kLeftStickPress = 7;
constexpr int kRightStickPress = 8;
constexpr int kLeftShoulder = 9;
constexpr int kRightShoulder = 10;
constexpr int kDpadUp = 11;
constexpr int kDpadDown = 12;
constexpr int kDpadLeft = 13;
constexpr int kDpadRight = 14;
constexpr int kButtonCount = 15;  // buttons a setting may name: 0 to kButtonCount - 1
constexpr int kStickUp = 15;
constexpr int kStickDown = 16;
constexpr int kStickLeft = 17;
constexpr int kStickRight = 18;
constexpr int kInputCount = 19;
}  // namespace pad

// Bit k set: input k of pad:: is held on at least one controller.
using PadButtons = std::uint32_t;
constexpr PadButtons padBit(int input) {
    return input >= 0 && input < pad::kInputCount ? PadButtons{1} << input : 0;
}

// Anything the controllers' held buttons can be read from: the real controllers, a test.
class PadStateSource {
public:
    virtual ~PadStateSource() = default;
    virtual PadButtons heldButtons() = 0;
};

// The stick directions an axis pair gives: a direction is held while the stick leans past
// the dead zone toward it (about a quarter of its travel; a worn stick rests inside it).
PadButtons stickDirections(int x, int y);

// Starts SDL's game-controller layer (the mapping database SDL carries, plus any given in
// SDL_GAMECONTROLLERCONFIG). Controllers present now and plugged in later announce themselves
// through the message queue and are opened there. False, with error set, when the layer cannot
// start: the game then runs without controllers.
bool startGamepads(std::string& error);

// The real controllers, all together. Reads nothing until startGamepads succeeded.
class Gamepads final : public PadStateSource {
public:
    PadButtons heldButtons() override;
    // How many controllers are open now.
    static int count();
};

// A controller that exists only in this program (SDL's virtual joystick), seen by the game as
// any real one: for tests and demonstrations. Unplugged when destroyed.
class VirtualPad {
public:
    VirtualPad() = default;
    ~VirtualPad() { unplug(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool plug();
    void unplug();
    bool plugged() const { return joystick_ != nullptr; }
    // button: 0 to pad::kButtonCount - 1. Plugs the controller in first when needed.
    void setButton(int button, bool down);
    // The left stick, each axis from -32768 to 32767 (y grows downwards).
    void setStick(int x, int y);
    // One line of a pad script: "press NAME", "release NAME", "stick X Y", "plug" or "unplug"
    // (names as padButtonByName). Other lines do nothing.
    void run(const std::string& line);

private:
    ::_SDL_Joystick* joystick_ = nullptr;
};

// Drives a virtual controller by the lines of a pad script read from a file or a pipe that
// GLINT_VIRTUAL_PAD names, each run as it arrives: called once a frame step. Does nothing when
// the variable is not set.
void driveVirtualPad();
// The input number of a button name of those lines (south, east, west, north, back, guide,
// start, lstick, rstick, lshoulder, rshoulder, up, down, left, right), -1 for any other.
int padButtonByName(const std::string& name);

}  // namespace glint::platform
