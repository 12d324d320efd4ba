// The rules table holds playable values: all positive, the carry time a real range, and holes
// that let an enemy out only when it fell in early enough.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "ContentFiles.h"
#include "app/AssetCatalogue.h"
#include "play/GameSettings.h"

namespace glint::content_test {
namespace {

const char* const kRules[] = {"m_lives_per_score", "m_time_exploded",      "m_player_dead_time",
                              "m_time_in_hole",    "m_time_keep_gold_min", "m_time_keep_gold_max",
                              "m_prob_take_gold",  "m_light_dist"};

TEST(ContentRules, GiveEveryValueAPositiveNumber) {
    ParamTable rules = table("dat/glint.txt");
    for (const char* key : kRules) {
        const std::string text = rules.get(key, "");
        ASSERT_FALSE(text.empty()) << "dat/glint.txt has no " << key;
        EXPECT_GT(ParamTable::toInt(text), 0) << key << " = " << text;
    }
}

TEST(ContentRules, ReachTheGameUnchanged) {
    GameSettings settings;
    settings.loadRules(pack());
    ParamTable rules = table("dat/glint.txt");
    auto value = [&](const char* key) { return ParamTable::toInt(rules.get(key, "0")); };
    // The loader keeps unusable values usable; ours must need no such help.
    EXPECT_EQ(settings.m_lives_per_score, value("m_lives_per_score"));
    EXPECT_EQ(settings.m_time_exploded, value("m_time_exploded"));
    EXPECT_EQ(settings.m_player_dead_time, value("m_player_dead_time"));
    EXPECT_EQ(settings.m_time_in_hole, value("m_time_in_hole"));
    EXPECT_EQ(settings.m_time_keep_gold_min, value("m_time_keep_gold_min"));
    EXPECT_EQ(settings.m_time_keep_gold_max, value("m_time_keep_gold_max"));
    EXPECT_EQ(settings.m_prob_take_gold, value("m_prob_take_gold"));
    EXPECT_EQ(settings.m_light_dist, value("m_light_dist"));
    EXPECT_GT(settings.m_time_keep_gold_max, settings.m_time_keep_gold_min);
    EXPECT_GE(settings.m_prob_take_gold, 2) << "1 would mean enemies never take gold";
}

TEST(ContentRules, LetAnEnemyThatFellInAtOnceClimbOutBeforeTheHoleCloses) {
    ParamTable rules = table("dat/glint.txt");
    const int exploded = ParamTable::toInt(rules.get("m_time_exploded", "0"));
    const int inHole = ParamTable::toInt(rules.get("m_time_in_hole", "0"));
    // Climbing out: one cell of 25 units at the enemy's 2.16 units per 30 ms tick.
    const int climb = static_cast<int>(std::ceil(25.0 / (4.0 * 0.54))) * 30;
    for (int skin = 1; skin <= skinCount(); ++skin) {
        const int frames = sheetInfo("dat/s" + std::to_string(skin) + "/g_1.spr").frames;
        const int opening = (frames - 1) * 100;  // brick frames last 100 ms
        EXPECT_LT(inHole + climb, exploded - opening)
            << "skin " << skin << ": a trapped enemy could never escape";
        // ... but the hole is not open forever: one that falls in late is buried.
        EXPECT_GT(inHole + climb, (exploded - opening) / 3)
            << "skin " << skin << ": a trapped enemy is out almost at once";
    }
}

TEST(ContentRules, AnnounceTheSkinsThatExist) {
    const int skins = skinCount();
    EXPECT_EQ(skins, AssetCatalogue::kMaxSkins) << "we ship a skin for every slot of the catalogue";
    EXPECT_FALSE(archived("dat/s" + std::to_string(skins + 1) + "/g_1.spr").has_value())
        << "a skin is made that dat/param.txt does not announce";
}

}  // namespace
}  // namespace glint::content_test
