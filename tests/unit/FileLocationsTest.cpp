// Where the content and the player's files are found: a build folder, an installed prefix, the
// XDG base directories, a directory named on the command line.
#include "app/FileLocations.h"

#include <gtest/gtest.h>

#include <map>

#include "TestFiles.h"

namespace glint {
namespace {

namespace fs = std::filesystem;

class FileLocationsTest : public ::testing::Test {
protected:
    EnvironmentLookup environment() const {
        return [this](const char* name) -> const char* {
            auto it = env.find(name);
            return it == env.end() ? nullptr : it->second.c_str();
        };
    }
    std::string dir(const std::string& relative) const {
        return (scratch.path() / relative).string() + "/";
    }

    std::map<std::string, std::string> env{{"HOME", "/home/ada"}};
    test::ScratchDirectory scratch;
};

TEST_F(FileLocationsTest, ABuildFolderKeepsEverythingBesideTheProgram) {
    test::writeFile("build/data/data.pk", "pack");
    const FileLocations where = locateFiles(dir("build"), "", environment());
    EXPECT_EQ(where.contentRoot, dir("build"));
    EXPECT_TRUE(where.portable);
    EXPECT_EQ(where.settingsDirectory, dir("build") + "data");
    EXPECT_EQ(where.gameDirectory, dir("build") + "data");
}

TEST_F(FileLocationsTest, AnInstalledProgramFindsItsDataUnderItsPrefixAndUsesTheXdgFolders) {
    test::writeFile("usr/share/glint-seeker/data/data.pk", "pack");
    fs::create_directories("usr/bin");
    FileLocations where = locateFiles(dir("usr/bin"), "", environment());
    EXPECT_EQ(where.contentRoot, dir("usr/share/glint-seeker"));
    EXPECT_FALSE(where.portable);
    EXPECT_EQ(where.settingsDirectory, "/home/ada/.config/glint-seeker");
    EXPECT_EQ(where.gameDirectory, "/home/ada/.local/share/glint-seeker");

    env["XDG_CONFIG_HOME"] = "/x/config/";
    env["XDG_DATA_HOME"] = "/x/data";
    where = locateFiles(dir("usr/bin"), "", environment());
    EXPECT_EQ(where.settingsDirectory, "/x/config/glint-seeker");
    EXPECT_EQ(where.gameDirectory, "/x/data/glint-seeker");

    // Relative or empty values are not to be used.
    env["XDG_CONFIG_HOME"] = "config";
    env["XDG_DATA_HOME"] = "";
    where = locateFiles(dir("usr/bin"), "", environment());
    EXPECT_EQ(where.settingsDirectory, "/home/ada/.config/glint-seeker");
    EXPECT_EQ(where.gameDirectory, "/home/ada/.local/share/glint-seeker");
}

TEST_F(FileLocationsTest, ADirectoryNamedOnTheCommandLineTakesEveryUserFile) {
    test::writeFile("build/data/data.pk", "pack");
    const FileLocations where = locateFiles(dir("build"), "/saves/glint", environment());
    EXPECT_EQ(where.contentRoot, dir("build"));
    EXPECT_EQ(where.settingsDirectory, "/saves/glint");
    EXPECT_EQ(where.gameDirectory, "/saves/glint");
}

TEST_F(FileLocationsTest, WithoutAPackAnywhereTheWorkingDirectoryIsKept) {
    fs::create_directories("bin");
    EXPECT_EQ(locateFiles(dir("bin"), "", environment()).contentRoot, "");
    EXPECT_EQ(locateFiles("", "", environment()).contentRoot, "");
}

}  // namespace
}  // namespace glint
