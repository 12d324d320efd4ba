// Scrambling user files: the stored layout, round trips, and stored files that are damaged.
#include "persist/SaveFileScrambler.h"

#include <gtest/gtest.h>

#include <random>

#include "TestFiles.h"

namespace glint {
namespace {

using test::bytesOf;

TEST(SaveFileScrambler, UnscramblesAKnownStoredFile) {
    // "abc" rotated left by 1 and chained with the key "qoz", worked out by hand.
    Bytes stored = {0x01, 0x0d, 0x21, 0x52};
    EXPECT_EQ(SaveFileScrambler::unscramble(stored, "qoz"), bytesOf("abc"));
}

TEST(SaveFileScrambler, EveryLengthAndKeySurvivesARoundTrip) {
    std::mt19937 rng(2024);
    const std::vector<std::string> keys = {"k", "qoz", "qx71m", "ko%58w"};
    for (const std::string& key : keys) {
        for (std::size_t length = 1; length <= 300; ++length) {
            Bytes plain(length);
            for (std::uint8_t& b : plain) {
                b = static_cast<std::uint8_t>(rng());
            }
            Bytes stored = SaveFileScrambler::scramble(plain, key);
            ASSERT_EQ(stored.size(), length + 1);
            // The rotation count is below 100, and below the length for short texts.
            EXPECT_LT(stored[0], 100);
            EXPECT_LT(stored[0], length);
            EXPECT_EQ(SaveFileScrambler::unscramble(stored, key), plain)
                << "length " << length << ", key " << key;
        }
    }
}

TEST(SaveFileScrambler, TheStoredBytesDoNotShowThePlainText) {
    Bytes plain = bytesOf("num 0\nname0 Anonymous\nscore0 1500\n");
    Bytes stored = SaveFileScrambler::scramble(plain, SaveFileScrambler::kHighScoreKey);
    std::string storedText(stored.begin() + 1, stored.end());
    EXPECT_EQ(storedText.find("Anonymous"), std::string::npos);
    EXPECT_EQ(storedText.find("score"), std::string::npos);
}

TEST(SaveFileScrambler, TheEmptyTextIsStoredAsOneZeroByte) {
    Bytes stored = SaveFileScrambler::scramble({}, "qoz");
    EXPECT_EQ(stored, Bytes{0});
    EXPECT_EQ(SaveFileScrambler::unscramble(stored, "qoz"), Bytes{});
}

TEST(SaveFileScrambler, ZeroOrOneStoredBytesGiveTheEmptyText) {
    EXPECT_EQ(SaveFileScrambler::unscramble({}, "qoz"), Bytes{});
    for (int first : {0, 1, 99, 255}) {
        EXPECT_EQ(SaveFileScrambler::unscramble(Bytes{static_cast<std::uint8_t>(first)}, "qoz"),
                  Bytes{});
    }
}

TEST(SaveFileScrambler, ARotationByteThatDoesNotFitTheTextMeansDamage) {
    EXPECT_FALSE(SaveFileScrambler::unscramble(Bytes{3, 1, 2, 3}, "qoz"));
    EXPECT_FALSE(SaveFileScrambler::unscramble(Bytes{255, 1, 2}, "qoz"));
    EXPECT_TRUE(SaveFileScrambler::unscramble(Bytes{2, 1, 2, 3}, "qoz"));
}

TEST(SaveFileScrambler, RandomBytesUnscrambleToTheirLengthOrAreRefused) {
    std::mt19937 rng(99);
    for (int round = 0; round < 2000; ++round) {
        Bytes stored(rng() % 40);
        for (std::uint8_t& b : stored) {
            b = static_cast<std::uint8_t>(rng());
        }
        std::optional<Bytes> plain = SaveFileScrambler::unscramble(stored, "ko%58w");
        if (stored.size() >= 2 && stored[0] >= stored.size() - 1) {
            EXPECT_FALSE(plain);
        } else {
            ASSERT_TRUE(plain);
            EXPECT_EQ(plain->size(), stored.empty() ? 0 : stored.size() - 1);
        }
    }
}

}  // namespace
}  // namespace glint
