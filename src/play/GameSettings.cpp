// The rules of play, the level set being played and the high-score tables of both sets.
#include "play/GameSettings.h"

#include <algorithm>
#include <climits>

#include "pack/DataPack.h"
#include "pack/ParamTable.h"

namespace glint {

void GameSettings::loadRules(const DataPack& pack) {
    loadRulesFromBuffer(pack.readEntry(kRulesPath).data);
}

void GameSettings::loadRulesFromBuffer(std::span<const std::uint8_t> bytes) {
    ParamTable table;
    table.loadFromBuffer(bytes, true);
    auto read = [&table](const char* key) { return ParamTable::toInt(table.get(key, "0")); };

    int livesPerScore = read("m_lives_per_score");
    m_time_exploded = read("m_time_exploded");
    m_player_dead_time = read("m_player_dead_time");
    m_time_in_hole = read("m_time_in_hole");
    m_time_keep_gold_min = read("m_time_keep_gold_min");
    m_time_keep_gold_max = read("m_time_keep_gold_max");
    m_prob_take_gold = read("m_prob_take_gold");
    m_light_dist = read("m_light_dist");

    // These are divisors in the rules; a table that breaks them must not crash a game.
    if (livesPerScore > 0) {
        m_lives_per_score = livesPerScore;
    }
    m_prob_take_gold = std::max(m_prob_take_gold, 1);
    m_light_dist = std::max(m_light_dist, 1);
    if (m_time_keep_gold_max <= m_time_keep_gold_min) {
        m_time_keep_gold_min = std::min(m_time_keep_gold_min, INT_MAX - 1);
        m_time_keep_gold_max = m_time_keep_gold_min + 1;
    }
}

void GameSettings::loadKeys(const ParamTable& table) {
    auto read = [&table](const char* key, const char* fallback) {
        return ParamTable::toInt(table.get(key, fallback));
    };
    m_custom_type_game = read("m_custom_type_game", "0");
    m_custom_kind_game = read("m_custom_kind_game", "0");
    m_custom_level_num = read("m_custom_level_num", "1");

    // A settings file that never held bindings has no left key; it gets the default set.
    m_left_key = read("m_left_key", "0");
    if (m_left_key == 0) {
        resetKeys();
        return;
    }
    m_right_key = read("m_right_key", "0");
    m_up_key = read("m_up_key", "0");
    m_down_key = read("m_down_key", "0");
    m_die_key = read("m_die_key", "0");
    m_fire_key = read("m_fire_key", "0");
}

void GameSettings::saveKeys(ParamTable& table) const {
    table.set("m_left_key", ParamTable::fromInt(m_left_key));
    table.set("m_right_key", ParamTable::fromInt(m_right_key));
    table.set("m_up_key", ParamTable::fromInt(m_up_key));
    table.set("m_down_key", ParamTable::fromInt(m_down_key));
    table.set("m_die_key", ParamTable::fromInt(m_die_key));
    table.set("m_fire_key", ParamTable::fromInt(m_fire_key));
    table.set("m_custom_type_game", ParamTable::fromInt(m_custom_type_game));
    table.set("m_custom_kind_game", ParamTable::fromInt(m_custom_kind_game));
    table.set("m_custom_level_num", ParamTable::fromInt(m_custom_level_num));
}

void GameSettings::resetKeys() {
    m_down_key = kKeyDown;
    m_left_key = kKeyLeft;
    m_right_key = kKeyRight;
    m_up_key = kKeyUp;
    m_fire_key = kKeySpace;
    m_die_key = kKeyK;
}

}  // namespace glint

namespace glint {

void GameSettings::keepChoicesUsable() {
    const GameSettings defaults;
    auto keep = [](int& binding, int fallback) {
        if (binding < 1 || binding > 255) {
            binding = fallback;
        }
    };
    keep(m_down_key, defaults.m_down_key);
    keep(m_left_key, defaults.m_left_key);
    keep(m_right_key, defaults.m_right_key);
    keep(m_up_key, defaults.m_up_key);
    keep(m_fire_key, defaults.m_fire_key);
    keep(m_die_key, defaults.m_die_key);
    m_custom_type_game = m_custom_type_game != 0 ? 1 : 0;
    m_custom_kind_game = m_custom_kind_game != 0 ? 1 : 0;
    if (m_custom_level_num < 1 || m_custom_level_num > 75) {
        m_custom_level_num = 1;
    }
}

}  // namespace glint
