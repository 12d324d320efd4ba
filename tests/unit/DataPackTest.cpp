// Reading the archive: lookup rules, loose-file fallback, and damaged or hostile archives.
#include "pack/DataPack.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "PackWriter.h"
#include "TestFiles.h"

namespace glint {
namespace {

using test::bytesOf;
using test::ScratchDirectory;
using test::writeFile;
using tool::buildPack;
using tool::PackSource;

Bytes archiveOf(const std::vector<PackSource>& sources) {
    std::string error;
    Bytes bytes = buildPack(sources, error);
    EXPECT_TRUE(error.empty()) << error;
    return bytes;
}

std::string text(const PackData& data) {
    return std::string(data.data.begin(), data.data.end());
}

class DataPackTest : public ::testing::Test {
protected:
    // Writes an archive of the given entries and opens it.
    void openArchive(const std::vector<PackSource>& sources) {
        writeFile("data/data.pk", archiveOf(sources));
        ASSERT_TRUE(pack.open("data/data.pk"));
    }

    ScratchDirectory scratch;
    DataPack pack;
};

TEST_F(DataPackTest, WritesAndReadsTheArchiveLayoutByteForByte) {
    Bytes expected = {0, 0, 2, 0, 0,   0,                         // reserved, count 2
                      1, 0, 0, 0, 'a', 2,   0,   0, 0, 'x', 'y',  // "a" = "xy"
                      3, 0, 0, 0, 'b', '/', 'c', 0, 0, 0,   0};   // "b/c" = ""
    EXPECT_EQ(archiveOf({{"a", bytesOf("xy")}, {"b/c", {}}}), expected);

    writeFile("data/data.pk", expected);
    ASSERT_TRUE(pack.open("data/data.pk"));
    ASSERT_EQ(pack.entryCount(), 2u);
    EXPECT_EQ(pack.entryName(0), "a");
    EXPECT_EQ(pack.entry(0).offset, 15u);
    EXPECT_EQ(pack.entry(0).size, 2u);
    EXPECT_EQ(pack.entryName(1), "b/c");
    EXPECT_EQ(pack.entry(1).offset, 28u);

    PackData a = pack.readEntry("a");
    EXPECT_EQ(text(a), "xy");
    EXPECT_EQ(a.offset, 15u);
}

TEST_F(DataPackTest, AnEmptyArchiveOpensAndEveryReadComesFromDisk) {
    openArchive({});
    EXPECT_EQ(pack.entryCount(), 0u);
    writeFile("dat/param.txt", "m_skins_count 3");
    PackData data = pack.readEntry("dat/param.txt");
    EXPECT_EQ(text(data), "m_skins_count 3");
    EXPECT_EQ(data.offset, 0u);
}

TEST_F(DataPackTest, AMissingArchiveFailsToOpenAndLooseFilesStillAnswer) {
    EXPECT_FALSE(pack.open("data/data.pk"));
    writeFile("mui/menu.txt", "k v");
    EXPECT_EQ(text(pack.readEntry("mui/menu.txt")), "k v");
}

TEST_F(DataPackTest, FindsNamesWhicheverSeparatorTheyWereStoredWith) {
    openArchive({{"dat\\levels0\\01.txt", bytesOf("level")}, {"dat/param.txt", bytesOf("param")}});
    EXPECT_EQ(text(pack.readEntry("dat/levels0/01.txt")), "level");
    EXPECT_EQ(text(pack.readEntry("dat\\levels0\\01.txt")), "level");
    EXPECT_EQ(text(pack.readEntry("dat\\param.txt")), "param");
    EXPECT_EQ(text(pack.readEntry("dat/param.txt")), "param");
}

TEST_F(DataPackTest, CaseAndMixedSeparatorsMustMatchExactly) {
    openArchive({{"dat/levels0/01.txt", bytesOf("level")}, {"mui/a\\b/c.txt", bytesOf("mixed")}});
    EXPECT_FALSE(pack.tryReadEntry("Dat/levels0/01.txt"));
    EXPECT_FALSE(pack.tryReadEntry("dat/LEVELS0/01.txt"));
    // A request that mixes separators is not normalised.
    EXPECT_FALSE(pack.tryReadEntry("dat/levels0\\01.txt"));
    // ...but a stored mix is found by either uniform spelling and by its own, no other mix.
    EXPECT_EQ(text(pack.readEntry("mui/a/b/c.txt")), "mixed");
    EXPECT_EQ(text(pack.readEntry("mui\\a\\b\\c.txt")), "mixed");
    EXPECT_EQ(text(pack.readEntry("mui/a\\b/c.txt")), "mixed");
    EXPECT_FALSE(pack.tryReadEntry("mui\\a/b\\c.txt"));
}

TEST_F(DataPackTest, TheEarlierOfTwoEqualNamesWins) {
    openArchive({{"dat/x.txt", bytesOf("first")},
                 {"dat\\x.txt", bytesOf("second")},
                 {"dat/x.txt", bytesOf("third")}});
    EXPECT_EQ(text(pack.readEntry("dat/x.txt")), "first");
    EXPECT_EQ(text(pack.readEntry("dat\\x.txt")), "first");
}

TEST_F(DataPackTest, AnEmptyEntryIsFoundAndEmpty) {
    openArchive({{"dat/empty.txt", {}}});
    std::optional<PackData> data = pack.tryReadEntry("dat/empty.txt");
    ASSERT_TRUE(data);
    EXPECT_EQ(data->size(), 0u);
}

TEST_F(DataPackTest, TheArchiveCopyWinsOverALooseFile) {
    openArchive({{"dat/glint.txt", bytesOf("archived")}});
    writeFile("dat/glint.txt", "loose");
    EXPECT_EQ(text(pack.readEntry("dat/glint.txt")), "archived");
}

TEST_F(DataPackTest, APathFoundNowhereGivesAnEmptyBuffer) {
    openArchive({{"dat/a.txt", bytesOf("a")}});
    EXPECT_FALSE(pack.tryReadEntry("dat/missing.txt"));
    PackData data = pack.readEntry("dat/missing.txt");
    EXPECT_EQ(data.size(), 0u);
    EXPECT_TRUE(data.data.empty());
}

TEST_F(DataPackTest, LongNamesAreReadWhole) {
    std::string longName = "dat/" + std::string(300, 'n') + ".txt";
    openArchive({{longName, bytesOf("long")}, {"after", bytesOf("next")}});
    ASSERT_EQ(pack.entryCount(), 2u);
    EXPECT_EQ(pack.entryName(0), longName);
    EXPECT_EQ(text(pack.readEntry(longName)), "long");
    EXPECT_EQ(text(pack.readEntry("after")), "next");
}

TEST_F(DataPackTest, AZeroByteEndsANameEarly) {
    openArchive({{std::string("dat/a.txt\0junk", 14), bytesOf("a")}});
    EXPECT_EQ(pack.entryName(0), "dat/a.txt");
    EXPECT_EQ(text(pack.readEntry("dat/a.txt")), "a");
}

TEST_F(DataPackTest, ATruncatedArchiveKeepsExactlyTheEntriesThatFitWhole) {
    std::vector<PackSource> sources = {{"dat/one.txt", bytesOf("first entry")},
                                       {"dat/two.txt", bytesOf("")},
                                       {"dat/three.txt", bytesOf("the third and last")}};
    Bytes full = archiveOf(sources);
    // Where each record ends in the full archive.
    std::vector<std::size_t> recordEnds;
    std::size_t end = 6;
    for (const PackSource& s : sources) {
        end += 4 + s.name.size() + 4 + s.data.size();
        recordEnds.push_back(end);
    }
    ASSERT_EQ(end, full.size());

    for (std::size_t cut = 0; cut <= full.size(); ++cut) {
        SCOPED_TRACE("archive cut to " + std::to_string(cut) + " bytes");
        writeFile("data/cut.pk", Bytes(full.begin(), full.begin() + cut));
        DataPack cutPack;
        ASSERT_TRUE(cutPack.open("data/cut.pk"));
        std::size_t whole = 0;
        while (whole < recordEnds.size() && recordEnds[whole] <= cut) {
            ++whole;
        }
        ASSERT_EQ(cutPack.entryCount(), whole);
        for (std::size_t i = 0; i < whole; ++i) {
            EXPECT_EQ(cutPack.readEntry(sources[i].name).data, sources[i].data);
        }
    }
}

TEST_F(DataPackTest, CountsAndLengthsBeyondTheFileAreNotTrusted) {
    Bytes oneEntry = archiveOf({{"a", bytesOf("xy")}});

    Bytes hugeCount = oneEntry;
    hugeCount[2] = hugeCount[3] = hugeCount[4] = hugeCount[5] = 0xff;
    writeFile("data/count.pk", hugeCount);
    ASSERT_TRUE(pack.open("data/count.pk"));
    EXPECT_EQ(pack.entryCount(), 1u);

    Bytes hugeName = oneEntry;
    hugeName[6] = hugeName[7] = hugeName[8] = hugeName[9] = 0xff;
    writeFile("data/name.pk", hugeName);
    ASSERT_TRUE(pack.open("data/name.pk"));
    EXPECT_EQ(pack.entryCount(), 0u);

    Bytes hugeSize = oneEntry;
    hugeSize[11] = hugeSize[12] = hugeSize[13] = hugeSize[14] = 0xff;
    writeFile("data/size.pk", hugeSize);
    ASSERT_TRUE(pack.open("data/size.pk"));
    EXPECT_EQ(pack.entryCount(), 0u);
}

TEST_F(DataPackTest, ASecondOpenReplacesTheDirectory) {
    openArchive({{"a", bytesOf("1")}});
    openArchive({{"b", bytesOf("2")}});
    ASSERT_EQ(pack.entryCount(), 1u);
    EXPECT_EQ(pack.entryName(0), "b");
}

TEST_F(DataPackTest, LooseFilesAcceptEitherSeparator) {
    writeFile("dat/levels0/01.txt", "level");
    EXPECT_EQ(text(pack.readEntry("dat\\levels0\\01.txt")), "level");
}

TEST_F(DataPackTest, LooseFilesNeverReachOutsideTheWorkingDirectory) {
    writeFile("inside/secret.txt", "secret");
    std::filesystem::create_directories("work");
    std::filesystem::current_path("work");

    EXPECT_FALSE(pack.tryReadEntry("../inside/secret.txt"));
    EXPECT_FALSE(pack.tryReadEntry("..\\inside\\secret.txt"));
    EXPECT_FALSE(pack.tryReadEntry("dat/../../inside/secret.txt"));
    EXPECT_FALSE(pack.tryReadEntry((scratch.path() / "inside/secret.txt").string()));

    // A link inside the working directory that leads out of it is refused too.
    std::filesystem::create_directory_symlink(scratch.path() / "inside", "link");
    EXPECT_FALSE(pack.tryReadEntry("link/secret.txt"));
    // One that stays inside is an ordinary path.
    writeFile("real/file.txt", "ok");
    std::filesystem::create_directory_symlink(scratch.path() / "work/real", "alias");
    EXPECT_EQ(text(pack.readEntry("alias/file.txt")), "ok");
}

TEST_F(DataPackTest, LooseFilesMustBeSmallRegularFiles) {
    std::filesystem::create_directories("dat/folder");
    EXPECT_FALSE(pack.tryReadEntry("dat/folder"));

    ASSERT_EQ(::mkfifo("dat/pipe", 0600), 0);
    EXPECT_FALSE(pack.tryReadEntry("dat/pipe"));  // and does not block

    writeFile("dat/big.bin", "");
    std::filesystem::resize_file("dat/big.bin", DataPack::kMaxLooseFileBytes + 1);
    EXPECT_FALSE(pack.tryReadEntry("dat/big.bin"));
    std::filesystem::resize_file("dat/big.bin", 1000);
    EXPECT_EQ(pack.readEntry("dat/big.bin").size(), 1000u);

    EXPECT_FALSE(pack.tryReadEntry(""));
    EXPECT_FALSE(pack.tryReadEntry(std::string_view("dat/big.bin\0x", 13)));
}

}  // namespace
}  // namespace glint
