// Replays: glint-tool sim repeats itself byte for byte and plays what the game flow plays; a game
// put back from a snapshot plays on exactly as it did.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <utility>

#include "Commands.h"
#include "GameFixture.h"
#include "app/MainWindow.h"
#include "play/GameSnapshot.h"
#include "play/GameView.h"
#include "play/ReplayPlayer.h"
#include "replay/ReplayShelf.h"
#include "ui/MainMenuView.h"

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

// A game recorded in the window, left for the menu in its middle while dialogs open and close
// (the options dialog rebuilds the playfield's pictures, its holes included) and others draw
// from the program's generator, plays back exactly as it was played; and its replay file, with
// the score and lives noted every 100 ticks, says so to glint-tool.
TEST_F(FlowReplay, AGameInterruptedByDialogsPlaysBackAsItWasPlayed) {
    test::writeLevel(0, 1, kLevel);
    MainWindow window(nullptr);
    window.width = 800;
    window.height = 600;
    window.active = true;
    MainMenuView menu(window, *app);
    window.pushView(&menu);
    auto play = [&](int ticks, std::string_view keys) {
        hold(keys);
        for (int t = 0; t < ticks; ++t) {
            window.tick(30);
        }
    };
    menu.onCommand(&menu.button(MainMenuView::kNewGame1));
    GameView* game = menu.currentGame();
    ASSERT_NE(game, nullptr);
    play(160, "right");
    play(30, "left fire");
    game->onKeyDown(27);  // Escape: the game waits in the menu
    play(5, "-");
    for (int button : {MainMenuView::kOptions, MainMenuView::kHelp, MainMenuView::kTop7Set1,
                       MainMenuView::kCustomGame, MainMenuView::kNewGame2}) {
        menu.onCommand(&menu.button(button));
        play(20, "right");
        for (int r = 0; r < 50; ++r) {
            std::rand();
        }
        ASSERT_FALSE(window.dialogs().empty()) << "button " << button;
        window.dialogs().front()->onKeyDown(27);
        play(3, "-");
    }
    ASSERT_TRUE(window.dialogs().empty());
    menu.onCommand(&menu.button(MainMenuView::kContinue));
    ASSERT_EQ(window.currentView(), game);
    play(200, "right");
    play(60, "up z");
    play(1, "die");
    play(400, "left");

    const Replay& record = game->record();
    EXPECT_NE(std::count(record.ticks.begin(), record.ticks.end(), Replay::kWaiting), 0);
    const GameFlow& live = game->flow();
    ReplayPlayer player(*app, record);
    while (player.step(30)) {
    }
    EXPECT_EQ(player.gameTicks(), record.gameTicks());
    const GameFlow& again = player.flow();
    EXPECT_EQ(again.score, live.score);
    EXPECT_EQ(again.lives, live.lives);
    EXPECT_LT(again.lives, GameFlow::kStartLives);
    EXPECT_EQ(again.m_alpha, live.m_alpha);
    // Where the figures stand (their depths only order the drawing, by how many enemies
    // exist in the whole program).
    auto place = [](const Actor& a) { return std::pair(a.position().x, a.position().y); };
    EXPECT_EQ(place(*again.player()), place(*live.player()));
    ASSERT_EQ(again.enemies().size(), live.enemies().size());
    for (std::size_t i = 0; i < live.enemies().size(); ++i) {
        EXPECT_EQ(place(*again.enemies()[i]), place(*live.enemies()[i])) << i;
    }

    // Written and read back, the replay is confirmed; with another score claimed, refused.
    Replay file = record;
    file.finalScore = live.score;
    ASSERT_TRUE(file.save("game.replay"));
    std::ostringstream out, err;
    EXPECT_EQ(tool::run({"replay", "game.replay", "--quiet", "--pack", "data/data.pk"}, out, err),
              0)
        << err.str();
    file.finalScore = live.score + 25;
    ASSERT_TRUE(file.save("game.replay"));
    EXPECT_EQ(tool::run({"replay", "game.replay", "--quiet", "--pack", "data/data.pk"}, out, err),
              1);
}

// A replay file that is damaged or not ours is refused with a reason, whatever it holds.
TEST(ReplayFile, DamagedFilesAreRefusedAndGoodOnesSurviveWritingAndReading) {
    Replay good;
    good.seed = 4000000000u;
    good.custom = true;
    good.customLevel = 75;
    good.finalScore = 1500;
    good.name = "Jo Be";
    for (int t = 0; t < 250; ++t) {
        if (t == 40) {
            good.addWaitingTick();
        }
        good.addGameTick(static_cast<Actions>(t < 100 ? 0 : action::kLeft | action::kDig), 7, 3);
    }
    ParamTable resumed;
    resumed.set("gf_m_level_current", "12");
    good.resumedFrom = resumed;
    std::string why;
    const std::optional<Replay> back = Replay::fromTable(good.toTable(), why);
    ASSERT_TRUE(back) << why;
    EXPECT_EQ(back->ticks, good.ticks);
    EXPECT_EQ(back->gameTicks(), 250u);
    EXPECT_EQ(back->checkpoints, good.checkpoints);
    EXPECT_EQ(back->seed, good.seed);
    EXPECT_EQ(back->name, good.name);
    ASSERT_TRUE(back->resumedFrom);
    EXPECT_EQ(back->resumedFrom->get("gf_m_level_current", ""), "12");

    const std::pair<const char*, const char*> damaged[] = {
        {"r_version", "2"},
        {"r_version", ""},
        {"r_seed", "-1"},
        {"r_seed", "4294967296"},
        {"r_level_set", "2"},
        {"r_custom_level", "76"},
        {"r_score", "99999999999999999999"},
        {"r_ticks", "3*0 x*4"},
        {"r_ticks", "0*4"},
        {"r_ticks", "5*100"},
        {"r_ticks", "5*"},
        {"r_ticks", "99999999*0 99999999*1"},
        {"r_checkpoints", "100:0"},
        {"r_checkpoints", "300:0:3"},
        {"r_checkpoints", "200:0:3 100:0:3"},
    };
    for (const auto& [key, value] : damaged) {
        ParamTable table = good.toTable();
        table.set(key, value);
        why.clear();
        EXPECT_FALSE(Replay::fromTable(table, why)) << key << " " << value;
        EXPECT_FALSE(why.empty()) << key << " " << value;
    }
    EXPECT_FALSE(Replay::load("no such file", why));
}

// The replays folder keeps the replay of every Top 7 entry and the most recent others.
TEST(ReplayFolder, KeepsTheTablesReplaysAndTheMostRecentOthers) {
    test::ScratchDirectory scratch;
    const ReplayShelf shelf("replays");
    std::array<HighScoreTable, 2> tables;
    auto made = [&](int set, int score, int minute, const char* name) {
        Replay r;
        r.scoreSet = set;
        r.finalScore = score;
        r.date = "2026-12-09 04:" + std::to_string(10 + minute) + ":00";
        r.name = name;
        return shelf.add(r);
    };
    const std::string oldTopScore = made(1, 9000, 0, "Ann");
    tables[1].insert("Ann", 9000);
    std::vector<std::string> others;
    for (int m = 1; m <= 25; ++m) {
        others.push_back(made(0, 100 + m, m, ""));
    }
    test::writeFile("replays/notes.replay", "not a replay");
    shelf.prune(tables);
    namespace fs = std::filesystem;
    EXPECT_TRUE(fs::exists(oldTopScore));
    EXPECT_EQ(shelf.find(1, "Ann", 9000), oldTopScore);
    for (int m = 1; m <= 25; ++m) {
        EXPECT_EQ(fs::exists(others[m - 1]), m > 5) << "minute " << m;
    }
    EXPECT_TRUE(fs::exists("replays/notes.replay"));
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
