// The mixer's play rules and sample conversion, and the effects on SDL's dummy sound device.
#include "audio/SoundEffects.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "TestFiles.h"
#include "audio/Mixer.h"
#include "audio/WaveReader.h"

namespace glint {
namespace {

using test::ScratchDirectory;

constexpr MixFormat kMono{44100, 1};
constexpr MixFormat kStereo{44100, 2};

// 1, 2, 3, ... n: every frame tells where it came from.
MixSamples ramp(std::size_t n) {
    MixSamples out(n);
    for (std::size_t i = 0; i < n; ++i) {
        out[i] = static_cast<std::int16_t>(i + 1);
    }
    return out;
}

MixSamples slice(const MixSamples& samples, std::size_t first, std::size_t count) {
    return MixSamples(samples.begin() + static_cast<std::ptrdiff_t>(first),
                      samples.begin() + static_cast<std::ptrdiff_t>(first + count));
}

MixSamples mixed(Mixer& mixer, std::size_t frames) {
    MixSamples out(frames * static_cast<std::size_t>(mixer.format().channels), -1);
    mixer.mix(out.data(), frames);
    return out;
}

WaveFormat pcmFormat(int channels, int rate, int bits) {
    WaveFormat format;
    format.formatTag = WaveReader::kFormatPcm;
    format.channels = static_cast<std::uint16_t>(channels);
    format.sampleRate = static_cast<std::uint32_t>(rate);
    format.blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    format.byteRate = format.sampleRate * format.blockAlign;
    format.bitsPerSample = static_cast<std::uint16_t>(bits);
    return format;
}

Bytes littleEndian(const std::vector<std::int16_t>& samples) {
    Bytes out;
    for (std::int16_t s : samples) {
        out.push_back(static_cast<std::uint8_t>(s & 0xFF));
        out.push_back(static_cast<std::uint8_t>((static_cast<std::uint16_t>(s) >> 8) & 0xFF));
    }
    return out;
}

MixSamples converted(const WaveFormat& format, const Bytes& data, MixFormat output) {
    std::optional<MixSamples> samples = convertToMixFormat(format, data, output);
    EXPECT_TRUE(samples.has_value());
    return samples.value_or(MixSamples{});
}

TEST(Mixer, RestartStartsOverWhileLettingRunPlaysOn) {
    Mixer mixer(kMono, 2);
    mixer.setSlot(0, ramp(100));
    mixer.start(0, false, false);
    EXPECT_EQ(mixed(mixer, 10), slice(ramp(100), 0, 10));
    mixer.start(0, false, false);
    EXPECT_EQ(mixed(mixer, 10), slice(ramp(100), 10, 10));
    mixer.start(0, true, false);
    EXPECT_EQ(mixed(mixer, 10), slice(ramp(100), 0, 10));
    EXPECT_TRUE(mixer.isPlaying(0));
    EXPECT_FALSE(mixer.isPlaying(1));
}

TEST(Mixer, ASoundStopsAfterItsLastFrameAndCanBeStartedAgain) {
    Mixer mixer(kMono, 1);
    mixer.setSlot(0, ramp(25));
    mixer.start(0, false, false);
    MixSamples out = mixed(mixer, 40);
    EXPECT_EQ(slice(out, 0, 25), ramp(25));
    EXPECT_EQ(slice(out, 25, 15), MixSamples(15, 0));
    EXPECT_FALSE(mixer.isPlaying(0));
    EXPECT_EQ(mixed(mixer, 5), MixSamples(5, 0));

    // Finished, it is no longer playing, so even a let-run start begins it anew.
    mixer.start(0, false, false);
    EXPECT_EQ(mixed(mixer, 5), slice(ramp(25), 0, 5));
}

TEST(Mixer, LoopingWrapsUntilAStartWithoutLoopRestartsIt) {
    Mixer mixer(kMono, 1);
    mixer.setSlot(0, ramp(3));
    mixer.start(0, false, true);
    // Far more than one internal block, so wrapping is checked across block boundaries.
    MixSamples out = mixed(mixer, 1000);
    for (std::size_t i = 0; i < out.size(); ++i) {
        ASSERT_EQ(out[i], static_cast<std::int16_t>(i % 3 + 1)) << "frame " << i;
    }
    // The wrap carries over from one call to the next (1000 % 3 == 1).
    EXPECT_EQ(mixed(mixer, 2), (MixSamples{2, 3}));

    // Letting it run keeps it looping; a restart without loop plays it once more.
    mixer.start(0, false, false);
    EXPECT_EQ(mixed(mixer, 6), (MixSamples{1, 2, 3, 1, 2, 3}));
    mixer.start(0, true, false);
    EXPECT_EQ(mixed(mixer, 6), (MixSamples{1, 2, 3, 0, 0, 0}));
    EXPECT_FALSE(mixer.isPlaying(0));
}

TEST(Mixer, SumsPlayingSlotsAndClipsToSixteenBits) {
    Mixer mixer(kStereo, 3);
    mixer.setSlot(0, MixSamples{100, 30000, -30000, 100});
    mixer.setSlot(1, MixSamples{200, 30000, -30000, -300});
    mixer.setSlot(2, MixSamples{5000, 5000, 5000, 5000});  // never started
    mixer.start(0, false, false);
    mixer.start(1, false, false);
    EXPECT_EQ(mixed(mixer, 3), (MixSamples{300, 32767, -32768, -200, 0, 0}));
}

TEST(Mixer, IgnoresEmptySlotsAndIndicesOutOfRange) {
    Mixer mixer(kMono, 2);
    mixer.setSlot(1, ramp(4));
    mixer.setSlot(7, ramp(4));
    EXPECT_FALSE(mixer.hasSound(0));
    EXPECT_TRUE(mixer.hasSound(1));
    EXPECT_FALSE(mixer.hasSound(7));

    mixer.start(0, true, false);
    mixer.start(2, true, false);
    mixer.start(7, true, true);
    EXPECT_FALSE(mixer.isPlaying(0));
    EXPECT_FALSE(mixer.isPlaying(7));
    EXPECT_EQ(mixed(mixer, 4), MixSamples(4, 0));

    // Replacing or clearing a playing slot stops it.
    mixer.start(1, false, true);
    mixer.setSlot(1, ramp(2));
    EXPECT_FALSE(mixer.isPlaying(1));
    mixer.start(1, false, true);
    mixer.clearSlot(1);
    EXPECT_FALSE(mixer.isPlaying(1));
    EXPECT_FALSE(mixer.hasSound(1));
    mixer.setSlot(1, MixSamples{});
    mixer.start(1, false, true);
    EXPECT_FALSE(mixer.isPlaying(1));
}

TEST(Mixer, KeepsStereoFramesWholeAndMixesSilenceInAFormatItCannotMix) {
    Mixer stereo(kStereo, 1);
    stereo.setSlot(0, MixSamples{1, 2, 3, 4, 5});  // the odd sample is half a frame
    stereo.start(0, false, false);
    EXPECT_EQ(mixed(stereo, 3), (MixSamples{1, 2, 3, 4, 0, 0}));

    Mixer surround(MixFormat{44100, 6}, 5);
    EXPECT_EQ(surround.slotCount(), 0u);
    surround.setSlot(0, ramp(12));
    surround.start(0, false, false);
    EXPECT_EQ(mixed(surround, 2), MixSamples(12, 0));
}

TEST(MixerConversion, ReadsEightBitsAsUnsignedAndSixteenAsSigned) {
    EXPECT_EQ(converted(pcmFormat(1, 44100, 8), Bytes{0x00, 0x80, 0xFF, 0x81}, kMono),
              (MixSamples{-32768, 0, 32512, 256}));
    EXPECT_EQ(converted(pcmFormat(1, 44100, 16), littleEndian({-32768, -1, 0, 32767, 258}), kMono),
              (MixSamples{-32768, -1, 0, 32767, 258}));
}

TEST(MixerConversion, CopiesMonoToBothSidesAndAveragesStereoToMono) {
    EXPECT_EQ(converted(pcmFormat(1, 44100, 16), littleEndian({10, -20}), kStereo),
              (MixSamples{10, 10, -20, -20}));
    EXPECT_EQ(converted(pcmFormat(2, 44100, 16), littleEndian({10, -20, 30000, 32000}), kStereo),
              (MixSamples{10, -20, 30000, 32000}));
    EXPECT_EQ(converted(pcmFormat(2, 44100, 16), littleEndian({10, -20, 30000, 32000}), kMono),
              (MixSamples{-5, 31000}));
    EXPECT_EQ(converted(pcmFormat(2, 44100, 8), Bytes{0x80, 0x90, 0x00, 0xFF}, kStereo),
              (MixSamples{0, 4096, -32768, 32512}));
}

TEST(MixerConversion, ChangesTheRateByInterpolatingBetweenFrames) {
    EXPECT_EQ(converted(pcmFormat(1, 22050, 16), littleEndian({0, 1000, 2000}), kMono),
              (MixSamples{0, 500, 1000, 1500, 2000, 2000}));
    EXPECT_EQ(converted(pcmFormat(1, 22050, 16), littleEndian({0, -1000}), kStereo),
              (MixSamples{0, 0, -500, -500, -1000, -1000, -1000, -1000}));
    EXPECT_EQ(
        converted(pcmFormat(1, 44100, 16), littleEndian({0, 1, 2, 3, 4, 5}), MixFormat{22050, 1}),
        (MixSamples{0, 2, 4}));
    // 44100 to 48000: 147 frames on a straight line become 160 frames on the same line, but
    // for the last, which has no later frame to lean towards and holds the last value.
    std::vector<std::int16_t> line(147);
    for (std::size_t i = 0; i < line.size(); ++i) {
        line[i] = static_cast<std::int16_t>(i * 160);
    }
    MixSamples out = converted(pcmFormat(1, 44100, 16), littleEndian(line), MixFormat{48000, 1});
    ASSERT_EQ(out.size(), 160u);
    for (std::size_t i = 0; i + 1 < out.size(); ++i) {
        ASSERT_EQ(out[i], static_cast<std::int16_t>(i * 147)) << "frame " << i;
    }
    EXPECT_EQ(out.back(), line.back());
}

TEST(MixerConversion, RefusesFormatsItCannotConvertAndDropsAPartialFrame) {
    const Bytes data = littleEndian({1, 2, 3, 4});
    auto refused = [&](WaveFormat format) { return !convertToMixFormat(format, data, kStereo); };
    WaveFormat alaw = pcmFormat(1, 22050, 8);
    alaw.formatTag = 6;
    WaveFormat misaligned = pcmFormat(1, 22050, 16);
    misaligned.blockAlign = 4;
    EXPECT_TRUE(refused(alaw));
    EXPECT_TRUE(refused(misaligned));
    EXPECT_TRUE(refused(pcmFormat(1, 22050, 24)));
    EXPECT_TRUE(refused(pcmFormat(1, 22050, 32)));
    EXPECT_TRUE(refused(pcmFormat(3, 22050, 16)));
    EXPECT_TRUE(refused(pcmFormat(0, 22050, 16)));
    EXPECT_TRUE(refused(pcmFormat(1, 0, 16)));
    EXPECT_TRUE(refused(pcmFormat(1, 1, 16)));
    EXPECT_TRUE(refused(pcmFormat(1, 1000000, 16)));
    EXPECT_FALSE(refused(pcmFormat(1, 8000, 16)));
    EXPECT_FALSE(refused(pcmFormat(2, 192000, 16)));
    EXPECT_FALSE(convertToMixFormat(pcmFormat(1, 22050, 16), data, MixFormat{44100, 3}));
    EXPECT_FALSE(convertToMixFormat(pcmFormat(1, 22050, 16), data, MixFormat{0, 1}));

    Bytes oddBytes = littleEndian({7, 8});
    oddBytes.push_back(9);
    EXPECT_EQ(converted(pcmFormat(1, 44100, 16), oddBytes, kMono), (MixSamples{7, 8}));
    EXPECT_EQ(converted(pcmFormat(1, 44100, 16), Bytes{}, kMono), MixSamples{});
}

// Runs sox to make a sound file; false, with a failure recorded, when it could not.
bool soxWave(const std::string& path, const std::string& options, const std::string& effect) {
    const std::string command = "sox -n " + options + " " + path + " " + effect + " 2>/dev/null";
    if (std::system(command.c_str()) != 0 || !std::filesystem::exists(path)) {
        ADD_FAILURE() << "sox could not make a test sound (is sox installed?): " << command;
        return false;
    }
    return true;
}

TEST(MixerConversion, PlaysASoxFileAtTwiceItsRateWithEverySourceSampleKept) {
    ScratchDirectory scratch;
    ASSERT_TRUE(soxWave("tone.wav", "-r 22050 -b 16 -c 1", "synth 0.1 sine 440"));
    WaveReader reader;
    ASSERT_TRUE(reader.open("tone.wav"));
    std::optional<MixSamples> samples = convertToMixFormat(reader.format(), reader.data(), kStereo);
    ASSERT_TRUE(samples);
    Mixer mixer(kStereo, 1);
    mixer.setSlot(0, std::move(*samples));
    mixer.start(0, false, false);
    MixSamples out = mixed(mixer, 2 * 2205 + 10);
    const Bytes& in = reader.data();
    for (std::size_t i = 0; i < 2205; ++i) {
        const auto source = static_cast<std::int16_t>(in[2 * i] | in[2 * i + 1] << 8);
        ASSERT_EQ(out[4 * i], source) << "frame " << i;
        ASSERT_EQ(out[4 * i + 1], source) << "frame " << i;
    }
    EXPECT_EQ(slice(out, out.size() - 20, 20), MixSamples(20, 0));
}

// The effects on SDL's dummy sound driver, which plays in real time to nowhere.
class SoundEffectsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::filesystem::create_directory("data");
    }
    void TearDown() override { ::unsetenv("SDL_AUDIODRIVER"); }

    // s1, s2 and s5 play; s3 is missing; s4 is a-law, which the mixer cannot convert.
    void makeEffectFiles() {
        ASSERT_TRUE(soxWave("data/s1.wav", "-r 22050 -b 16 -c 1", "synth 0.3 sine 440"));
        ASSERT_TRUE(soxWave("data/s2.wav", "-r 44100 -b 16 -c 1", "synth 2 sine 660"));
        ASSERT_TRUE(soxWave("data/s4.wav", "-r 22050 -e a-law -c 1", "synth 2 sine 550"));
        ASSERT_TRUE(soxWave("data/s5.wav", "-r 44100 -b 8 -c 2", "synth 2 sine 880"));
    }

    // Loads the five effects as the game does and gives each load's result.
    std::vector<bool> loadAll() {
        std::vector<bool> results;
        for (const char* path : SoundEffects::kFiles) {
            results.push_back(effects.loadWav(path));
        }
        return results;
    }

    ScratchDirectory scratch;
    SoundEffects effects;
};

bool waitUntilSilent(const SoundEffects& effects, int index) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (effects.isPlaying(index)) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

TEST_F(SoundEffectsTest, EveryFileKeepsItsOwnSlotWhenAnEarlierOneFails) {
    ASSERT_NO_FATAL_FAILURE(makeEffectFiles());
    ASSERT_TRUE(effects.init());
    EXPECT_TRUE(effects.isOpen());
    EXPECT_EQ(loadAll(), (std::vector<bool>{true, true, false, false, true}));
    EXPECT_FALSE(effects.loadWav("data/s1.wav"));  // no sixth slot

    effects.play(SoundEffects::kExit, false, false);
    effects.play(SoundEffects::kCaught, false, false);
    effects.play(SoundEffects::kLastGold, false, false);
    EXPECT_TRUE(effects.isPlaying(SoundEffects::kExit));
    EXPECT_FALSE(effects.isPlaying(SoundEffects::kCaught));
    EXPECT_FALSE(effects.isPlaying(SoundEffects::kLastGold));
}

TEST_F(SoundEffectsTest, TheDevicePlaysAnEffectToItsEnd) {
    ASSERT_NO_FATAL_FAILURE(makeEffectFiles());
    ASSERT_TRUE(effects.init());
    loadAll();
    effects.play(SoundEffects::kDig, true, false);
    effects.play(SoundEffects::kGold, true, true);
    EXPECT_TRUE(effects.isPlaying(SoundEffects::kDig));
    // Only the audio thread advances a sound, so its end proves the device mixes.
    EXPECT_TRUE(waitUntilSilent(effects, SoundEffects::kDig));
    EXPECT_TRUE(effects.isPlaying(SoundEffects::kGold));

    effects.shutdown();
    EXPECT_FALSE(effects.isOpen());
    EXPECT_FALSE(effects.isPlaying(SoundEffects::kGold));
    effects.play(SoundEffects::kGold, true, false);
    EXPECT_FALSE(effects.isPlaying(SoundEffects::kGold));
    effects.shutdown();
}

TEST_F(SoundEffectsTest, DisabledEffectsAndUnknownIndicesStaySilent) {
    ASSERT_NO_FATAL_FAILURE(makeEffectFiles());
    ASSERT_TRUE(effects.init());
    loadAll();
    EXPECT_TRUE(effects.isEnabled());
    effects.setEnabled(false);
    effects.play(SoundEffects::kGold, true, false);
    EXPECT_FALSE(effects.isPlaying(SoundEffects::kGold));

    effects.setEnabled(true);
    for (int index : {-1, 5, 99}) {
        effects.play(index, true, true);
        EXPECT_FALSE(effects.isPlaying(index));
    }
    for (int index = 0; index < SoundEffects::kEffectCount; ++index) {
        EXPECT_FALSE(effects.isPlaying(index)) << index;
    }
    effects.play(SoundEffects::kGold, true, false);
    EXPECT_TRUE(effects.isPlaying(SoundEffects::kGold));

    // Disabling lets a playing effect finish rather than cutting it off.
    effects.setEnabled(false);
    EXPECT_TRUE(effects.isPlaying(SoundEffects::kGold));
}

TEST_F(SoundEffectsTest, ReopeningStartsAgainFromTheFirstSlot) {
    ASSERT_NO_FATAL_FAILURE(makeEffectFiles());
    ASSERT_TRUE(effects.init());
    loadAll();
    effects.shutdown();
    ASSERT_TRUE(effects.init());
    EXPECT_TRUE(effects.init());  // open already
    ASSERT_TRUE(effects.loadWav("data/s5.wav"));
    effects.play(SoundEffects::kDig, false, false);
    effects.play(SoundEffects::kGold, false, false);
    EXPECT_TRUE(effects.isPlaying(SoundEffects::kDig));
    EXPECT_FALSE(effects.isPlaying(SoundEffects::kGold));
}

TEST_F(SoundEffectsTest, WithoutADeviceTheGameRunsSilent) {
    ::setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    ASSERT_NO_FATAL_FAILURE(makeEffectFiles());
    EXPECT_FALSE(effects.init());
    EXPECT_FALSE(effects.isOpen());
    EXPECT_EQ(loadAll(), std::vector<bool>(5, false));
    effects.play(SoundEffects::kDig, true, false);
    EXPECT_FALSE(effects.isPlaying(SoundEffects::kDig));
    effects.shutdown();
}

}  // namespace
}  // namespace glint
