// Digging through the game tick: aim, cool-down, push-back, undiggable cells, a hole's life.
#include <gtest/gtest.h>

#include "GameFixture.h"

namespace glint {
namespace {

using test::columnX;
using test::rowY;

// The player stands in column 5 of row 20 (3 units right of the centre, facing right) on a
// floor of bricks.
const std::vector<std::string> kFloor = {
    "....!",
    "TTTTTTTTTTTT",
};
const float kStartX = columnX(5) + 3.0f;

// The brick sheet has 8 frames of 100 ms. Opening shows frames 0 to 7: 700 ms of picture, that
// is 24 ticks of 30 ms (the picture clock then stands at 720 ms). Closing runs that clock back
// 30 ms a tick: frame 2 (8 / 4, solid again) shows from 15 ticks on (below 300 ms), frame 0
// from 21 ticks on (below 100 ms).
constexpr int kOpeningTicks = 24;
constexpr int kClosingToSolidTicks = 15;
constexpr int kClosingToIntactTicks = 21;

class WorldDigging : public test::GameFixture {
protected:
    // Whether any brick of row 21 other than the one in `except` is dug.
    bool otherBrickDug(int except) {
        for (int c = 1; c <= 12; ++c) {
            if (c != except && brick(c, 21).isOpen) {
                return true;
            }
        }
        return false;
    }

    // Holds fire from the first tick on, turning left in the second; the tick in which the
    // brick below-left of the start opens.
    int tickOfTheSecondDig() {
        run(1, "fire");
        run(1, "left fire");
        const int more = runUntil([&] { return brick(4, 21).isOpen; }, 40, "fire");
        return more < 0 ? -1 : 2 + more;
    }

    // The brick's moments, counted in its own ticks after the dig.
    struct Moments {
        int fullyOpen = -1;
        int closing = -1;
        int solid = -1;
        int intact = -1;
        int frameWhenSolid = -1;
    };
    Moments followBrick(BrickTile& dug, int limit) {
        Moments m;
        for (int k = 1; k <= limit && m.intact < 0; ++k) {
            run(1);
            if (m.fullyOpen < 0 && dug.phase == BrickTile::kOpen) {
                m.fullyOpen = k;
                EXPECT_EQ(dug.sprite.frame, test::GameContent::kBrickFrames - 1);
            }
            if (m.closing < 0 && dug.phase == BrickTile::kClosing) {
                m.closing = k;
            }
            if (m.solid < 0 && !dug.isOpen) {
                m.solid = k;
                m.frameWhenSolid = dug.sprite.frame;
            }
            if (m.intact < 0 && dug.phase == BrickTile::kIntact) {
                m.intact = k;
                EXPECT_EQ(dug.sprite.frame, 0);
                EXPECT_FALSE(dug.sprite.blended);
            }
        }
        return m;
    }
};

TEST_F(WorldDigging, FireDigsTheBrickDiagonallyBelowOnTheFacingSide) {
    start(kFloor, false);
    skipReveal();
    run(1, "fire");
    EXPECT_TRUE(brick(6, 21).isOpen);
    EXPECT_EQ(brick(6, 21).phase, BrickTile::kOpening);
    EXPECT_FALSE(otherBrickDug(6));
    // 22 units from the new hole's top cell: not within 20, so the player stays.
    EXPECT_FLOAT_EQ(player().position().x, kStartX);

    run(1, "left");
    EXPECT_EQ(player().facing, -1);
    run(15);
    run(1, "fire");
    EXPECT_TRUE(brick(4, 21).isOpen);
    EXPECT_FLOAT_EQ(player().position().x, kStartX - 4.0f);
}

TEST_F(WorldDigging, HoldingFireDigsAtMostOnceEverySeventeenTicks) {
    start(kFloor, false);
    skipReveal();
    // 500 ms of cool-down, less 30 each tick before the key is looked at: 20 ms are left in
    // tick 17, none in tick 18.
    EXPECT_EQ(tickOfTheSecondDig(), 18);
    EXPECT_TRUE(brick(6, 21).isOpen);
}

TEST_F(WorldDigging, AFireThatDigsNothingStillStartsTheCooldown) {
    start({"....!", "TTTTTMTTTTTT"}, false);  // a block where the first dig aims
    skipReveal();
    EXPECT_EQ(tickOfTheSecondDig(), 18);
    EXPECT_EQ(kindAt(6, 21), TileKind::Solid);
}

TEST_F(WorldDigging, DiggingPastTheCentrePushesThePlayerBackToIt) {
    start(kFloor, false);
    skipReveal();
    // The step right puts the player 7 units past the centre, 18 from the new hole's top cell
    // (within 20): it backs off by one step of 4 units, inside the same tick.
    run(1, "right fire");
    EXPECT_TRUE(brick(6, 21).isOpen);
    EXPECT_FLOAT_EQ(player().position().x, kStartX);
    EXPECT_FLOAT_EQ(player().position().y, rowY(20));
    EXPECT_FALSE(player().dead);
}

TEST_F(WorldDigging, DiggingJustAfterEnteringACellOpensTheBrickBelowItAndBacksOff) {
    start(kFloor, false);
    skipReveal();
    // Three steps right: 10 units before column 6's centre, 35 from column 7's: the dig aims at
    // the player's own column; four steps of 4 units bring it back near column 5's centre.
    run(2, "right");
    run(1, "right fire");
    EXPECT_TRUE(brick(6, 21).isOpen);
    EXPECT_FALSE(otherBrickDug(6));
    EXPECT_FLOAT_EQ(player().position().x, kStartX);
    EXPECT_EQ(playerCell(), (Cell{5, 20}));
    EXPECT_FALSE(player().dead);
    EXPECT_NE(player().motion, kFalling);
}

TEST_F(WorldDigging, DiggingSixUnitsPastTheCentreLeavesThePlayerWhereItIs) {
    start(kFloor, false);
    skipReveal();
    // Seven steps right: 6 units past column 6's centre, 19 from column 7's (within 20), and
    // already near its own centre (36 + 4 for the depth is under 49): no step back is needed.
    run(7, "right");
    ASSERT_FLOAT_EQ(player().position().x, columnX(6) + 6.0f);
    run(1, "fire");
    EXPECT_TRUE(brick(7, 21).isOpen);
    EXPECT_FALSE(otherBrickDug(7));
    EXPECT_FLOAT_EQ(player().position().x, columnX(6) + 6.0f);
}

TEST_F(WorldDigging, OneStepFurtherTheDigAimsAtTheNextColumnAgain) {
    start(kFloor, false);
    skipReveal();
    run(4, "right");  // 6 units before column 6's centre, 31 from column 7's
    run(1, "fire");
    EXPECT_TRUE(brick(7, 21).isOpen);
    EXPECT_FALSE(otherBrickDug(7));
    EXPECT_FLOAT_EQ(player().position().x, kStartX + 16.0f);
}

TEST_F(WorldDigging, BricksThatCannotBeDugStayIntact) {
    struct Case {
        const char* what;
        std::vector<std::string> rows;
        float xAfter;  // where the step right leaves the player when nothing is dug
    };
    const float stepped = kStartX + 4.0f;
    const Case cases[] = {
        {"a trap brick", {"....!", "TTTTTUTTTTTT"}, stepped},
        {"a solid block", {"....!", "TTTTTMTTTTTT"}, stepped},
        {"a brick under a ladder", {"....!H", "TTTTTTTTTTTT"}, stepped},
        {"a brick under a rope", {"....!-", "TTTTTTTTTTTT"}, stepped},
        {"a brick under gold", {"....!*", "TTTTTTTTTTTT"}, stepped},
        {"a brick under a hidden ladder", {"....!#", "TTTTTTTTTTTT"}, stepped},
        {"a brick beside the player", {"....!T", "TTTTTTTTTTTT"}, columnX(5)},
        {"a block beside the player", {"....!M", "TTTTTTTTTTTT"}, columnX(5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        start(c.rows, false);
        skipReveal();
        const TileKind below = kindAt(6, 21);
        run(1, "right fire");
        EXPECT_EQ(kindAt(6, 21), below);
        if (below == TileKind::Brick) {
            EXPECT_FALSE(brick(6, 21).isOpen);
        }
        EXPECT_FLOAT_EQ(player().position().x, c.xAfter) << "no dig, no push-back";
        for (int col = 1; col <= 12; ++col) {
            if (grid().tileAt(col, 21)->kind == TileKind::Brick) {
                EXPECT_FALSE(brick(col, 21).isOpen) << "column " << col;
            }
        }
    }
}

TEST_F(WorldDigging, ABrickBelowAnOpenHoleCanBeDug) {
    start({"....!T", "TTTTTTTTTTTT"}, false);
    skipReveal();
    brick(6, 20).trigger();  // the brick beside the player is a hole now
    run(1, "right fire");
    EXPECT_TRUE(brick(6, 21).isOpen);
    EXPECT_FLOAT_EQ(player().position().x, kStartX) << "pushed back from the new hole";
}

TEST_F(WorldDigging, AHoleClosesRightAfterOpeningWhenItsTimeIsShorterThanTheAnimation) {
    app->settings.m_time_exploded = 300;
    start(kFloor, false);
    skipReveal();
    run(1, "fire");
    const Moments m = followBrick(brick(6, 21), 200);
    EXPECT_EQ(m.fullyOpen, kOpeningTicks);
    EXPECT_EQ(m.closing, kOpeningTicks + 1);
    EXPECT_EQ(m.solid, kOpeningTicks + 1 + kClosingToSolidTicks);
    EXPECT_EQ(m.frameWhenSolid, test::GameContent::kBrickFrames / 4);
    EXPECT_EQ(m.intact, kOpeningTicks + 1 + kClosingToIntactTicks);
}

TEST_F(WorldDigging, AHoleStaysFullyOpenUntilItsTimeHasRunOut) {
    app->settings.m_time_exploded = 3000;  // 100 ticks
    start(kFloor, false);
    skipReveal();
    run(1, "fire");
    const Moments m = followBrick(brick(6, 21), 300);
    EXPECT_EQ(m.fullyOpen, kOpeningTicks);
    EXPECT_EQ(m.closing, 100);
    EXPECT_EQ(m.solid, 100 + kClosingToSolidTicks);
    EXPECT_EQ(m.frameWhenSolid, test::GameContent::kBrickFrames / 4);
    EXPECT_EQ(m.intact, 100 + kClosingToIntactTicks);
}

TEST_F(WorldDigging, AFigureFallsIntoAFreshHoleAndIsCrushedWhenItTurnsSolid) {
    start(kFloor, false);  // 3000 ms: the hole turns solid 115 brick ticks after the dig
    skipReveal();
    run(1, "fire");
    BrickTile& hole = brick(6, 21);
    // Walking right, the player reaches column 6's centre and drops into the crumbling hole.
    const int in = runUntil([&] { return playerCell() == Cell{6, 21}; }, 30, "right");
    ASSERT_GT(in, 0);
    EXPECT_EQ(hole.phase, BrickTile::kOpening) << "still crumbling";
    EXPECT_LT(hole.sprite.frame, test::GameContent::kBrickFrames - 1);
    run(5);
    EXPECT_FLOAT_EQ(player().position().y, rowY(21)) << "it lands on the hole's floor";
    EXPECT_FLOAT_EQ(player().position().x, columnX(6));
    // Bricks on both sides: there is no way out, left or right.
    const int ticksSoFar = in + 5;
    run(100 + kClosingToSolidTicks - 1 - ticksSoFar, "left");
    EXPECT_TRUE(hole.isOpen);
    EXPECT_FALSE(player().dead);
    EXPECT_EQ(playerCell(), (Cell{6, 21}));
    run(1, "right");
    EXPECT_FALSE(hole.isOpen);
    EXPECT_EQ(hole.sprite.frame, test::GameContent::kBrickFrames / 4) << "it still looks open";
    EXPECT_TRUE(player().dead);
    EXPECT_FALSE(player().sprite.visible);
    EXPECT_EQ(flow().state(), GameFlow::State::Dying);
}

TEST_F(WorldDigging, AClosingBrickCanBeDugAgainAndOpensFromTheFrameItShows) {
    app->settings.m_time_exploded = 300;
    start(kFloor, false);
    skipReveal();
    run(1, "fire");
    BrickTile& hole = brick(6, 21);
    ASSERT_EQ(runUntil([&] { return !hole.isOpen; }, 100),
              kOpeningTicks + 1 + kClosingToSolidTicks);
    // One more closing tick: 16 ticks back from 720 ms, the picture clock is at 240 ms, in
    // frame 2. Dug again, it runs forward from there and reaches 700 ms after 16 ticks.
    run(1, "fire");
    EXPECT_TRUE(hole.isOpen);
    EXPECT_EQ(hole.phase, BrickTile::kOpening);
    EXPECT_EQ(hole.sprite.frame, 2);
    EXPECT_EQ(runUntil([&] { return hole.phase == BrickTile::kOpen; }, 100), 16);
}

TEST_F(WorldDigging, ANewSkinKeepsEveryDugBricksStateAndTiming) {
    start(
        {
            "...#",
            "....!.*",
            "TTTTTTTTTTTT",
        },
        false);
    skipReveal();
    run(1, "fire");
    run(30);
    BrickTile& before = brick(6, 21);
    const BrickTile* oldAddress = &before;
    const bool open = before.isOpen;
    const std::uint32_t timer = before.openTimer;
    const int phase = before.phase;
    const int frame = before.sprite.frame;
    std::vector<Cell> lights;
    for (int r = 0; r < LevelGrid::kHeight; ++r) {
        for (int c = 0; c < LevelGrid::kWidth; ++c) {
            if (grid().lightAt(c, r) != nullptr) {
                lights.push_back(Cell{c, r});
            }
        }
    }

    grid().reskin();
    BrickTile& after = brick(6, 21);
    EXPECT_NE(&after, oldAddress) << "a new tile for the new skin";
    EXPECT_EQ(after.isOpen, open);
    EXPECT_EQ(after.openTimer, timer);
    EXPECT_EQ(after.phase, phase);
    EXPECT_EQ(after.sprite.frame, frame);
    EXPECT_TRUE(after.sprite.blended);
    EXPECT_FALSE(after.sprite.reverse);
    EXPECT_EQ(kindAt(4, 19), TileKind::HiddenLadder);
    EXPECT_FALSE(grid().tileAt(4, 19)->sprite.visible);
    std::vector<Cell> lightsAfter;
    for (int r = 0; r < LevelGrid::kHeight; ++r) {
        for (int c = 0; c < LevelGrid::kWidth; ++c) {
            if (grid().lightAt(c, r) != nullptr) {
                lightsAfter.push_back(Cell{c, r});
            }
        }
    }
    EXPECT_EQ(lightsAfter, lights);

    // The timer decides when closing starts: as without the new skin, 100 ticks after the dig.
    // The picture keeps its time into its frame as well, so the hole turns solid after the 15
    // closing ticks it takes without a new skin (a replay of a game whose skin changed in the
    // menu depends on it).
    const int closingAt = runUntil([&] { return brick(6, 21).phase == BrickTile::kClosing; }, 200);
    EXPECT_EQ(30 + closingAt, 100);
    EXPECT_EQ(runUntil([&] { return !brick(6, 21).isOpen; }, 100), 15);
}

}  // namespace
}  // namespace glint
