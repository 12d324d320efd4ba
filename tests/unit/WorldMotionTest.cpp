// Figures moving through the game tick: walking, walls, ropes, ladders, falling, one key a tick.
#include <gtest/gtest.h>

#include "GameFixture.h"

namespace glint {
namespace {

using test::columnX;
using test::rowY;

// The player starts 3 units right of its start cell's centre; its depth is 2, so it counts as
// near a centre (within 7 units, depth included) when |dx|^2 + |dy|^2 + 4 < 49.
constexpr float kStartOffset = 3.0f;

class WorldMotion : public test::GameFixture {};

TEST_F(WorldMotion, WalkingTakesFourUnitsATickAndStopsOnTheCentreBeforeAWall) {
    start({"..!....M"}, false);  // player in column 3, wall in column 8
    skipReveal();
    const float x0 = columnX(3) + kStartOffset;
    ASSERT_FLOAT_EQ(player().position().x, x0);
    // 24 full steps bring the player to 1 unit short of column 7's centre; the 25th snaps.
    for (int k = 1; k <= 24; ++k) {
        run(1, "right");
        ASSERT_FLOAT_EQ(player().position().x, x0 + 4.0f * static_cast<float>(k)) << "tick " << k;
        ASSERT_FLOAT_EQ(player().position().y, rowY(21));
    }
    run(1, "right");
    EXPECT_FLOAT_EQ(player().position().x, columnX(7));
    EXPECT_EQ(player().motion, kStanding);
    run(10, "right");
    EXPECT_FLOAT_EQ(player().position().x, columnX(7));
    EXPECT_EQ(player().sprite.group, 0);
    EXPECT_EQ(player().facing, 1);
}

TEST_F(WorldMotion, WalkingLeftStopsOnTheCentreBeforeAWallToo) {
    start({"M....!"}, false);  // wall in column 1, player in column 6
    skipReveal();
    const float x0 = columnX(6) + kStartOffset;
    // Column 2's centre is 103 units away: 25 steps reach 3 units right of it (still counted
    // as between cells at 7 units), and the next tick snaps back to the centre.
    for (int k = 1; k <= 25; ++k) {
        run(1, "left");
        ASSERT_FLOAT_EQ(player().position().x, x0 - 4.0f * static_cast<float>(k)) << "tick " << k;
    }
    run(1, "left");
    EXPECT_FLOAT_EQ(player().position().x, columnX(2));
    EXPECT_EQ(player().motion, kStanding);
    EXPECT_EQ(player().facing, -1);
}

TEST_F(WorldMotion, RightOfACentreWithAWallAheadTheFigureSnapsBackAtOnce) {
    start({"..!M"}, false);
    skipReveal();
    run(1, "right");
    EXPECT_FLOAT_EQ(player().position().x, columnX(3));
    EXPECT_EQ(player().motion, kStanding);
}

TEST_F(WorldMotion, BetweenTwoCellsTheWallAheadIsNotTestedUntilACentreIsNear) {
    start({".....!.M"}, false);  // wall in column 8
    skipReveal();
    // Exactly half-way between columns 6 and 7: near neither centre.
    player().position().x = 150.0f;
    run(1, "right");
    EXPECT_FLOAT_EQ(player().position().x, 154.0f) << "it keeps walking";
    // At 158 it is 4.5 units before column 7's centre: the wall stops it there, in two steps.
    run(1, "right");
    EXPECT_FLOAT_EQ(player().position().x, 158.0f);
    run(1, "right");
    EXPECT_FLOAT_EQ(player().position().x, 162.0f);
    run(1, "right");
    EXPECT_FLOAT_EQ(player().position().x, columnX(7));
    EXPECT_EQ(player().motion, kStanding);
}

TEST_F(WorldMotion, ARopeIsTakenAtItsCellsCentreAndDownLetsGoOntoTheRopeBelow) {
    start(
        {
            "..!-----",  // row 16: rope in columns 4 to 8
            "..T",       // row 17
            "",          // row 18
            "......-",   // row 19: a rope in column 7
            "",
            "",
        },
        false);
    skipReveal();
    const float x0 = columnX(3) + kStartOffset;
    // Four steps put the player 6 units before column 4's centre, still walking; at the next
    // tick it is near that centre and goes on as a figure on the rope.
    run(4, "right");
    EXPECT_FLOAT_EQ(player().position().x, x0 + 16.0f);
    EXPECT_EQ(player().motion, kWalkingRight);
    run(1, "right");
    EXPECT_EQ(player().motion, kRopeRight);
    EXPECT_EQ(player().sprite.group, 6);
    EXPECT_FLOAT_EQ(player().position().y, rowY(16));
    run(1, "left");
    EXPECT_EQ(player().motion, kRopeLeft);
    EXPECT_EQ(player().sprite.group, 7);
    run(1, "right");
    // 25 steps right in all, less the one left, put the player 3 units past column 7's centre.
    run(20, "right");
    ASSERT_FLOAT_EQ(player().position().x, x0 + 4.0f * 25);
    ASSERT_EQ(playerCell(), (Cell{7, 16}));
    EXPECT_EQ(player().motion, kRopeRight);

    // Letting go: half a step down in the tick of the key, centred on the column.
    run(1, "down");
    EXPECT_EQ(player().motion, kFalling);
    EXPECT_FLOAT_EQ(player().position().x, columnX(7));
    EXPECT_FLOAT_EQ(player().position().y, rowY(16) + 2.0f);
    // Then 4 units a tick whatever key is held; the rope in row 19 is caught on its centre line
    // (the last step snaps to it).
    const float y0 = rowY(16) + 2.0f;
    for (int k = 1; k <= 18; ++k) {
        run(1, "left");
        ASSERT_FLOAT_EQ(player().position().y, y0 + 4.0f * static_cast<float>(k)) << "tick " << k;
        ASSERT_FLOAT_EQ(player().position().x, columnX(7));
    }
    run(1);
    EXPECT_FLOAT_EQ(player().position().y, rowY(19));
    EXPECT_EQ(player().motion, kStanding);
    run(20);
    EXPECT_FLOAT_EQ(player().position().y, rowY(19)) << "it hangs on the rope";
}

TEST_F(WorldMotion, OnARopeDownStartsNoFallAboveABlockAndClimbsDownALadderBelow) {
    start(
        {
            "..!--",  // row 19: ropes in columns 4 and 5
            "..TMH",  // row 20: a block under column 4, a ladder under column 5
            "....H",
        },
        false);
    skipReveal();
    run(5, "right");  // onto column 4's rope, 2 units before its centre
    ASSERT_EQ(playerCell(), (Cell{4, 19}));
    ASSERT_EQ(player().motion, kRopeRight);
    run(1, "down");
    EXPECT_FLOAT_EQ(player().position().y, rowY(19));
    EXPECT_EQ(player().motion, kStanding);
    run(6, "right");
    ASSERT_EQ(playerCell(), (Cell{5, 19}));
    run(1, "down");
    EXPECT_EQ(player().motion, kClimbingDown);
    EXPECT_FLOAT_EQ(player().position().x, columnX(5));
    EXPECT_FLOAT_EQ(player().position().y, rowY(19) + 2.0f);
}

TEST_F(WorldMotion, FallingTakesGoldInPassingAndLandsCentredOnALadderTop) {
    start(
        {
            "..!",        // row 14
            "..T",        // row 15
            "...*",       // row 16: gold in the fall's way
            "",           // row 17
            "",           // row 18: the landing cell, above the ladder
            "...H....*",  // rows 19 to 21: a ladder in column 4; more gold elsewhere
            "...H",
            "...H",
        },
        false);
    skipReveal();
    ASSERT_EQ(grid().goldCount, 2);
    // Near column 4's centre after 5 steps, with nothing below: the fall starts there, centred.
    run(4, "right");
    EXPECT_EQ(player().motion, kWalkingRight);
    run(1, "right");
    EXPECT_EQ(player().motion, kFalling);
    EXPECT_FLOAT_EQ(player().position().x, columnX(4));
    EXPECT_FLOAT_EQ(player().position().y, rowY(14));
    for (int k = 1; k <= 25; ++k) {
        run(1);
        ASSERT_FLOAT_EQ(player().position().y, rowY(14) + 4.0f * static_cast<float>(k));
    }
    run(1);
    EXPECT_FLOAT_EQ(player().position().y, rowY(18));
    EXPECT_EQ(player().motion, kStanding);
    EXPECT_TRUE(emptyAt(4, 16)) << "the gold was taken on the way down";
    EXPECT_EQ(grid().goldCount, 1);
    EXPECT_EQ(grid().exitRow, -1);
    EXPECT_EQ(flow().score, 250);
    run(20);
    EXPECT_FLOAT_EQ(player().position().y, rowY(18)) << "a ladder top holds a figure up";
}

TEST_F(WorldMotion, LaddersAreClimbedAtHalfSpeedUpToTheCentreOfTheTopRowAndDownAgain) {
    std::vector<std::string> rows(21, "....H");  // rows 0 to 20: ladder in column 5
    rows.push_back("...!H");
    start(rows, false);
    skipReveal();
    run(4, "right");  // into column 5, 6 units before its centre
    ASSERT_EQ(playerCell(), (Cell{5, 21}));
    // 520 units to the top row's centre at 2 a tick: 260 steps end 5 units below it, the next
    // tick snaps onto it.
    for (int k = 1; k <= 260; ++k) {
        run(1, "up");
        ASSERT_FLOAT_EQ(player().position().y, rowY(21) - 2.0f * static_cast<float>(k));
        ASSERT_FLOAT_EQ(player().position().x, columnX(5));
        ASSERT_EQ(player().motion, kClimbingUp);
    }
    EXPECT_EQ(player().sprite.group, 4);
    run(1, "up");
    EXPECT_FLOAT_EQ(player().position().y, rowY(0));
    EXPECT_EQ(player().motion, kStanding);
    run(10, "up");
    EXPECT_FLOAT_EQ(player().position().y, rowY(0)) << "nobody climbs off the top";

    // Between two centres a climber turns back at once, either way.
    run(5, "down");
    ASSERT_FLOAT_EQ(player().position().y, rowY(0) + 10.0f);
    run(1, "up");
    EXPECT_FLOAT_EQ(player().position().y, rowY(0) + 8.0f);
    EXPECT_EQ(player().motion, kClimbingUp);
    run(1, "down");
    EXPECT_FLOAT_EQ(player().position().y, rowY(0) + 10.0f);
    EXPECT_EQ(player().motion, kClimbingDown);
    run(5, "up");
    ASSERT_FLOAT_EQ(player().position().y, rowY(0));

    for (int k = 1; k <= 260; ++k) {
        run(1, "down");
        ASSERT_FLOAT_EQ(player().position().y, rowY(0) + 2.0f * static_cast<float>(k));
        ASSERT_EQ(player().motion, kClimbingDown);
    }
    EXPECT_EQ(player().sprite.group, 5);
    run(1, "down");
    EXPECT_FLOAT_EQ(player().position().y, rowY(21));
    EXPECT_EQ(player().motion, kStanding);
}

TEST_F(WorldMotion, UpOffALadderOrUnderABlockDoesNothing) {
    start(
        {
            "....M",  // row 19: a block above the ladder top
            "....H",  // row 20
            "...!H",  // row 21
        },
        false);
    skipReveal();
    run(1, "up");  // no ladder in the start cell
    EXPECT_FLOAT_EQ(player().position().y, rowY(21));
    EXPECT_FLOAT_EQ(player().position().x, columnX(4) + kStartOffset);
    run(4, "right");
    run(30, "up");
    EXPECT_FLOAT_EQ(player().position().y, rowY(20)) << "the block stops the climb";
    EXPECT_EQ(player().motion, kStanding);
}

TEST_F(WorldMotion, DownAndLeftHeldTogetherMoveDownOnly) {
    start(
        {
            "....!",     // row 19
            "TTTTHTTT",  // row 20: a ladder below the player
            "....H",
        },
        false);
    skipReveal();
    run(1, "down left");
    EXPECT_FLOAT_EQ(player().position().x, columnX(5));
    EXPECT_FLOAT_EQ(player().position().y, rowY(19) + 2.0f);
    EXPECT_EQ(player().motion, kClimbingDown);
    run(4, "left down");
    EXPECT_FLOAT_EQ(player().position().x, columnX(5));
    EXPECT_FLOAT_EQ(player().position().y, rowY(19) + 10.0f);
}

TEST_F(WorldMotion, WithoutADirectionKeyNobodyChecksForSupport) {
    start({"..!", "", ""}, false);  // the player starts above two empty rows
    skipReveal();
    run(30, "fire");
    EXPECT_FLOAT_EQ(player().position().y, rowY(19));
    EXPECT_EQ(player().motion, kStanding);
    EXPECT_FALSE(player().started);
    run(1, "up");
    EXPECT_TRUE(player().started);
    EXPECT_EQ(player().motion, kFalling);
    EXPECT_FLOAT_EQ(player().position().x, columnX(3) + kStartOffset) << "a fall from up keeps x";
    run(1);
    EXPECT_FLOAT_EQ(player().position().y, rowY(19) + 4.0f);
}

}  // namespace
}  // namespace glint
