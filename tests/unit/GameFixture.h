// Harness of the simulation tests: a headless game on a crafted level, ticked with scripted keys.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "KeyScript.h"
#include "TestFiles.h"
#include "app/App.h"
#include "play/GameFlow.h"
#include "world/BrickTile.h"

namespace glint::test {

// The game's content in loose files (no archive): one skin whose brick sheet has kBrickFrames
// frames, gold with kGoldGroups variants, lights with 2 groups of 4 frames, the figure with its
// 8 groups, and a rules table with the values below.
class GameContent {
public:
    static constexpr int kBrickFrames = 8;
    static constexpr int kGoldGroups = 3;

    static constexpr int kLivesPerScore = 100000;
    static constexpr int kTimeExploded = 3000;
    static constexpr int kPlayerDeadTime = 300;
    static constexpr int kTimeInHole = 1500;
    static constexpr int kTimeKeepGoldMin = 600;
    static constexpr int kTimeKeepGoldMax = 900;
    static constexpr int kProbTakeGold = 2;
    static constexpr int kLightDist = 3;

    // Writes everything into the working directory.
    static void write();
};

// A level file from rows of map characters, the last row given being row 21 (just above the
// bottom border) and the rows above it empty. Character i of a row is column i + 1; rows are
// padded with '.' (an empty cell) to 32 characters; every line ends in one LF.
std::string levelText(const std::vector<std::string>& rows);

// Where cell centres lie: column c at x = 25 (c - 1) + 12.5, row r at y = 25 r + 12.5.
constexpr float columnX(int column) {
    return 25.0f * static_cast<float>(column - 1) + 12.5f;
}
constexpr float rowY(int row) {
    return 25.0f * static_cast<float>(row) + 12.5f;
}

// Writes "dat/levels<set>/<nn>.txt" from rows as levelText lays them out.
void writeLevel(int set, int level, const std::vector<std::string>& rows);

class GameFixture : public ::testing::Test {
protected:
    static constexpr unsigned kSeed = 12345;
    static constexpr int kRevealTicks = 141;

    GameFixture();
    ~GameFixture() override;

    // A one-level game on the level the rows make (see levelText), seeded with kSeed.
    void start(const std::vector<std::string>& rows, bool enemies = true);
    // The same from the bytes of a level file, however long.
    void startWithFile(const std::string& bytes, bool enemies = true);
    // A game of the level set files (see writeLevel), from level 1, seeded with kSeed.
    void startSet();

    // Runs ticks holding keys ("left fire", "-" for none) in every one of them.
    void run(int ticks, std::string_view keys = "-");
    // Runs single ticks holding keys until done() holds after one; the number of ticks run,
    // or -1 when done() still fails after limit ticks.
    int runUntil(const std::function<bool()>& done, int limit, std::string_view keys = "-");
    // Holds keys from now on, for whoever ticks the game (a window's views).
    void hold(std::string_view keys);
    // Runs through the level-start reveal, which must last exactly kRevealTicks ticks.
    void skipReveal();

    GameFlow& flow() { return *flow_; }
    LevelGrid& grid() { return *flow_->grid(); }
    Actor& player() { return *flow_->player(); }
    Enemy& enemy(std::size_t i) { return *flow_->enemies().at(i); }
    Cell playerCell() { return grid().worldToCell(player().position()); }
    Cell cellOf(const Actor& actor) { return grid().worldToCell(actor.position()); }
    // The brick at a cell; throws (failing the test) when the cell holds none.
    BrickTile& brick(int column, int row);
    Vec3 centre(int column, int row) { return grid().cellCentre(column, row); }
    TileKind kindAt(int column, int row);
    bool emptyAt(int column, int row) { return grid().tileAt(column, row) == nullptr; }

    ScratchDirectory scratch;
    std::unique_ptr<App> app;
    Bytes levelFile;

private:
    tool::KeyScript script_;
    std::unique_ptr<tool::ScriptedKeys> keys_;
    std::unique_ptr<GameFlow> flow_;
};

}  // namespace glint::test
