// The settings file and the high-score tables around it: what is read, what is put right,
// what is written, that stored scores survive a missing settings file, and that no user file
// is ever lost to a damaged one, a failed write or an interrupted one.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "TestFiles.h"
#include "app/App.h"

namespace glint {
namespace {

class Settings : public ::testing::Test {
protected:
    void store(const std::string& text) {
        ParamTable table;
        table.loadFromBuffer(test::bytesOf(text), true);
        ASSERT_TRUE(files.write(UserFile::Settings, table));
    }

    UserFiles files;

    test::ScratchDirectory scratch;
};

TEST_F(Settings, AFirstRunKeepsTheBuiltInValuesAndLeavesTheOldFileAlone) {
    test::writeFile("data/d.cfg", "old");
    App app("none.pk");
    app.loadSettings();
    EXPECT_EQ(app.windowWidth, 800);
    EXPECT_EQ(app.windowHeight, 600);
    EXPECT_FALSE(app.autosave);
    EXPECT_TRUE(app.soundOn);
    EXPECT_TRUE(std::filesystem::exists("data/d.cfg"));
}

TEST_F(Settings, StoredValuesAreReadAndTheOldFileGoes) {
    test::writeFile("data/d.cfg", "old");
    store(
        "m_window_width 1024 m_window_height 768 x -300 y 40 m_autosave 1 m_sound 2 "
        "m_window_scale 2 m_fullscreen_mode 1 m_left_key 30 m_right_key 32 m_up_key 17 m_down_key "
        "31 m_fire_key 57 m_die_key 37");
    App app("none.pk");
    app.loadSettings();
    EXPECT_EQ(app.windowWidth, 1024);
    EXPECT_EQ(app.windowX, -300);
    EXPECT_EQ(app.windowScale, 2);
    EXPECT_EQ(app.fullScreenMode, 1);
    EXPECT_TRUE(app.autosave);
    EXPECT_FALSE(app.soundOn);  // only 1 means on
    EXPECT_EQ(app.settings.m_left_key, 30);
    EXPECT_FALSE(std::filesystem::exists("data/d.cfg"));
}

TEST_F(Settings, UnusableStoredChoicesArePutRight) {
    store(
        "m_left_key 30 m_right_key 0 m_up_key 999 m_down_key -4 m_fire_key 57 m_die_key 256 "
        "m_custom_type_game 7 m_custom_kind_game -2 m_custom_level_num 76 m_current_skin 9 "
        "m_window_scale 40 m_fullscreen_mode 3");
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
    EXPECT_EQ(app.windowScale, 8);
    EXPECT_EQ(app.fullScreenMode, 0);
}

TEST_F(Settings, StoredScoresAreReadEvenWithoutASettingsFile) {
    std::filesystem::create_directories("data");
    HighScoreTable stored;
    stored.insert("Ada", 4200);
    ASSERT_TRUE(stored.save(files.path(UserFile::Scores2)));
    App app("none.pk");
    app.loadSettings();
    ASSERT_EQ(app.settings.highScores[1].entries().size(), 1u);
    EXPECT_EQ(app.settings.highScores[1].entries()[0].name, "Ada");
    app.saveSettings();
    HighScoreTable reread;
    ASSERT_TRUE(reread.load(files.path(UserFile::Scores2)));
    EXPECT_EQ(reread.entries().size(), 1u);
}

TEST_F(Settings, SavingMakesTheDataDirectoryAndReadsBack) {
    App app("none.pk");
    app.autosave = true;
    app.soundOn = false;
    app.windowX = 120;
    app.settings.m_fire_key = 29;
    app.saveSettings();
    ASSERT_TRUE(std::filesystem::exists("data/dx.cfg"));
    App again("none.pk");
    again.loadSettings();
    EXPECT_TRUE(again.autosave);
    EXPECT_FALSE(again.soundOn);
    EXPECT_EQ(again.windowX, 120);
    EXPECT_EQ(again.settings.m_fire_key, 29);
}

TEST_F(Settings, SettingsAndGameFilesKeepToTheirOwnDirectories) {
    App app("none.pk");
    app.files = UserFiles("config/glint-seeker", "share/glint-seeker");
    test::writeFile("config/glint-seeker/d.cfg", "old");
    test::writeFile("config/glint-seeker/dx.cfg.Ab3dE9", "partial");
    test::writeFile("share/glint-seeker/scores1.tab.Ab3dE9", "partial");
    app.loadSettings();
    EXPECT_FALSE(std::filesystem::exists("config/glint-seeker/dx.cfg.Ab3dE9"));
    EXPECT_FALSE(std::filesystem::exists("share/glint-seeker/scores1.tab.Ab3dE9"));
    app.settings.highScores[0].insert("Ada", 4200);
    app.windowScale = 3;
    app.saveSettings();
    EXPECT_FALSE(std::filesystem::exists("data"));
    EXPECT_TRUE(std::filesystem::exists("config/glint-seeker/dx.cfg"));
    EXPECT_FALSE(std::filesystem::exists("config/glint-seeker/scores1.tab"));
    EXPECT_TRUE(std::filesystem::exists("share/glint-seeker/scores2.tab"));

    App again("none.pk");
    again.files = app.files;
    again.loadSettings();
    EXPECT_EQ(again.windowScale, 3);
    ASSERT_EQ(again.settings.highScores[0].entries().size(), 1u);
    EXPECT_FALSE(std::filesystem::exists("config/glint-seeker/d.cfg"));
}

TEST_F(Settings, DamagedFilesAreKeptAsideBeforeAnythingReplacesThemAndSaySo) {
    // A settings file cut to nothing, and a score table of noise: neither could be read.
    test::writeFile("data/dx.cfg", "");
    test::writeFile("data/scores1.tab", std::string("\x63garbage, not a table", 22));
    HighScoreTable stored;
    stored.insert("Ada", 4200);
    ASSERT_TRUE(files.write(UserFile::Scores2, stored.toTable()));
    App app("none.pk");
    app.loadSettings();
    EXPECT_TRUE(app.settingsDamaged);
    EXPECT_TRUE(app.settings.highScores[0].entries().empty());
    ASSERT_EQ(app.settings.highScores[1].entries().size(), 1u);

    testing::internal::CaptureStderr();
    app.saveSettings();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(test::readFile("data/dx.cfg.damaged"), "");
    EXPECT_EQ(test::readFile("data/scores1.tab.damaged"),
              std::string("\x63garbage, not a table", 22));
    EXPECT_FALSE(std::filesystem::exists("data/scores2.tab.damaged"));  // it was read
    EXPECT_NE(said.find("data/dx.cfg could not be read; it is kept as data/dx.cfg.damaged"),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("data/scores1.tab.damaged"), std::string::npos) << said;
    // What replaced them reads back, and a second save keeps the one damaged copy as it was.
    App again("none.pk");
    again.loadSettings();
    EXPECT_FALSE(again.settingsDamaged);
    again.saveSettings();
    EXPECT_EQ(test::readFile("data/dx.cfg.damaged"), "");
}

TEST_F(Settings, AFileThatCannotBeWrittenSaysSoAndTheOthersAreStillWritten) {
    std::filesystem::create_directories("data/dx.cfg");  // a directory where the file belongs
    App app("none.pk");
    app.settings.highScores[0].insert("Ada", 100);
    testing::internal::CaptureStderr();
    app.saveSettings();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("glint: cannot write data/dx.cfg: "), std::string::npos) << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_TRUE(std::filesystem::is_directory("data/dx.cfg"));
    HighScoreTable reread;
    ASSERT_TRUE(reread.load(files.path(UserFile::Scores1)));
    EXPECT_EQ(reread.entries().size(), 1u);
    // Nothing of the failed write is left beside it.
    for (const auto& entry : std::filesystem::directory_iterator("data")) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "dx.cfg" || name == "scores1.tab" || name == "scores2.tab") << name;
    }
}

TEST_F(Settings, OnlyTheTemporariesOfOurOwnWriterAreCleanedAwayAtStart) {
    const std::vector<std::string> ours = {"save.sav.Ab3dE9", "dx.cfg.XXXXXX",
                                           "scores2.tab.a1b2c3"};
    const std::vector<std::string> others = {"save.sav.damaged", "save.sav.Ab3dE",
                                             "notes.txt.Ab3dE9", "save.sav.Ab3dE9.keep",
                                             "scores1.tab"};
    for (const std::string& name : ours) {
        test::writeFile("data/" + name, "partial");
    }
    for (const std::string& name : others) {
        test::writeFile("data/" + name, "keep");
    }
    App app("none.pk");
    app.loadSettings();
    for (const std::string& name : ours) {
        EXPECT_FALSE(std::filesystem::exists("data/" + name)) << name;
    }
    for (const std::string& name : others) {
        EXPECT_TRUE(std::filesystem::exists("data/" + name)) << name;
    }
}

}  // namespace
}  // namespace glint
