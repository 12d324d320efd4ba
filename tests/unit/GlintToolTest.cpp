// glint-tool's commands as a script or a person uses them: results, output and exit codes.
#include "Commands.h"

#include <gtest/gtest.h>

#include <sstream>

#include "PictureMaker.h"
#include "TestFiles.h"
#include "pack/DataPack.h"
#include "pack/ParamTable.h"
#include "persist/HighScoreTable.h"
#include "persist/SaveFileScrambler.h"

namespace glint {
namespace {

using test::bytesOf;
using test::readFile;
using test::ScratchDirectory;
using test::writeFile;

class GlintTool : public ::testing::Test {
protected:
    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return tool::run(args, out, err);
    }

    ScratchDirectory scratch;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(GlintTool, PackedFilesAreListedInSortedOrderAndReadBackByTheGame) {
    std::string longName = std::string(120, 'L') + ".txt";
    writeFile("content/mui/menu.txt", "m_mm_x 10");
    writeFile("content/dat/glint.txt", "m_time_in_hole 2500\n");
    writeFile("content/dat/levels0/01.txt", "");
    writeFile("content/dat/" + longName, std::string("\0\x01\xff", 3));

    ASSERT_EQ(run({"pack", "out.pk", "content"}), 0) << err.str();
    ASSERT_EQ(run({"list", "out.pk"}), 0);
    EXPECT_EQ(out.str(), "dat/" + longName + "\t3\n" +
                             "dat/glint.txt\t20\n"
                             "dat/levels0/01.txt\t0\n"
                             "mui/menu.txt\t9\n");

    ASSERT_EQ(run({"cat", "out.pk", "dat/glint.txt"}), 0);
    EXPECT_EQ(out.str(), "m_time_in_hole 2500\n");
    ASSERT_EQ(run({"cat", "out.pk", "dat\\" + longName}), 0);
    EXPECT_EQ(out.str(), std::string("\0\x01\xff", 3));

    DataPack pack;
    ASSERT_TRUE(pack.open("out.pk"));
    ASSERT_EQ(pack.entryCount(), 4u);
    EXPECT_EQ(pack.readEntry("mui/menu.txt").data, bytesOf("m_mm_x 10"));
    EXPECT_EQ(pack.readEntry("dat/levels0/01.txt").size(), 0u);
}

TEST_F(GlintTool, PackLeavesOutTheArchiveItIsWriting) {
    writeFile("data/dat/param.txt", "m_skins_count 3");
    ASSERT_EQ(run({"pack", "data/data.pk", "data"}), 0) << err.str();
    // Packing again must not take in the archive of the first run.
    ASSERT_EQ(run({"pack", "data/data.pk", "data"}), 0) << err.str();
    ASSERT_EQ(run({"list", "data/data.pk"}), 0);
    EXPECT_EQ(out.str(), "dat/param.txt\t15\n");
}

TEST_F(GlintTool, PackWritesTheExactArchiveBytes) {
    writeFile("content/b", "2");
    writeFile("content/a", "");
    ASSERT_EQ(run({"pack", "out.pk", "content"}), 0);
    EXPECT_EQ(readFile("out.pk"), std::string("\0\0\x02\0\0\0"
                                              "\x01\0\0\0a\0\0\0\0"
                                              "\x01\0\0\0b\x01\0\0\0"
                                              "2",
                                              25));
}

TEST_F(GlintTool, PackOfAMissingDirectoryFails) {
    EXPECT_EQ(run({"pack", "out.pk", "nowhere"}), tool::kExitFailed);
    EXPECT_NE(err.str().find("nowhere"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists("out.pk"));
}

TEST_F(GlintTool, CatFallsBackToLooseFilesLikeTheGameAndFailsWhenNothingIsThere) {
    writeFile("dat/loose.txt", "loose");
    ASSERT_EQ(run({"cat", "absent.pk", "dat/loose.txt"}), 0);
    EXPECT_EQ(out.str(), "loose");
    EXPECT_EQ(run({"cat", "absent.pk", "dat/none.txt"}), tool::kExitFailed);
    EXPECT_EQ(run({"list", "absent.pk"}), tool::kExitFailed);
}

TEST_F(GlintTool, TablePrintsOneJsonObjectInKeyOrder) {
    writeFile("menu.txt", "zeta \"two words\" alpha 1 // comment\nq \"a\\b\ttab\"\nhigh \xe9");
    ASSERT_EQ(run({"table", "menu.txt"}), 0) << err.str();
    EXPECT_EQ(out.str(),
              "{\n"
              "  \"alpha\": \"1\",\n"
              "  \"high\": \"\\u00e9\",\n"
              "  \"q\": \"a\\\\b\\ttab\",\n"
              "  \"zeta\": \"two words\"\n"
              "}\n");

    writeFile("empty.txt", "   ");
    ASSERT_EQ(run({"table", "empty.txt"}), 0);
    EXPECT_EQ(out.str(), "{}\n");
}

TEST_F(GlintTool, TableWithAKeyReadsAStoredUserFile) {
    ParamTable settings;
    settings.set("m_sound", "1");
    settings.set("m_window_width", "800");
    ASSERT_TRUE(settings.save("dx.cfg", SaveFileScrambler::kSettingsKey));
    ASSERT_EQ(run({"table", "dx.cfg", "--key", "qoz"}), 0) << err.str();
    EXPECT_EQ(out.str(), "{\n  \"m_sound\": \"1\",\n  \"m_window_width\": \"800\"\n}\n");

    writeFile("bad.cfg", std::string("\x09xy", 3));
    EXPECT_EQ(run({"table", "bad.cfg", "--key", "qoz"}), tool::kExitFailed);
    EXPECT_NE(err.str().find("damaged"), std::string::npos);
}

TEST_F(GlintTool, ScrambleAndUnscrambleAreInverse) {
    writeFile("plain.txt", "num 1\nname0 Anonymous\nscore0 900\n");
    ASSERT_EQ(run({"scramble", "ko%58w", "plain.txt", "scores1.tab"}), 0) << err.str();
    EXPECT_EQ(readFile("scores1.tab").size(), readFile("plain.txt").size() + 1);
    ASSERT_EQ(run({"unscramble", "ko%58w", "scores1.tab", "back.txt"}), 0) << err.str();
    EXPECT_EQ(readFile("back.txt"), readFile("plain.txt"));

    HighScoreTable table;
    ASSERT_TRUE(table.load("scores1.tab"));
    ASSERT_EQ(table.entries().size(), 1u);
    EXPECT_EQ(table.entries()[0].score, 900);
}

TEST_F(GlintTool, UnscrambleRefusesADamagedFileAndWritesNothing) {
    writeFile("bad.sav", std::string("\x40short", 6));
    EXPECT_EQ(run({"unscramble", "qx71m", "bad.sav", "out.txt"}), tool::kExitFailed);
    EXPECT_FALSE(std::filesystem::exists("out.txt"));
    EXPECT_EQ(run({"scramble", "qx71m", "missing.txt", "out.sav"}), tool::kExitFailed);
    EXPECT_EQ(run({"scramble", "", "bad.sav", "out.sav"}), tool::kExitFailed);
}

TEST_F(GlintTool, InfoTellsWhatTheLoadersMakeOfEachKindOfFile) {
    writeFile("content/dat/sheet.tga",
              test::makeTga(256, 64, 32, [](int, int) { return test::Rgba{}; }));
    writeFile("content/dat/sheet.spr", "file_name dat/sheet.tga groups 2 frames 8");
    writeFile("content/mui/font.tga", test::makeFontPicture(256, 128, 94, 24, 5, 16));
    ASSERT_EQ(run({"pack", "data.pk", "content"}), 0) << err.str();

    ASSERT_EQ(run({"info", "dat/sheet.tga", "--pack", "data.pk"}), 0) << err.str();
    EXPECT_EQ(out.str(), "{\"width\": 256, \"height\": 64, \"bpp\": 32}\n");
    ASSERT_EQ(run({"info", "dat/sheet.spr", "--pack", "data.pk"}), 0) << err.str();
    EXPECT_EQ(out.str(),
              "{\"groups\": 2, \"frames\": 8, \"frameWidth\": 32, \"frameHeight\": 32}\n");
    ASSERT_EQ(run({"info", "mui/font.tga", "--pack", "data.pk"}), 0) << err.str();
    EXPECT_NE(out.str().find("\"glyphs\": 94"), std::string::npos);

    // A disk file, and a WAVE file made here by hand: 4 bytes of 16-bit mono at 22050 Hz.
    std::string wave(
        "RIFF\x28\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x22\x56\0\0"
        "\x44\xac\0\0\x02\0\x10\0data\x04\0\0\0\x01\0\x02\0",
        48);
    writeFile("s1.wav", wave);
    ASSERT_EQ(run({"info", "s1.wav"}), 0) << err.str();
    EXPECT_EQ(out.str(), "{\"channels\": 1, \"rate\": 22050, \"bits\": 16, \"bytes\": 4}\n");
}

TEST_F(GlintTool, InfoRefusesWhatTheLoadersRefuseWithOneLine) {
    writeFile("bad.tga", std::string(10, '\0'));
    EXPECT_EQ(run({"info", "bad.tga"}), tool::kExitFailed);
    const std::string message = err.str();
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 1);
    writeFile("font.tga", test::makeFontPicture(256, 128, 90, 24, 5, 16));
    EXPECT_EQ(run({"info", "font.tga"}), tool::kExitFailed);
    EXPECT_NE(err.str().find("90 glyphs"), std::string::npos);
    writeFile("lost.spr", "file_name dat/missing.tga");
    EXPECT_EQ(run({"info", "lost.spr"}), tool::kExitFailed);
    EXPECT_NE(err.str().find("dat/missing.tga"), std::string::npos);
    writeFile("notes.txt", "hello");
    EXPECT_EQ(run({"info", "notes.txt"}), tool::kExitFailed);
    EXPECT_EQ(run({"info", "x.tga", "--pack", "absent.pk"}), tool::kExitFailed);
}

TEST_F(GlintTool, AWrongCommandLineShowsTheUsage) {
    EXPECT_EQ(run({}), tool::kExitUsage);
    EXPECT_EQ(run({"unknown"}), tool::kExitUsage);
    EXPECT_EQ(run({"pack", "only-one"}), tool::kExitUsage);
    EXPECT_EQ(run({"list", "a", "b"}), tool::kExitUsage);
    EXPECT_EQ(run({"table", "f", "--nokey", "k"}), tool::kExitUsage);
    EXPECT_EQ(run({"table", "f", "--key"}), tool::kExitUsage);
    EXPECT_NE(err.str().find("usage: glint-tool"), std::string::npos);
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_NE(out.str().find("unscramble KEY IN OUT"), std::string::npos);
}

}  // namespace
}  // namespace glint
