// The text table format: tokens, quotes, comments, ordering, writing and number conversion.
#include "pack/ParamTable.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <random>

#include "TestFiles.h"
#include "persist/SaveFileScrambler.h"

namespace glint {
namespace {

using test::bytesOf;
using test::readFile;
using test::ScratchDirectory;
using test::writeFile;

ParamTable parse(std::string_view text) {
    ParamTable table;
    EXPECT_TRUE(table.loadFromBuffer(bytesOf(text), true));
    return table;
}

std::vector<std::pair<std::string, std::string>> entries(const ParamTable& table) {
    return {table.begin(), table.end()};
}

using Entries = std::vector<std::pair<std::string, std::string>>;

TEST(ParamTableParsing, QuotedValuesKeepTheirSpacesAndAFinalKeyGetsAnEmptyValue) {
    ParamTable table = parse("a 1 b \"two words\" c");
    EXPECT_EQ(entries(table), (Entries{{"a", "1"}, {"b", "two words"}, {"c", ""}}));
}

TEST(ParamTableParsing, KeysAndValuesMayStandOnAnyLine) {
    ParamTable table = parse("\r\n\tx\n\n5  y 6 z\t\"7\r\n8\"");
    EXPECT_EQ(entries(table), (Entries{{"x", "5"}, {"y", "6"}, {"z", "7\r\n8"}}));
}

TEST(ParamTableParsing, OnlyFourBytesSeparate) {
    ParamTable table = parse("k\x0bv w\x0c\xc8\xff");
    EXPECT_EQ(entries(table), (Entries{{"k\x0bv", "w\x0c\xc8\xff"}}));
}

TEST(ParamTableParsing, AQuoteInsideAKeyOrAfterAValueStartIsAnOrdinaryByte) {
    ParamTable table = parse("ke\"y va\"lue");
    EXPECT_EQ(table.get("ke\"y", "-"), "va\"lue");
}

TEST(ParamTableParsing, CommentsRunToTheEndOfTheLine) {
    EXPECT_EQ(entries(parse("x 5 // word\ny 6")), (Entries{{"x", "5"}, {"y", "6"}}));
    EXPECT_EQ(entries(parse("x 5//word")), (Entries{{"x", "5"}}));
    EXPECT_EQ(entries(parse("// all comment")), Entries{});
}

TEST(ParamTableParsing, SlashesInsideAQuotedValueCutItAndItRunsToTheNextQuote) {
    ParamTable table = parse("url \"http://example\"\nnext 1\nlast \"q\"");
    // The comment swallowed the closing quote, so the value runs across the line break up to
    // the opening quote of "q"; what follows then parses from there.
    // The blanked comment leaves spaces where it stood.
    EXPECT_EQ(table.get("url", "-"), "http:" + std::string(10, ' ') + "\nnext 1\nlast ");
    EXPECT_EQ(table.get("q\"", "-"), "");
}

TEST(ParamTableParsing, AnUnterminatedQuoteEndsAtTheEndOfTheBuffer) {
    EXPECT_EQ(parse("k \"abc def").get("k", "-"), "abc def");
    EXPECT_EQ(parse("k \"").get("k", "-"), "");
    EXPECT_EQ(entries(parse("k \"\"")), (Entries{{"k", ""}}));
}

TEST(ParamTableParsing, ALaterDuplicateKeyReplacesTheEarlierValue) {
    EXPECT_EQ(parse("k 1 j 0 k 2").get("k", "-"), "2");
}

TEST(ParamTableParsing, KeysAreOrderedByteWise) {
    ParamTable table = parse("b 1 abc 2 ab 3 B 4 \xc8 5 z 6");
    std::vector<std::string> keys;
    for (const auto& [k, v] : table) {
        keys.push_back(k);
    }
    EXPECT_EQ(keys, (std::vector<std::string>{"B", "ab", "abc", "b", "z", "\xc8"}));
}

TEST(ParamTableParsing, ClearFirstDecidesWhetherEarlierEntriesStay) {
    ParamTable table = parse("a 1");
    table.loadFromBuffer(bytesOf("b 2"), false);
    EXPECT_EQ(table.size(), 2u);
    table.loadFromBuffer(bytesOf("c 3"), true);
    EXPECT_EQ(entries(table), (Entries{{"c", "3"}}));
}

TEST(ParamTableParsing, RandomBytesGiveWellFormedEntriesWithOrWithoutAKey) {
    std::mt19937 rng(11);
    for (int round = 0; round < 3000; ++round) {
        Bytes bytes(rng() % 64);
        for (std::uint8_t& b : bytes) {
            // Mostly separators, quotes and slashes: the bytes the parser decides on.
            static const char interesting[] = " \t\r\n\"/ab";
            b = rng() % 2 ? static_cast<std::uint8_t>(interesting[rng() % 9])
                          : static_cast<std::uint8_t>(rng());
        }
        for (std::string_view key : {std::string_view{}, SaveFileScrambler::kSavedGameKey}) {
            ParamTable table;
            ASSERT_TRUE(table.loadFromBuffer(bytes, true, key));
            for (const auto& [k, v] : table) {
                ASSERT_FALSE(k.empty());
                EXPECT_EQ(k.find_first_of(std::string(" \t\r\n", 4)), std::string::npos);
                EXPECT_EQ(k.find("//"), std::string::npos);
                EXPECT_EQ(v.find("//"), std::string::npos);
            }
        }
    }
}

TEST(ParamTableLookup, GetReturnsTheDefaultWithoutInsertingButIndexingInserts) {
    ParamTable table = parse("a 1");
    EXPECT_EQ(table.get("missing", "1"), "1");
    EXPECT_EQ(table.size(), 1u);
    EXPECT_EQ(table["other"], "");
    EXPECT_EQ(table.size(), 2u);
    table.set("a", "changed");
    EXPECT_EQ(table.get("a", "-"), "changed");
}

TEST(ParamTableNumbers, ToIntReadsTheLeadingDecimalNumber) {
    EXPECT_EQ(ParamTable::toInt("12abc"), 12);
    EXPECT_EQ(ParamTable::toInt("-7"), -7);
    EXPECT_EQ(ParamTable::toInt("+5"), 5);
    EXPECT_EQ(ParamTable::toInt(" \t\n42"), 42);
    EXPECT_EQ(ParamTable::toInt("0x1f"), 0);
    EXPECT_EQ(ParamTable::toInt("1.9"), 1);
}

TEST(ParamTableNumbers, ToIntGivesZeroForTextThatIsNoNumberAndClampsLargeOnes) {
    EXPECT_EQ(ParamTable::toInt(""), 0);
    EXPECT_EQ(ParamTable::toInt("abc"), 0);
    EXPECT_EQ(ParamTable::toInt("- 5"), 0);
    EXPECT_EQ(ParamTable::toInt("2147483647"), INT_MAX);
    EXPECT_EQ(ParamTable::toInt("2147483648"), INT_MAX);
    EXPECT_EQ(ParamTable::toInt("-2147483648"), INT_MIN);
    EXPECT_EQ(ParamTable::toInt("-99999999999999999999999"), INT_MIN);
    EXPECT_EQ(ParamTable::toInt("99999999999999999999999"), INT_MAX);
}

TEST(ParamTableNumbers, ToFloatReadsFiniteNumbersOnly) {
    EXPECT_FLOAT_EQ(ParamTable::toFloat("1.5x"), 1.5f);
    EXPECT_FLOAT_EQ(ParamTable::toFloat(" -0.250000"), -0.25f);
    EXPECT_FLOAT_EQ(ParamTable::toFloat("3"), 3.0f);
    EXPECT_EQ(ParamTable::toFloat("word"), 0.0f);
    EXPECT_EQ(ParamTable::toFloat(""), 0.0f);
    EXPECT_EQ(ParamTable::toFloat("nan"), 0.0f);
    EXPECT_EQ(ParamTable::toFloat("-inf"), 0.0f);
    EXPECT_EQ(ParamTable::toFloat("infinity"), 0.0f);
    EXPECT_EQ(ParamTable::toFloat("1e999"), 0.0f);
}

TEST(ParamTableWriting, LinesStandInKeyOrderAndSpacesAreQuoted) {
    ParamTable table;
    table.set("b", "two words");
    table.set("a", "one");
    EXPECT_EQ(table.text(), "a one\nb \"two words\"\n");
}

TEST(ParamTableWriting, AValueWithATabButNoSpaceIsWrittenBareAndSplitsWhenReadBack) {
    ParamTable table;
    table.set("k", "left\tright");
    EXPECT_EQ(table.text(), "k left\tright\n");
    EXPECT_EQ(entries(parse(table.text())), (Entries{{"k", "left"}, {"right", ""}}));
}

TEST(ParamTableWriting, AnEmptyValueIsQuotedSoTheNextKeyStaysAKey) {
    ParamTable table;
    table.set("a", "");
    table.set("b", "2");
    EXPECT_EQ(table.text(), "a \"\"\nb 2\n");
    EXPECT_EQ(entries(parse(table.text())), (Entries{{"a", ""}, {"b", "2"}}));
}

TEST(ParamTableWriting, NumbersAreWrittenAsPlainDecimals) {
    EXPECT_EQ(ParamTable::fromInt(-42), "-42");
    EXPECT_EQ(ParamTable::fromInt(INT_MIN), "-2147483648");
}

// Tokens that the format can carry: no separators, quotes or "//".
std::string randomToken(std::mt19937& rng, bool allowSpaces) {
    static const std::string alphabet =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_-+.,;:!?%$&*()[]{}<>=~'/";
    std::string token;
    std::size_t length = 1 + rng() % 12;
    while (token.size() < length) {
        char c = allowSpaces && rng() % 5 == 0 ? ' ' : alphabet[rng() % alphabet.size()];
        if (c == '/' && !token.empty() && token.back() == '/') {
            continue;
        }
        token += c;
    }
    return token;
}

class ParamTableFiles : public ::testing::Test {
protected:
    ScratchDirectory scratch;
};

TEST_F(ParamTableFiles, TablesSurviveASaveAndLoadWithAndWithoutAKey) {
    std::mt19937 rng(7);
    for (std::string_view key :
         {std::string_view{}, SaveFileScrambler::kSettingsKey, SaveFileScrambler::kSavedGameKey,
          SaveFileScrambler::kHighScoreKey}) {
        for (int round = 0; round < 20; ++round) {
            ParamTable table;
            int count = static_cast<int>(rng() % 30) + 1;
            for (int i = 0; i < count; ++i) {
                table.set(randomToken(rng, false), randomToken(rng, true));
            }
            ASSERT_TRUE(table.save("table.txt", key));
            ParamTable loaded;
            ASSERT_TRUE(loaded.loadFromFile("table.txt", true, key));
            EXPECT_EQ(entries(loaded), entries(table)) << "key '" << key << "'";
        }
    }
}

TEST_F(ParamTableFiles, AScrambledFileIsNotReadableText) {
    ParamTable table;
    table.set("m_sound", "1");
    ASSERT_TRUE(table.save("dx.cfg", SaveFileScrambler::kSettingsKey));
    std::string stored = readFile("dx.cfg");
    EXPECT_EQ(stored.size(), table.text().size() + 1);
    EXPECT_EQ(stored.find("m_sound"), std::string::npos);
}

TEST_F(ParamTableFiles, AMissingOrOversizedFileLeavesTheTableAsItWas) {
    ParamTable table = parse("kept 1");
    EXPECT_FALSE(table.loadFromFile("missing.cfg", true));
    EXPECT_EQ(entries(table), (Entries{{"kept", "1"}}));

    writeFile("huge.cfg", std::string(ParamTable::kMaxUserFileBytes + 1, 'x'));
    EXPECT_FALSE(table.loadFromFile("huge.cfg", true));
    EXPECT_EQ(entries(table), (Entries{{"kept", "1"}}));

    std::filesystem::create_directory("folder");
    EXPECT_FALSE(table.loadFromFile("folder", true));
    EXPECT_EQ(entries(table), (Entries{{"kept", "1"}}));
}

TEST_F(ParamTableFiles, ADamagedScrambledFileGivesAnEmptyTable) {
    // Rotation byte 9 does not fit a text of three bytes.
    writeFile("save.sav", Bytes{9, 'a', 'b', 'c'});
    ParamTable table = parse("old 1");
    EXPECT_TRUE(table.loadFromFile("save.sav", true, SaveFileScrambler::kSavedGameKey));
    EXPECT_TRUE(table.empty());
}

TEST_F(ParamTableFiles, AFileReadWithTheWrongKeyNeverCrashesTheParser) {
    ParamTable table;
    table.set("gf_m_level_current", "12");
    ASSERT_TRUE(table.save("save.sav", SaveFileScrambler::kSavedGameKey));
    ParamTable other;
    EXPECT_TRUE(other.loadFromFile("save.sav", true, SaveFileScrambler::kHighScoreKey));
    EXPECT_NE(other.get("gf_m_level_current", "none"), "12");
}

TEST_F(ParamTableFiles, AFailedSaveReportsFalseAndKeepsThePreviousFile) {
    ParamTable table = parse("a 1");
    EXPECT_FALSE(table.save("no/such/dir/file.cfg"));

    // A directory stands where the file should go: the rename fails.
    std::filesystem::create_directories("blocked/inside");
    EXPECT_FALSE(table.save("blocked"));
    EXPECT_TRUE(std::filesystem::is_directory("blocked/inside"));

    writeFile("kept.cfg", "old content");
    ASSERT_TRUE(std::filesystem::exists("kept.cfg"));
    ASSERT_TRUE(table.save("kept.cfg"));
    EXPECT_EQ(readFile("kept.cfg"), "a 1\n");

    // No temporary file is left behind by any of this.
    std::vector<std::string> names;
    for (const auto& item : std::filesystem::directory_iterator(".")) {
        names.push_back(item.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"blocked", "kept.cfg"}));
}

}  // namespace
}  // namespace glint
