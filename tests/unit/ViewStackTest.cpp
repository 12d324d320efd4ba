// The view and dialog stacks: who gets input and updates, what is drawn in which order, when
// closes happen and who hears of them, window dragging and the dialog's coordinate mapping.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestWindow.h"
#include "app/Dialog.h"
#include "app/MainWindow.h"
#include "app/View.h"
#include "platform/Messages.h"
#include "ui/Widget.h"

namespace glint {
namespace {

using Log = std::vector<std::string>;

// Records every call it receives, by name.
class RecordingView : public View {
public:
    RecordingView(MainWindow& w, std::string name, Log& log) : View(w), name_(name), log_(log) {}
    void update(int ms) override {
        log_.push_back(name_ + ".update");
        View::update(ms);
    }
    void draw() override { log_.push_back(name_ + ".draw"); }
    void activate() override {
        log_.push_back(name_ + ".activate");
        View::activate();
    }
    void onKeyDown(int key) override {
        log_.push_back(name_ + ".key" + std::to_string(key));
        View::onKeyDown(key);
    }
    void onDialogClosed(int result, View*) override {
        log_.push_back(name_ + ".closed" + std::to_string(result));
    }
    void onCloseRequest() override { log_.push_back(name_ + ".closeRequest"); }

private:
    std::string name_;
    Log& log_;
};

class RecordingDialog : public Dialog {
public:
    RecordingDialog(MainWindow& w, std::string name, Log& log)
        : Dialog(w), name_(name), log_(log) {}
    void update(int ms) override {
        log_.push_back(name_ + ".update");
        Dialog::update(ms);
    }
    void draw() override { log_.push_back(name_ + ".draw"); }
    void activate() override {
        log_.push_back(name_ + ".activate");
        Dialog::activate();
    }
    void onKeyDown(int key) override {
        log_.push_back(name_ + ".key" + std::to_string(key));
        Dialog::onKeyDown(key);
    }
    void onDialogClosed(int result, View*) override {
        log_.push_back(name_ + ".closed" + std::to_string(result));
    }
    void onCommand(Widget*) override {
        result = 0;
        window_.closeTop(false);
    }

private:
    std::string name_;
    Log& log_;
};

// A widget that claims the events it is asked to and remembers where they were.
class ProbeWidget : public Widget {
public:
    using Widget::Widget;
    bool onLButtonDown(int x, int y, std::uint64_t) override {
        lastX = x;
        lastY = y;
        return claims;
    }
    bool onMouseMove(int x, int y, std::uint64_t) override {
        lastX = x;
        lastY = y;
        return false;
    }
    void reset() override { ++resets; }

    bool claims = false;
    int lastX = -1;
    int lastY = -1;
    int resets = 0;
};

class ViewStack : public ::testing::Test {
protected:
    TestWindow window;
    Log log;
    RecordingView menu{window, "menu", log};
    RecordingView game{window, "game", log};
    RecordingDialog first{window, "first", log};
    RecordingDialog second{window, "second", log};
};

TEST_F(ViewStack, ANewViewIsActivatedAndBecomesCurrentAtOnce) {
    window.pushView(&menu);
    window.pushView(&game);
    EXPECT_EQ(window.currentView(), &game);
    EXPECT_EQ(log, (Log{"menu.activate", "game.activate"}));
}

TEST_F(ViewStack, PushingAViewOrDialogTwiceIsIgnored) {
    window.pushView(&menu);
    window.pushView(&menu);
    window.pushDialog(&first);
    window.pushDialog(&first);
    EXPECT_EQ(window.views().size(), 1u);
    EXPECT_EQ(window.dialogs().size(), 1u);
}

TEST_F(ViewStack, OpeningADialogActivatesItThenTheCurrentView) {
    window.pushView(&menu);
    log.clear();
    window.pushDialog(&first);
    EXPECT_EQ(log, (Log{"first.activate", "menu.activate"}));
}

TEST_F(ViewStack, OnlyTheNewestDialogGetsInputAndUpdatesButAllAreDrawnOldestFirst) {
    window.pushView(&menu);
    window.pushDialog(&first);
    window.pushDialog(&second);
    log.clear();
    window.target()->onKeyDown('A');
    window.tick(30);
    window.drawFrame();
    EXPECT_EQ(log,
              (Log{"second.key65", "second.update", "menu.draw", "first.draw", "second.draw"}));
}

TEST_F(ViewStack, ADialogClosedFromACommandLeavesAtTheNextTickAndItsOwnerHearsFirst) {
    window.pushView(&menu);
    window.pushDialog(&first);
    first.onCommand(nullptr);
    EXPECT_EQ(window.dialogs().size(), 1u);  // still open until the next step
    log.clear();
    window.tick(30);
    EXPECT_TRUE(window.dialogs().empty());
    EXPECT_EQ(log, (Log{"menu.closed0", "menu.update"}));
}

TEST_F(ViewStack, TheDialogBelowHearsOfTheClose) {
    window.pushView(&menu);
    window.pushDialog(&first);
    window.pushDialog(&second);
    second.result = 1;
    window.closeTop(false);
    log.clear();
    window.tick(30);
    EXPECT_EQ(log, (Log{"first.closed1", "first.update"}));
}

TEST_F(ViewStack, EscapeAndEnterCloseADialogWithCancelAndAccept) {
    window.pushView(&menu);
    window.pushDialog(&first);
    first.onKeyDown(platform::vk::kEscape);
    log.clear();
    window.tick(30);
    EXPECT_EQ(log, (Log{"menu.closed1", "menu.update"}));

    window.pushDialog(&second);
    second.onKeyDown(platform::vk::kReturn);
    log.clear();
    window.tick(30);
    EXPECT_EQ(log, (Log{"menu.closed0", "menu.update"}));
}

TEST_F(ViewStack, TwoDeferredClosesInOneFrameCloseOnlyOne) {
    window.pushView(&menu);
    window.pushDialog(&first);
    window.pushDialog(&second);
    window.closeTop(false);
    window.closeTop(false);
    window.tick(30);
    ASSERT_EQ(window.dialogs().size(), 1u);
    EXPECT_EQ(window.dialogs().front(), &first);
}

TEST_F(ViewStack, TheLastViewIsNeverClosed) {
    window.pushView(&menu);
    window.closeTop(true);
    window.closeTop(false);
    window.tick(30);
    ASSERT_EQ(window.views().size(), 1u);
    EXPECT_EQ(window.currentView(), &menu);
}

TEST_F(ViewStack, ClosingAViewActivatesTheOneBelow) {
    window.pushView(&menu);
    window.pushView(&game);
    log.clear();
    window.closeTop(true);
    EXPECT_EQ(window.currentView(), &menu);
    EXPECT_EQ(log, (Log{"menu.activate"}));
}

TEST_F(ViewStack, RemovingAViewBelowTheCurrentOneChangesNothingElse) {
    window.pushView(&game);
    window.pushView(&menu);
    log.clear();
    window.removeView(&game);
    EXPECT_EQ(window.views(), (std::vector<View*>{&menu}));
    EXPECT_TRUE(log.empty());
}

TEST_F(ViewStack, AnInactiveWindowIsDrawnButNotUpdated) {
    window.pushView(&menu);
    window.active = false;
    log.clear();
    window.tick(30);
    window.drawFrame();
    EXPECT_EQ(log, (Log{"menu.draw"}));
}

TEST_F(ViewStack, AMinimizedWindowDrawsNothing) {
    window.pushView(&menu);
    window.minimized = true;
    log.clear();
    window.drawFrame();
    EXPECT_TRUE(log.empty());
}

TEST_F(ViewStack, ACloseRequestDropsEveryDialogUntoldAndAsksTheCurrentView) {
    window.pushView(&menu);
    window.pushDialog(&first);
    window.pushDialog(&second);
    log.clear();
    window.requestClose();
    window.tick(30);
    EXPECT_TRUE(window.dialogs().empty());
    EXPECT_EQ(log, (Log{"menu.closeRequest", "menu.update"}));
}

TEST_F(ViewStack, APressOnEmptySpaceDragsTheWindowUntilRelease) {
    menu.draggable = true;
    window.pushView(&menu);
    window.cursor = {150, 120};
    menu.onLButtonDown(50, 20, platform::kButtonLeft);
    window.cursor = {170, 150};
    menu.onMouseMove(70, 50, platform::kButtonLeft);
    EXPECT_EQ(window.rect.left, 120);
    EXPECT_EQ(window.rect.top, 130);
    EXPECT_EQ(window.rect.width(), 800);
    menu.onLButtonUp(70, 50, 0);
    window.cursor = {400, 400};
    menu.onMouseMove(300, 270, 0);
    EXPECT_EQ(window.rect.left, 120);
}

TEST_F(ViewStack, AWidgetThatClaimsThePressPreventsTheDrag) {
    ProbeWidget button(&menu);
    button.claims = true;
    menu.addWidget(&button);
    menu.draggable = true;
    window.pushView(&menu);
    menu.onLButtonDown(10, 10, platform::kButtonLeft);
    EXPECT_FALSE(menu.isDragging());
    window.cursor = {500, 500};
    menu.onMouseMove(10, 10, platform::kButtonLeft);
    EXPECT_EQ(window.rect.left, 100);
}

TEST_F(ViewStack, ADragEndsWhenTheCursorIsFoundOutsideTheWindow) {
    menu.draggable = true;
    window.pushView(&menu);
    window.cursor = {150, 120};
    menu.onLButtonDown(50, 20, platform::kButtonLeft);
    window.cursor = {1500, 120};
    window.tick(30);
    EXPECT_FALSE(menu.isDragging());
}

TEST_F(ViewStack, ActivatingAViewResetsItsWidgets) {
    ProbeWidget a(&menu);
    ProbeWidget b(&menu);
    menu.addWidget(&a);
    menu.addWidget(&b);
    window.pushView(&menu);
    window.pushDialog(&first);
    EXPECT_EQ(a.resets, 2);
    EXPECT_EQ(b.resets, 2);
}

TEST(DialogMapping, ClicksArriveInPanelUnitsOfTheReferenceScreen) {
    TestWindow window;
    Log log;
    RecordingDialog dialog(window, "d", log);
    dialog.setReferenceSize(800, 600);
    dialog.panelX = 200.0f;
    dialog.panelY = 150.0f;
    ProbeWidget widget(&dialog);
    dialog.addWidget(&widget);

    dialog.onLButtonDown(250, 175, 0);
    EXPECT_EQ(widget.lastX, 50);
    EXPECT_EQ(widget.lastY, 25);

    window.width = 1024;
    window.height = 768;
    dialog.onLButtonDown(512, 384, 0);
    EXPECT_EQ(widget.lastX, 200);
    EXPECT_EQ(widget.lastY, 150);
    dialog.onMouseMove(1023, 767, 0);
    EXPECT_EQ(widget.lastX, 599);  // 1023 / 1.28 = 799.2
    EXPECT_EQ(widget.lastY, 449);
    // Full screen on a wider desktop: the picture is 1600 x 1200 between bars 160 wide.
    window.fullScreen = true;
    window.width = 1920;
    window.height = 1200;
    dialog.onLButtonDown(960, 600, 0);
    EXPECT_EQ(widget.lastX, 200);
    EXPECT_EQ(widget.lastY, 150);
    dialog.onLButtonDown(161, 1, 0);  // just inside the picture's top left corner
    EXPECT_EQ(widget.lastX, -200);
    EXPECT_EQ(widget.lastY, -150);
    dialog.onLButtonDown(100, 600, 0);  // in the left bar: left of the screen
    EXPECT_LT(widget.lastX, -200);
}

TEST(DialogMapping, AWindowOfUnknownSizeMapsOneToOne) {
    TestWindow window;
    window.width = 0;
    window.height = 0;
    Log log;
    RecordingDialog dialog(window, "d", log);
    ProbeWidget widget(&dialog);
    dialog.addWidget(&widget);
    dialog.onLButtonDown(30, 40, 0);
    EXPECT_EQ(widget.lastX, 30);
    EXPECT_EQ(widget.lastY, 40);
}

}  // namespace
}  // namespace glint
