// The level checks of glint-tool: the form of a level file, the search for a completing key
// script (enemies off and on), its replay in a real game, the levels command with its proofs and
// its digging check, and the contact sheet's pictures.
#include "Levels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <sstream>

#include "Commands.h"
#include "ContactSheet.h"
#include "LevelSolver.h"
#include "ProofSearch.h"
#include "TestFiles.h"
#include "app/App.h"
#include "pack/ParamTable.h"

namespace glint {
namespace {

using test::bytesOf;
using test::ScratchDirectory;
using test::writeFile;

// Rules as the game ships them: holes stay open six seconds.
constexpr const char* kRules =
    "m_lives_per_score 10000\nm_time_exploded 6000\nm_player_dead_time 1500\n"
    "m_time_in_hole 3000\nm_time_keep_gold_min 3000\nm_time_keep_gold_max 9000\n"
    "m_prob_take_gold 12\nm_light_dist 24\n";

// A level from the rows given, each padded with spaces to 32 characters; rows not given are
// empty, row 21 is a floor of solid blocks unless given.
Bytes makeLevel(const std::vector<std::pair<int, std::string>>& rows) {
    std::vector<std::string> lines(22, std::string(32, ' '));
    lines[21] = std::string(32, 'M');
    for (const auto& [row, text] : rows) {
        lines[static_cast<std::size_t>(row)] = (text + std::string(32, ' ')).substr(0, 32);
    }
    std::string file;
    for (const std::string& line : lines) {
        file += line + "\n";
    }
    return bytesOf(file);
}

// A ladder of `column` from row `top` down to row `bottom`, drawn into rows.
void addLadder(std::vector<std::pair<int, std::string>>& rows, int column, int top, int bottom,
               char piece = 'H') {
    for (int r = top; r <= bottom; ++r) {
        auto it =
            std::find_if(rows.begin(), rows.end(), [r](const auto& p) { return p.first == r; });
        if (it == rows.end()) {
            rows.emplace_back(r, std::string(32, ' '));
            it = rows.end() - 1;
        }
        it->second = (it->second + std::string(32, ' ')).substr(0, 32);
        it->second[static_cast<std::size_t>(column)] = piece;
    }
}

// The files a headless game reads to know its brick sheet (eight frames, as the game's), in a
// scratch directory that is the working directory.
class LevelFiles : public ::testing::Test {
protected:
    LevelFiles() {
        writeFile("dat/param.txt", "m_skins_count 1\n");
        writeFile("dat/s1/g_1.spr", "file_name dat/s1/g_1.tga\ngroups 1\nframes 8\n");
        writeFile("rules.txt", kRules);
    }
    ScratchDirectory scratch;
};

// A headless app with those files and rules, as the levels command prepares it.
class LevelPlay : public LevelFiles {
protected:
    LevelPlay() {
        app = std::make_unique<App>("none.pk");
        app->settings.loadRulesFromBuffer(bytesOf(kRules));
        app->catalogue->load();
    }

    tool::ScriptRun replay(const Bytes& level, const std::string& scriptText) {
        tool::KeyScript script;
        std::string error;
        EXPECT_TRUE(script.parse(scriptText, error)) << error;
        return tool::replayLevel(*app, level, script, 1);
    }

    std::unique_ptr<App> app;
};

TEST(KeyScriptParsing, AScriptIsReadOrRefusedWithTheLineAtFault) {
    const struct {
        const char* text;
        long long length;  // -1: refused
        const char* error;
    } cases[] = {
        {"141 -\n# comment only\n\n20 right fire # dig\n", 161, ""},
        {"5 jump", -1, "line 1: unknown key 'jump'"},
        {"1 -\n5", -1, "line 2: no keys"},
        {"-3 left", -1, "line 1: '-3' is not a tick count"},
        {"99999999999999999999 left", -1, "line 1: '99999999999999999999' is not"},
        // Runs that add up past what a count can hold are refused, not wrapped.
        {"9223372036854775807 -\n1 -", -1, "line 1: the script would run longer"},
        {"999999999999 -\n999999999999 -\n2 -", -1, "line 2: the script would run longer"},
    };
    for (const auto& c : cases) {
        tool::KeyScript script;
        std::string error;
        EXPECT_EQ(script.parse(c.text, error), c.length >= 0) << c.text;
        EXPECT_EQ(error.substr(0, std::string_view(c.error).size()), c.error) << c.text;
        if (c.length >= 0) {
            EXPECT_EQ(script.length(), c.length) << c.text;
        }
    }
}

TEST(LevelFormat, AWellFormedLevelPassesWithItsGoldAndEnemiesCounted) {
    tool::LevelFacts facts;
    const Bytes level = makeLevel({{19, " $   *  *   $  $"}, {20, "  !    *"}});
    EXPECT_EQ(tool::checkLevelFormat(level, facts), "");
    EXPECT_EQ(facts.gold, 3);
    EXPECT_EQ(facts.enemies, 3);
}

TEST(LevelFormat, EachFaultIsNamed) {
    tool::LevelFacts facts;
    std::string good(reinterpret_cast<const char*>(makeLevel({{20, " ! *"}}).data()), 22 * 33);

    std::string crlf;
    for (std::size_t i = 0; i < good.size(); i += 33) {
        crlf += good.substr(i, 32) + "\r\n";
    }
    EXPECT_NE(tool::checkLevelFormat(bytesOf(crlf), facts), "");

    EXPECT_NE(tool::checkLevelFormat(bytesOf(good.substr(0, 21 * 33)), facts), "");
    EXPECT_NE(tool::checkLevelFormat(bytesOf(good + "\n"), facts), "");

    std::string shifted = good;
    shifted.erase(5 * 33 + 3, 1);  // line 6 one character short, line 7 one too long
    shifted.insert(6 * 33 + 3, " ");
    EXPECT_NE(tool::checkLevelFormat(bytesOf(shifted), facts).find("line 6"), std::string::npos);

    EXPECT_NE(tool::checkLevelFormat(makeLevel({{20, "   *"}}), facts).find("player"),
              std::string::npos);
    EXPECT_NE(tool::checkLevelFormat(makeLevel({{20, " ! * !"}}), facts).find("2 player"),
              std::string::npos);
    EXPECT_NE(tool::checkLevelFormat(makeLevel({{20, " !"}}), facts).find("gold"),
              std::string::npos);
    EXPECT_NE(tool::checkLevelFormat(makeLevel({{20, " ! * x"}}), facts).find("'x'"),
              std::string::npos);

    EXPECT_EQ(tool::checkLevelFormat(makeLevel({{18, std::string(30, '$')}, {20, " ! *"}}), facts),
              "");
    EXPECT_NE(tool::checkLevelFormat(makeLevel({{18, std::string(31, '$')}, {20, " ! *"}}), facts),
              "");
}

TEST_F(LevelPlay, TheSolverWalksClimbsAndTheReplayCompletesTheLevelInItsLastTick) {
    std::vector<std::pair<int, std::string>> rows = {{20, "  !     *      *"}};
    addLadder(rows, 20, 0, 20);
    const Bytes level = makeLevel(rows);
    const tool::Solution solution = tool::solveLevel(*app, level);
    ASSERT_TRUE(solution.found) << solution.reason;
    EXPECT_EQ(solution.runs.front().keys, 0u);
    EXPECT_EQ(solution.runs.front().count, 141);  // the level-start reveal

    const tool::ScriptRun played = replay(level, tool::keyScriptText(solution.runs, {"found"}));
    EXPECT_TRUE(played.completed) << played.reason;
    EXPECT_EQ(played.ticks, solution.ticks);
    EXPECT_EQ(played.goldLeft, 0);
}

TEST_F(LevelPlay, TheSolverDigsThroughABrickFloorToBuriedGold) {
    // The gold lies in a pocket under the floor; the only ladder starts below it.
    std::vector<std::pair<int, std::string>> rows = {
        {15, " !"},
        {16, "TTTTTTTTTTTTTTTTTTTTTTTTTTTTTTTT"},
        {17, "MMMMMMMMM*MMMMMMMMMMMMMMMMMMMMMM"},
        {18, "MMMMMMMMM MMMMMMMMMMMMMMMMMMMMMM"},
        {19, "MMMMMMMMM                       "},
    };
    addLadder(rows, 30, 0, 20);
    const Bytes level = makeLevel(rows);
    const tool::Solution solution = tool::solveLevel(*app, level);
    ASSERT_TRUE(solution.found) << solution.reason;
    const std::string text = tool::keyScriptText(solution.runs, {});
    EXPECT_NE(text.find("fire"), std::string::npos);
    const tool::ScriptRun played = replay(level, text);
    EXPECT_TRUE(played.completed) << played.reason;
}

TEST_F(LevelPlay, TheSolverLeavesByTheHiddenLadderThatTheLastGoldReveals) {
    std::vector<std::pair<int, std::string>> rows = {{20, "  !       *"}};
    addLadder(rows, 25, 0, 20, '#');
    const Bytes level = makeLevel(rows);
    const tool::Solution solution = tool::solveLevel(*app, level);
    ASSERT_TRUE(solution.found) << solution.reason;
    EXPECT_TRUE(replay(level, tool::keyScriptText(solution.runs, {})).completed);
}

TEST_F(LevelPlay, WithTheEnemyOnTheProofTrapsItInAHoleToGetPast) {
    // The enemy walks towards the player along a brick floor; the gold and the ladder lie
    // beyond it. Only a hole in its way lets the player walk over its head.
    std::vector<std::pair<int, std::string>> rows = {{19, "  !        $        *"},
                                                     {20, std::string(32, 'T')}};
    addLadder(rows, 29, 0, 19);
    writeFile("dat/levels0/01.txt", makeLevel(rows));
    tool::GameSetup setup;
    setup.set = 0;
    setup.level = 1;
    setup.enemies = true;
    const tool::Solution proof = tool::searchProof(*app, setup);
    ASSERT_TRUE(proof.found) << proof.reason;
    tool::KeyScript script;
    std::string error;
    ASSERT_TRUE(script.parse(tool::keyScriptText(proof.runs, {}), error)) << error;
    const tool::ScriptRun played = tool::replayGame(*app, setup, script);
    EXPECT_TRUE(played.completed) << played.reason;
    EXPECT_EQ(played.ticks, proof.ticks);
    EXPECT_GE(played.holesUsed, 1);

    // The same keys without the hole's timing: walking straight on meets the enemy.
    EXPECT_FALSE(tool::replayGame(*app, setup,
                                  [&] {
                                      tool::KeyScript straight;
                                      straight.parse("141 -\n200 right\n", error);
                                      return straight;
                                  }())
                     .completed);
}

TEST_F(LevelPlay, GoldSealedInSolidBlocksIsReportedAsNoWayThrough) {
    std::vector<std::pair<int, std::string>> rows = {
        {17, "          MMM"}, {18, "          M*M"}, {19, "          MMM"}, {20, "  !"}};
    addLadder(rows, 28, 0, 20);
    const tool::Solution solution = tool::solveLevel(*app, makeLevel(rows));
    EXPECT_FALSE(solution.found);
    EXPECT_NE(solution.reason.find("no way through"), std::string::npos) << solution.reason;
    EXPECT_GT(solution.statesSeen, 10u);
}

TEST_F(LevelPlay, AScriptThatStopsShortFailsWithTheGoldItLeft) {
    std::vector<std::pair<int, std::string>> rows = {{20, "  !    *    *"}};
    addLadder(rows, 20, 0, 20);
    const tool::ScriptRun played = replay(makeLevel(rows), "141 -\n40 right\n");
    EXPECT_FALSE(played.completed);
    EXPECT_EQ(played.goldLeft, 1);
    EXPECT_EQ(played.ticks, 181);
    EXPECT_NE(played.reason.find("1 gold left"), std::string::npos) << played.reason;
}

TEST_F(LevelPlay, APlayerWhoDiesFailsTheReplay) {
    std::vector<std::pair<int, std::string>> rows = {{20, "  !    *"}};
    addLadder(rows, 20, 0, 20);
    const tool::ScriptRun played = replay(makeLevel(rows), "141 -\n5 right\n1 die\n50 -\n");
    EXPECT_FALSE(played.completed);
    EXPECT_NE(played.reason.find("dies in tick 147"), std::string::npos) << played.reason;
}

TEST_F(LevelPlay, ReachingTheTopRowBeforeTheLastGoldDoesNotComplete) {
    std::vector<std::pair<int, std::string>> rows = {{20, "  !               *"}};
    addLadder(rows, 4, 0, 20);
    // Up the ladder to the top row and stay there: the gold still lies on the floor.
    const tool::ScriptRun played = replay(makeLevel(rows), "141 -\n12 right\n300 up\n");
    EXPECT_FALSE(played.completed);
    EXPECT_EQ(played.goldLeft, 1);
    EXPECT_NE(played.reason.find("column 5 row 0"), std::string::npos) << played.reason;
}

class LevelsCommand : public LevelFiles {
protected:
    static std::string bytesText(const std::string& path) {
        std::optional<Bytes> bytes = readWholeFile(path, 1u << 20);
        return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
    }
    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return tool::run(args, out, err);
    }
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(LevelsCommand, ALevelIsOkWhenItsScriptAndItsProofCompleteItAndDiggingMatters) {
    // Gold buried under the floor: digging is what the level is about.
    std::vector<std::pair<int, std::string>> rows = {
        {15, " !"},
        {16, std::string(32, 'T')},
        {17, "MMMMMMMMM*MMMMMMMMMMMMMMMMMMMMMM"},
        {18, "MMMMMMMMM MMMMMMMMMMMMMMMMMMMMMM"},
        {19, "MMMMMMMMM              $"},
    };
    addLadder(rows, 30, 0, 20);
    writeFile("lv/levels0/01.txt", makeLevel(rows));
    writeFile("dat/levels0/01.txt", makeLevel(rows));  // the pack's copy, as a loose file
    ASSERT_EQ(run({"solve", "lv/levels0/01.txt", "--rules", "rules.txt", "--out",
                   "keys/levels0/01.keys"}),
              tool::kExitOk)
        << err.str();
    ASSERT_EQ(run({"solve", "lv/levels0/01.txt", "--rules", "rules.txt", "--enemies", "--seed", "7",
                   "--out", "proofs/levels0/01.replay"}),
              tool::kExitOk)
        << err.str();
    const std::vector<std::string> check = {
        "levels",  "--levels",  "lv",    "--solutions", "keys",    "--proofs", "proofs",
        "--rules", "rules.txt", "--set", "0",           "--level", "1"};
    EXPECT_EQ(run(check), tool::kExitOk) << out.str() << err.str();
    EXPECT_NE(out.str().find("set 0 level 01  gold   1  enemies  1"), std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("diggable  31"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("1 ok, 0 failed"), std::string::npos) << out.str();

    // Each fault on its own: the proof (cut short, of another level, no replay at all), the
    // script, the pack's copy.
    ParamTable proof;
    ASSERT_TRUE(proof.loadFromFile("proofs/levels0/01.replay", true));
    ASSERT_EQ(proof.get("r_seed", ""), "7");
    auto changed = [&](std::initializer_list<std::pair<const char*, const char*>> values) {
        ParamTable other = proof;
        for (const auto& [key, value] : values) {
            other.set(key, value);
        }
        return other.text();
    };
    const struct {
        const char* file;
        std::string text;
        const char* why;
    } faults[] = {
        {"proofs/levels0/01.replay", changed({{"r_ticks", "141*0 30*4"}, {"r_checkpoints", ""}}),
         "the replay ends"},
        {"proofs/levels0/01.replay", changed({{"r_custom_level", "2"}}), "one-level custom game"},
        {"proofs/levels0/01.replay", "141 -\n30 right\n", "not a replay"},
        {"keys/levels0/01.keys", "141 -\n30 right\n", "FAIL the script ends"},
        {"dat/levels0/01.txt", bytesText("lv/levels0/01.txt").replace(0, 3, "  *"),
         "another dat/levels0/01.txt"},
    };
    for (const auto& fault : faults) {
        const std::string good = bytesText(fault.file);
        writeFile(fault.file, fault.text);
        EXPECT_EQ(run(check), tool::kExitFailed) << fault.file << ": " << fault.text;
        EXPECT_NE(out.str().find(fault.why), std::string::npos) << out.str();
        writeFile(fault.file, good);
    }
    std::remove("proofs/levels0/01.replay");
    EXPECT_EQ(run(check), tool::kExitFailed);
    EXPECT_NE(out.str().find("cannot be read"), std::string::npos) << out.str();
}

TEST_F(LevelsCommand, ALevelWhereDiggingIsUselessFailsUnlessItIsANamedException) {
    std::vector<std::pair<int, std::string>> rows = {{20, "  !     *"}};
    addLadder(rows, 12, 0, 20);
    for (const char* dir : {"lv/levels1/04.txt", "dat/levels1/04.txt"}) {
        writeFile(dir, makeLevel(rows));
    }
    ASSERT_EQ(run({"solve", "lv/levels1/04.txt", "--rules", "rules.txt", "--out",
                   "keys/levels1/04.keys"}),
              tool::kExitOk);
    ASSERT_EQ(run({"solve", "lv/levels1/04.txt", "--rules", "rules.txt", "--enemies", "--out",
                   "proofs/levels1/04.replay"}),
              tool::kExitOk);
    const std::vector<std::string> check = {
        "levels",  "--levels",  "lv",    "--solutions", "keys",    "--proofs", "proofs",
        "--rules", "rules.txt", "--set", "1",           "--level", "4"};
    EXPECT_EQ(run(check), tool::kExitFailed);
    EXPECT_NE(out.str().find("FAIL digging is useless: 0 diggable bricks"), std::string::npos)
        << out.str();

    writeFile("lv/digging-exceptions.txt", "# levels without digging\nlevels1/04 a first climb\n");
    EXPECT_EQ(run(check), tool::kExitOk) << out.str();
    EXPECT_NE(out.str().find("ok (no digging, by design)"), std::string::npos) << out.str();

    // At most three a set.
    writeFile("lv/digging-exceptions.txt",
              "levels1/04 a\nlevels1/05 b\nlevels1/06 c\nlevels1/07 d\nlevels0/04 e\n");
    EXPECT_EQ(run(check), tool::kExitFailed);
    EXPECT_NE(out.str().find("more than 3 levels of set 1"), std::string::npos) << out.str();
}

TEST_F(LevelsCommand, AMalformedLevelFailsBeforeItsScriptIsRead) {
    writeFile("lv/levels1/07.txt", "not a level\n");
    EXPECT_EQ(run({"levels", "--levels", "lv", "--solutions", "keys", "--rules", "rules.txt",
                   "--set", "1", "--level", "7"}),
              tool::kExitFailed);
    EXPECT_NE(out.str().find("set 1 level 07  FAIL"), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("bytes"), std::string::npos) << out.str();
}

TEST_F(LevelsCommand, SolveRefusesALevelWithNoWayThrough) {
    writeFile("sealed.txt", makeLevel({{18, "MMM"}, {19, "M*M"}, {20, "MMM  !"}}));
    EXPECT_EQ(run({"solve", "sealed.txt", "--rules", "rules.txt"}), tool::kExitFailed);
    EXPECT_NE(err.str().find("no way through"), std::string::npos) << err.str();
}

TEST(ContactSheet, ThePngHoldsThePixelsInStoredBlocksWithValidFraming) {
    tool::RgbPicture picture(300, 250);  // rows of 901 bytes: several deflate blocks
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            picture.set(x, y, static_cast<std::uint32_t>(x * 7 + y * 13) * 2654435761u);
        }
    }
    const Bytes png = tool::encodePng(picture);
    const Bytes signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    ASSERT_GT(png.size(), 100u);
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
    auto big32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(png[at]) << 24 | png[at + 1] << 16 | png[at + 2] << 8 |
               png[at + 3];
    };
    EXPECT_EQ(big32(8), 13u);
    EXPECT_EQ(std::string(png.begin() + 12, png.begin() + 16), "IHDR");
    EXPECT_EQ(big32(16), 300u);
    EXPECT_EQ(big32(20), 250u);
    EXPECT_EQ(png[24], 8);  // bits
    EXPECT_EQ(png[25], 2);  // RGB
    // Every PNG ends with the same empty IEND chunk and its CRC.
    const Bytes iend = {0, 0, 0, 0, 'I', 'E', 'N', 'D', 0xae, 0x42, 0x60, 0x82};
    EXPECT_TRUE(std::equal(iend.begin(), iend.end(), png.end() - 12));

    // The IDAT chunk: a zlib stream of stored blocks that give back each row after a 0 byte.
    const std::size_t idat = 8 + 25;
    ASSERT_EQ(std::string(png.begin() + idat + 4, png.begin() + idat + 8), "IDAT");
    const std::size_t length = big32(idat);
    std::size_t at = idat + 8 + 2;
    Bytes raw;
    bool last = false;
    while (!last) {
        last = (png[at] & 1) != 0;
        const std::size_t size = png[at + 1] | png[at + 2] << 8;
        EXPECT_EQ(size ^ 0xffff, static_cast<std::size_t>(png[at + 3] | png[at + 4] << 8));
        raw.insert(raw.end(), png.begin() + at + 5, png.begin() + at + 5 + size);
        at += 5 + size;
    }
    EXPECT_EQ(at + 4, idat + 8 + length);  // the Adler-32 sum closes the stream
    ASSERT_EQ(raw.size(), 250u * 901u);
    for (int y : {0, 117, 249}) {
        EXPECT_EQ(raw[static_cast<std::size_t>(y) * 901], 0);
        for (int x : {0, 150, 299}) {
            const std::size_t p = static_cast<std::size_t>(y) * 901 + 1 + x * 3;
            const std::uint32_t rgb =
                static_cast<std::uint32_t>(raw[p]) << 16 | raw[p + 1] << 8 | raw[p + 2];
            EXPECT_EQ(rgb, picture.at(x, y));
        }
    }
}

TEST(ContactSheet, EachTileIsDrawnInItsOwnColourInItsCell) {
    const Bytes level = makeLevel({{0, "*TUMH#-!$ "}});
    tool::RgbPicture picture(32 * 8, 22 * 8);
    tool::drawLevel(picture, 0, 0, 8, level);
    // A point of each cell where its tile shows: a brick's face, a ladder's rung, the rope.
    const int points[10][2] = {{4, 4}, {2, 2}, {2, 2}, {4, 4}, {4, 4},
                               {4, 4}, {4, 1}, {4, 4}, {4, 4}, {4, 4}};
    std::vector<std::uint32_t> colours;
    for (int c = 0; c < 10; ++c) {
        colours.push_back(picture.at(c * 8 + points[c][0], points[c][1]));
    }
    EXPECT_EQ(colours[0], 0xffd228u);             // gold
    EXPECT_EQ(colours[9], picture.at(100, 100));  // empty, as the empty middle of the level
    for (std::size_t i = 0; i < colours.size(); ++i) {
        for (std::size_t j = i + 1; j < colours.size(); ++j) {
            EXPECT_NE(colours[i], colours[j]) << "characters " << i << " and " << j;
        }
    }
    // The bottom row is the floor of solid blocks.
    EXPECT_EQ(picture.at(4, 21 * 8 + 4), colours[3]);
}

}  // namespace
}  // namespace glint
