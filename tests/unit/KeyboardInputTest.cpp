// Reading held keys per tick, and turning SDL's keyboard into the game's scan codes.
#include "input/KeyboardInput.h"

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <string>
#include <vector>

#include "input/KeyNames.h"
#include "platform/KeyboardDevice.h"
#include "platform/Window.h"

namespace glint {
namespace {

using platform::KeyState;

// A keyboard whose held keys and readability the test sets.
class FakeKeyboard : public platform::KeyStateSource {
public:
    bool readState(KeyState& state) override {
        ++reads;
        if (!readable) {
            // Whatever a failed read leaves behind must not count as held.
            state.fill(0xFF);
            return false;
        }
        state = keys;
        return true;
    }

    void hold(int code) { keys[static_cast<std::size_t>(code)] = platform::kKeyPressed; }
    void release(int code) { keys[static_cast<std::size_t>(code)] = 0; }

    KeyState keys{};
    bool readable = true;
    int reads = 0;
};

class KeyboardInputTest : public ::testing::Test {
protected:
    KeyboardInputTest() { input.attach(keyboard); }

    FakeKeyboard keyboard;
    KeyboardInput input;
};

TEST(KeyboardInputDetached, HoldsNoKeyAndSaysItIsNotAttached) {
    KeyboardInput input;
    EXPECT_EQ(input.status(), KeyboardInput::kStatusNotAttached);
    input.poll();
    EXPECT_EQ(input.status(), KeyboardInput::kStatusNotAttached);
    EXPECT_FALSE(input.isKeyDown(kKeyLeft));
    EXPECT_EQ(input.firstKeyDown(), -1);
}

TEST(KeyboardInputDetached, AWindowThatWasNeverCreatedCannotBeAttached) {
    FakeKeyboard keyboard;
    keyboard.hold(kKeyLeft);
    KeyboardInput input;
    input.attach(keyboard);

    platform::Window window;
    EXPECT_FALSE(input.attach(window));
    EXPECT_EQ(input.status(), KeyboardInput::kStatusNotAttached);
    // The earlier source is let go as well.
    input.poll();
    EXPECT_EQ(keyboard.reads, 0);
    EXPECT_FALSE(input.isKeyDown(kKeyLeft));
}

TEST_F(KeyboardInputTest, ReportsTheHeldKeysByScanCode) {
    keyboard.hold(kKeyLeft);
    keyboard.hold(kKeySpace);
    input.poll();
    EXPECT_EQ(input.status(), KeyboardInput::kStatusOk);
    EXPECT_TRUE(input.isKeyDown(kKeyLeft));
    EXPECT_TRUE(input.isKeyDown(kKeySpace));
    EXPECT_FALSE(input.isKeyDown(kKeyRight));
    EXPECT_FALSE(input.isKeyDown(kKeyDown));
}

TEST_F(KeyboardInputTest, OnlyTheTopBitOfAStateByteMeansHeld) {
    keyboard.keys[10] = 0x7F;
    keyboard.keys[11] = 0x80;
    keyboard.keys[12] = 0xFF;
    keyboard.keys[13] = 0x01;
    input.poll();
    EXPECT_FALSE(input.isKeyDown(10));
    EXPECT_TRUE(input.isKeyDown(11));
    EXPECT_TRUE(input.isKeyDown(12));
    EXPECT_FALSE(input.isKeyDown(13));
    EXPECT_EQ(input.firstKeyDown(), 11);
}

TEST_F(KeyboardInputTest, TheLowestHeldCodeComesFirst) {
    input.poll();
    EXPECT_EQ(input.firstKeyDown(), -1);

    keyboard.hold(kKeyDown);
    keyboard.hold(kKeyA);
    input.poll();
    EXPECT_EQ(input.firstKeyDown(), kKeyA);

    keyboard.release(kKeyA);
    input.poll();
    EXPECT_EQ(input.firstKeyDown(), kKeyDown);

    keyboard.release(kKeyDown);
    keyboard.hold(255);
    input.poll();
    EXPECT_EQ(input.firstKeyDown(), 255);
}

TEST_F(KeyboardInputTest, CodesOutsideTheStateAreNeverHeld) {
    keyboard.keys.fill(platform::kKeyPressed);
    input.poll();
    EXPECT_TRUE(input.isKeyDown(0));
    EXPECT_TRUE(input.isKeyDown(255));
    for (int code : {-1, 256, INT_MIN, INT_MAX}) {
        EXPECT_FALSE(input.isKeyDown(code)) << "code " << code;
    }
}

TEST_F(KeyboardInputTest, KeysChangeOnlyWhenPolled) {
    keyboard.hold(kKeyUp);
    input.poll();
    keyboard.release(kKeyUp);
    keyboard.hold(kKeyK);
    // Later readers in the same tick see the state of the tick's poll.
    EXPECT_TRUE(input.isKeyDown(kKeyUp));
    EXPECT_FALSE(input.isKeyDown(kKeyK));
    input.poll();
    EXPECT_FALSE(input.isKeyDown(kKeyUp));
    EXPECT_TRUE(input.isKeyDown(kKeyK));
}

TEST_F(KeyboardInputTest, AFailedReadReleasesEveryKeyUntilAReadSucceeds) {
    keyboard.hold(kKeyLeft);
    input.poll();
    ASSERT_TRUE(input.isKeyDown(kKeyLeft));

    keyboard.readable = false;
    input.poll();
    EXPECT_EQ(input.status(), KeyboardInput::kStatusUnreadable);
    EXPECT_FALSE(input.isKeyDown(kKeyLeft));
    EXPECT_FALSE(input.isKeyDown(0));
    EXPECT_EQ(input.firstKeyDown(), -1);

    keyboard.readable = true;
    input.poll();
    EXPECT_EQ(input.status(), KeyboardInput::kStatusOk);
    EXPECT_TRUE(input.isKeyDown(kKeyLeft));
    EXPECT_EQ(input.firstKeyDown(), kKeyLeft);
}

TEST_F(KeyboardInputTest, ANewSourceStartsWithNoKeyHeld) {
    keyboard.hold(kKeyLeft);
    input.poll();
    FakeKeyboard other;
    other.hold(kKeyRight);
    input.attach(other);
    EXPECT_EQ(input.status(), KeyboardInput::kStatusOk);
    EXPECT_EQ(input.firstKeyDown(), -1);
    input.poll();
    EXPECT_EQ(input.firstKeyDown(), kKeyRight);
    EXPECT_EQ(keyboard.reads, 1);
}

TEST_F(KeyboardInputTest, DetachingReleasesEveryKeyAndStopsReading) {
    keyboard.hold(kKeyRight);
    input.poll();
    const int reads = keyboard.reads;
    input.detach();
    EXPECT_EQ(input.status(), KeyboardInput::kStatusNotAttached);
    EXPECT_FALSE(input.isKeyDown(kKeyRight));
    input.poll();
    EXPECT_EQ(keyboard.reads, reads);
    EXPECT_EQ(input.firstKeyDown(), -1);
}

// SDL numbers keys by their USB usage; these few are fixed by that standard.
constexpr int kSdlA = 4;
constexpr int kSdl1 = 30;
constexpr int kSdl0 = 39;
constexpr int kSdlF1 = 58;
constexpr int kSdlRight = 79;      // then left, down, up
constexpr int kSdlLeftCtrl = 224;  // then shift, alt, (GUI,) right ctrl, shift, alt
constexpr int kSdlScancodeCount = 512;

TEST(KeyboardScanCodes, EveryNamedKeyAndEscapeEnterAndScrollLockCanBePressed) {
    std::set<int> reachable;
    for (int sdl = 0; sdl < kSdlScancodeCount; ++sdl) {
        const int code = platform::scanCodeFromSdl(sdl);
        ASSERT_GE(code, 0) << "SDL scancode " << sdl;
        ASSERT_LT(code, 256) << "SDL scancode " << sdl;
        reachable.insert(code);
    }
    std::vector<int> wanted = {kKeyEscape, kKeyEnter, kKeyScrollLock};
    for (int code = 0; code < 256; ++code) {
        if (keyName(code)[0] != '\0') {
            wanted.push_back(code);
        }
    }
    for (int code : wanted) {
        EXPECT_TRUE(reachable.count(code))
            << "no key gives scan code " << code << " (" << keyName(code) << ")";
    }
}

TEST(KeyboardScanCodes, UnknownAndOutOfRangeScancodesGiveZero) {
    EXPECT_EQ(platform::scanCodeFromSdl(0), 0);
    EXPECT_EQ(platform::scanCodeFromSdl(-1), 0);
    EXPECT_EQ(platform::scanCodeFromSdl(kSdlScancodeCount), 0);
    EXPECT_EQ(platform::scanCodeFromSdl(INT_MIN), 0);
    EXPECT_EQ(platform::scanCodeFromSdl(INT_MAX), 0);
}

TEST(KeyboardScanCodes, KeysLandOnTheCodesNamedForThem) {
    auto nameOf = [](int sdl) { return std::string(keyName(platform::scanCodeFromSdl(sdl))); };
    for (int i = 0; i < 26; ++i) {
        EXPECT_EQ(nameOf(kSdlA + i), std::string(1, static_cast<char>('A' + i)));
    }
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(nameOf(kSdl1 + i), std::string(1, static_cast<char>('1' + i)));
    }
    EXPECT_EQ(nameOf(kSdl0), "0");
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(nameOf(kSdlF1 + i), "F" + std::to_string(i + 1));
    }
    EXPECT_EQ(nameOf(kSdlRight), "RIGHT ARROW");
    EXPECT_EQ(nameOf(kSdlRight + 1), "LEFT ARROW");
    EXPECT_EQ(nameOf(kSdlRight + 2), "DOWN ARROW");
    EXPECT_EQ(nameOf(kSdlRight + 3), "UP ARROW");
    EXPECT_EQ(nameOf(kSdlLeftCtrl), "LEFT CTRL");
    EXPECT_EQ(nameOf(kSdlLeftCtrl + 1), "LEFT SHIFT");
    EXPECT_EQ(nameOf(kSdlLeftCtrl + 2), "LEFT ALT");
    EXPECT_EQ(nameOf(kSdlLeftCtrl + 4), "RIGHT CTRL");
    EXPECT_EQ(nameOf(kSdlLeftCtrl + 5), "RIGHT SHIFT");
    EXPECT_EQ(nameOf(kSdlLeftCtrl + 6), "RIGHT ALT");
}

TEST(KeyboardScanCodes, AnSdlKeyboardStateBecomesScanCodeBytes) {
    std::vector<std::uint8_t> sdlKeys(kSdlScancodeCount, 0);
    sdlKeys[kSdlA] = 1;
    sdlKeys[kSdlRight + 1] = 1;
    KeyState state;
    state.fill(0xFF);  // nothing from before may survive
    platform::keyStateFromSdl(sdlKeys, state);

    std::vector<int> held;
    for (int code = 0; code < 256; ++code) {
        if (state[static_cast<std::size_t>(code)] != 0) {
            EXPECT_EQ(state[static_cast<std::size_t>(code)], platform::kKeyPressed);
            held.push_back(code);
        }
    }
    EXPECT_EQ(held, (std::vector<int>{kKeyA, kKeyLeft}));
}

TEST(KeyboardScanCodes, KeysWithoutAScanCodeNeverHoldCodeZero) {
    // A binding of 0 stands for "no key" and must stay released whatever is pressed.
    std::vector<std::uint8_t> sdlKeys(kSdlScancodeCount, 1);
    KeyState state{};
    platform::keyStateFromSdl(sdlKeys, state);
    EXPECT_EQ(state[0], 0);
    EXPECT_EQ(state[kKeyEscape], platform::kKeyPressed);
}

}  // namespace
}  // namespace glint
