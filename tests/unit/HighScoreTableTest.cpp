// Ranking, inserting, storing and reading back the seven best scores.
#include "persist/HighScoreTable.h"

#include <gtest/gtest.h>

#include "TestFiles.h"
#include "persist/SaveFileScrambler.h"

namespace glint {
namespace {

using test::ScratchDirectory;
using test::writeFile;

std::vector<int> scores(const HighScoreTable& table) {
    std::vector<int> out;
    for (const auto& e : table.entries()) {
        out.push_back(e.score);
    }
    return out;
}

std::vector<std::string> names(const HighScoreTable& table) {
    std::vector<std::string> out;
    for (const auto& e : table.entries()) {
        out.push_back(e.name);
    }
    return out;
}

TEST(HighScoreRanking, AFullTableOfEqualScoresKeepsTheOlderOnes) {
    HighScoreTable table;
    for (int i = 0; i < 7; ++i) {
        table.insert("p" + std::to_string(i), 500);
    }
    EXPECT_EQ(table.qualifies(500), -1);
    EXPECT_EQ(table.qualifies(501), 0);
    table.insert("new", 501);
    EXPECT_EQ(scores(table), (std::vector<int>{501, 500, 500, 500, 500, 500, 500}));
    EXPECT_EQ(names(table).front(), "new");
    EXPECT_EQ(names(table).back(), "p5");
}

TEST(HighScoreRanking, AnEqualScoreGoesBelowTheExistingOne) {
    HighScoreTable table;
    table.insert("a", 900);
    table.insert("b", 500);
    table.insert("c", 100);
    EXPECT_EQ(table.qualifies(500), 2);
    table.insert("d", 500);
    EXPECT_EQ(names(table), (std::vector<std::string>{"a", "b", "d", "c"}));
}

TEST(HighScoreRanking, ZeroOrLessNeverQualifiesEvenIntoAnEmptyTable) {
    HighScoreTable table;
    EXPECT_EQ(table.qualifies(0), -1);
    EXPECT_EQ(table.qualifies(-5), -1);
    EXPECT_EQ(table.qualifies(1), 0);
}

TEST(HighScoreRanking, NeverHoldsMoreThanSeven) {
    HighScoreTable table;
    for (int i = 1; i <= 20; ++i) {
        table.insert("p", i * 10);
    }
    EXPECT_EQ(scores(table), (std::vector<int>{200, 190, 180, 170, 160, 150, 140}));
    EXPECT_EQ(table.qualifies(140), -1);
    EXPECT_EQ(table.qualifies(145), 6);
}

TEST(HighScoreNames, NamesAreKeptInAFormTheFileCanCarry) {
    EXPECT_EQ(HighScoreTable::storableName("Ann \"Ace\" Lee"), "Ann 'Ace' Lee");
    EXPECT_EQ(HighScoreTable::storableName("a//b"), "a/|b");
    EXPECT_EQ(HighScoreTable::storableName("a///b"), "a/|/b");
    EXPECT_EQ(HighScoreTable::storableName("tab\there"), "tab here");
    EXPECT_EQ(HighScoreTable::storableName("Anonymous"), "Anonymous");
}

class HighScoreFiles : public ::testing::Test {
protected:
    ScratchDirectory scratch;
};

TEST_F(HighScoreFiles, ATableReadsBackAsItWasWritten) {
    HighScoreTable table;
    table.insert("Anonymous", 1500);
    table.insert("Two Words", 3000);
    table.insert("\"quoted\"", 700);
    table.insert("slash//name", 700);
    table.insert("", 10);
    table.insert("\"", 5);
    ASSERT_TRUE(table.save("scores1.tab"));

    HighScoreTable loaded;
    ASSERT_TRUE(loaded.load("scores1.tab"));
    EXPECT_EQ(names(loaded), names(table));
    EXPECT_EQ(scores(loaded), scores(table));
    EXPECT_EQ(names(loaded)[1], "Anonymous");
    EXPECT_EQ(names(loaded)[2], "'quoted'");
}

TEST_F(HighScoreFiles, AnEmptyTableIsStoredAsACountOfZero) {
    HighScoreTable table;
    ASSERT_TRUE(table.save("scores2.tab"));
    ParamTable stored;
    ASSERT_TRUE(stored.loadFromFile("scores2.tab", true, SaveFileScrambler::kHighScoreKey));
    EXPECT_EQ(stored.text(), "num 0\n");

    HighScoreTable loaded;
    loaded.insert("x", 5);
    ASSERT_TRUE(loaded.load("scores2.tab"));
    EXPECT_TRUE(loaded.entries().empty());
}

void storeTable(const std::string& text) {
    ParamTable table;
    table.loadFromBuffer(test::bytesOf(text), true);
    ASSERT_TRUE(table.save("scores.tab", SaveFileScrambler::kHighScoreKey));
}

TEST_F(HighScoreFiles, ADamagedCountOrScoreIsHeldWithinItsRange) {
    std::string many = "num 100";
    for (int i = 0; i < 10; ++i) {
        many += " name" + std::to_string(i) + " n" + std::to_string(i) + " score" +
                std::to_string(i) + " " + std::to_string(1000 - i);
    }
    storeTable(many);
    HighScoreTable table;
    ASSERT_TRUE(table.load("scores.tab"));
    EXPECT_EQ(table.entries().size(), 7u);
    EXPECT_EQ(names(table).back(), "n6");

    storeTable("num -3 name0 a score0 5");
    ASSERT_TRUE(table.load("scores.tab"));
    EXPECT_TRUE(table.entries().empty());

    // Scores no game can reach are held within what one can.
    storeTable("num 2 name0 a score0 2147483647 name1 b score1 -2147483648");
    ASSERT_TRUE(table.load("scores.tab"));
    EXPECT_EQ(scores(table), (std::vector<int>{HighScoreTable::kMaxScore, 0}));
}

TEST_F(HighScoreFiles, EntriesAreTakenInStoredOrderWithDefaultsForMissingKeys) {
    storeTable("num 3 name0 low score0 10 name1 high score1 900");
    HighScoreTable table;
    ASSERT_TRUE(table.load("scores.tab"));
    EXPECT_EQ(names(table), (std::vector<std::string>{"low", "high", "0"}));
    EXPECT_EQ(scores(table), (std::vector<int>{10, 900, 0}));
}

TEST_F(HighScoreFiles, AMissingOrOversizedFileKeepsTheEntries) {
    HighScoreTable table;
    table.insert("kept", 42);
    EXPECT_FALSE(table.load("missing.tab"));
    writeFile("huge.tab", std::string(ParamTable::kMaxUserFileBytes + 1, 'x'));
    EXPECT_FALSE(table.load("huge.tab"));
    EXPECT_EQ(names(table), (std::vector<std::string>{"kept"}));
}

TEST_F(HighScoreFiles, ADamagedFileGivesAnEmptyTable) {
    writeFile("bad.tab", std::string("\x50garbage", 8));
    HighScoreTable table;
    table.insert("old", 42);
    EXPECT_TRUE(table.load("bad.tab"));
    EXPECT_TRUE(table.entries().empty());
}

}  // namespace
}  // namespace glint
