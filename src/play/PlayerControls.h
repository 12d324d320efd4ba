// What the player holds in a game tick, whatever device it comes from: the six bindings and the
// two tilt keys on the keyboard, and their buttons on any game controller.
#pragma once

#include <cstdint>

#include "platform/Gamepads.h"

namespace glint {

class KeyboardInput;
struct GameSettings;

// One bit an action; a tick's actions are the bits held in it.
using Actions = std::uint8_t;
namespace action {
constexpr Actions kDown = 1 << 0;
constexpr Actions kLeft = 1 << 1;
constexpr Actions kRight = 1 << 2;
constexpr Actions kUp = 1 << 3;
constexpr Actions kDig = 1 << 4;
constexpr Actions kDie = 1 << 5;
constexpr Actions kTiltBack = 1 << 6;     // Z: the top of the playfield away
constexpr Actions kTiltForward = 1 << 7;  // C
}  // namespace action

class PlayerControls {
public:
    // A controller's give-up button acts only once held this long, so that it is never pressed
    // by accident.
    static constexpr int kDieHoldMs = 1000;

    // Reads controllers from pads from now on (not owned; null: no controllers).
    void attachPads(platform::PadStateSource* pads) { pads_ = pads; }

    // This tick's actions: polls the keyboard, reads the controllers and maps both through the
    // bindings of settings. ms is the tick's length, for the give-up button's hold time. While
    // the keyboard cannot be read (the window is in the background) nothing is held.
    Actions poll(KeyboardInput& keyboard, const GameSettings& settings, int ms);

    // The actions the figures of this tick read: what poll gave, or what a replay holds.
    void hold(Actions actions) { held_ = actions; }
    bool isHeld(Actions action) const { return (held_ & action) != 0; }
    Actions held() const { return held_; }

private:
    platform::PadStateSource* pads_ = nullptr;
    Actions held_ = 0;
    int dieHeldMs_ = 0;
};

}  // namespace glint
