// The settings file and the high-score tables around it: what is read, what is put right,
// what is written, and that stored scores survive a missing settings file.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "app/App.h"
#include "persist/SaveFileScrambler.h"

namespace glint {
namespace {

class Settings : public ::testing::Test {
protected:
    void store(const std::string& text) {
        ParamTable table;
        table.loadFromBuffer(test::bytesOf(text), true);
        std::filesystem::create_directories("data");
        ASSERT_TRUE(table.save(App::kSettingsPath, SaveFileScrambler::kSettingsKey));
    }

    test::ScratchDirectory scratch;
};

TEST_F(Settings, AFirstRunKeepsTheBuiltInValuesAndLeavesTheOldFileAlone) {
    test::writeFile(App::kOldSettingsPath, "old");
    App app("none.pk");
    app.loadSettings();
    EXPECT_EQ(app.windowWidth, 800);
    EXPECT_EQ(app.windowHeight, 600);
    EXPECT_FALSE(app.autosave);
    EXPECT_TRUE(app.soundOn);
    EXPECT_TRUE(std::filesystem::exists(App::kOldSettingsPath));
}

TEST_F(Settings, StoredValuesAreReadAndTheOldFileGoes) {
    test::writeFile(App::kOldSettingsPath, "old");
    store(
        "m_window_width 1024 m_window_height 768 x -300 y 40 m_autosave 1 m_sound 2 "
        "m_left_key 30 m_right_key 32 m_up_key 17 m_down_key 31 m_fire_key 57 m_die_key 37");
    App app("none.pk");
    app.loadSettings();
    EXPECT_EQ(app.windowWidth, 1024);
    EXPECT_EQ(app.windowX, -300);
    EXPECT_TRUE(app.autosave);
    EXPECT_FALSE(app.soundOn);  // only 1 means on
    EXPECT_EQ(app.settings.m_left_key, 30);
    EXPECT_FALSE(std::filesystem::exists(App::kOldSettingsPath));
}

TEST_F(Settings, UnusableStoredChoicesArePutRight) {
    store(
        "m_left_key 30 m_right_key 0 m_up_key 999 m_down_key -4 m_fire_key 57 m_die_key 256 "
        "m_custom_type_game 7 m_custom_kind_game -2 m_custom_level_num 76 m_current_skin 9");
    test::writeFile("dat/param.txt", "m_skins_count 3");
    App app("none.pk");
    app.loadSettings();
    EXPECT_EQ(app.settings.m_left_key, 30);
    EXPECT_EQ(app.settings.m_right_key, 205);
    EXPECT_EQ(app.settings.m_up_key, 200);
    EXPECT_EQ(app.settings.m_down_key, 208);
    EXPECT_EQ(app.settings.m_die_key, 37);
    EXPECT_EQ(app.settings.m_custom_type_game, 1);
    EXPECT_EQ(app.settings.m_custom_kind_game, 1);
    EXPECT_EQ(app.settings.m_custom_level_num, 1);
    EXPECT_EQ(app.catalogue->currentSkin(), 2);
}

TEST_F(Settings, StoredScoresAreReadEvenWithoutASettingsFile) {
    std::filesystem::create_directories("data");
    HighScoreTable stored;
    stored.insert("Ada", 4200);
    ASSERT_TRUE(stored.save(HighScoreTable::kFiles[1]));
    App app("none.pk");
    app.loadSettings();
    ASSERT_EQ(app.settings.highScores[1].entries().size(), 1u);
    EXPECT_EQ(app.settings.highScores[1].entries()[0].name, "Ada");
    app.saveSettings();
    HighScoreTable reread;
    ASSERT_TRUE(reread.load(HighScoreTable::kFiles[1]));
    EXPECT_EQ(reread.entries().size(), 1u);
}

TEST_F(Settings, SavingMakesTheDataDirectoryAndReadsBack) {
    App app("none.pk");
    app.autosave = true;
    app.soundOn = false;
    app.windowX = 120;
    app.settings.m_fire_key = 29;
    app.saveSettings();
    ASSERT_TRUE(std::filesystem::exists(App::kSettingsPath));
    App again("none.pk");
    again.loadSettings();
    EXPECT_TRUE(again.autosave);
    EXPECT_FALSE(again.soundOn);
    EXPECT_EQ(again.windowX, 120);
    EXPECT_EQ(again.settings.m_fire_key, 29);
}

}  // namespace
}  // namespace glint
