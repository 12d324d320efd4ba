// The names shown for key bindings, and keeping the bindings in the settings table.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <map>
#include <string>

#include "TestFiles.h"
#include "input/KeyNames.h"
#include "pack/ParamTable.h"
#include "persist/SaveFileScrambler.h"
#include "play/GameSettings.h"

namespace glint {
namespace {

// Every scan code that has a name, as the options dialog must show it; all others are blank.
// clang-format off
const std::map<int, std::string> kExpectedNames = {
    {2, "1"}, {3, "2"}, {4, "3"}, {5, "4"},
    {6, "5"}, {7, "6"}, {8, "7"}, {9, "8"},
    {10, "9"}, {11, "0"}, {12, "-"}, {13, "="},
    {14, "BACKSPACE"}, {15, "TAB"}, {16, "Q"}, {17, "W"},
    {18, "E"}, {19, "R"}, {20, "T"}, {21, "Y"},
    {22, "U"}, {23, "I"}, {24, "O"}, {25, "P"},
    {26, "["}, {27, "]"}, {29, "LEFT CTRL"}, {30, "A"},
    {31, "S"}, {32, "D"}, {33, "F"}, {34, "G"},
    {35, "H"}, {36, "J"}, {37, "K"}, {38, "L"},
    {39, ";"}, {40, "'"}, {41, "`"}, {42, "LEFT SHIFT"},
    {43, "\\"}, {44, "Z"}, {45, "X"}, {46, "C"},
    {47, "V"}, {48, "B"}, {49, "N"}, {50, "M"},
    {51, ","}, {52, "."}, {53, "/"}, {54, "RIGHT SHIFT"},
    {55, "NUMPAD *"}, {56, "LEFT ALT"}, {57, "SPACE"}, {58, "CAPSLOCK"},
    {59, "F1"}, {60, "F2"}, {61, "F3"}, {62, "F4"},
    {63, "F5"}, {64, "F6"}, {65, "F7"}, {66, "F8"},
    {67, "F9"}, {68, "F10"}, {69, "NUMLOCK"}, {71, "NUMPAD7"},
    {72, "NUMPAD8"}, {73, "NUMPAD9"}, {74, "NUMPAD MINUS"}, {75, "NUMPAD4"},
    {76, "NUMPAD5"}, {77, "NUMPAD6"}, {78, "NUMPAD +"}, {79, "NUMPAD1"},
    {80, "NUMPAD2"}, {81, "NUMPAD3"}, {82, "NUMPAD0"}, {83, "NUMPAD ."},
    {87, "F11"}, {88, "F12"}, {100, "F13"}, {101, "F14"},
    {102, "F15"}, {141, "NUMPAD EQUALS"}, {157, "RIGHT CTRL"}, {179, "NUMPAD ,"},
    {181, "NUMPAD /"}, {184, "RIGHT ALT"}, {197, "PAUSE"}, {199, "HOME"},
    {200, "UP ARROW"}, {201, "PAGE UP"}, {203, "LEFT ARROW"}, {205, "RIGHT ARROW"},
    {207, "END"}, {208, "DOWN ARROW"}, {209, "PAGE DOWN"}, {210, "INSERT"},
    {211, "DELETE"}, {221, "Application"},
};
// clang-format on

TEST(KeyNames, EveryCodeFromZeroTo255HasExactlyItsName) {
    for (int code = 0; code < 256; ++code) {
        const auto it = kExpectedNames.find(code);
        const std::string expected = it == kExpectedNames.end() ? "" : it->second;
        const char* name = keyName(code);
        ASSERT_NE(name, nullptr) << "code " << code;
        EXPECT_EQ(name, expected) << "code " << code;
    }
    // The keys the menus use, and Scroll Lock, show blank when bound.
    EXPECT_STREQ(keyName(1), "");
    EXPECT_STREQ(keyName(28), "");
    EXPECT_STREQ(keyName(70), "");
}

TEST(KeyNames, CodesOutsideTheTableAreBlank) {
    for (int code : {-1, 256, 257, 1000, INT_MIN, INT_MAX}) {
        const char* name = keyName(code);
        ASSERT_NE(name, nullptr) << "code " << code;
        EXPECT_STREQ(name, "") << "code " << code;
    }
}

TEST(KeyNames, TheGamesOwnScanCodesNameTheirKeys) {
    EXPECT_STREQ(keyName(kKeyDown), "DOWN ARROW");
    EXPECT_STREQ(keyName(kKeyLeft), "LEFT ARROW");
    EXPECT_STREQ(keyName(kKeyRight), "RIGHT ARROW");
    EXPECT_STREQ(keyName(kKeyUp), "UP ARROW");
    EXPECT_STREQ(keyName(kKeySpace), "SPACE");
    EXPECT_STREQ(keyName(kKeyK), "K");
    EXPECT_STREQ(keyName(kKeyZ), "Z");
    EXPECT_STREQ(keyName(kKeyC), "C");
    EXPECT_STREQ(keyName(kKeyA), "A");
}

// The nine values in the order down, left, right, up, fire, die, type, kind, level.
std::array<int, 9> keysOf(const GameSettings& s) {
    return {s.m_down_key,         s.m_left_key,         s.m_right_key,
            s.m_up_key,           s.m_fire_key,         s.m_die_key,
            s.m_custom_type_game, s.m_custom_kind_game, s.m_custom_level_num};
}

const std::array<int, 9> kDefaults = {208, 203, 205, 200, 57, 37, 0, 0, 1};

ParamTable tableOf(std::string_view text) {
    ParamTable table;
    table.loadFromBuffer(test::bytesOf(text), true);
    return table;
}

// A settings block whose bindings are all changed away from the defaults.
GameSettings rebound() {
    GameSettings s;
    s.m_down_key = 31;
    s.m_left_key = 30;
    s.m_right_key = 32;
    s.m_up_key = 17;
    s.m_fire_key = 29;
    s.m_die_key = 16;
    s.m_custom_type_game = 1;
    s.m_custom_kind_game = 1;
    s.m_custom_level_num = 42;
    return s;
}

TEST(KeyBindings, EachValueIsReadIntoItsOwnMember) {
    GameSettings s;
    s.loadKeys(
        tableOf("m_down_key 80 m_left_key 75 m_right_key 77 m_up_key 72 m_fire_key 82 "
                "m_die_key 83 m_custom_type_game 1 m_custom_kind_game 1 m_custom_level_num 75"));
    EXPECT_EQ(keysOf(s), (std::array<int, 9>{80, 75, 77, 72, 82, 83, 1, 1, 75}));
}

TEST(KeyBindings, WithoutALeftKeyAllSixBindingsGoBackToTheirDefaults) {
    GameSettings s = rebound();
    s.loadKeys(
        tableOf("m_down_key 80 m_right_key 77 m_up_key 72 m_fire_key 82 m_die_key 83 "
                "m_custom_type_game 2 m_custom_kind_game 1 m_custom_level_num 9"));
    // The custom-game choice is still read; only the bindings are thrown away.
    EXPECT_EQ(keysOf(s), (std::array<int, 9>{208, 203, 205, 200, 57, 37, 2, 1, 9}));
}

TEST(KeyBindings, ALeftKeyOfZeroOrNotANumberCountsAsMissing) {
    for (const char* left : {"0", "left", ""}) {
        GameSettings s = rebound();
        ParamTable table = tableOf("m_down_key 80 m_right_key 77");
        table.set("m_left_key", left);
        s.loadKeys(table);
        EXPECT_EQ(keysOf(s), kDefaults) << "m_left_key \"" << left << '"';
    }
}

TEST(KeyBindings, OnlyALeftKeyBindsTheOtherFiveActionsToNothing) {
    GameSettings s = rebound();
    s.loadKeys(tableOf("m_left_key 30"));
    EXPECT_EQ(keysOf(s), (std::array<int, 9>{0, 30, 0, 0, 0, 0, 0, 0, 1}));
}

TEST(KeyBindings, AnEmptyTableGivesTheDefaults) {
    GameSettings s = rebound();
    s.loadKeys(ParamTable{});
    EXPECT_EQ(keysOf(s), kDefaults);
}

TEST(KeyBindings, SavingWritesTheValuesAsDecimalTextAndKeepsTheRest) {
    GameSettings s = rebound();
    s.m_die_key = -7;
    s.m_pad_die = 3;
    ParamTable table = tableOf("m_sound 1 m_left_key 203");
    s.saveKeys(table);
    EXPECT_EQ(table.text(),
              "m_custom_kind_game 1\n"
              "m_custom_level_num 42\n"
              "m_custom_type_game 1\n"
              "m_die_key -7\n"
              "m_down_key 31\n"
              "m_fire_key 29\n"
              "m_left_key 30\n"
              "m_pad_accept 0\n"
              "m_pad_cancel 1\n"
              "m_pad_die 3\n"
              "m_pad_dig 0\n"
              "m_pad_menu 6\n"
              "m_pad_tilt_back 9\n"
              "m_pad_tilt_forward 10\n"
              "m_right_key 32\n"
              "m_sound 1\n"
              "m_up_key 17\n");
}

TEST(KeyBindings, AControllerButtonOutsideTheControllersButtonsKeepsItsDefault) {
    GameSettings s;
    s.loadKeys(
        tableOf("m_pad_dig 2 m_pad_die 14 m_pad_menu 15 m_pad_accept -1 "
                "m_pad_cancel x m_pad_tilt_back 99999999999"));
    EXPECT_EQ(s.m_pad_dig, 2);
    EXPECT_EQ(s.m_pad_die, 14);
    const GameSettings defaults;
    EXPECT_EQ(s.m_pad_menu, defaults.m_pad_menu);
    EXPECT_EQ(s.m_pad_accept, defaults.m_pad_accept);
    EXPECT_EQ(s.m_pad_cancel, defaults.m_pad_cancel);
    EXPECT_EQ(s.m_pad_tilt_back, defaults.m_pad_tilt_back);
    EXPECT_EQ(s.m_pad_tilt_forward, defaults.m_pad_tilt_forward);
}

TEST(KeyBindings, SurviveSavingAndLoadingAsText) {
    ParamTable written;
    rebound().saveKeys(written);
    GameSettings loaded;
    loaded.loadKeys(tableOf(written.text()));
    EXPECT_EQ(keysOf(loaded), keysOf(rebound()));
}

TEST(KeyBindings, SurviveTheScrambledSettingsFile) {
    test::ScratchDirectory scratch;
    ParamTable written;
    rebound().saveKeys(written);
    ASSERT_TRUE(written.save("dx.cfg", SaveFileScrambler::kSettingsKey));

    ParamTable read;
    ASSERT_TRUE(read.loadFromFile("dx.cfg", true, SaveFileScrambler::kSettingsKey));
    GameSettings loaded;
    loaded.loadKeys(read);
    EXPECT_EQ(keysOf(loaded), keysOf(rebound()));
}

}  // namespace
}  // namespace glint
