// The frame timer and the message queue, without a window: one timer message per period, none
// while a frame step runs, and posted messages arriving as they were sent.
#include "platform/FrameTimer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

#include "platform/KeyboardDevice.h"
#include "platform/Messages.h"
#include "platform/System.h"

namespace glint::platform {
namespace {

class FrameTimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(startEvents(error)) << error;
    }
    void TearDown() override { stopAll(); }

    // Handles messages for the given time, counting timer messages; quits through the queue.
    int countTimerMessages(int milliseconds) {
        int count = 0;
        auto start = std::chrono::steady_clock::now();
        Message message;
        int exitCode = 0;
        while (std::chrono::steady_clock::now() - start < std::chrono::milliseconds(milliseconds)) {
            // A message of our own wakes the loop so that it can look at the time.
            postMessage(Message{MessageType::ShowWindow, 0, 0});
            if (!getMessage(message, exitCode)) {
                break;
            }
            if (message.type == MessageType::Timer && message.wParam == FrameTimer::kTimerId) {
                ++count;
            }
        }
        return count;
    }
};

TEST_F(FrameTimerTest, PostsAboutThirtyThreeStepsASecond) {
    std::atomic<bool> inFrame{false};
    FrameTimer timer;
    ASSERT_TRUE(timer.start(30, inFrame));
    int count = countTimerMessages(1000);
    timer.stop();
    EXPECT_GE(count, 25);
    EXPECT_LE(count, 36);
}

TEST_F(FrameTimerTest, PostsNothingWhileAFrameStepRuns) {
    std::atomic<bool> inFrame{true};
    FrameTimer timer;
    ASSERT_TRUE(timer.start(30, inFrame));
    EXPECT_EQ(countTimerMessages(300), 0);
    inFrame = false;
    EXPECT_GT(countTimerMessages(300), 3);
}

TEST_F(FrameTimerTest, PostedMessagesArriveInOrderWithTheirValues) {
    postMessage(Message{MessageType::Close, kCloseFromProgram, 0});
    postMessage(Message{MessageType::MouseMove, kButtonLeft, mouseLParam(-5, 700)});
    postQuitMessage(3);
    Message m;
    int exitCode = 0;
    ASSERT_TRUE(getMessage(m, exitCode));
    EXPECT_EQ(m.type, MessageType::Close);
    EXPECT_EQ(m.wParam, kCloseFromProgram);
    ASSERT_TRUE(getMessage(m, exitCode));
    EXPECT_EQ(m.type, MessageType::MouseMove);
    EXPECT_EQ(mouseX(m.lParam), -5);
    EXPECT_EQ(mouseY(m.lParam), 700);
    EXPECT_FALSE(getMessage(m, exitCode));
    EXPECT_EQ(exitCode, 3);
}

TEST(VirtualKeys, LettersDigitsAndEditingKeysHaveTheirCodes) {
    EXPECT_EQ(virtualKeyFromSymbol('a'), 'A');
    EXPECT_EQ(virtualKeyFromSymbol('z'), 'Z');
    EXPECT_EQ(virtualKeyFromSymbol('7'), '7');
    EXPECT_EQ(virtualKeyFromSymbol(27), vk::kEscape);
    EXPECT_EQ(virtualKeyFromSymbol('\r'), vk::kReturn);
    EXPECT_EQ(virtualKeyFromSymbol('\b'), vk::kBack);
    EXPECT_EQ(virtualKeyFromSymbol(127), vk::kDelete);
    EXPECT_EQ(virtualKeyFromSymbol('~'), 0);
}

// SDL numbers key positions by their USB usage; these are fixed by that standard.
constexpr int kUsbA = 4;
constexpr int kUsbQ = 20;
constexpr int kUsb1 = 30;
constexpr int kUsbSemicolon = 51;
constexpr int kUsbComma = 54;
constexpr int kUsbKeypadMinus = 86;
constexpr int kUsbKeypad7 = 95;
constexpr int kUsbKeypadEquals = 103;
constexpr int kUsbMail = 265;
constexpr int kUsbCount = 512;
constexpr std::int32_t kSymbolOfPosition = 1 << 30;  // how SDL marks a symbol with no character

TEST(VirtualKeys, EveryKeyThatCanBeBoundSendsAKeyDown) {
    // A key reader learns of a key only through its key-down message, so a key the keyboard
    // state knows must never be dropped for want of a virtual-key code.
    for (int usb = 0; usb < kUsbCount; ++usb) {
        if (scanCodeFromSdl(usb) != 0) {
            EXPECT_NE(virtualKeyFor(kSymbolOfPosition | usb, usb), 0) << "USB usage " << usb;
        }
    }
    EXPECT_EQ(virtualKeyFor(0, 0), 0);
    EXPECT_EQ(virtualKeyFor(kSymbolOfPosition | 300, 300), 0);
}

TEST(VirtualKeys, TheLayoutsSymbolComesFirstThenThePosition) {
    // French layout: the key in the place of Q types 'a', the key of 1 types '&'.
    EXPECT_EQ(virtualKeyFor('a', kUsbQ), 'A');
    EXPECT_EQ(virtualKeyFor('&', kUsb1), '1');
    // A letter of the layout's own, and punctuation, by position.
    EXPECT_EQ(virtualKeyFor(0xf6, kUsbSemicolon), 0xba);
    EXPECT_EQ(virtualKeyFor(',', kUsbComma), 0xbc);
    EXPECT_EQ(virtualKeyFor('q', kUsbA), 'Q');
    // The keypad, which editing keys must not be confused with.
    EXPECT_EQ(virtualKeyFor(kSymbolOfPosition | kUsbKeypadMinus, kUsbKeypadMinus), 0x6d);
    EXPECT_EQ(virtualKeyFor(kSymbolOfPosition | kUsbKeypad7, kUsbKeypad7), 0x67);
    EXPECT_EQ(virtualKeyFor(kSymbolOfPosition | kUsbKeypadEquals, kUsbKeypadEquals), 0x92);
    // A key with a scan code but no virtual-key code of its own.
    EXPECT_EQ(virtualKeyFor(kSymbolOfPosition | kUsbMail, kUsbMail), vk::kUnassigned);
}

}  // namespace
}  // namespace glint::platform
