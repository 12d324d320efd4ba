// The rules of play, the level set being played and the high-score tables of both sets.
#include "play/GameSettings.h"

#include <algorithm>

#include "pack/DataPack.h"
#include "pack/ParamTable.h"

namespace glint {

void GameSettings::loadRules(const DataPack& pack) {
    loadRulesFromBuffer(pack.readEntry(kRulesPath).data);
}

void GameSettings::loadRulesFromBuffer(std::span<const std::uint8_t> bytes) {
    ParamTable table;
    table.loadFromBuffer(bytes, true);

    // Times are counted down by the tick; one outside a minute (or below 0) would stall a game.
    auto time = [&table](const char* key, int most) {
        return std::clamp(table.getInt(key), 0, most);
    };
    int livesPerScore = table.getInt("m_lives_per_score");
    m_time_exploded = time("m_time_exploded", kMaxRuleMs);
    m_player_dead_time = time("m_player_dead_time", kMaxRuleMs);
    m_time_in_hole = time("m_time_in_hole", kMaxRuleMs);
    m_time_keep_gold_min = time("m_time_keep_gold_min", kMaxRuleMs);
    m_time_keep_gold_max = time("m_time_keep_gold_max", kMaxRuleMs + 1);
    m_prob_take_gold = table.getInt("m_prob_take_gold");
    m_light_dist = table.getInt("m_light_dist");

    // These are divisors in the rules; a table that breaks them must not crash a game.
    if (livesPerScore > 0) {
        m_lives_per_score = livesPerScore;
    }
    m_prob_take_gold = std::max(m_prob_take_gold, 1);
    m_light_dist = std::max(m_light_dist, 1);
    if (m_time_keep_gold_max <= m_time_keep_gold_min) {
        m_time_keep_gold_max = m_time_keep_gold_min + 1;
    }
}

namespace {

struct PadKey {
    const char* key;
    int GameSettings::*member;
};
constexpr PadKey kPadKeys[] = {
    {"m_pad_dig", &GameSettings::m_pad_dig},
    {"m_pad_die", &GameSettings::m_pad_die},
    {"m_pad_menu", &GameSettings::m_pad_menu},
    {"m_pad_accept", &GameSettings::m_pad_accept},
    {"m_pad_cancel", &GameSettings::m_pad_cancel},
    {"m_pad_tilt_back", &GameSettings::m_pad_tilt_back},
    {"m_pad_tilt_forward", &GameSettings::m_pad_tilt_forward},
};
constexpr int kPadButtonCount = 15;

}  // namespace

void GameSettings::loadKeys(const ParamTable& table) {
    const GameSettings defaults;
    for (const PadKey& pad : kPadKeys) {
        // Only digits name a button: text that is no number is no button either.
        const std::string text = table.get(pad.key, "");
        const bool digits =
            !text.empty() && text.size() <= 2 &&
            std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
        const int value = digits ? ParamTable::toInt(text) : -1;
        this->*pad.member = value >= 0 && value < kPadButtonCount ? value : defaults.*pad.member;
    }
    m_custom_type_game = table.getInt("m_custom_type_game");
    m_custom_kind_game = table.getInt("m_custom_kind_game");
    m_custom_level_num = table.getInt("m_custom_level_num", "1");

    // A settings file that never held bindings has no left key; it gets the default set.
    m_left_key = table.getInt("m_left_key");
    if (m_left_key == 0) {
        resetKeys();
        return;
    }
    m_right_key = table.getInt("m_right_key");
    m_up_key = table.getInt("m_up_key");
    m_down_key = table.getInt("m_down_key");
    m_die_key = table.getInt("m_die_key");
    m_fire_key = table.getInt("m_fire_key");
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
    for (const PadKey& pad : kPadKeys) {
        table.set(pad.key, ParamTable::fromInt(this->*pad.member));
    }
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
