// The frame timer and the message queue, without a window: one timer message per period, none
// while a frame step runs, and posted messages arriving as they were sent.
#include "platform/FrameTimer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include <SDL.h>

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

    // Handles messages for the given time, counting timer messages and clearing the flag after
    // each as a frame step does.
    int countTimerMessages(int milliseconds, std::atomic<bool>& busy) {
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
                busy = false;
            }
        }
        return count;
    }
};

TEST_F(FrameTimerTest, PostsAboutThirtyThreeStepsASecond) {
    std::atomic<bool> busy{false};
    FrameTimer timer;
    ASSERT_TRUE(timer.start(30, busy));
    int count = countTimerMessages(1000, busy);
    timer.stop();
    EXPECT_GE(count, 25);
    EXPECT_LE(count, 36);
}

TEST_F(FrameTimerTest, PostsNothingWhileAStepIsWaitingOrRunningAndCountsWhatItSkips) {
    std::atomic<bool> busy{true};
    FrameTimer timer;
    ASSERT_TRUE(timer.start(30, busy));
    EXPECT_EQ(countTimerMessages(300, busy), 0);
    EXPECT_GE(timer.skippedPeriods(), 5u);
    busy = false;
    EXPECT_GT(countTimerMessages(300, busy), 3);
    timer.stop();
    // A step that is never run: one message, then nothing more however long it waits.
    auto drain = [] {
        Message message;
        int exitCode = 0;
        int timers = 0;
        constexpr std::uint64_t kEnd = 12345;  // posted last, so everything before it is read
        postMessage(Message{MessageType::Close, kEnd, 0});
        while (getMessage(message, exitCode) &&
               !(message.type == MessageType::Close && message.wParam == kEnd)) {
            timers += message.type == MessageType::Timer ? 1 : 0;
        }
        return timers;
    };
    drain();
    busy = false;
    ASSERT_TRUE(timer.start(30, busy));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    timer.stop();
    EXPECT_EQ(drain(), 1);
}

TEST(PeriodSchedule, LateWakeUpsNeitherStretchLaterPeriodsNorComeInBursts) {
    using std::chrono::milliseconds;
    const auto first = PeriodSchedule::Clock::time_point(milliseconds(1000));
    PeriodSchedule schedule(first, milliseconds(30));
    // Every wake-up up to 29 ms late: each still belongs to its own deadline.
    for (int k = 0; k < 1000; ++k) {
        const auto deadline = first + milliseconds(30) * k;
        ASSERT_EQ(schedule.next(), deadline);
        ASSERT_EQ(schedule.advance(deadline + milliseconds((k * 7) % 30)), 0u);
    }
    // A wake-up 100 ms late passes over three deadlines and waits for the next one on the grid.
    const auto due = schedule.next();
    EXPECT_EQ(schedule.advance(due + milliseconds(100)), 3u);
    EXPECT_EQ(schedule.next(), due + milliseconds(120));
    // An early wake-up changes nothing.
    EXPECT_EQ(schedule.advance(schedule.next() - milliseconds(1)), 0u);
    EXPECT_EQ(schedule.next(), due + milliseconds(120));
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

TEST_F(FrameTimerTest, EventsOfAWindowThatIsGoneAreDropped) {
    // Window 7 was destroyed by a display-mode change; window 8 took its place. The desktop's
    // events for 7 are still queued, and must not change the new window's state.
    setMessageWindow(8);
    for (std::uint32_t id : {7u, 8u}) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = id;
        event.window.event = SDL_WINDOWEVENT_MINIMIZED;
        SDL_PushEvent(&event);
        event = SDL_Event{};
        event.type = SDL_MOUSEBUTTONDOWN;
        event.button.windowID = id;
        event.button.button = SDL_BUTTON_LEFT;
        event.button.x = static_cast<Sint32>(id);
        SDL_PushEvent(&event);
    }
    postQuitMessage(0);
    std::vector<Message> got;
    Message message;
    int exitCode = 0;
    while (getMessage(message, exitCode)) {
        got.push_back(message);
    }
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].type, MessageType::Size);
    EXPECT_EQ(got[0].wParam, kSizeMinimized);
    EXPECT_EQ(got[1].type, MessageType::LButtonDown);
    EXPECT_EQ(mouseX(got[1].lParam), 8);
    setMessageWindow(0);
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
