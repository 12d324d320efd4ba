// The five effects are short PCM WAVE files the game's reader accepts, each its own sound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "ContentFiles.h"
#include "audio/WaveReader.h"

namespace glint::content_test {
namespace {

std::vector<int> samples(const WaveReader& wave) {
    std::vector<int> out;
    const Bytes& d = wave.data();
    for (std::size_t i = 0; i + 1 < d.size(); i += 2) {
        out.push_back(static_cast<std::int16_t>(d[i] | (d[i + 1] << 8)));
    }
    return out;
}

TEST(ContentSounds, AreShortMonoSixteenBitPcm) {
    for (int n = 1; n <= 5; ++n) {
        const std::string path = kDataDir + "/s" + std::to_string(n) + ".wav";
        WaveReader wave;
        ASSERT_TRUE(wave.open(path)) << path;
        const WaveFormat& f = wave.format();
        EXPECT_EQ(f.formatTag, WaveReader::kFormatPcm) << path;
        EXPECT_EQ(f.channels, 1) << path;
        EXPECT_EQ(f.bitsPerSample, 16) << path;
        EXPECT_TRUE(f.sampleRate == 22050 || f.sampleRate == 44100) << path;
        EXPECT_EQ(f.blockAlign, 2) << path;
        EXPECT_EQ(f.byteRate, f.sampleRate * 2) << path;
        const double seconds = static_cast<double>(wave.data().size()) / 2.0 / f.sampleRate;
        EXPECT_LT(seconds, 1.0) << path;
        EXPECT_GT(seconds, 0.1) << path;
    }
}

TEST(ContentSounds, AreAudibleStartAndEndQuietlyAndDifferFromEachOther) {
    std::vector<std::vector<int>> all;
    for (int n = 1; n <= 5; ++n) {
        const std::string path = kDataDir + "/s" + std::to_string(n) + ".wav";
        WaveReader wave;
        ASSERT_TRUE(wave.open(path)) << path;
        std::vector<int> s = samples(wave);
        ASSERT_FALSE(s.empty()) << path;
        int peak = 0;
        for (int v : s) {
            peak = std::max(peak, std::abs(v));
        }
        EXPECT_GT(peak, 32767 / 3) << path << " is too quiet";
        EXPECT_LT(peak, 32767) << path << " clips";
        // A jump at either end of a buffer clicks.
        EXPECT_LT(std::abs(s.front()), 2000) << path;
        EXPECT_LT(std::abs(s.back()), 200) << path;
        all.push_back(s);
    }
    for (std::size_t a = 0; a < all.size(); ++a) {
        for (std::size_t b = a + 1; b < all.size(); ++b) {
            EXPECT_NE(all[a], all[b]) << "s" << a + 1 << " and s" << b + 1 << " are one sound";
        }
    }
}

}  // namespace
}  // namespace glint::content_test
