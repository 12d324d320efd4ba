// Reading the rules table, and keeping the values the rules divide by usable.
#include "play/GameSettings.h"

#include <gtest/gtest.h>

#include <climits>

#include "PackWriter.h"
#include "TestFiles.h"
#include "pack/DataPack.h"

namespace glint {
namespace {

using test::ScratchDirectory;
using test::writeFile;

class RulesLoading : public ::testing::Test {
protected:
    GameSettings load(std::string_view rules) {
        writeFile(GameSettings::kRulesPath, rules);
        GameSettings settings;
        settings.loadRules(pack);
        return settings;
    }

    ScratchDirectory scratch;
    DataPack pack;  // no archive: the loose file answers
};

TEST_F(RulesLoading, ReadsEveryValueFromTheTable) {
    GameSettings s = load(
        "m_lives_per_score 2000 m_time_exploded 6000 m_player_dead_time 1500\n"
        "m_time_in_hole 2500 m_time_keep_gold_min 3000 m_time_keep_gold_max 9000\n"
        "m_prob_take_gold 4 m_light_dist 7 m_level_set 1 m_cell_size 3\n");
    EXPECT_EQ(s.m_lives_per_score, 2000);
    EXPECT_EQ(s.m_time_exploded, 6000);
    EXPECT_EQ(s.m_player_dead_time, 1500);
    EXPECT_EQ(s.m_time_in_hole, 2500);
    EXPECT_EQ(s.m_time_keep_gold_min, 3000);
    EXPECT_EQ(s.m_time_keep_gold_max, 9000);
    EXPECT_EQ(s.m_prob_take_gold, 4);
    EXPECT_EQ(s.m_light_dist, 7);
    // Neither of these comes from the rules file.
    EXPECT_EQ(s.m_level_set, 0);
    EXPECT_FLOAT_EQ(s.m_cell_size, 25.0f);
}

TEST_F(RulesLoading, MissingKeysReadAsZeroExceptWhereTheRulesDivide) {
    GameSettings s = load("m_lives_per_score 5000");
    EXPECT_EQ(s.m_lives_per_score, 5000);
    EXPECT_EQ(s.m_time_exploded, 0);
    EXPECT_EQ(s.m_player_dead_time, 0);
    EXPECT_EQ(s.m_time_in_hole, 0);
    EXPECT_EQ(s.m_time_keep_gold_min, 0);
    // Divisors: at least 1, and the carry-time range at least one millisecond wide.
    EXPECT_EQ(s.m_time_keep_gold_max, 1);
    EXPECT_EQ(s.m_prob_take_gold, 1);
    EXPECT_EQ(s.m_light_dist, 1);
}

TEST_F(RulesLoading, ARepeatedKeyTakesItsLastValue) {
    EXPECT_EQ(load("m_time_in_hole 100 m_time_in_hole 200").m_time_in_hole, 200);
}

TEST_F(RulesLoading, UnusableLivesPerScoreKeepsOneThousand) {
    EXPECT_EQ(load("m_light_dist 3").m_lives_per_score, 1000);
    EXPECT_EQ(load("m_lives_per_score 0").m_lives_per_score, 1000);
    EXPECT_EQ(load("m_lives_per_score -50").m_lives_per_score, 1000);
    EXPECT_EQ(load("m_lives_per_score many").m_lives_per_score, 1000);
}

TEST_F(RulesLoading, NonPositiveOddsAndSpacingBecomeOne) {
    GameSettings s = load("m_prob_take_gold -3 m_light_dist 0");
    EXPECT_EQ(s.m_prob_take_gold, 1);
    EXPECT_EQ(s.m_light_dist, 1);
}

TEST_F(RulesLoading, ACarryTimeRangeThatIsEmptyIsWidened) {
    GameSettings equal = load("m_time_keep_gold_min 4000 m_time_keep_gold_max 4000");
    EXPECT_EQ(equal.m_time_keep_gold_min, 4000);
    EXPECT_EQ(equal.m_time_keep_gold_max, 4001);

    GameSettings reversed = load("m_time_keep_gold_min 4000 m_time_keep_gold_max 10");
    EXPECT_EQ(reversed.m_time_keep_gold_max, 4001);

    GameSettings top = load("m_time_keep_gold_min 99999999999");
    EXPECT_LT(top.m_time_keep_gold_min, top.m_time_keep_gold_max);
}

TEST_F(RulesLoading, TimesAreBroughtIntoZeroToAMinute) {
    // A death that never ends (or whose countdown overflows), a hole that never closes.
    const struct {
        const char* rules;
        int GameSettings::*member;
        int expected;
    } cases[] = {
        {"m_player_dead_time -2147483648", &GameSettings::m_player_dead_time, 0},
        {"m_player_dead_time 2147483647", &GameSettings::m_player_dead_time, 60000},
        {"m_time_exploded -1", &GameSettings::m_time_exploded, 0},
        {"m_time_exploded 60001", &GameSettings::m_time_exploded, 60000},
        {"m_time_in_hole 99999999999", &GameSettings::m_time_in_hole, 60000},
        {"m_time_keep_gold_min -5 m_time_keep_gold_max 10", &GameSettings::m_time_keep_gold_min, 0},
        {"m_time_keep_gold_max 2147483647", &GameSettings::m_time_keep_gold_max, 60001},
        {"m_time_keep_gold_min 2147483647", &GameSettings::m_time_keep_gold_max, 60001},
        {"m_player_dead_time 60000", &GameSettings::m_player_dead_time, 60000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(load(c.rules).*c.member, c.expected) << c.rules;
    }
}

TEST_F(RulesLoading, WithoutARulesFileOnlyTheSafeValuesAreSet) {
    GameSettings s;
    s.loadRules(pack);
    EXPECT_EQ(s.m_lives_per_score, 1000);
    EXPECT_EQ(s.m_time_exploded, 0);
    EXPECT_EQ(s.m_time_in_hole, 0);
    EXPECT_EQ(s.m_time_keep_gold_min, 0);
    EXPECT_EQ(s.m_time_keep_gold_max, 1);
    EXPECT_EQ(s.m_prob_take_gold, 1);
    EXPECT_EQ(s.m_light_dist, 1);
}

TEST_F(RulesLoading, TheArchivedRulesWinOverALooseFile) {
    std::string error;
    writeFile("data/data.pk",
              tool::buildPack({{"dat/glint.txt", test::bytesOf("m_time_in_hole 111")}}, error));
    ASSERT_TRUE(pack.open("data/data.pk"));
    EXPECT_EQ(load("m_time_in_hole 222").m_time_in_hole, 111);
}

}  // namespace
}  // namespace glint
