// Whole games through the game flow: reveal, deaths, lives, transitions, saves, tilt, HUD.
#include <gtest/gtest.h>

#include <cstdlib>

#include "GameFixture.h"
#include "pack/ParamTable.h"

namespace glint {
namespace {

using test::columnX;
using test::rowY;
using State = GameFlow::State;

// A transition lasts until more than 3000 ms have passed: 101 ticks; with a message, until
// more than 6000 ms: 201 ticks. The death pause of 300 ms is 10 ticks.
constexpr int kTransitionTicks = 101;
constexpr int kMessageTransitionTicks = 201;
constexpr int kDeathPauseTicks = test::GameContent::kPlayerDeadTime / 30;

// The player next to a gold piece and a ladder to the top row (column 6).
std::vector<std::string> ladderLevel() {
    std::vector<std::string> rows(21, ".....H");
    rows.push_back("..!*.H");
    return rows;
}

class FlowGame : public test::GameFixture {
protected:
    // Climbs the ladder level: the gold, then up until the next step enters row 0 (a climb
    // step is 2 units; row 0 ends at y = 25).
    void climbToJustBelowTheTop() {
        ASSERT_GT(runUntil([&] { return std::abs(player().position().x - columnX(6)) < 4.0f; }, 40,
                           "right"),
                  0);
        ASSERT_EQ(grid().goldCount, 0);
        while (player().position().y - 2.0f >= 25.0f) {
            run(1, "up");
            ASSERT_EQ(player().motion, kClimbingUp);
        }
        ASSERT_FALSE(grid().levelComplete);
    }
    int blackCells(const LevelTransition& t) {
        int count = 0;
        for (int c = 0; c < LevelTransition::kColumns; ++c) {
            for (int r = 0; r < LevelTransition::kRows; ++r) {
                count += t.black(c, r) ? 1 : 0;
            }
        }
        return count;
    }
    void dieNow() {
        run(1, "die");
        ASSERT_EQ(flow().state(), State::Dying);
    }
};

TEST_F(FlowGame, TheRevealUncoversFiveBlocksATickRowByRowIn141Ticks) {
    start({"..!..$"});
    const float x = player().position().x;
    const float enemyX = enemy(0).position().x;
    for (int t = 1; t <= 141; ++t) {
        ASSERT_EQ(flow().state(), State::Reveal) << "tick " << t;
        run(1, "right");
        const LevelReveal* reveal = flow().reveal();
        if (t == 141) {
            EXPECT_EQ(reveal, nullptr);
            break;
        }
        ASSERT_NE(reveal, nullptr);
        // The first 5 t blocks in reading order are uncovered, the rest not.
        for (int i = 0; i < 32 * 22; ++i) {
            ASSERT_EQ(reveal->covered(i % 32, i / 32), i >= 5 * t)
                << "tick " << t << " block " << i;
        }
    }
    EXPECT_EQ(flow().state(), State::Playing);
    EXPECT_FLOAT_EQ(player().position().x, x) << "nobody moves during the reveal";
    EXPECT_FLOAT_EQ(enemy(0).position().x, enemyX);
    run(1, "right");
    EXPECT_FLOAT_EQ(player().position().x, x + 4.0f);
}

TEST_F(FlowGame, ADeathReplaysTheLevelWithOneLifeLessAndTheScoreKept) {
    start({"..!*...*"});
    skipReveal();
    run(3, "right");  // takes the first piece
    run(1);
    ASSERT_EQ(flow().score, 250);
    ASSERT_EQ(grid().goldCount, 1);
    dieNow();
    EXPECT_TRUE(player().sprite.visible) << "giving up shows the figure still";
    EXPECT_EQ(flow().lives, 3);
    run(kDeathPauseTicks - 1, "right");
    EXPECT_EQ(flow().state(), State::Dying);
    run(1);
    EXPECT_EQ(flow().state(), State::Transition);
    EXPECT_EQ(flow().lives, 2);
    EXPECT_EQ(flow().transition()->message(), "");
    run(kTransitionTicks - 1);
    EXPECT_EQ(flow().state(), State::Transition);
    run(1);
    EXPECT_EQ(flow().state(), State::Reveal);
    EXPECT_EQ(flow().m_level_current, 1);
    EXPECT_EQ(flow().lives, 2);
    EXPECT_EQ(flow().score, 250);
    EXPECT_EQ(grid().goldCount, 2) << "the level starts afresh";
    EXPECT_FALSE(player().dead);
    EXPECT_FLOAT_EQ(player().position().x, columnX(3) + 3.0f);
    EXPECT_EQ(flow().hud().lives(), 2);
    EXPECT_EQ(flow().m_lifes_count_at_level_begin, 2);
    EXPECT_EQ(flow().m_score_at_level_begin, 250);
}

TEST_F(FlowGame, ADeathWithNoLifeLeftShowsGameOverThenDissolvesAndEndsTheGame) {
    start({"..!.*"});
    for (int life = 3; life >= 1; --life) {
        skipReveal();
        dieNow();
        run(kDeathPauseTicks + kTransitionTicks);
        ASSERT_EQ(flow().lives, life - 1);
        ASSERT_EQ(flow().state(), State::Reveal);
    }
    skipReveal();
    EXPECT_EQ(flow().hud().livesText(), "Lives:   0");
    dieNow();
    run(kDeathPauseTicks);
    ASSERT_EQ(flow().state(), State::Transition);
    EXPECT_EQ(flow().lives, -1);
    EXPECT_EQ(flow().hud().lives(), 0);
    EXPECT_EQ(flow().hud().livesText(), "Lives:   0");
    const LevelTransition& over = *flow().transition();
    EXPECT_EQ(over.message(), "Game Over");
    // Three seconds of message over the frozen picture...
    run(100);
    EXPECT_EQ(blackCells(*flow().transition()), 0);
    // ...then three seconds of dissolve.
    run(1);
    EXPECT_GT(blackCells(*flow().transition()), 0);
    run(kMessageTransitionTicks - 102);
    EXPECT_EQ(flow().state(), State::Transition);
    EXPECT_FALSE(flow().m_is_game_over);
    run(1);
    EXPECT_TRUE(flow().m_is_game_over);
    EXPECT_EQ(flow().state(), State::Over);
    EXPECT_EQ(flow().hud().lives(), 0);
}

TEST_F(FlowGame, FinishingTheOnlyLevelOfALevelFileGameGivesTheBonusAndGameOver) {
    start(ladderLevel(), false);
    skipReveal();
    climbToJustBelowTheTop();
    EXPECT_EQ(flow().score, 250);
    run(1, "up");
    EXPECT_TRUE(grid().levelComplete);
    EXPECT_EQ(flow().score, 1750);
    ASSERT_EQ(flow().state(), State::Transition);
    EXPECT_EQ(flow().transition()->message(), "Game Over");
    run(kMessageTransitionTicks - 1);
    EXPECT_FALSE(flow().m_is_game_over);
    run(1);
    EXPECT_TRUE(flow().m_is_game_over);
    EXPECT_EQ(flow().score, 1750);
    EXPECT_EQ(flow().lives, 3);
}

TEST_F(FlowGame, ACompletedLevelOfASetLeadsToTheNextAndTheLastOneEndsTheGame) {
    test::writeLevel(0, 1, ladderLevel());
    test::writeLevel(0, 2, {"....!", "TTTTTTTT"});
    test::writeLevel(0, 75, ladderLevel());
    startSet();
    EXPECT_EQ(flow().lastLevel, 75);
    skipReveal();
    climbToJustBelowTheTop();
    run(1, "up");
    ASSERT_EQ(flow().state(), State::Transition);
    EXPECT_EQ(flow().transition()->message(), "");
    run(kTransitionTicks);
    EXPECT_EQ(flow().state(), State::Reveal);
    EXPECT_EQ(flow().m_level_current, 2);
    EXPECT_EQ(flow().hud().levelText(), "Level:   2");
    EXPECT_EQ(kindAt(1, 21), TileKind::Brick) << "level 2's own file";
    EXPECT_EQ(flow().score, 1750);

    flow().loadLevel(75);
    skipReveal();
    climbToJustBelowTheTop();
    run(1, "up");
    ASSERT_EQ(flow().state(), State::Transition);
    EXPECT_EQ(flow().transition()->message(), "Game Over");
    EXPECT_EQ(flow().score, 1750 + 1750);
    run(kMessageTransitionTicks);
    EXPECT_TRUE(flow().m_is_game_over);
}

TEST_F(FlowGame, LevelNumbersOutsideTheSetBuildLevelOne) {
    test::writeLevel(0, 1, {"..!*"});
    startSet();
    for (const int wrong : {0, 76, -3}) {
        flow().loadLevel(wrong);
        EXPECT_EQ(flow().m_level_current, 1);
        EXPECT_EQ(kindAt(4, 21), TileKind::Gold);
    }
}

TEST_F(FlowGame, AChosenCustomGameIsThatOneLevel) {
    test::writeLevel(0, 1, {"..!"});
    test::writeLevel(1, 7, ladderLevel());
    startSet();
    app->settings.m_custom_type_game = 0;
    app->settings.m_custom_kind_game = 1;
    app->settings.m_custom_level_num = 7;
    flow().startCustomGame();
    EXPECT_TRUE(flow().m_custom_game);
    EXPECT_EQ(app->settings.m_level_set, 1);
    EXPECT_EQ(flow().m_level_current, 7);
    EXPECT_EQ(flow().lastLevel, 7);
    skipReveal();
    climbToJustBelowTheTop();
    run(1, "up");
    EXPECT_EQ(flow().score, 1750);
    EXPECT_EQ(flow().transition()->message(), "Game Over");
}

TEST_F(FlowGame, ARandomCustomGameDrawsTheSetThenTheLevel) {
    test::writeLevel(0, 1, {"..!"});
    startSet();
    app->settings.m_custom_type_game = 1;
    Random expected(777);
    const int set = expected.next() % 2;
    const int level = expected.next() % 75 + 1;
    test::writeLevel(set, level, {"..!*"});
    flow().random().reseed(777);
    flow().startCustomGame();
    EXPECT_EQ(app->settings.m_level_set, set);
    EXPECT_EQ(flow().m_level_current, level);
    EXPECT_EQ(flow().lastLevel, level);
    EXPECT_EQ(kindAt(4, 21), TileKind::Gold);
}

TEST_F(FlowGame, CompletionWaitsWhileAnEnemyCarriesGold) {
    std::vector<std::string> rows = ladderLevel();
    rows.back() = "..!*.H.........M$M";  // an enemy shut in, far away
    start(rows);
    skipReveal();
    Enemy& carrier = enemy(0);
    carrier.carried = makeTile(TileKind::Gold, *app, Vec3{}, grid().random());
    carrier.carryTimer = 1000000;
    climbToJustBelowTheTop();
    run(1, "up");
    ASSERT_TRUE(grid().levelComplete);
    // The check repeats every tick, and fails as long as the enemy carries the piece.
    run(30);
    EXPECT_EQ(flow().state(), State::Playing);
    EXPECT_EQ(flow().score, 250);
    // It may drop the piece in the next tick (its cell is empty, the ground solid).
    carrier.carryTimer = 30;
    run(1);
    EXPECT_FALSE(carrier.carriesGold());
    EXPECT_EQ(flow().state(), State::Transition);
    EXPECT_EQ(flow().score, 1750);
}

TEST_F(FlowGame, AnExtraLifeForEachMultipleOfTheLifeScoreAtMostOneATick) {
    app->settings.m_lives_per_score = 250;
    start({"..!*.*"}, false);
    skipReveal();
    run(3, "right");
    EXPECT_EQ(flow().lives, 3) << "the points are counted in the next tick";
    run(1);
    EXPECT_EQ(flow().score, 250);
    EXPECT_EQ(flow().lives, 4);
    ASSERT_GT(runUntil([&] { return grid().goldCount == 0; }, 30, "right"), 0);
    run(1);
    EXPECT_EQ(flow().score, 500);
    EXPECT_EQ(flow().lives, 5);
}

TEST_F(FlowGame, ATickCrossingSeveralMultiplesGivesOneLife) {
    app->settings.m_lives_per_score = 500;
    start(ladderLevel(), false);
    skipReveal();
    climbToJustBelowTheTop();
    ASSERT_EQ(flow().score, 250);
    ASSERT_EQ(flow().lives, 3);
    run(1, "up");  // 250 to 1750: three multiples crossed
    EXPECT_EQ(flow().score, 1750);
    EXPECT_EQ(flow().lives, 4);
}

TEST_F(FlowGame, ASavedGameRestartsItsLevelWithTheScoreAndLivesItBeganWith) {
    test::writeLevel(0, 1, ladderLevel());
    test::writeLevel(0, 2, {"..!*...*"});
    startSet();
    skipReveal();
    climbToJustBelowTheTop();
    run(1, "up");
    run(kTransitionTicks);
    ASSERT_EQ(flow().m_level_current, 2);
    skipReveal();
    run(3, "right");
    run(1, "z");
    ASSERT_EQ(flow().score, 2000);
    dieNow();
    run(kDeathPauseTicks + kTransitionTicks);  // level 2 again, one life less
    skipReveal();
    run(3, "right");
    run(2, "c");
    ASSERT_EQ(flow().score, 2250);
    ASSERT_EQ(flow().lives, 2);

    ParamTable table;
    flow().save(table);
    EXPECT_EQ(table.get("gf_m_score_at_level_begin", ""), "2000");
    EXPECT_EQ(table.get("gf_m_lifes_count_at_level_begin", ""), "2");
    EXPECT_EQ(table.get("gf_m_alpha", ""), "1.000000");
    EXPECT_EQ(table.get("gf_m_is_game_over", ""), "0");
    EXPECT_EQ(table.get("gf_m_level_current", ""), "2");
    EXPECT_EQ(table.get("gf_m_custom_game", ""), "0");

    startSet();
    flow().load(table);
    EXPECT_EQ(flow().m_level_current, 2);
    EXPECT_EQ(flow().score, 2000);
    EXPECT_EQ(flow().lives, 2);
    EXPECT_FLOAT_EQ(flow().m_alpha, 1.0f);
    EXPECT_FALSE(flow().m_is_game_over);
    EXPECT_EQ(flow().state(), State::Reveal);
    EXPECT_EQ(grid().goldCount, 2);
    EXPECT_EQ(flow().lastLevel, 75);
}

TEST_F(FlowGame, ARestoredGameInLevel12StartsThereWith4000Points) {
    test::writeLevel(0, 1, {"..!"});
    test::writeLevel(0, 12, {"..!*M"});
    startSet();
    ParamTable table;
    table.set("gf_m_score_at_level_begin", "4000");
    table.set("gf_m_lifes_count_at_level_begin", "5");
    table.set("gf_m_level_current", "12");
    table.set("gf_m_alpha", "-30.5");
    flow().load(table);
    EXPECT_EQ(flow().m_level_current, 12);
    EXPECT_EQ(flow().score, 4000);
    EXPECT_EQ(flow().lives, 5);
    EXPECT_FLOAT_EQ(flow().m_alpha, -30.5f);
    EXPECT_EQ(kindAt(5, 21), TileKind::Solid);
    EXPECT_EQ(flow().hud().scoreText(), "Score:    4000");
    EXPECT_EQ(flow().hud().levelText(), "Level:  12");
}

TEST_F(FlowGame, AnEmptySavedTableRestoresLevelOneWithNoSpareLife) {
    test::writeLevel(0, 1, {"..!*"});
    startSet();
    flow().load(ParamTable{});
    EXPECT_EQ(flow().m_level_current, 1);
    EXPECT_EQ(flow().score, 0);
    EXPECT_EQ(flow().lives, 0);
    EXPECT_FALSE(flow().m_custom_game);
    skipReveal();
    dieNow();
    run(kDeathPauseTicks);
    EXPECT_EQ(flow().transition()->message(), "Game Over");
}

TEST_F(FlowGame, ADamagedSavedTableRestoresNoNegativeScoreOrLives) {
    test::writeLevel(0, 1, {"..!*"});
    startSet();
    ParamTable table;
    table.set("gf_m_score_at_level_begin", "-500");
    table.set("gf_m_lifes_count_at_level_begin", "-7");
    table.set("gf_m_level_current", "1");
    flow().load(table);
    EXPECT_EQ(flow().score, 0);
    EXPECT_EQ(flow().lives, 0);
    EXPECT_EQ(flow().hud().scoreText(), "Score:       0");
}

TEST_F(FlowGame, TheTiltKeysTurnThePlayfieldADegreeATickWithoutLimitInEveryState) {
    start({"..!"});
    run(50, "z");  // during the reveal
    EXPECT_FLOAT_EQ(flow().m_alpha, -50.0f);
    start({"..!"});
    run(400, "z");
    EXPECT_FLOAT_EQ(flow().m_alpha, -400.0f);
    run(1000, "c");
    EXPECT_FLOAT_EQ(flow().m_alpha, 600.0f);
    run(10, "z c");
    EXPECT_FLOAT_EQ(flow().m_alpha, 600.0f);
    dieNow();
    run(3, "c");
    EXPECT_FLOAT_EQ(flow().m_alpha, 603.0f) << "also while dying";
}

TEST_F(FlowGame, DeathPauseAndCompletionEndingInOneTickLeaveOnlyTheCompletionTransition) {
    start({"..!*"}, false);
    skipReveal();
    flow().lives = 0;
    dieNow();
    run(kDeathPauseTicks - 1);
    ASSERT_EQ(flow().state(), State::Dying);
    grid().levelComplete = true;  // as if the exit had been reached
    run(1);
    // The death's transition ("Game Over": no life left) was replaced by the completion's,
    // built after the death lowered the level number: level 0 + 1 is not past the last level.
    ASSERT_EQ(flow().state(), State::Transition);
    EXPECT_EQ(flow().transition()->message(), "");
    EXPECT_EQ(flow().lives, -1);
    EXPECT_EQ(flow().score, 1500);
    run(kTransitionTicks);
    EXPECT_TRUE(flow().m_is_game_over) << "no life left";
}

TEST_F(FlowGame, GivingUpInTheTickThatReachesTheExitCostsNoLifeInTheNextLevel) {
    test::writeLevel(0, 1, ladderLevel());
    test::writeLevel(0, 2, {"..!"});
    startSet();
    skipReveal();
    climbToJustBelowTheTop();
    run(1, "up die");
    EXPECT_TRUE(player().dead);
    ASSERT_EQ(flow().state(), State::Transition) << "completion comes first";
    run(kTransitionTicks);
    ASSERT_EQ(flow().m_level_current, 2);
    EXPECT_FALSE(flow().playerDead);
    EXPECT_EQ(flow().deadCountdown, 0);
    skipReveal();
    run(50);
    EXPECT_EQ(flow().state(), State::Playing);
    EXPECT_EQ(flow().lives, 3);
}

TEST_F(FlowGame, TheHudShowsRightAlignedNumbersAndNeverANegativeLifeCount) {
    Hud hud;
    hud.setScore(1500);
    hud.setLives(3);
    hud.setLevel(12);
    EXPECT_EQ(hud.scoreText(), "Score:    1500");
    EXPECT_EQ(hud.livesText(), "Lives:   3");
    EXPECT_EQ(hud.levelText(), "Level:  12");
    hud.setScore(0);
    EXPECT_EQ(hud.scoreText(), "Score:       0");
    hud.setScore(12345678);
    EXPECT_EQ(hud.scoreText(), "Score: 12345678") << "wider rather than cut";
    hud.setLives(-1);
    EXPECT_EQ(hud.lives(), 0);
    EXPECT_EQ(hud.livesText(), "Lives:   0");
    hud.setLives(1234);
    EXPECT_EQ(hud.livesText(), "Lives: 1234");
}

TEST_F(FlowGame, TheHudFollowsScoreLivesAndLevelDuringPlay) {
    start({"..!*"}, false);
    EXPECT_EQ(flow().hud().scoreText(), "Score:       0");
    EXPECT_EQ(flow().hud().livesText(), "Lives:   3");
    EXPECT_EQ(flow().hud().levelText(), "Level:   1");
    skipReveal();
    run(3, "right");
    run(1);
    EXPECT_EQ(flow().hud().scoreText(), "Score:     250");
}

}  // namespace
}  // namespace glint
