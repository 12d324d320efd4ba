// Game controllers through the real platform layer, with SDL's virtual joystick standing in
// for a controller: plugged in, held, pulled out; and what play makes of their buttons.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "input/KeyboardInput.h"
#include "platform/Gamepads.h"
#include "platform/Messages.h"
#include "platform/System.h"
#include "play/GameSettings.h"
#include "play/PlayerControls.h"

namespace glint {
namespace {

namespace pad = platform::pad;
using platform::padBit;

class NoKeys : public platform::KeyStateSource {
public:
    bool readState(platform::KeyState& state) override {
        state.fill(0);
        return true;
    }
};

class Gamepads : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(platform::startEvents(error)) << error;
        ASSERT_TRUE(platform::startGamepads(error)) << error;
        keyboard.attach(noKeys);
        controls.attachPads(&pads);
    }
    void TearDown() override {
        virtualPad.unplug();
        platform::stopAll();
    }

    // The controller inputs pressed since the last call, as the menus receive them.
    // In the order of their numbers: SDL reports simultaneous presses in its own order.
    std::vector<int> pressed() {
        std::vector<int> inputs;
        platform::Message message;
        while (platform::peekMessage(message)) {
            if (message.type == platform::MessageType::PadButtonDown) {
                inputs.push_back(static_cast<int>(message.wParam));
            }
        }
        std::sort(inputs.begin(), inputs.end());
        return inputs;
    }
    Actions tick() { return controls.poll(keyboard, settings, 30); }

    NoKeys noKeys;
    KeyboardInput keyboard;
    platform::Gamepads pads;
    PlayerControls controls;
    GameSettings settings;
    platform::VirtualPad virtualPad;
};

TEST_F(Gamepads, APluggedControllerMovesDigsAndLeavesNothingHeldWhenPulledOut) {
    ASSERT_TRUE(virtualPad.plug());
    pressed();
    ASSERT_EQ(platform::Gamepads::count(), 1);

    virtualPad.setButton(pad::kDpadLeft, true);
    virtualPad.setButton(pad::kSouth, true);
    EXPECT_EQ(pressed(), (std::vector<int>{pad::kSouth, pad::kDpadLeft}));
    EXPECT_EQ(tick(), action::kLeft | action::kDig);

    // The stick past its dead zone is a direction too; inside it, nothing.
    virtualPad.setButton(pad::kDpadLeft, false);
    virtualPad.setButton(pad::kSouth, false);
    virtualPad.setStick(3000, 28000);
    EXPECT_EQ(pressed(), (std::vector<int>{pad::kStickDown}));
    EXPECT_EQ(tick(), action::kDown);
    virtualPad.setStick(4000, -4000);
    pressed();
    EXPECT_EQ(tick(), 0);

    // Pulled out with a direction held: the direction goes with it.
    virtualPad.setButton(pad::kDpadRight, true);
    pressed();
    EXPECT_EQ(tick(), action::kRight);
    virtualPad.unplug();
    pressed();
    EXPECT_EQ(platform::Gamepads::count(), 0);
    EXPECT_EQ(tick(), 0);

    // Plugged in again while the game runs, it is found again.
    virtualPad.setButton(pad::kDpadUp, true);
    pressed();
    EXPECT_EQ(platform::Gamepads::count(), 1);
    EXPECT_EQ(tick(), action::kUp);
}

TEST_F(Gamepads, TwoControllersBothPlay) {
    platform::VirtualPad second;
    virtualPad.setButton(pad::kDpadDown, true);
    second.setButton(pad::kSouth, true);
    pressed();
    EXPECT_EQ(platform::Gamepads::count(), 2);
    EXPECT_EQ(tick(), action::kDown | action::kDig);
    second.unplug();
    pressed();
    EXPECT_EQ(tick(), action::kDown);
}

// Controllers as play reads them, set by hand.
class HeldButtons : public platform::PadStateSource {
public:
    platform::PadButtons heldButtons() override { return held; }
    platform::PadButtons held = 0;
};

TEST(PlayerControls, TheGiveUpButtonActsOnlyAfterASecondHeldAndEachHoldStartsAnew) {
    NoKeys noKeys;
    KeyboardInput keyboard;
    keyboard.attach(noKeys);
    HeldButtons buttons;
    PlayerControls controls;
    controls.attachPads(&buttons);
    GameSettings settings;
    buttons.held = padBit(settings.m_pad_die);
    for (int hold = 0; hold < 2; ++hold) {
        int ms = 0;
        while (controls.poll(keyboard, settings, 30) == 0) {
            ms += 30;
            ASSERT_LT(ms, 2000);
        }
        EXPECT_EQ(ms + 30, 1020) << "hold " << hold;
        EXPECT_EQ(controls.poll(keyboard, settings, 30), action::kDie);
        buttons.held = 0;
        EXPECT_EQ(controls.poll(keyboard, settings, 30), 0);
        buttons.held = padBit(settings.m_pad_die);
    }
}

TEST(PlayerControls, KeysAndButtonsTogetherAndNothingWhileTheKeyboardIsUnreadable) {
    class Keys : public platform::KeyStateSource {
    public:
        bool readState(platform::KeyState& state) override {
            state.fill(0);
            state[kKeyZ] = platform::kKeyPressed;
            return readable;
        }
        bool readable = true;
    } keys;
    KeyboardInput keyboard;
    keyboard.attach(keys);
    HeldButtons buttons;
    buttons.held = padBit(pad::kDpadLeft) | padBit(pad::kRightShoulder);
    PlayerControls controls;
    controls.attachPads(&buttons);
    const GameSettings settings;
    EXPECT_EQ(controls.poll(keyboard, settings, 30),
              action::kTiltBack | action::kLeft | action::kTiltForward);
    keys.readable = false;  // the window went to the background
    EXPECT_EQ(controls.poll(keyboard, settings, 30), 0);
}

}  // namespace
}  // namespace glint
