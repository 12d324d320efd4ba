// The level grid: cells of positions, level files, the outside, lights, gold and the exit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <set>

#include "GameFixture.h"

namespace glint {
namespace {

using test::columnX;
using test::rowY;

class WorldGrid : public test::GameFixture {
protected:
    // The interior cells (columns 1 to 32, rows 0 to 21) that hold a tile.
    int interiorTiles() {
        int count = 0;
        for (int r = 0; r < 22; ++r) {
            for (int c = 1; c <= 32; ++c) {
                count += grid().tileAt(c, r) != nullptr ? 1 : 0;
            }
        }
        return count;
    }
    bool bordersAreSolid() {
        for (int r = 0; r < LevelGrid::kHeight; ++r) {
            if (!isKind(grid().tileAt(0, r), TileKind::Solid) ||
                !isKind(grid().tileAt(33, r), TileKind::Solid)) {
                return false;
            }
        }
        for (int c = 0; c < LevelGrid::kWidth; ++c) {
            if (!isKind(grid().tileAt(c, 22), TileKind::Solid)) {
                return false;
            }
        }
        return true;
    }
};

TEST_F(WorldGrid, APositionHalfWayBetweenTwoCellsBelongsToTheLaterOne) {
    start({}, false);
    const LevelGrid& g = grid();
    EXPECT_EQ(g.worldToCell({columnX(1), rowY(0), 0}), (Cell{1, 0}));
    EXPECT_EQ(g.worldToCell({columnX(32), rowY(21), 0}), (Cell{32, 21}));
    EXPECT_EQ(g.worldToCell({25.0f, 25.0f, 0}), (Cell{2, 1}));
    EXPECT_EQ(g.worldToCell({24.99f, 24.99f, 0}), (Cell{1, 0}));
    EXPECT_EQ(g.worldToCell({800.0f, 550.0f, 0}), (Cell{33, 22}));
    EXPECT_EQ(g.worldToCell({150.0f, 0.0f, 0}), (Cell{7, 0}));
    EXPECT_EQ(g.worldToCell({137.4f, 37.4f, 99.0f}), (Cell{6, 1})) << "depth plays no part";
    // Left of column 0's centre the value is negative and is cut toward zero, never rounded.
    EXPECT_EQ(g.worldToCell({-12.5f, 0.0f, 0}), (Cell{0, 0}));
    EXPECT_EQ(g.worldToCell({-30.0f, -5.0f, 0}), (Cell{0, 0}));
    EXPECT_EQ(g.worldToCell({-40.0f, -13.0f, 0}), (Cell{-1, -1}));
    EXPECT_FALSE(g.inBounds(g.worldToCell({-40.0f, 0.0f, 0})));
    EXPECT_TRUE(g.inBounds(g.worldToCell({-30.0f, 0.0f, 0})));
    EXPECT_TRUE(g.inBounds(g.worldToCell({810.0f, 0.0f, 0})));  // column 33
    EXPECT_FALSE(g.inBounds(g.worldToCell({830.0f, 0.0f, 0})));
    EXPECT_FALSE(g.inBounds(g.worldToCell({0.0f, 575.0f, 0})));
}

TEST_F(WorldGrid, NearACentreMeansStrictlyWithinTheToleranceDepthIncluded) {
    start({}, false);
    const LevelGrid& g = grid();
    const Vec3 c = g.cellCentre(5, 10);
    EXPECT_FLOAT_EQ(c.x, columnX(5));
    EXPECT_FLOAT_EQ(c.y, rowY(10));
    EXPECT_FLOAT_EQ(c.z, 0.0f);
    EXPECT_TRUE(g.isNearCellCentre(c, 7.0f));
    EXPECT_FALSE(g.isNearCellCentre({c.x + 7.0f, c.y, 0}, 7.0f));
    EXPECT_FALSE(g.isNearCellCentre({c.x, c.y - 7.0f, 0}, 7.0f));
    EXPECT_TRUE(g.isNearCellCentre({c.x + 6.9f, c.y, 0}, 7.0f));
    EXPECT_TRUE(g.isNearCellCentre({c.x + 6.0f, c.y, 2.0f}, 7.0f));   // 36 + 4 < 49
    EXPECT_FALSE(g.isNearCellCentre({c.x + 6.0f, c.y, 4.0f}, 7.0f));  // 36 + 16 > 49
    EXPECT_FALSE(g.isNearCellCentre({c.x + 3.0f, c.y + 4.0f, 0}, 5.0f));
}

TEST_F(WorldGrid, ShortLevelFilesReadTheMissingCellsAsEmpty) {
    // Two lines only: a brick at (1, 0), the player at (3, 1), gold at (32, 1).
    startWithFile(
        std::string("T") + std::string(31, '.') + "\n" + "..!" + std::string(28, '.') + "*\n",
        false);
    EXPECT_EQ(kindAt(1, 0), TileKind::Brick);
    EXPECT_EQ(kindAt(32, 1), TileKind::Gold);
    EXPECT_EQ(interiorTiles(), 2);
    EXPECT_TRUE(bordersAreSolid());
    EXPECT_FLOAT_EQ(grid().playerStart.x, columnX(3));
    EXPECT_FLOAT_EQ(grid().playerStart.y, rowY(1));
    EXPECT_EQ(grid().goldCount, 1);

    startWithFile("", false);
    EXPECT_EQ(interiorTiles(), 0);
    EXPECT_TRUE(bordersAreSolid());
    EXPECT_EQ(grid().goldCount, 0);
}

TEST_F(WorldGrid, TheLastMapByteIsByte724) {
    std::vector<std::string> rows(22, "");
    rows[21] = std::string(32, 'T');
    const std::string full = test::levelText(rows);
    ASSERT_EQ(full.size(), 726u);
    // 725 bytes hold every map cell: the last separator is never read.
    startWithFile(full.substr(0, 725), false);
    EXPECT_EQ(kindAt(32, 21), TileKind::Brick);
    startWithFile(full.substr(0, 724), false);
    EXPECT_TRUE(emptyAt(32, 21));
    EXPECT_EQ(kindAt(31, 21), TileKind::Brick);
    // Extra bytes are ignored.
    startWithFile(full + std::string(100, 'M'), false);
    EXPECT_EQ(interiorTiles(), 32);
}

TEST_F(WorldGrid, CrLfLineEndsReadAsTheirLfTwin) {
    std::string text;
    for (int r = 0; r < 22; ++r) {
        text += "T" + std::string(30, '.') + (r == 5 ? "!" : "*") + "\r\n";
    }
    startWithFile(text, false);
    for (int r = 0; r < 22; ++r) {
        EXPECT_EQ(kindAt(1, r), TileKind::Brick) << "row " << r;
        EXPECT_TRUE(emptyAt(2, r)) << "row " << r;
    }
    EXPECT_EQ(kindAt(32, 21), TileKind::Gold);
    EXPECT_FLOAT_EQ(grid().playerStart.x, columnX(32));
    EXPECT_FLOAT_EQ(grid().playerStart.y, rowY(5));
}

TEST_F(WorldGrid, WithoutAStartThePlayerStandsInTheLowestFreeCellOnFirmGround) {
    testing::internal::CaptureStderr();
    // Row 21 is full; in row 20 an enemy stands at column 3 on the only brick; row 18 has a
    // solid block under column 5.
    start({"....M", ".....", "..$..", "TTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTT"}, true);
    std::string said = testing::internal::GetCapturedStderr();
    // The lowest free cell with firm ground: row 20, column 1 (row 21 is all bricks).
    EXPECT_FLOAT_EQ(grid().playerStart.x, columnX(1));
    EXPECT_FLOAT_EQ(grid().playerStart.y, rowY(20));
    EXPECT_NE(said.find("has no player start ('!'): the player starts in column 1, row 20"),
              std::string::npos)
        << said;
    // A grid with no free cell at all still starts the player inside it.
    testing::internal::CaptureStderr();
    start(std::vector<std::string>(22, std::string(32, 'M')), false);
    testing::internal::GetCapturedStderr();
    EXPECT_TRUE(grid().inBounds(playerCell()));
}

TEST_F(WorldGrid, EveryCharacterMakesItsTileAndTheLastPlayerStartWins) {
    start(
        {
            "TUMH#*-.x $",
            "........!",  // row 20
            ".!",         // row 21: later in reading order
        },
        true);
    EXPECT_EQ(kindAt(1, 19), TileKind::Brick);
    EXPECT_EQ(kindAt(2, 19), TileKind::TrapBrick);
    EXPECT_EQ(kindAt(3, 19), TileKind::Solid);
    EXPECT_EQ(kindAt(4, 19), TileKind::Ladder);
    EXPECT_EQ(kindAt(5, 19), TileKind::HiddenLadder);
    EXPECT_FALSE(grid().tileAt(5, 19)->sprite.visible);
    EXPECT_EQ(kindAt(6, 19), TileKind::Gold);
    EXPECT_EQ(kindAt(7, 19), TileKind::Rope);
    EXPECT_TRUE(emptyAt(8, 19));
    EXPECT_TRUE(emptyAt(9, 19));
    EXPECT_TRUE(emptyAt(10, 19));
    EXPECT_TRUE(emptyAt(11, 19)) << "an enemy start holds no tile";
    ASSERT_EQ(grid().enemyStarts.size(), 1u);
    EXPECT_FLOAT_EQ(enemy(0).position().x, columnX(11));
    EXPECT_FLOAT_EQ(grid().playerStart.x, columnX(2));
    EXPECT_FLOAT_EQ(grid().playerStart.y, rowY(21));
    EXPECT_FLOAT_EQ(player().position().x, columnX(2) + 3.0f);
    // Tiles sit on their cell centres, and gold shows one of its sheet's variants.
    EXPECT_FLOAT_EQ(grid().tileAt(6, 19)->sprite.position.x, columnX(6));
    EXPECT_FLOAT_EQ(grid().tileAt(6, 19)->sprite.position.y, rowY(19));
    EXPECT_LT(grid().tileAt(6, 19)->sprite.group, test::GameContent::kGoldGroups);
}

TEST_F(WorldGrid, RandomNumbersGoToGoldThenTheLightCountdownThenEachLightInScanOrder) {
    app->settings.m_light_dist = 1;
    std::srand(kSeed);
    const int gold1 = std::rand() % test::GameContent::kGoldGroups;
    const int gold2 = std::rand() % test::GameContent::kGoldGroups;
    std::rand();  // the countdown: 0, whatever is drawn
    const int group1 = std::rand() % 2;
    const int frame1 = std::rand() % 4;
    const int time1 = 50 + std::rand() % 150;
    const int group2 = std::rand() % 2;
    const int frame2 = std::rand() % 4;
    const int time2 = 50 + std::rand() % 150;
    std::vector<std::string> rows(22, "");
    rows[0] = ".*..*";  // gold in columns 2 and 5
    rows[1] = std::string(32, 'T');
    start(rows, false);
    EXPECT_EQ(grid().tileAt(2, 0)->sprite.group, gold1);
    EXPECT_EQ(grid().tileAt(5, 0)->sprite.group, gold2);
    // Column 1 gets the first light; column 2 (gold) only counts the countdown down; column 3
    // gets the second light. A gold cell met at zero leaves the countdown at zero, so column 6
    // gets one right after the gold in column 5.
    const Sprite* first = grid().lightAt(1, 0);
    const Sprite* second = grid().lightAt(3, 0);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->group, group1);
    EXPECT_EQ(first->frame, frame1);
    EXPECT_EQ(first->frameTime, static_cast<std::uint32_t>(time1));
    EXPECT_EQ(second->group, group2);
    EXPECT_EQ(second->frame, frame2);
    EXPECT_EQ(second->frameTime, static_cast<std::uint32_t>(time2));
    EXPECT_EQ(grid().lightAt(4, 0), nullptr);
    EXPECT_NE(grid().lightAt(6, 0), nullptr);
    EXPECT_EQ(grid().lightAt(7, 0), nullptr);
}

TEST_F(WorldGrid, EveryCellOutsideTheGridIsSolid) {
    start({"*"}, false);
    for (const Cell outside :
         {Cell{-1, 0}, Cell{34, 5}, Cell{5, -1}, Cell{5, 23}, Cell{-7, 40}, Cell{1000, -1000}}) {
        const Tile* tile = grid().tileAt(outside.column, outside.row);
        ASSERT_NE(tile, nullptr);
        EXPECT_EQ(tile->kind, TileKind::Solid);
        EXPECT_FALSE(tile->isPassable());
    }
    EXPECT_TRUE(bordersAreSolid());
}

TEST_F(WorldGrid, LightsSitInEmptyCellsAboveBricksAndBlocksAtTheirSpacing) {
    app->settings.m_light_dist = 3;
    // Row 1 is bricks then blocks, so every cell of row 0 qualifies; so does every cell of
    // row 21, above the bottom border. Nothing else does.
    std::vector<std::string> rows(22, "");
    rows[1] = std::string(16, 'T') + std::string(16, 'M');
    // The first random number starts the countdown (no gold draws before it).
    std::srand(kSeed);
    const int countdown = std::rand() % 3;
    start(rows, false);

    // The countdown is used up on the first cells of row 0 (column 0 holds a block and never
    // gets a light): the first light is in column 1, or in column 2 after a countdown of 2.
    // Every light restarts the countdown at 3: lights every 4 columns.
    std::set<int> top;
    for (int c = countdown == 2 ? 2 : 1; c <= 32; c += 4) {
        top.insert(c);
    }
    std::set<int> bottom;  // the countdown is long at 0 when row 21 comes
    for (int c = 1; c <= 32; c += 4) {
        bottom.insert(c);
    }
    for (int r = 0; r < LevelGrid::kHeight; ++r) {
        for (int c = 0; c < LevelGrid::kWidth; ++c) {
            const Sprite* light = grid().lightAt(c, r);
            const bool expected = (r == 0 && top.count(c) > 0) || (r == 21 && bottom.count(c) > 0);
            ASSERT_EQ(light != nullptr, expected) << "cell (" << c << ", " << r << ")";
            if (light == nullptr) {
                continue;
            }
            EXPECT_EQ(grid().tileAt(c, r), nullptr);
            EXPECT_FLOAT_EQ(light->position.x, columnX(c));
            EXPECT_FLOAT_EQ(light->position.y, rowY(r));
            EXPECT_FLOAT_EQ(light->position.z, -5.0f);
            EXPECT_GE(light->frameTime, 50u);
            EXPECT_LE(light->frameTime, 199u);
            EXPECT_LT(light->group, 2);
            EXPECT_LT(light->frame, 4);
            EXPECT_FLOAT_EQ(light->frameWidth, 25.0f);
        }
    }
}

TEST_F(WorldGrid, TheLastGoldRevealsTheHiddenLaddersAndTheTopRowEndsTheLevel) {
    std::vector<std::string> rows(21, ".....#");  // rows 0 to 20: hidden ladder in column 6
    rows.push_back("..!..#.*");                   // row 21: gold in column 8
    start(rows, false);
    skipReveal();
    EXPECT_EQ(grid().exitRow, -1);
    // Not a ladder yet: up does nothing in the hidden ladder's column.
    run(18, "right");
    ASSERT_FLOAT_EQ(player().position().x, columnX(6));
    run(5, "up");
    EXPECT_FLOAT_EQ(player().position().y, rowY(21));

    ASSERT_GT(runUntil([&] { return grid().goldCount == 0; }, 20, "right"), 0);
    EXPECT_EQ(grid().exitRow, 0);
    for (int r = 0; r <= 21; ++r) {
        EXPECT_EQ(kindAt(6, r), TileKind::Ladder) << "row " << r;
        EXPECT_TRUE(grid().tileAt(6, r)->sprite.visible);
    }
    EXPECT_FALSE(grid().levelComplete);

    ASSERT_GT(
        runUntil([&] { return std::abs(player().position().x - columnX(6)) <= 4.0f; }, 20, "left"),
        0);
    // The level is complete in the tick the player enters row 0, not before.
    for (int t = 0; t < 400 && playerCell().row > 0; ++t) {
        ASSERT_FALSE(grid().levelComplete) << "row " << playerCell().row;
        run(1, "up");
    }
    EXPECT_EQ(playerCell().row, 0);
    EXPECT_TRUE(grid().levelComplete);
    EXPECT_EQ(flow().score, 250 + 1500);
    EXPECT_EQ(flow().state(), GameFlow::State::Transition);
}

TEST_F(WorldGrid, WithoutGoldThereIsNoExit) {
    std::vector<std::string> rows(21, "..H");
    rows.push_back(".!H");
    start(rows, false);
    skipReveal();
    run(4, "right");
    run(300, "up");
    ASSERT_EQ(playerCell().row, 0);
    EXPECT_EQ(grid().exitRow, -1);
    EXPECT_FALSE(grid().levelComplete);
    EXPECT_EQ(flow().state(), GameFlow::State::Playing);
}

TEST_F(WorldGrid, GoldAnEnemyCarriesStillCountsSoTheExitWaitsForIt) {
    start({"..!*..*...M$M"});
    skipReveal();
    Enemy& boxedIn = enemy(0);
    // The enemy picks up the piece in column 7 (as when its odds come up).
    boxedIn.carried = grid().removeTile(7, 21);
    boxedIn.carryTimer = 1000000;
    ASSERT_EQ(grid().goldCount, 2);
    run(3, "right");
    ASSERT_EQ(playerCell().column, 4);
    EXPECT_EQ(grid().goldCount, 1);
    EXPECT_EQ(grid().exitRow, -1) << "one piece is still out there";
    // Once it is dropped again and taken, the exit opens.
    grid().putTile(7, 21, std::move(boxedIn.carried));
    ASSERT_GT(runUntil([&] { return grid().goldCount == 0; }, 30, "right"), 0);
    EXPECT_EQ(grid().exitRow, 0);
}

}  // namespace
}  // namespace glint
