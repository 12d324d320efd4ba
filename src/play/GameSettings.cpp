// The rules of play, the level set being played and the high-score tables of both sets.
#include "play/GameSettings.h"

#include <algorithm>
#include <climits>

#include "pack/DataPack.h"
#include "pack/ParamTable.h"

namespace glint {

void GameSettings::loadRules(const DataPack& pack) {
    PackData bytes = pack.readEntry(kRulesPath);
    ParamTable table;
    table.loadFromBuffer(bytes.data, true);
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

}  // namespace glint
