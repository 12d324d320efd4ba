// The custom game and options dialogs and the main menu, driven as a player would, without a
// window: what they store, when they close, and that each dialog opens once.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "app/App.h"
#include "app/MainWindow.h"
#include "play/GameView.h"
#include "ui/CustomGameDialog.h"
#include "ui/DialogSupport.h"
#include "ui/MainMenuView.h"
#include "ui/NewGameDialog.h"
#include "ui/OptionsDialog.h"
#include "ui/QuitDialog.h"

namespace glint {
namespace {

// The window stands in for a desktop: no GL, no SDL window.
class MenuDialogs : public ::testing::Test {
protected:
    MenuDialogs() {
        test::writeFile("dat/levels0/01.txt", std::string(22 * 33, ' '));
        test::writeFile("dat/levels1/01.txt", std::string(22 * 33, ' '));
        test::writeFile("dat/param.txt", "m_skins_count 3");
        // Controls apart from each other, as a real layout has them.
        test::writeFile("mui/menu.txt",
                        "m_cgd_ok_btnx 20 m_cgd_ok_btny 400 m_cgd_cancel_btnx 200 "
                        "m_cgd_cancel_btny 400 m_cgd_level_numx 300 m_cgd_level_numy 200 "
                        "m_cgd_game_type1_radiox 20 m_cgd_game_type1_radioy 100 "
                        "m_cgd_game_type2_radiox 20 m_cgd_game_type2_radioy 160 "
                        "m_cgd_game_kind1_radiox 300 m_cgd_game_kind1_radioy 100 "
                        "m_cgd_game_kind2_radiox 300 m_cgd_game_kind2_radioy 160 "
                        "m_od_close_btnx 20 m_od_close_btny 400 m_od_autosave_chbx 300 "
                        "m_od_autosave_chby 120");
        app = std::make_unique<App>("none.pk");
        app->catalogue->setSkinCount(3);
        window = std::make_unique<MainWindow>(nullptr);
        window->width = 800;
        window->height = 600;
        window->active = true;
    }
    // Clicks a control of a dialog (coordinates of the panel, which sits at 0, 0).
    static void click(View& view, const Control& control) {
        const int x = static_cast<int>(control.x) + 1;
        const int y = static_cast<int>(control.y) + 1;
        view.onMouseMove(x, y, 0);
        view.onLButtonDown(x, y, 0);
        view.onLButtonUp(x, y, 0);
    }

    test::ScratchDirectory scratch;
    std::unique_ptr<App> app;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MenuDialogs, ACustomLevelOutsideOneToSeventyFiveKeepsTheDialogOpen) {
    CustomGameDialog dialog(*window, *app);
    window->pushDialog(&dialog);
    ASSERT_TRUE(dialog.customRadio().on());
    EXPECT_EQ(dialog.levelBox().text(), "1");
    for (const char* text : {"0", "", "76"}) {
        dialog.levelBox().setText(text);
        dialog.onCommand(&dialog.okButton());
        window->tick(30);
        EXPECT_EQ(window->dialogs().size(), 1u) << "text '" << text << "'";
    }
    dialog.levelBox().setText("75");
    dialog.onCommand(&dialog.okButton());
    window->tick(30);
    EXPECT_TRUE(window->dialogs().empty());
    EXPECT_EQ(dialog.result, 0);
    EXPECT_EQ(app->settings.m_custom_level_num, 75);
}

TEST_F(MenuDialogs, TheTypeAndSetChoicesAreStoredEvenWhenCancelled) {
    {
        CustomGameDialog dialog(*window, *app);
        click(dialog, dialog.randomRadio());
        EXPECT_FALSE(dialog.set1Radio().visible);
        EXPECT_FALSE(dialog.levelBox().enabled);
        dialog.levelBox().setText("99");
        dialog.onCommand(&dialog.okButton());  // "Random" closes whatever the box holds
        EXPECT_EQ(dialog.result, 0);
        click(dialog, dialog.customRadio());
        click(dialog, dialog.set2Radio());
        click(dialog, dialog.randomRadio());
        dialog.onCommand(&dialog.cancelButton());
        EXPECT_EQ(dialog.result, 1);
    }
    EXPECT_EQ(app->settings.m_custom_type_game, 1);
    EXPECT_EQ(app->settings.m_custom_kind_game, 1);
    CustomGameDialog reopened(*window, *app);
    EXPECT_TRUE(reopened.randomRadio().on());
    EXPECT_TRUE(reopened.set2Radio().on());
    EXPECT_FALSE(reopened.set2Radio().visible);
}

TEST_F(MenuDialogs, SkinsWrapBothWays) {
    OptionsDialog dialog(*window, *app);
    app->catalogue->setCurrentSkin(2);
    dialog.onCommand(&dialog.skinUpButton());
    EXPECT_EQ(app->catalogue->currentSkin(), 0);
    dialog.onCommand(&dialog.skinDownButton());
    EXPECT_EQ(app->catalogue->currentSkin(), 2);
}

TEST_F(MenuDialogs, KeysAreStoredByTheCloseButtonOnly) {
    {
        OptionsDialog dialog(*window, *app);
        EXPECT_EQ(dialog.keyReader(0).keyCode(), app->settings.m_left_key);
        dialog.keyReader(0).setKeyCode(30);
        window->pushDialog(&dialog);
        dialog.onKeyDown(27);  // Escape
        window->tick(30);
    }
    EXPECT_EQ(app->settings.m_left_key, 203);
    OptionsDialog dialog(*window, *app);
    dialog.keyReader(0).setKeyCode(30);
    dialog.keyReader(5).setKeyCode(16);
    dialog.onCommand(&dialog.closeButton());
    EXPECT_EQ(app->settings.m_left_key, 30);
    EXPECT_EQ(app->settings.m_die_key, 16);
    EXPECT_EQ(dialog.result, 0);
}

TEST_F(MenuDialogs, CheckBoxesSwitchAutosaveAndSoundAtOnce) {
    OptionsDialog dialog(*window, *app);
    EXPECT_FALSE(dialog.autosaveBox().on());
    EXPECT_TRUE(dialog.soundBox().on());
    // Drawn, a box takes its picture's band height; 32 keeps the two, 40 apart, from touching.
    dialog.autosaveBox().height = dialog.soundBox().height = 32.0f;
    click(dialog, dialog.autosaveBox());
    click(dialog, dialog.soundBox());
    EXPECT_TRUE(app->autosave);
    EXPECT_FALSE(app->soundOn);
    EXPECT_FALSE(app->sound.isEnabled());
}

TEST_F(MenuDialogs, ANewGameStartsAtOnceOrAsksFirst) {
    MainMenuView menu(*window, *app);
    window->pushView(&menu);
    menu.onCommand(&menu.button(MainMenuView::kNewGame2));
    ASSERT_NE(menu.currentGame(), nullptr);
    EXPECT_EQ(window->currentView(), menu.currentGame());
    EXPECT_EQ(app->settings.m_level_set, 1);
    GameView* first = menu.currentGame();

    window->closeTop(true);  // Escape in the game: back to the menu
    menu.onCommand(&menu.button(MainMenuView::kNewGame1));
    ASSERT_EQ(window->dialogs().size(), 1u);
    // A second click while it is open opens no second dialog.
    menu.onCommand(&menu.button(MainMenuView::kNewGame1));
    EXPECT_EQ(window->dialogs().size(), 1u);
    window->target()->onKeyDown(27);  // cancelled
    window->tick(30);
    EXPECT_EQ(menu.currentGame(), first);
    EXPECT_EQ(app->settings.m_level_set, 1);

    // The set-2 game goes on and ends: its score belongs to set 2's table, not to the set of
    // the new game that was asked for and cancelled.
    menu.onCommand(&menu.button(MainMenuView::kContinue));
    first->score = 4321;  // the final score, as the last game tick left it
    first->flow().m_is_game_over = true;
    window->tick(30);  // the game sees that it is over and asks to close
    window->tick(30);  // back in the menu, which asks for a name
    ASSERT_EQ(window->currentView(), &menu);
    ASSERT_EQ(window->dialogs().size(), 1u);
    window->target()->onKeyDown(27);
    window->tick(30);
    EXPECT_TRUE(app->settings.highScores[0].entries().empty());
    ASSERT_EQ(app->settings.highScores[1].entries().size(), 1u);
    EXPECT_EQ(app->settings.highScores[1].entries()[0].score, 4321);
}

TEST_F(MenuDialogs, EveryDialogKindOpensOnlyOnce) {
    MainMenuView menu(*window, *app);
    window->pushView(&menu);
    for (int button : {MainMenuView::kQuit, MainMenuView::kHelp, MainMenuView::kOptions,
                       MainMenuView::kCustomGame, MainMenuView::kTop7Set1}) {
        menu.onCommand(&menu.button(button));
        menu.onCommand(&menu.button(button));
    }
    EXPECT_EQ(window->dialogs().size(), 5u);
}

TEST_F(MenuDialogs, TheSavedGameSurvivesACrashAndGoesWithItsGame) {
    app->autosave = true;
    const std::string saved = app->files.path(UserFile::SavedGame);
    {
        MainMenuView menu(*window, *app);
        window->pushView(&menu);
        menu.onCommand(&menu.button(MainMenuView::kNewGame2));
        GameFlow& flow = menu.currentGame()->flow();
        flow.score = 5000;
        flow.loadLevel(1);  // a new level begins with 5000 points: kept on disk at once
        window->tick(30);
        flow.score = 5600;
        window->removeView(menu.currentGame());
        window->removeView(&menu);
        // The program dies here: no exit, no saveGame.
    }
    // Every later start offers the game at the beginning of its level, until it ends.
    for (int start = 0; start < 2; ++start) {
        app->settings.m_level_set = 0;
        MainMenuView menu(*window, *app);
        menu.loadGame();
        ASSERT_NE(menu.currentGame(), nullptr) << "start " << start;
        EXPECT_EQ(menu.levelSet(), 1);
        EXPECT_EQ(menu.currentGame()->flow().score, 5000);
        EXPECT_TRUE(std::filesystem::exists(saved));
    }
    MainMenuView menu(*window, *app);
    window->pushView(&menu);
    menu.loadGame();
    menu.onCommand(&menu.button(MainMenuView::kContinue));
    menu.currentGame()->flow().m_is_game_over = true;
    window->tick(30);
    window->tick(30);
    EXPECT_EQ(menu.currentGame(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(saved)) << "an ended game is offered again";
    window->removeView(&menu);
}

TEST_F(MenuDialogs, ANewGameWithoutAutosaveReplacesTheSavedOne) {
    app->autosave = true;
    {
        MainMenuView menu(*window, *app);
        menu.onCommand(&menu.button(MainMenuView::kNewGame1));
        menu.saveGame();
        window->removeView(menu.currentGame());
    }
    ASSERT_TRUE(std::filesystem::exists(app->files.path(UserFile::SavedGame)));
    app->autosave = false;
    MainMenuView menu(*window, *app);
    menu.loadGame();
    ASSERT_NE(menu.currentGame(), nullptr);
    window->pushView(&menu);
    menu.onCommand(&menu.button(MainMenuView::kNewGame2));
    window->target()->onKeyDown(13);  // "Start New Game?" yes
    window->tick(30);
    EXPECT_FALSE(std::filesystem::exists(app->files.path(UserFile::SavedGame)));
    window->removeView(menu.currentGame());
    window->removeView(&menu);
}

TEST_F(MenuDialogs, ADamagedSettingsFileNeverCostsTheSavedGame) {
    app->autosave = true;
    {
        MainMenuView menu(*window, *app);
        menu.onCommand(&menu.button(MainMenuView::kNewGame2));
        GameFlow& flow = menu.currentGame()->flow();
        flow.score = 7000;
        flow.loadLevel(3);
        menu.saveGame();
        window->removeView(menu.currentGame());
    }
    test::writeFile(app->files.path(UserFile::Settings),
                    "\x05"
                    "damaged");
    App restarted("none.pk");
    restarted.loadSettings();
    ASSERT_TRUE(restarted.settingsDamaged);
    ASSERT_FALSE(restarted.autosave);
    {
        MainMenuView menu(*window, restarted);
        menu.loadGame();
        ASSERT_NE(menu.currentGame(), nullptr);
        menu.saveGame();  // the exit of the run with defaults standing in
    }
    MainMenuView menu(*window, *app);
    menu.loadGame();
    ASSERT_NE(menu.currentGame(), nullptr);
    EXPECT_EQ(menu.currentGame()->flow().m_level_current, 3);
    EXPECT_EQ(menu.currentGame()->flow().score, 7000);
}

TEST_F(MenuDialogs, ADamagedSavedGameIsNotOfferedAndIsKeptAside) {
    const std::string saved = app->files.path(UserFile::SavedGame);
    test::writeFile(saved, "\x02no game in here");
    MainMenuView menu(*window, *app);
    menu.loadGame();
    EXPECT_EQ(menu.currentGame(), nullptr);
    testing::internal::CaptureStderr();
    menu.saveGame();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(std::filesystem::exists(saved));
    EXPECT_EQ(test::readFile(saved + ".damaged"), "\x02no game in here");
    EXPECT_NE(said.find("kept as data/save.sav.damaged"), std::string::npos) << said;
}

TEST_F(MenuDialogs, NoGameLeavesNoSavedGame) {
    MainMenuView menu(*window, *app);
    menu.saveGame();
    EXPECT_FALSE(std::filesystem::exists(app->files.path(UserFile::SavedGame)));
}

TEST_F(MenuDialogs, TheFocusMovesByDirectionAndGoesRoundInOrderOverShownWidgetsOnly) {
    CustomGameDialog dialog(*window, *app);
    window->pushDialog(&dialog);
    using N = Navigation;
    struct Step {
        N move;
        const Widget* expected;
    };
    // Centres: OK (85, 430), Cancel (265, 430), level (365, 230), Custom (45, 125),
    // Random (45, 185), set 1 (325, 125), set 2 (325, 185).
    const Step steps[] = {
        {N::Up, &dialog.okButton()},  // the first move of a view without focus
        {N::Up, &dialog.randomRadio()},
        {N::Up, &dialog.customRadio()},
        {N::Up, &dialog.customRadio()},  // nothing above: the focus stays
        {N::Right, &dialog.set1Radio()},
        {N::Down, &dialog.set2Radio()},
        {N::Down, &dialog.levelBox()},
        {N::Up, &dialog.levelBox()},  // the box takes the directions for itself
        {N::Next, &dialog.customRadio()},
        {N::Previous, &dialog.levelBox()},
        {N::Previous, &dialog.cancelButton()},
        {N::Left, &dialog.okButton()},
        {N::Previous, &dialog.set2Radio()},  // round the end
        {N::Next, &dialog.okButton()},
    };
    for (const Step& step : steps) {
        dialog.onNavigate(step.move);
        EXPECT_EQ(dialog.focus(), step.expected) << "move " << static_cast<int>(step.move);
        EXPECT_EQ(dialog.levelBox().state, step.expected == &dialog.levelBox() ? 2 : 1);
    }
    EXPECT_EQ(dialog.levelBox().text(), "10");
    // "Random" hides the set radios and the level box: the focus passes over them.
    dialog.setFocus(&dialog.randomRadio());
    dialog.onNavigate(N::Activate);
    ASSERT_TRUE(dialog.randomRadio().on());
    EXPECT_EQ(app->settings.m_custom_type_game, 1);
    dialog.onNavigate(N::Right);
    EXPECT_EQ(dialog.focus(), &dialog.okButton());
    dialog.setFocus(&dialog.randomRadio());
    dialog.onNavigate(N::Next);
    EXPECT_EQ(dialog.focus(), &dialog.okButton());
    // Back closes as Escape does.
    dialog.onNavigate(N::Back);
    window->tick(30);
    EXPECT_TRUE(window->dialogs().empty());
    EXPECT_EQ(dialog.result, 1);
}

TEST_F(MenuDialogs, TabAndSpaceWorkTheMenuAndItsDialogsWithoutAMouse) {
    MainMenuView menu(*window, *app);
    window->pushView(&menu);
    // The pointer alone shows no focus.
    menu.onMouseMove(1, 1, 0);
    EXPECT_EQ(menu.focus(), nullptr);
    menu.onKeyDown(' ');
    EXPECT_TRUE(window->dialogs().empty());
    // Continue is hidden without a game: six presses of Tab reach Top 7 of set 2.
    for (int i = 0; i < 6; ++i) {
        menu.onKeyDown(platform::vk::kTab);
    }
    ASSERT_EQ(menu.focus(), &menu.button(MainMenuView::kTop7Set2));
    EXPECT_TRUE(menu.button(MainMenuView::kTop7Set2).focused());
    // Once shown, the focus follows the pointer.
    menu.button(MainMenuView::kOptions).setPosition(600.0f, 500.0f);
    menu.onMouseMove(610, 510, 0);
    ASSERT_EQ(menu.focus(), &menu.button(MainMenuView::kOptions));
    EXPECT_FALSE(menu.button(MainMenuView::kTop7Set2).focused());

    menu.onKeyDown(' ');
    ASSERT_EQ(window->dialogs().size(), 1u);
    auto* options = dynamic_cast<OptionsDialog*>(window->target());
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->focus(), &options->closeButton());  // ready for a controller at once
    options->onKeyDown(platform::vk::kTab);
    options->onKeyDown(' ');
    EXPECT_TRUE(app->autosave);
    // A key reader started by Space waits for any key, Tab and Space included.
    while (options->focus() != &options->keyReader(0)) {
        options->onKeyDown(platform::vk::kTab);
    }
    options->onKeyDown(' ');
    EXPECT_EQ(options->keyReader(0).state, 2);
    options->onKeyDown(platform::vk::kTab);
    EXPECT_EQ(options->keyReader(0).state, 1);
    EXPECT_EQ(options->focus(), &options->keyReader(0));

    options->onNavigate(Navigation::Back);
    window->tick(30);
    EXPECT_TRUE(window->dialogs().empty());
    EXPECT_EQ(menu.focus(), &menu.button(MainMenuView::kOptions));
    // Back in the menu asks whether to quit, as Escape does; in a game it leaves the game.
    menu.onNavigate(Navigation::Back);
    EXPECT_NE(dynamic_cast<QuitDialog*>(window->target()), nullptr);
    window->target()->onNavigate(Navigation::Back);
    window->tick(30);
    menu.setFocus(&menu.button(MainMenuView::kNewGame1));
    menu.onNavigate(Navigation::Activate);
    ASSERT_EQ(window->currentView(), menu.currentGame());
    menu.currentGame()->onKeyDown(platform::vk::kTab);
    menu.currentGame()->onNavigate(Navigation::Activate);
    EXPECT_EQ(window->currentView(), menu.currentGame());
    menu.currentGame()->onNavigate(Navigation::Back);
    window->tick(30);
    EXPECT_EQ(window->currentView(), &menu);
    window->removeView(&menu);
}

TEST_F(MenuDialogs, LayoutNumbersFarOffAnyScreenAreHeldWithinReach) {
    app->menuTable.set("m_nd_x", "2147483647");
    app->menuTable.set("m_nd_y", "-2147483648");
    app->menuTable.set("m_ngd_ok_btnx", "1e38");
    NewGameDialog dialog(*window, *app);
    placeDialog(dialog, *app, "nd");
    EXPECT_EQ(dialog.panelX, static_cast<float>(kMaxLayoutUnits));
    EXPECT_EQ(dialog.panelY, static_cast<float>(-kMaxLayoutUnits));
    // The mouse maps into the panel, and hit tests convert positions, without overflowing.
    EXPECT_EQ(dialog.mapToPanel(0, 0).x, -kMaxLayoutUnits);
    dialog.onMouseMove(32767, -32768, 0);
}

}  // namespace
}  // namespace glint
