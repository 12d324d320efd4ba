// The rules of play, the level set being played and the high-score tables of both sets.
#pragma once

#include <array>

#include "persist/HighScoreTable.h"

namespace glint {

class DataPack;

struct GameSettings {
    // Where the rules come from, read once at start-up.
    static constexpr const char* kRulesPath = "dat/glint.txt";

    float m_cell_size = 25.0f;     // edge of one grid cell in screen units
    int m_lives_per_score = 1000;  // points per extra life
    int m_time_exploded = 0;       // ms from digging a brick until it may grow back
    int m_player_dead_time = 0;    // ms from the player's death to the transition
    int m_time_in_hole = 0;        // ms an enemy stays trapped in a hole
    int m_time_keep_gold_min = 0;  // least ms an enemy carries gold it took
    int m_time_keep_gold_max = 0;  // exclusive upper bound of that time
    int m_prob_take_gold = 0;      // an enemy on gold takes it 1 time in this many
    int m_level_set = 0;           // the level set being played, 0 or 1
    int m_light_dist = 0;          // spacing in cells of the decorative lights

    // Table 0 belongs to level set 0, table 1 to level set 1.
    std::array<HighScoreTable, 2> highScores;

    // Reads the eight rules values from "dat/glint.txt" (archive or loose file). A missing key
    // reads as 0. Values that the rules divide by are kept usable: a missing, zero or negative
    // m_lives_per_score keeps 1000; m_prob_take_gold and m_light_dist are at least 1; and
    // m_time_keep_gold_max is at least m_time_keep_gold_min + 1.
    void loadRules(const DataPack& pack);
};

}  // namespace glint
