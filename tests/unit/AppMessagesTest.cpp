// The window procedure's table, through the application object with no window: which messages
// run a frame step, change the window's state, reach the top view, or end the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestFiles.h"
#include "app/App.h"
#include "app/Dialog.h"
#include "app/MainWindow.h"
#include "app/View.h"
#include "platform/FrameTimer.h"
#include "platform/Messages.h"
#include "platform/System.h"
#include "ui/Widgets.h"

namespace glint {
namespace {

using platform::Message;
using platform::MessageType;

class CountingView : public View {
public:
    using View::View;
    void update(int ms) override {
        ++updates;
        lastMs = ms;
    }
    void draw() override { ++draws; }
    void activate() override { ++activations; }
    void onKeyDown(int key) override { keys.push_back(key); }
    void onChar(int character, int repeat) override {
        chars.push_back(character);
        lastRepeat = repeat;
    }
    void onLButtonDown(int x, int y, std::uint64_t) override {
        lastX = x;
        lastY = y;
    }
    void onCloseRequest() override { ++closeRequests; }

    int updates = 0;
    int lastMs = 0;
    int draws = 0;
    int activations = 0;
    int closeRequests = 0;
    std::vector<int> keys;
    std::vector<int> chars;
    int lastRepeat = 0;
    int lastX = 0;
    int lastY = 0;
};

class PlainDialog : public Dialog {
public:
    using Dialog::Dialog;
    void onKeyDown(int key) override { keys.push_back(key); }
    void onCommand(Widget*) override {}
    std::vector<int> keys;
};

class AppMessages : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(platform::startEvents(error)) << error;
        application = std::make_unique<App>();
        application->mainWindow = std::make_unique<MainWindow>(nullptr);
        window().active = true;
        view = std::make_unique<CountingView>(window());
        window().pushView(view.get());
    }
    void TearDown() override {
        application.reset();
        platform::stopAll();
    }

    MainWindow& window() { return *application->mainWindow; }
    void send(MessageType type, std::uint64_t wParam = 0, std::int64_t lParam = 0) {
        application->handleMessage(Message{type, wParam, lParam});
    }
    // Whether the quit message is the next thing in the queue.
    bool quitIsQueued() {
        platform::postMessage(Message{MessageType::ShowWindow, 0, 0});
        Message m;
        int code = -1;
        bool quit = !platform::getMessage(m, code);
        if (!quit) {
            return false;
        }
        return code == 0;
    }

    test::ScratchDirectory scratch;
    std::unique_ptr<App> application;
    std::unique_ptr<CountingView> view;
};

TEST_F(AppMessages, OnlyTheFrameTimersMessageRunsAStep) {
    send(MessageType::Timer, 2);
    EXPECT_EQ(view->updates, 0);
    EXPECT_EQ(view->draws, 0);
    send(MessageType::Timer, platform::FrameTimer::kTimerId);
    EXPECT_EQ(view->updates, 1);
    EXPECT_EQ(view->lastMs, 30);
    EXPECT_EQ(view->draws, 1);
    EXPECT_FALSE(inFrameFlag().load());
}

TEST_F(AppMessages, AnInactiveWindowIsDrawnButNotUpdated) {
    send(MessageType::Activate, 0);
    send(MessageType::Timer, platform::FrameTimer::kTimerId);
    EXPECT_EQ(view->updates, 0);
    EXPECT_EQ(view->draws, 1);
    send(MessageType::Activate, 1);
    send(MessageType::Timer, platform::FrameTimer::kTimerId);
    EXPECT_EQ(view->updates, 1);
}

TEST_F(AppMessages, TheMinimizedStateFollowsTheWindowsOwnEvents) {
    int before = view->activations;
    // Asked to minimize, the window stays on screen until the desktop says it went: a desktop
    // that refuses leaves it drawn.
    window().minimizeWindow();
    EXPECT_FALSE(window().minimized);
    send(MessageType::Timer, platform::FrameTimer::kTimerId);
    EXPECT_EQ(view->draws, 1);
    send(MessageType::Size, platform::kSizeRestored);
    EXPECT_EQ(view->activations, before);  // it never went away: nothing to restore
    send(MessageType::Size, platform::kSizeMinimized);
    EXPECT_TRUE(window().minimized);
    send(MessageType::Timer, platform::FrameTimer::kTimerId);
    EXPECT_EQ(view->draws, 1);  // nothing is drawn while hidden
    send(MessageType::Size, platform::kSizeRestored);
    EXPECT_EQ(view->activations, before + 1);
    EXPECT_FALSE(window().minimized);
}

TEST_F(AppMessages, APictureAlreadyOnScreenIsNotDrawnAgain) {
    Button button(view.get(), nullptr);
    button.setPosition(100.0f, 100.0f);
    view->addWidget(&button);
    auto step = [&] { send(MessageType::Timer, platform::FrameTimer::kTimerId); };
    step();
    EXPECT_EQ(view->draws, 1);
    step();
    step();
    EXPECT_EQ(view->draws, 1) << "nothing changed";
    // A pointer moving over empty space changes nothing; onto the button, its hover band.
    send(MessageType::MouseMove, 0, platform::mouseLParam(10, 10));
    step();
    EXPECT_EQ(view->draws, 1);
    send(MessageType::MouseMove, 0, platform::mouseLParam(110, 110));
    step();
    EXPECT_EQ(view->draws, 2);
    step();
    EXPECT_EQ(view->draws, 2);
    // Keys, and whatever the desktop says of the window, may change anything.
    send(MessageType::KeyDown, 'A');
    step();
    EXPECT_EQ(view->draws, 3);
    send(MessageType::Paint);
    step();
    EXPECT_EQ(view->draws, 4);
    // A widget changed behind the messages' back (a timer, a blinking caret) is noticed too.
    button.state = 3;
    step();
    EXPECT_EQ(view->draws, 5);
    // A dialog opening over the view is drawn at once.
    PlainDialog dialog(window());
    window().pushDialog(&dialog);
    step();
    EXPECT_EQ(view->draws, 6);
    window().closeTop(true);
    step();
    EXPECT_EQ(view->draws, 7);
    step();
    EXPECT_EQ(view->draws, 7);
}

TEST_F(AppMessages, InputReachesTheNewestDialogOnly) {
    PlainDialog dialog(window());
    window().pushDialog(&dialog);
    send(MessageType::KeyDown, 'Z');
    EXPECT_EQ(dialog.keys, std::vector<int>{'Z'});
    EXPECT_TRUE(view->keys.empty());
}

TEST_F(AppMessages, KeysCharactersAndClicksReachTheCurrentView) {
    send(MessageType::KeyDown, platform::vk::kLeft);
    send(MessageType::Char, 'q', 0x30001);  // the repeat count is the low 16 bits
    send(MessageType::LButtonDown, platform::kButtonLeft, platform::mouseLParam(-3, 599));
    EXPECT_EQ(view->keys, std::vector<int>{platform::vk::kLeft});
    EXPECT_EQ(view->chars, std::vector<int>{'q'});
    EXPECT_EQ(view->lastRepeat, 1);
    EXPECT_EQ(view->lastX, -3);
    EXPECT_EQ(view->lastY, 599);
}

TEST_F(AppMessages, ACloseFromTheDesktopWithoutF4EndsTheProgram) {
    send(MessageType::Close, platform::kCloseFromSystem);
    EXPECT_EQ(view->closeRequests, 0);
    EXPECT_TRUE(quitIsQueued());
}

TEST_F(AppMessages, TheProgramsOwnCloseEndsItWhateverKeysAreHeld) {
    App::quit();
    Message m;
    int code = 0;
    ASSERT_TRUE(platform::getMessage(m, code));
    EXPECT_EQ(m.type, MessageType::Close);
    EXPECT_EQ(m.wParam, platform::kCloseFromProgram);
    application->handleMessage(m);
    EXPECT_TRUE(quitIsQueued());
}

TEST(MainWindowModes, RefusedFullScreenWidthsChangeNothing) {
    MainWindow window(nullptr);
    window.width = 800;
    window.height = 600;
    for (int width : {320, 400, 640}) {
        EXPECT_FALSE(window.enterFullScreen(width, 480));
        EXPECT_FALSE(window.fullScreen);
        EXPECT_EQ(window.width, 800);
        EXPECT_EQ(window.savedWidth, 0);
    }
}

}  // namespace
}  // namespace glint
