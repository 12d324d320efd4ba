// Enemies through the game tick: waiting, chasing, claims, catching, holes, respawning, gold.
#include <gtest/gtest.h>

#include <algorithm>

#include "GameFixture.h"

namespace glint {
namespace {

using test::columnX;
using test::rowY;

// Enemies walk at 0.54 times the player's 4 units.
constexpr float kEnemySpeed = 2.16f;

class WorldEnemy : public test::GameFixture {
protected:
    // Ticks until the enemy is trapped in a hole; -1 when it never is.
    int untilTrapped(Enemy& e, int limit) {
        return runUntil([&] { return e.aiState == Enemy::kTrapped; }, limit);
    }
    int goldTiles() { return grid().countGold(); }
};

TEST_F(WorldEnemy, EnemiesWaitForThePlayersFirstDirectionKey) {
    start({"..!......$.*"});
    skipReveal();
    run(60, "fire");  // fire is no direction key
    Enemy& e = enemy(0);
    EXPECT_FLOAT_EQ(e.position().x, columnX(10));
    EXPECT_FLOAT_EQ(e.position().y, rowY(21));
    EXPECT_EQ(e.aiState, Enemy::kDeciding);
    EXPECT_EQ(e.reservedCell, (Cell{-1, -1}));

    // Even right beside the player, a waiting enemy catches nobody.
    e.position().x = player().position().x + 10.0f;
    run(30);
    EXPECT_FALSE(player().dead);
    // The first direction key (up, with no ladder: the player stays put) wakes it: the player
    // is caught in the enemies' part of that tick, and the game sees it after the player's
    // part of the next one.
    run(1, "up");
    EXPECT_TRUE(player().started);
    EXPECT_TRUE(player().dead);
    EXPECT_EQ(flow().state(), GameFlow::State::Playing);
    run(1);
    EXPECT_EQ(flow().state(), GameFlow::State::Dying);
    // While the player is dying, nobody moves.
    const Vec3 at = e.position();
    run(5, "left");
    EXPECT_FLOAT_EQ(e.position().x, at.x);
    EXPECT_FLOAT_EQ(e.position().y, at.y);
}

TEST_F(WorldEnemy, AnEnemyWalksTowardThePlayerClaimingOneCellAhead) {
    start({"..!......$"});
    skipReveal();
    Enemy& e = enemy(0);
    run(1, "up");
    EXPECT_EQ(e.aiState, Enemy::kGoingLeft);
    EXPECT_EQ(e.reservedCell, (Cell{9, 21}));
    for (int n = 2; n <= 40; ++n) {
        run(1);
        ASSERT_NEAR(e.position().x, columnX(10) - kEnemySpeed * static_cast<float>(n), 1e-3)
            << "tick " << n;
        ASSERT_FLOAT_EQ(e.position().y, rowY(21));
        // It claims the next cell at the first tick that starts within 5 units of the claimed
        // cell's centre (its depth 1.1 counted): 10 steps leave 3.4 units to go.
        const int claimed = n < 11 ? 9 : (n < 22 ? 8 : (n < 34 ? 7 : 6));
        ASSERT_EQ(e.reservedCell, (Cell{claimed, 21})) << "tick " << n;
    }
    EXPECT_FALSE(player().dead);
}

TEST_F(WorldEnemy, OfTwoEnemiesHeadingForOneCellTheFirstTickedClaimsIt) {
    start({
        "........!",  // row 10: the player, out of reach
        "........T", "", "", "", "", "", "", "", "", "",
        ".......$.$",  // row 21: enemies in columns 8 and 10
    });
    skipReveal();
    Enemy& first = enemy(0);
    Enemy& second = enemy(1);
    EXPECT_FLOAT_EQ(first.position().z, 1.1f);
    EXPECT_FLOAT_EQ(second.position().z, 1.2f);
    run(1, "up");
    EXPECT_EQ(first.reservedCell, (Cell{9, 21}));
    EXPECT_EQ(first.aiState, Enemy::kGoingRight);
    // Column 9 was taken: the only move left to the second one is away, to the right.
    EXPECT_EQ(second.reservedCell, (Cell{11, 21}));
    EXPECT_EQ(second.aiState, Enemy::kGoingRight);
    // A choice made while deciding as when going left is acted on from the next tick.
    EXPECT_FLOAT_EQ(second.position().x, columnX(10));
    run(1);
    EXPECT_NEAR(second.position().x, columnX(10) + kEnemySpeed, 1e-3);
    for (int t = 0; t < 400; ++t) {
        run(1);
        ASSERT_NE(first.reservedCell, second.reservedCell) << "tick " << t;
    }
}

TEST_F(WorldEnemy, AnEnemyOnAnUntrappedEnemysClaimWaitsAndOnATrappedOneWalksOn) {
    for (const bool trapped : {false, true}) {
        SCOPED_TRACE(trapped ? "trapped" : "not trapped");
        start({"....$", "...M$M..............!"});
        skipReveal();
        Enemy& above = enemy(0);
        Enemy& below = enemy(1);
        below.reservedCell = Cell{5, 21};  // what it claims in its first tick, made earlier
        if (trapped) {
            below.aiState = Enemy::kTrapped;
            below.holeTimer = 1000000;
        }
        run(1, "up");
        run(10);
        EXPECT_EQ(cellOf(below), (Cell{5, 21}));
        if (trapped) {
            EXPECT_NEAR(above.position().x, columnX(5) + 11 * kEnemySpeed, 1e-3);
            EXPECT_FLOAT_EQ(above.position().y, rowY(20));
        } else {
            EXPECT_FLOAT_EQ(above.position().x, columnX(5));
            EXPECT_FLOAT_EQ(above.position().y, rowY(20));
            EXPECT_EQ(above.aiState, Enemy::kDeciding);
        }
    }
}

TEST_F(WorldEnemy, AnIdleEnemyInThePlayersColumnDecidesAsWhenGoingLeft) {
    start({
        "....$",  // row 15: on a ledge, free on both sides
        "....T", "", "", "", "",
        "....!",  // row 21: the player, straight below
    });
    skipReveal();
    run(1, "up");
    // Deciding as when going right, it would keep going right.
    EXPECT_EQ(enemy(0).aiState, Enemy::kGoingLeft);
    EXPECT_EQ(enemy(0).reservedCell, (Cell{4, 15}));
}

TEST_F(WorldEnemy, AWalkingEnemyCatchesThePlayerWithinTwentyUnits) {
    start({"..!..$"});
    skipReveal();
    Enemy& e = enemy(0);
    const float px = player().position().x;  // 72 units left of the enemy
    // The catch is tested before the enemy moves, and depths differ by 0.9: the tick that
    // starts 20.16 units away is not yet close enough, the one that starts 18.0 away is.
    run(1, "up");
    float before = e.position().x;
    for (int t = 0; t < 60 && !player().dead; ++t) {
        before = e.position().x;
        run(1);
    }
    ASSERT_TRUE(player().dead);
    EXPECT_NEAR(before - px, 18.0f, 1e-3);
}

TEST_F(WorldEnemy, AFallingEnemyCatchesThePlayerWithinEighteenUnits) {
    start({
        ".....$",  // row 17: the enemy on a single brick
        ".....T", "", "",
        "....!",  // row 21: the player, one column left
    });
    skipReveal();
    Enemy& e = enemy(0);
    run(1, "up");
    const int falling = runUntil([&] { return e.aiState == Enemy::kDropping; }, 30);
    ASSERT_GT(falling, 0);
    // The fall runs down column 5, 3 units left of the player, 2.16 a tick from row 17's
    // centre. After 38 steps it is 17.92 units above the player: caught under 20 units, not
    // under 18. After 39 steps, 15.76 units: caught.
    float yBefore = e.position().y;
    while (!player().dead && e.position().y < rowY(21)) {
        yBefore = e.position().y;
        run(1);
    }
    ASSERT_TRUE(player().dead);
    EXPECT_NEAR(yBefore, rowY(17) + 38 * kEnemySpeed, 1e-3);
    EXPECT_NEAR(e.position().y, rowY(17) + 39 * kEnemySpeed, 1e-3);
    EXPECT_EQ(e.aiState, Enemy::kDropping);
}

// A row of 32 empty cells with the given characters in the given columns.
std::string rowWith(std::initializer_list<std::pair<int, char>> cells) {
    std::string row(32, '.');
    for (const auto& [column, c] : cells) {
        row[static_cast<std::size_t>(column - 1)] = c;
    }
    return row;
}

TEST_F(WorldEnemy, TheMovesOpenFromACellFollowTheLaddersAndTheClaims) {
    std::string floor(32, 'T');
    floor[7] = '.';  // a gap in column 8
    start({
        rowWith({{6, 'H'}, {11, 'H'}, {15, 'H'}, {19, 'T'}}),  // row 14
        rowWith({{6, 'H'}, {10, '*'}, {11, 'H'}, {12, '*'}, {15, 'H'}, {19, 'H'}}),
        rowWith({{6, 'H'}, {11, 'H'}, {15, 'H'}, {19, 'H'}}),
        rowWith({{6, 'H'}, {11, 'H'}, {14, 'T'}, {15, 'H'}, {16, 'T'}, {19, 'H'}}),  // row 17
        floor,                                                                       // row 18
        "", "", rowWith({{25, '$'}, {27, '$'}, {30, '!'}}),                          // row 21
    });
    Enemy& e = enemy(0);
    using Moves = std::vector<int>;
    // In the order right, left, ladder down, fall, up. On a ladder with drops on both sides and
    // the way up free, the sideways steps are left out.
    EXPECT_EQ(e.possibleMoves(6, 16), (Moves{4, 3}));
    // Gold beside the ladder: on the right it still counts as a drop, on the left it does not.
    EXPECT_EQ(e.possibleMoves(11, 15), (Moves{2, 4, 3}));
    // Bricks below both side cells: the sideways steps stay.
    EXPECT_EQ(e.possibleMoves(15, 16), (Moves{1, 2, 4, 3}));
    // The way up blocked by a brick: no climbing, and the sideways steps stay.
    EXPECT_EQ(e.possibleMoves(19, 15), (Moves{1, 2, 4}));
    // On the floor: walking, and falling where the floor has a gap.
    EXPECT_EQ(e.possibleMoves(3, 17), (Moves{1, 2}));
    EXPECT_EQ(e.possibleMoves(8, 17), (Moves{1, 2, 7}));
    // A dug brick below is never chosen as a fall; a brick in the own cell means a hole.
    brick(3, 18).trigger();
    EXPECT_EQ(e.possibleMoves(3, 17), (Moves{1, 2}));
    EXPECT_EQ(e.possibleMoves(3, 18), Moves{});
    // A claimed cell is no move for any other enemy; an enemy's own claim does not stop it.
    e.reservedCell = Cell{4, 17};
    EXPECT_EQ(e.possibleMoves(3, 17), (Moves{1, 2}));
    EXPECT_EQ(enemy(1).possibleMoves(3, 17), (Moves{2}));
    e.reservedCell = Cell{8, 18};
    EXPECT_EQ(enemy(1).possibleMoves(8, 17), (Moves{1, 2}));
}

// The player digs column 6's brick and wakes the enemy, which comes from column 12 and drops
// into the hole.
const std::vector<std::string> kHoleLevel = {
    "....!......$",
    "TTTTTTTTTTTTTTTT",
};

TEST_F(WorldEnemy, ATrappedEnemyScoresCarriesThePlayerAcrossAndClimbsOutAfterItsTime) {
    app->settings.m_time_exploded = 9000;  // the hole stays open long enough
    start(kHoleLevel);
    skipReveal();
    Enemy& e = enemy(0);
    run(1, "fire");
    run(1, "up");
    ASSERT_GT(untilTrapped(e, 200), 0);
    EXPECT_EQ(cellOf(e), (Cell{6, 21}));
    EXPECT_FLOAT_EQ(e.position().x, columnX(6));
    EXPECT_EQ(e.reservedCell, (Cell{6, 21}));
    EXPECT_EQ(flow().score, 0);
    run(1);
    EXPECT_EQ(flow().score, 75) << "75 for the trap, in its first tick in the hole";

    // The player walks across on the enemy's head.
    for (int t = 0; t < 40; ++t) {
        run(1, "right");
        ASSERT_FLOAT_EQ(player().position().y, rowY(20));
        ASSERT_NE(player().motion, kFalling);
    }
    ASSERT_GE(playerCell().column, 10);
    // 1500 ms in the hole: the climb starts in the 50th tick after the trap.
    run(8);
    EXPECT_EQ(e.aiState, Enemy::kTrapped);
    run(1);
    EXPECT_EQ(e.aiState, Enemy::kClimbingOut);
    EXPECT_EQ(e.holeCell, (Cell{6, 21}));
    EXPECT_EQ(e.reservedCell, (Cell{6, 20}));
    EXPECT_EQ(flow().score, 75);
    // Up at full speed to the top cell, then toward the player's side, and off it goes.
    const int out = runUntil([&] { return e.aiState == Enemy::kGoingRight; }, 40);
    ASSERT_GT(out, 0);
    EXPECT_EQ(e.exitDir, 1);
    EXPECT_EQ(e.reservedCell, (Cell{7, 20}));
    EXPECT_EQ(cellOf(e), (Cell{7, 20}));
    EXPECT_EQ(flow().score, 75);
}

TEST_F(WorldEnemy, AHoleClosingOverAnEnemyScoresAgainAndPutsItBackInTheTopRowWithRoom) {
    app->settings.m_time_in_hole = 9000;  // longer than the hole stays open
    std::vector<std::string> rows(22, "");
    rows[0] = std::string(30, 'M');  // two empty cells: not enough
    rows[1] = std::string(29, 'M');  // three: columns 30 to 32
    rows[20] = kHoleLevel[0];
    rows[21] = kHoleLevel[1];
    start(rows);
    skipReveal();
    Enemy& e = enemy(0);
    run(1, "fire");
    run(1, "up");
    const int trapped = untilTrapped(e, 200);
    ASSERT_GT(trapped, 0);
    run(1);
    EXPECT_EQ(flow().score, 75);
    // The brick turns solid 115 of its ticks after the dig (3000 ms, then 15 closing ticks),
    // and the enemy is put back in that same tick.
    BrickTile& hole = brick(6, 21);
    const int solid = runUntil([&] { return !hole.isOpen; }, 200);
    ASSERT_EQ(1 + trapped + 1 + solid, 115);
    EXPECT_EQ(flow().score, 150);
    EXPECT_EQ(e.aiState, Enemy::kDeciding);
    EXPECT_EQ(e.holeTimer, 0u);
    const Cell at = cellOf(e);
    EXPECT_EQ(at.row, 1);
    EXPECT_GE(at.column, 30);
    EXPECT_FLOAT_EQ(e.position().x, columnX(at.column));
    EXPECT_FLOAT_EQ(e.position().y, rowY(1));
    EXPECT_EQ(e.reservedCell, at);
    run(1);
    EXPECT_EQ(flow().score, 150) << "75 once for the trap and once for the kill";
}

TEST_F(WorldEnemy, GoldCarriedIntoAHoleIsLeftInTheEmptyCellAbove) {
    app->settings.m_time_exploded = 9000;
    start(kHoleLevel);
    skipReveal();
    Enemy& e = enemy(0);
    e.carried = makeTile(TileKind::Gold, *app, Vec3{}, grid().random());
    e.carryTimer = 1000000;
    run(1, "fire");
    run(1, "up");
    ASSERT_GT(untilTrapped(e, 200), 0);
    EXPECT_FALSE(e.carriesGold());
    ASSERT_EQ(kindAt(6, 20), TileKind::Gold);
    EXPECT_FLOAT_EQ(grid().tileAt(6, 20)->sprite.position.x, columnX(6));
    EXPECT_FLOAT_EQ(grid().tileAt(6, 20)->sprite.position.y, rowY(20));
}

TEST_F(WorldEnemy, GoldIsKeptWhenTheCellAboveTheHoleIsTakenEvenAfterComingBack) {
    app->settings.m_time_in_hole = 9000;
    start({"....!U......$", "TTTTTTTTTTTTTTTT"});  // a trap brick above the hole
    skipReveal();
    Enemy& e = enemy(0);
    e.carried = makeTile(TileKind::Gold, *app, Vec3{}, grid().random());
    e.carryTimer = 1000000;
    brick(6, 21).trigger();
    run(1, "up");
    ASSERT_GT(untilTrapped(e, 200), 0);
    EXPECT_TRUE(e.carriesGold());
    EXPECT_EQ(kindAt(6, 20), TileKind::TrapBrick);
    ASSERT_GT(runUntil([&] { return cellOf(e).row == 0; }, 200), 0) << "put back at the top";
    EXPECT_TRUE(e.carriesGold());
}

TEST_F(WorldEnemy, WithThePlayerStraightAboveItAnEnemyLeavesItsHoleToTheLeft) {
    app->settings.m_time_exploded = 9000;
    start(kHoleLevel);
    skipReveal();
    Enemy& e = enemy(0);
    run(1, "fire");
    run(1, "up");
    ASSERT_GT(untilTrapped(e, 200), 0);
    run(5, "right");
    player().position().x = e.position().x;  // exactly above: no side is nearer the player
    ASSERT_GT(runUntil([&] { return e.aiState == Enemy::kClimbingOut && e.exitDir != 0; }, 100), 0);
    EXPECT_EQ(e.exitDir, -1);
    EXPECT_EQ(e.reservedCell, (Cell{5, 20}));
}

// An enemy patrolling a row of gold, with the player out of reach above.
const std::vector<std::string> kGoldRow = {
    "........!",  // row 10
    "........T",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "",
    "...*.*.*.*.*.*.*...$",  // row 21: seven pieces
};

TEST_F(WorldEnemy, WithOddsOfOneEnemiesNeverTakeGold) {
    app->settings.m_prob_take_gold = 1;
    start(kGoldRow);
    skipReveal();
    run(1, "up");
    for (int t = 0; t < 600; ++t) {
        run(1);
        ASSERT_FALSE(enemy(0).carriesGold()) << "tick " << t;
    }
    EXPECT_EQ(goldTiles(), 7);
    EXPECT_GT(enemy(0).position().x, columnX(1)) << "it did patrol";
}

TEST_F(WorldEnemy, TakenGoldStillCountsAndIsDroppedOnSolidGroundAfterTheCarryTime) {
    app->settings.m_prob_take_gold = 2;
    app->settings.m_time_keep_gold_min = 600;
    app->settings.m_time_keep_gold_max = 601;  // exactly 600 ms: 20 ticks
    start(kGoldRow);
    skipReveal();
    Enemy& e = enemy(0);
    run(1, "up");
    const int took = runUntil([&] { return e.carriesGold(); }, 600);
    ASSERT_GT(took, 0) << "one chance in two at every tick on a piece";
    EXPECT_EQ(goldTiles(), 6);
    EXPECT_EQ(grid().goldCount, 7) << "carried gold still counts";
    EXPECT_EQ(e.carryTimer, 600u);
    // The carry time runs 30 ms a tick; from the 20th tick on the piece goes down in the first
    // empty cell the enemy stands in (solid ground below all along this row).
    run(19);
    EXPECT_TRUE(e.carriesGold());
    for (int t = 0; t < 40 && e.carriesGold(); ++t) {
        const Cell at = cellOf(e);
        const bool empty = emptyAt(at.column, at.row);
        run(1);
        EXPECT_EQ(e.carriesGold(), !empty) << "tick " << t;
        if (!e.carriesGold()) {
            EXPECT_EQ(kindAt(at.column, at.row), TileKind::Gold);
            EXPECT_FLOAT_EQ(grid().tileAt(at.column, at.row)->sprite.position.x,
                            columnX(at.column));
        }
    }
    EXPECT_FALSE(e.carriesGold());
    EXPECT_EQ(goldTiles(), 7);
    EXPECT_EQ(grid().goldCount, 7);
}

TEST_F(WorldEnemy, AnEnemyInItsHoleOrClimbingOutCatchesNobodyUntilItWalksAgain) {
    app->settings.m_time_exploded = 9000;
    start(kHoleLevel);
    skipReveal();
    Enemy& e = enemy(0);
    run(1, "fire");
    run(1, "up");
    ASSERT_GT(untilTrapped(e, 200), 0);
    run(5, "right");  // the player stands on the enemy's head, 2 units left of its column
    ASSERT_EQ(playerCell(), (Cell{6, 20}));
    float closest = 1e9f;
    for (int t = 0; t < 100 && e.aiState != Enemy::kGoingLeft; ++t) {
        run(1);
        ASSERT_FALSE(player().dead) << "tick " << t << ", state " << e.aiState;
        closest = std::min(closest, (e.position() - player().position()).squaredLength());
    }
    EXPECT_LT(closest, 20.0f * 20.0f) << "it climbed right through the player";
    // It left the hole on the player's side; walking again, it catches at once.
    ASSERT_EQ(e.aiState, Enemy::kGoingLeft);
    EXPECT_EQ(e.exitDir, -1);
    EXPECT_FALSE(player().dead);
    run(1);
    EXPECT_TRUE(player().dead);
}

}  // namespace
}  // namespace glint
