// The rules of play, the level set being played and the high-score tables of both sets.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "input/KeyNames.h"
#include "persist/HighScoreTable.h"

namespace glint {

class DataPack;
class ParamTable;

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

    // Key bindings, as scan codes; a binding of 0 is never held.
    int m_down_key = kKeyDown;
    int m_left_key = kKeyLeft;
    int m_right_key = kKeyRight;
    int m_up_key = kKeyUp;
    int m_fire_key = kKeySpace;  // dig
    int m_die_key = kKeyK;       // give up the current life
    // A game controller's buttons, by the numbers of platform::pad (0 to 14); the directions
    // are the D-pad and the left stick. Not in the options: a player may edit the file.
    int m_pad_dig = 0;            // south (A)
    int m_pad_die = 4;            // back / select, held for a second
    int m_pad_menu = 6;           // start: in play, back to the menu; in the menus, activate
    int m_pad_accept = 0;         // south: activates the focused widget in the menus
    int m_pad_cancel = 1;         // east (B): as Escape in the menus
    int m_pad_tilt_back = 9;      // left shoulder, as Z
    int m_pad_tilt_forward = 10;  // right shoulder, as C
    // The last custom-game choice.
    int m_custom_type_game = 0;  // 0 = the chosen level, anything else = a random level
    int m_custom_kind_game = 0;  // level set index, 0 or 1
    int m_custom_level_num = 1;  // level number, 1 to 75

    // Table 0 belongs to level set 0, table 1 to level set 1.
    std::array<HighScoreTable, 2> highScores;

    // Every time of the rules lies between 0 and this many ms (a minute): a longer one would
    // leave a game waiting for ever (a death that never ends, a hole that never closes).
    static constexpr int kMaxRuleMs = 60000;

    // Reads the eight rules values from "dat/glint.txt" (archive or loose file). A missing key
    // reads as 0. The times m_time_exploded, m_player_dead_time, m_time_in_hole and
    // m_time_keep_gold_min are brought into 0 to kMaxRuleMs, m_time_keep_gold_max into 0 to
    // kMaxRuleMs + 1. Values that the rules divide by are kept usable: a missing, zero or
    // negative m_lives_per_score keeps 1000; m_prob_take_gold and m_light_dist are at least 1;
    // and m_time_keep_gold_max is at least m_time_keep_gold_min + 1.
    void loadRules(const DataPack& pack);
    // The same from the bytes of a rules table.
    void loadRulesFromBuffer(std::span<const std::uint8_t> bytes);

    // Reads the key bindings and the custom-game choice from the settings table, under their
    // member names. The custom-game values default to 0, 0 and 1. When m_left_key reads as 0
    // (missing, 0 or not a number) all six bindings go back to their defaults, whatever else
    // the table holds; otherwise each of the other five bindings that is missing becomes 0.
    // Values are taken as read, without any check, except the controller's buttons: one missing
    // or outside 0 to 14 keeps its default.
    void loadKeys(const ParamTable& table);
    // Writes the values of loadKeys as decimal text, replacing what the table held for them.
    void saveKeys(ParamTable& table) const;
    // The six bindings back to the arrows, Space (dig) and K (give up a life).
    void resetKeys();
    // After reading a stored file: a binding outside 1 to 255 returns to its default, a custom
    // type or set other than 0 means 1, and a custom level outside 1 to 75 means 1.
    void keepChoicesUsable();
};

}  // namespace glint
