// The game-over, Top 7, help and quit dialogs driven as a player would, without a window: the
// results they close with, what reaches the high-score tables, and how often.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "TestWindow.h"
#include "app/App.h"
#include "app/MainWindow.h"
#include "app/View.h"
#include "persist/HighScoreTable.h"
#include "platform/Messages.h"
#include "ui/DialogSupport.h"
#include "ui/GameOverDialog.h"
#include "ui/HelpDialog.h"
#include "ui/QuitDialog.h"
#include "ui/TopSevenDialog.h"

namespace glint {
namespace {

namespace vk = platform::vk;

// The layout the dialogs read, as "mui/menu.txt" gives it.
constexpr const char* kMenu =
    "m_qd_x 190\nm_qd_y 200\nm_qd_width 420\nm_qd_height 200\n"
    "m_qd_ok_btnx 56\nm_qd_ok_btny 132\nm_qd_cancel_btnx 236\nm_qd_cancel_btny 132\n"
    "m_hd_x 80\nm_hd_y 40\nm_hd_width 640\nm_hd_height 520\n"
    "m_hd_up_btnx 560\nm_hd_up_btny 70\nm_hd_down_btnx 560\nm_hd_down_btny 380\n"
    "m_hd_close_btnx 490\nm_hd_close_btny 460\n"
    "m_end_editx 144\nm_end_edity 320\nm_end_close_btnx 336\nm_end_close_btny 440\n"
    "m_t7d_close_btnx 640\nm_t7d_close_btny 540\n";

// The menu that opens the dialogs: remembers every close it hears of.
class OwnerView : public View {
public:
    using View::View;
    void onDialogClosed(int result, View* dialog) override {
        results.push_back(result);
        closed.push_back(dialog);
    }
    std::vector<int> results;
    std::vector<View*> closed;
};

class ScoreDialogs : public ::testing::Test {
protected:
    ScoreDialogs() {
        test::writeFile("mui/menu.txt", std::string(kMenu));
        app = std::make_unique<App>("none.pk");
        window.pushView(&below);
        window.pushView(&owner);
    }

    // A press of the left button at a point of the panel, given in window pixels as the
    // platform delivers it.
    static void press(Dialog& dialog, float panelLocalX, float panelLocalY) {
        const int x = static_cast<int>(dialog.panelX + panelLocalX);
        const int y = static_cast<int>(dialog.panelY + panelLocalY);
        dialog.onMouseMove(x, y, 0);
        dialog.onLButtonDown(x, y, 0);
        dialog.onLButtonUp(x, y, 0);
    }
    static void click(Dialog& dialog, const Control& control) {
        press(dialog, control.x + 2.0f, control.y + 2.0f);
    }
    static void type(Dialog& dialog, const std::string& text) {
        for (char c : text) {
            dialog.onChar(static_cast<unsigned char>(c), 1);
        }
    }
    // One frame step: a requested close happens and the owner hears of it.
    void step() { window.tick(App::kFrameMs); }

    HighScoreTable& table(int set) { return app->settings.highScores[set]; }

    test::ScratchDirectory scratch;
    std::unique_ptr<App> app;
    // Placed at the desktop's corner, the cursor in the middle of the window.
    TestWindow window{{0, 0, 800, 600}, {400, 300}};
    OwnerView below{window};
    OwnerView owner{window};
};

// Game over

TEST_F(ScoreDialogs, GameOverTakesTheWholeScreenDimmedWithoutAPanelBackground) {
    GameOverDialog dialog(window, *app, 100, 0);
    EXPECT_EQ(dialog.refWidth, 800);
    EXPECT_EQ(dialog.refHeight, 600);
    EXPECT_TRUE(dialog.dimBackdrop);
    EXPECT_FALSE(dialog.drawBackground);
    EXPECT_EQ(dialog.panelX, 0.0f);
    EXPECT_EQ(dialog.panelY, 0.0f);
}

TEST_F(ScoreDialogs, GameOverHasTheCloseButtonThenTheNameBoxWhereTheMenuSays) {
    GameOverDialog dialog(window, *app, 100, 0);
    ASSERT_EQ(dialog.widgets().size(), 2u);
    EXPECT_EQ(dialog.widgets()[0], &dialog.closeButton());
    EXPECT_EQ(dialog.widgets()[1], &dialog.nameBox());
    EXPECT_EQ(dialog.closeButton().x, 336.0f);
    EXPECT_EQ(dialog.closeButton().y, 440.0f);
    const EditBox& box = dialog.nameBox();
    EXPECT_EQ(box.x, 144.0f);
    EXPECT_EQ(box.y, 320.0f);
    EXPECT_EQ(box.z, 10.0f);
    EXPECT_EQ(box.maxLength, 15);
    EXPECT_EQ(box.textOffset, 30.0f);
    EXPECT_EQ(box.textSize, 35.0f);
    EXPECT_EQ(box.textColour[0], 0.0f);
    EXPECT_EQ(box.textColour[1], 0.0f);
    EXPECT_EQ(box.textColour[2], 0.0f);
    EXPECT_EQ(box.textColour[3], 1.0f);
}

TEST_F(ScoreDialogs, AScoreOfZeroGetsNoNameEntryAndEntersNothing) {
    GameOverDialog dialog(window, *app, 0, 0);
    window.pushDialog(&dialog);
    EXPECT_FALSE(dialog.nameEntry());
    EXPECT_FALSE(dialog.nameBox().enabled);

    click(dialog, dialog.nameBox());
    type(dialog, "Eve");
    EXPECT_EQ(dialog.nameBox().text(), "");

    click(dialog, dialog.closeButton());
    step();
    EXPECT_TRUE(window.dialogs().empty());
    EXPECT_EQ(owner.results, std::vector<int>{0});
    EXPECT_TRUE(table(0).entries().empty());
}

TEST_F(ScoreDialogs, AScoreThatDoesNotQualifyIsNotEntered) {
    for (int i = 0; i < 7; ++i) {
        table(0).insert("Best", 500);
    }
    GameOverDialog dialog(window, *app, 500, 0);
    window.pushDialog(&dialog);
    EXPECT_FALSE(dialog.nameEntry());
    dialog.onKeyDown(vk::kReturn);
    step();
    ASSERT_EQ(table(0).entries().size(), 7u);
    EXPECT_EQ(table(0).entries().back().name, "Best");
    EXPECT_EQ(owner.results, std::vector<int>{0});
}

TEST_F(ScoreDialogs, ClosingWithoutANameEntersAnonymous) {
    GameOverDialog dialog(window, *app, 1200, 0);
    window.pushDialog(&dialog);
    EXPECT_TRUE(dialog.nameEntry());
    EXPECT_TRUE(dialog.nameBox().enabled);
    click(dialog, dialog.closeButton());
    step();
    ASSERT_EQ(table(0).entries().size(), 1u);
    EXPECT_EQ(table(0).entries()[0].name, "Anonymous");
    EXPECT_EQ(table(0).entries()[0].score, 1200);
    EXPECT_EQ(dialog.name(), "Anonymous");
}

TEST_F(ScoreDialogs, EscapeEntersTheScoreAndClosesWithResultZero) {
    GameOverDialog dialog(window, *app, 350, 0);
    window.pushDialog(&dialog);
    click(dialog, dialog.nameBox());
    type(dialog, "Ann");
    dialog.onKeyDown(vk::kEscape);
    step();
    EXPECT_TRUE(window.dialogs().empty());
    EXPECT_EQ(owner.results, std::vector<int>{0});
    ASSERT_EQ(table(0).entries().size(), 1u);
    EXPECT_EQ(table(0).entries()[0].name, "Ann");
    EXPECT_EQ(table(0).entries()[0].score, 350);
}

TEST_F(ScoreDialogs, TheNameGoesIntoTheTableOfTheGamesLevelSet) {
    GameOverDialog dialog(window, *app, 640, 1);
    window.pushDialog(&dialog);
    click(dialog, dialog.nameBox());
    type(dialog, "Bo");
    dialog.onKeyDown(vk::kReturn);
    step();
    EXPECT_TRUE(table(0).entries().empty());
    ASSERT_EQ(table(1).entries().size(), 1u);
    EXPECT_EQ(table(1).entries()[0].name, "Bo");
}

TEST_F(ScoreDialogs, TheNameBoxOpensFocusedForTheKeyboardAndForAController) {
    GameOverDialog dialog(window, *app, 500, 0);
    window.pushDialog(&dialog);
    ASSERT_EQ(dialog.focus(), &dialog.nameBox());
    type(dialog, "Al");
    dialog.onKeyDown(vk::kSpace);  // Space types into the box; it activates nothing
    dialog.onChar(' ', 1);
    EXPECT_EQ(dialog.nameBox().text(), "Al ");
    dialog.onNavigate(Navigation::Right);  // appends under the caret
    dialog.onNavigate(Navigation::Up);
    dialog.onNavigate(Navigation::Up);
    EXPECT_EQ(dialog.nameBox().text(), "Al C");
    dialog.onNavigate(Navigation::Activate);  // done: on to the close button
    EXPECT_EQ(dialog.focus(), &dialog.closeButton());
    step();
    EXPECT_FALSE(window.dialogs().empty());
    dialog.onNavigate(Navigation::Activate);
    step();
    EXPECT_TRUE(window.dialogs().empty());
    ASSERT_EQ(table(0).entries().size(), 1u);
    EXPECT_EQ(table(0).entries()[0].name, "Al C");
}

TEST_F(ScoreDialogs, CloseEscapeAndEnterInOneFrameEnterTheScoreOnce) {
    GameOverDialog dialog(window, *app, 900, 0);
    window.pushDialog(&dialog);
    click(dialog, dialog.closeButton());
    dialog.onKeyDown(vk::kEscape);
    dialog.onKeyDown(vk::kReturn);
    click(dialog, dialog.closeButton());
    step();
    EXPECT_EQ(table(0).entries().size(), 1u);
    EXPECT_EQ(owner.results, std::vector<int>{0});
    EXPECT_EQ(window.currentView(), &owner);

    // A request that still reaches the closed dialog neither enters the score again nor closes
    // whatever is now on top.
    dialog.onKeyDown(vk::kEscape);
    dialog.onCommand(&dialog.closeButton());
    step();
    EXPECT_EQ(table(0).entries().size(), 1u);
    EXPECT_EQ(window.currentView(), &owner);
    EXPECT_EQ(owner.results.size(), 1u);
    EXPECT_TRUE(below.results.empty());
}

TEST_F(ScoreDialogs, ANameCannotBeTypedOrPastedBeyondFifteenCharacters) {
    GameOverDialog dialog(window, *app, 75, 0);
    window.pushDialog(&dialog);
    click(dialog, dialog.nameBox());
    type(dialog, "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(dialog.nameBox().text(), "ABCDEFGHIJKLMNO");

    dialog.nameBox().setText("");
    dialog.nameBox().paste(std::string(40, 'p'));
    EXPECT_EQ(dialog.nameBox().text(), std::string(15, 'p'));
    EXPECT_EQ(dialog.nameBox().caretPos, 15);

    dialog.onKeyDown(vk::kReturn);
    step();
    ASSERT_EQ(table(0).entries().size(), 1u);
    EXPECT_EQ(table(0).entries()[0].name, std::string(15, 'p'));
}

// Top 7

TEST_F(ScoreDialogs, TopSevenShowsTheChosenTableOverTheWholeScreen) {
    table(1).insert("Cy", 10);
    TopSevenDialog dialog(window, *app, 1);
    EXPECT_EQ(&dialog.table(), &table(1));
    EXPECT_EQ(dialog.refWidth, 800);
    EXPECT_EQ(dialog.refHeight, 600);
    EXPECT_EQ(dialog.panelX, 0.0f);
    ASSERT_EQ(dialog.widgets().size(), 1u);
    EXPECT_EQ(dialog.closeButton().x, 640.0f);
    EXPECT_EQ(dialog.closeButton().y, 540.0f);
}

TEST_F(ScoreDialogs, TopSevenClosesWithResultZeroByItsButton) {
    TopSevenDialog dialog(window, *app, 0);
    window.pushDialog(&dialog);
    dialog.result = 1;
    click(dialog, dialog.closeButton());
    step();
    EXPECT_TRUE(window.dialogs().empty());
    EXPECT_EQ(owner.results, std::vector<int>{0});
    ASSERT_EQ(owner.closed.size(), 1u);
    EXPECT_EQ(owner.closed[0], &dialog);
}

TEST_F(ScoreDialogs, TopSevenTakesEscapeAsCancelAndEnterAsAccept) {
    TopSevenDialog dialog(window, *app, 0);
    window.pushDialog(&dialog);
    dialog.onKeyDown(vk::kEscape);
    step();
    window.pushDialog(&dialog);
    dialog.onKeyDown(vk::kReturn);
    step();
    EXPECT_EQ(owner.results, (std::vector<int>{1, 0}));
}

// Help

TEST_F(ScoreDialogs, HelpButtonsStandWhereTheMenuSays) {
    HelpDialog dialog(window, *app);
    placeDialog(dialog, *app, "hd");
    ASSERT_EQ(dialog.widgets().size(), 3u);
    EXPECT_EQ(dialog.widgets()[0], &dialog.closeButton());
    EXPECT_EQ(dialog.widgets()[1], &dialog.upButton());
    EXPECT_EQ(dialog.widgets()[2], &dialog.downButton());
    EXPECT_EQ(dialog.closeButton().x, 490.0f);
    EXPECT_EQ(dialog.upButton().y, 70.0f);
    EXPECT_EQ(dialog.downButton().y, 380.0f);
}

TEST_F(ScoreDialogs, HelpScrollsItsTextWithTheButtonsAndClosesWithResultZero) {
    std::string text;
    for (int i = 0; i < 30; ++i) {
        text += "Line " + std::to_string(i) + "\r\n";
    }
    test::writeFile("mui/help.txt", text);
    HelpDialog dialog(window, *app);
    placeDialog(dialog, *app, "hd");
    window.pushDialog(&dialog);
    ASSERT_EQ(dialog.textBox().lines().size(), 31u);
    EXPECT_EQ(dialog.textBox().lines()[0], "Line 0 ");

    click(dialog, dialog.downButton());
    click(dialog, dialog.downButton());
    EXPECT_EQ(dialog.textBox().firstLine(), 4);
    click(dialog, dialog.upButton());
    EXPECT_EQ(dialog.textBox().firstLine(), 2);
    EXPECT_TRUE(owner.results.empty());

    dialog.result = 1;
    click(dialog, dialog.closeButton());
    step();
    EXPECT_TRUE(window.dialogs().empty());
    EXPECT_EQ(owner.results, std::vector<int>{0});
}

TEST_F(ScoreDialogs, HelpWithoutItsTextIsEmptyAndStillWorks) {
    HelpDialog dialog(window, *app);
    placeDialog(dialog, *app, "hd");
    window.pushDialog(&dialog);
    EXPECT_TRUE(dialog.textBox().lines().empty());
    click(dialog, dialog.downButton());
    EXPECT_EQ(dialog.textBox().firstLine(), 0);
    dialog.onKeyDown(vk::kEscape);
    step();
    EXPECT_EQ(owner.results, std::vector<int>{1});
}

// Quit

TEST_F(ScoreDialogs, QuitOkAcceptsAndCancelCancels) {
    QuitDialog dialog(window, *app);
    placeDialog(dialog, *app, "qd");
    ASSERT_EQ(dialog.widgets().size(), 2u);
    EXPECT_EQ(dialog.widgets()[0], &dialog.okButton());
    EXPECT_EQ(dialog.widgets()[1], &dialog.cancelButton());

    window.pushDialog(&dialog);
    click(dialog, dialog.cancelButton());
    step();
    window.pushDialog(&dialog);
    dialog.result = 1;
    click(dialog, dialog.okButton());
    step();
    EXPECT_EQ(owner.results, (std::vector<int>{1, 0}));
    EXPECT_TRUE(window.dialogs().empty());
}

}  // namespace
}  // namespace glint
