// What the player holds in a game tick, from the keyboard and the controllers.
#include "play/PlayerControls.h"

#include "input/KeyNames.h"
#include "input/KeyboardInput.h"
#include "play/GameSettings.h"

namespace glint {

Actions PlayerControls::poll(KeyboardInput& keyboard, const GameSettings& settings, int ms) {
    keyboard.poll();
    if (keyboard.status() != KeyboardInput::kStatusOk) {
        dieHeldMs_ = 0;
        return 0;
    }
    Actions actions = 0;
    auto key = [&](int code, Actions action) {
        if (keyboard.isKeyDown(code)) {
            actions |= action;
        }
    };
    key(settings.m_down_key, action::kDown);
    key(settings.m_left_key, action::kLeft);
    key(settings.m_right_key, action::kRight);
    key(settings.m_up_key, action::kUp);
    key(settings.m_fire_key, action::kDig);
    key(settings.m_die_key, action::kDie);
    key(kKeyZ, action::kTiltBack);
    key(kKeyC, action::kTiltForward);

    const platform::PadButtons pad = pads_ != nullptr ? pads_->heldButtons() : 0;
    auto button = [&](platform::PadButtons inputs, Actions action) {
        if ((pad & inputs) != 0) {
            actions |= action;
        }
    };
    using platform::padBit;
    namespace p = platform::pad;
    button(padBit(p::kDpadDown) | padBit(p::kStickDown), action::kDown);
    button(padBit(p::kDpadLeft) | padBit(p::kStickLeft), action::kLeft);
    button(padBit(p::kDpadRight) | padBit(p::kStickRight), action::kRight);
    button(padBit(p::kDpadUp) | padBit(p::kStickUp), action::kUp);
    button(padBit(settings.m_pad_dig), action::kDig);
    button(padBit(settings.m_pad_tilt_back), action::kTiltBack);
    button(padBit(settings.m_pad_tilt_forward), action::kTiltForward);
    if ((pad & padBit(settings.m_pad_die)) != 0) {
        dieHeldMs_ = dieHeldMs_ < kDieHoldMs ? dieHeldMs_ + ms : dieHeldMs_;
        if (dieHeldMs_ >= kDieHoldMs) {
            actions |= action::kDie;
        }
    } else {
        dieHeldMs_ = 0;
    }
    return actions;
}

}  // namespace glint
