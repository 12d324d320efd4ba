// Whole-file reads within limits, and writes that replace a file only once they are complete.
#include "pack/FileIo.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "TestFiles.h"

namespace glint {
namespace {

using test::bytesOf;
using test::readFile;
using test::ScratchDirectory;
using test::writeFile;

class FileIo : public ::testing::Test {
protected:
    ScratchDirectory scratch;
};

TEST_F(FileIo, ReadsWholeFilesUpToTheLimitAndNoFurther) {
    writeFile("ten.bin", "0123456789");
    EXPECT_EQ(readWholeFile("ten.bin", 10), bytesOf("0123456789"));
    EXPECT_FALSE(readWholeFile("ten.bin", 9));
    writeFile("empty.bin", "");
    EXPECT_EQ(readWholeFile("empty.bin", 0), Bytes{});
    EXPECT_FALSE(readWholeFile("missing.bin", 100));
}

TEST_F(FileIo, RefusesWhatIsNotARegularFile) {
    std::filesystem::create_directory("dir");
    EXPECT_FALSE(readWholeFile("dir", 1 << 20));
    ASSERT_EQ(::mkfifo("fifo", 0600), 0);
    EXPECT_FALSE(readWholeFile("fifo", 1 << 20));
}

TEST_F(FileIo, AnAtomicWriteReplacesTheFileAndKeepsItsMode) {
    writeFile("user.cfg", "old");
    ASSERT_EQ(::chmod("user.cfg", 0640), 0);
    ASSERT_TRUE(writeFileAtomically("user.cfg", bytesOf("new content")));
    EXPECT_EQ(readFile("user.cfg"), "new content");
    struct stat st {};
    ASSERT_EQ(::stat("user.cfg", &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);

    ASSERT_TRUE(writeFileAtomically("fresh.cfg", bytesOf("")));
    ASSERT_EQ(::stat("fresh.cfg", &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0644u);
    EXPECT_EQ(readFile("fresh.cfg"), "");
}

TEST_F(FileIo, AFailedWriteLeavesNothingBehind) {
    EXPECT_FALSE(writeFileAtomically("missing/dir/file", bytesOf("x")));
    std::filesystem::create_directories("occupied/child");
    EXPECT_FALSE(writeFileAtomically("occupied", bytesOf("x")));
    std::size_t count = 0;
    for (const auto& item : std::filesystem::directory_iterator(".")) {
        (void)item;
        ++count;
    }
    EXPECT_EQ(count, 1u);  // only "occupied"
}

}  // namespace
}  // namespace glint
