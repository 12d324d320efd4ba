// Replays: glint-tool sim repeats itself byte for byte and plays what the game flow plays; a game
// put back from a snapshot plays on exactly as it did.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <utility>

#include "Commands.h"
#include "GameFixture.h"
#include "play/GameSnapshot.h"

namespace glint {
namespace {

// Two enemies, gold, ladders, a rope and a brick floor to dig in.
const std::vector<std::string> kLevel = {
    "H......*.......-------.....H", "H...TTTTTTT..........TTTTTTH", "H..........$...........*...H",
    "HTTTTTTTTTTTTTTTTTTTTTTTTTTH", "H..!.....*.....$...........H", "TTTTTTTTTTTTTTTTTTTTTTTTTTTT",
};

// Runs of ticks and the keys held in them: walking, digging both ways, climbing, giving up.
const std::vector<std::pair<int, std::string>> kScript = {
    {150, "-"},   {10, "right"}, {1, "fire"}, {20, "left"},    {1, "fire"}, {30, "right"},
    {40, "up"},   {25, "left"},  {5, "z"},    {60, "right c"}, {1, "fire"}, {80, "-"},
    {30, "down"}, {20, "left"},  {1, "die"},  {200, "right"},  {50, "up"},  {100, "left fire"},
};

std::string scriptText() {
    std::string text = "# a replay\n";
    for (const auto& [count, keys] : kScript) {
        text += std::to_string(count) + " " + keys + "\n";
    }
    return text;
}

// The number after "key": in a JSON line.
float field(const std::string& line, const std::string& key) {
    const std::size_t at = line.find("\"" + key + "\": ");
    EXPECT_NE(at, std::string::npos) << key << " in " << line;
    return at == std::string::npos ? 0.0f
                                   : std::strtof(line.c_str() + at + key.size() + 4, nullptr);
}

class FlowReplay : public test::GameFixture {
protected:
    std::string sim(unsigned seed, int ticks) {
        std::ostringstream out;
        std::ostringstream err;
        const int status = tool::run(
            {"sim", "--level-file", "level.txt", "--keys", "keys.txt", "--seed",
             std::to_string(seed), "--ticks", std::to_string(ticks), "--pack", "data/data.pk"},
            out, err);
        EXPECT_EQ(status, 0) << err.str();
        return out.str();
    }
};

TEST_F(FlowReplay, TheSameSeedAndKeysGiveTheSameBytes) {
    test::writeFile("level.txt", test::levelText(kLevel));
    test::writeFile("keys.txt", scriptText());
    const std::string first = sim(kSeed, 900);
    const std::string second = sim(kSeed, 900);
    EXPECT_EQ(first, second);
    std::istringstream lines(first);
    std::string line;
    int count = 0;
    while (std::getline(lines, line)) {
        ++count;
    }
    EXPECT_EQ(count, 900);
    EXPECT_NE(first.find("\"state\": \"reveal\""), std::string::npos);
    EXPECT_NE(first.find("\"state\": \"playing\""), std::string::npos);
    EXPECT_NE(first.find("\"state\": \"dying\""), std::string::npos);
}

TEST_F(FlowReplay, TheSimulationPlaysTheGameTheFlowPlays) {
    test::writeFile("level.txt", test::levelText(kLevel));
    test::writeFile("keys.txt", scriptText());
    const std::string output = sim(kSeed, 900);

    start(kLevel);  // seeded with the same number, ticked with the same keys
    std::vector<std::string> mine;
    auto tick = [&](const std::string& keys) {
        run(1, keys);
        std::ostringstream line;
        line << flow().score << " " << flow().lives << " " << player().position().x << " "
             << player().position().y;
        for (const auto& e : flow().enemies()) {
            line << " " << e->position().x << " " << e->position().y << " " << e->aiState;
        }
        mine.push_back(line.str());
    };
    for (const auto& [count, keys] : kScript) {
        for (int t = 0; t < count; ++t) {
            tick(keys);
        }
    }
    while (mine.size() < 900) {
        tick("-");  // after the script's end no key is held
    }
    std::istringstream lines(output);
    std::string json;
    std::size_t t = 0;
    for (; std::getline(lines, json); ++t) {
        std::ostringstream line;
        line << field(json, "score") << " " << field(json, "lives") << " " << field(json, "x")
             << " " << field(json, "y");
        std::size_t from = json.find("\"enemies\"");
        while ((from = json.find("{\"x\"", from)) != std::string::npos) {
            const std::string e = json.substr(from);
            line << " " << field(e, "x") << " " << field(e, "y") << " " << field(e, "ai");
            from += 4;
        }
        ASSERT_EQ(line.str(), mine.at(t)) << "tick " << t + 1;
    }
    EXPECT_EQ(t, mine.size());
}

// Everything of a game that a tick can change, as one line: the counters and overlays, the next
// draw of the generator, every tile's kind and picture, the lights, the player and each enemy.
std::string describe(GameFlow& flow) {
    std::ostringstream line;
    Random next = flow.random();
    line << static_cast<int>(flow.state()) << " " << flow.score << " " << flow.lives << " "
         << flow.m_level_current << " " << flow.deadCountdown << " " << flow.m_alpha << " "
         << next.next() << " " << flow.hud().score() << " "
         << (flow.transition() ? flow.transition()->duration() : -1) << " |";
    const LevelGrid& grid = *flow.grid();
    line << grid.goldCount << " " << grid.exitRow << " " << grid.levelComplete;
    for (int r = 0; r < LevelGrid::kHeight; ++r) {
        for (int c = 0; c < LevelGrid::kWidth; ++c) {
            if (const Tile* tile = grid.tileAt(c, r)) {
                line << " " << static_cast<int>(tile->kind) << ":" << tile->sprite.frame << ":"
                     << tile->sprite.elapsed << ":" << tile->sprite.visible << ":"
                     << tile->isPassable();
                if (tile->kind == TileKind::Brick) {
                    const auto& brick = static_cast<const BrickTile&>(*tile);
                    line << ":" << brick.phase << ":" << brick.openTimer;
                }
            }
            if (const Sprite* light = grid.lightAt(c, r)) {
                line << " L" << light->frame << ":" << light->elapsed;
            }
        }
    }
    auto figure = [&](const Actor& a) {
        line << " | " << a.position().x << " " << a.position().y << " " << a.motion << " "
             << a.facing << " " << a.fireCooldown << " " << a.dead << " " << a.started << " "
             << a.sprite.group << " " << a.sprite.frame;
    };
    figure(*flow.player());
    for (const auto& e : flow.enemies()) {
        figure(*e);
        line << " " << e->aiState << " " << e->holeTimer << " " << e->reservedCell.column << ","
             << e->reservedCell.row << " " << e->carriesGold() << " " << e->carryTimer << " "
             << e->exitDir;
    }
    return line.str();
}

TEST_F(FlowReplay, AGamePutBackFromASnapshotPlaysOnExactlyAsItDid) {
    start(kLevel);
    skipReveal();
    // Into the thick of it: running, three holes dug, an enemy trapped in the last one.
    run(10, "right");
    run(1, "fire");
    run(20, "left");
    run(1, "fire");
    run(25, "right");
    run(1, "fire");
    ASSERT_GT(runUntil([&] { return enemy(1).aiState == Enemy::kTrapped; }, 100), 0);
    run(5);
    const GameSnapshot snapshot(flow());

    const std::vector<std::pair<int, std::string>> onwards = {
        {5, "-"}, {12, "left"}, {30, "up"}, {40, "right"}, {60, "-"}, {1, "die"}, {150, "-"}};
    auto play = [&] {
        std::vector<std::string> lines;
        for (const auto& [count, keys] : onwards) {
            for (int t = 0; t < count; ++t) {
                run(1, keys);
                lines.push_back(describe(flow()));
            }
        }
        return lines;
    };
    const std::vector<std::string> first = play();

    // The death's transition has rebuilt the level (a new grid, player and enemies) and run
    // its reveal by now; the snapshot must bring back the old ones' state all the same.
    run(200, "left fire");
    snapshot.restore(flow());
    const std::vector<std::string> second = play();
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t t = 0; t < first.size(); ++t) {
        ASSERT_EQ(first[t], second[t]) << "tick " << t + 1 << " after the snapshot";
    }
}

}  // namespace
}  // namespace glint
