// Reading WAVE files: what sox writes, chunks we skip, and damaged or hostile files.
#include "audio/WaveReader.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "TestFiles.h"

namespace glint {
namespace {

using namespace std::string_view_literals;
using test::bytesOf;
using test::readFile;
using test::ScratchDirectory;
using test::writeFile;

// Makes a WAVE file with sox and gives its bytes; empty (with a failure recorded) when sox
// could not make it.
Bytes soxWave(const std::string& options, const std::string& effect) {
    const std::string path = "sox-made.wav";
    std::filesystem::remove(path);
    const std::string command = "sox -n " + options + " " + path + " " + effect + " 2>/dev/null";
    if (std::system(command.c_str()) != 0 || !std::filesystem::exists(path)) {
        ADD_FAILURE() << "sox could not make a test sound (is sox installed?): " << command;
        return {};
    }
    return bytesOf(readFile(path));
}

void appendU16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void appendU32(Bytes& out, std::uint32_t value) {
    appendU16(out, value & 0xFFFF);
    appendU16(out, value >> 16);
}

void appendBytes(Bytes& out, const Bytes& bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

// A chunk with its header and, after an odd size, its pad byte.
Bytes chunk(std::string_view id, const Bytes& payload) {
    Bytes out = bytesOf(id);
    appendU32(out, static_cast<std::uint32_t>(payload.size()));
    appendBytes(out, payload);
    if (payload.size() % 2 != 0) {
        out.push_back(0);
    }
    return out;
}

// A RIFF WAVE form holding the given chunks, its size stating exactly what follows.
Bytes riffWave(const std::vector<Bytes>& chunks) {
    Bytes body = bytesOf("WAVE");
    for (const Bytes& c : chunks) {
        appendBytes(body, c);
    }
    Bytes out = bytesOf("RIFF");
    appendU32(out, static_cast<std::uint32_t>(body.size()));
    appendBytes(out, body);
    return out;
}

Bytes formatRecord(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate,
                   std::uint16_t bits) {
    const std::uint16_t blockAlign = static_cast<std::uint16_t>(channels * bits / 8);
    Bytes out;
    appendU16(out, tag);
    appendU16(out, channels);
    appendU32(out, rate);
    appendU32(out, rate * blockAlign);
    appendU16(out, blockAlign);
    appendU16(out, bits);
    return out;
}

Bytes pcmFormatChunk() {
    return chunk("fmt ", formatRecord(1, 1, 22050, 16));
}

// A non-PCM record followed by an extra-size field and the given extra bytes.
Bytes formatChunkWithExtra(std::uint16_t extraSize, const Bytes& extra) {
    Bytes record = formatRecord(6, 1, 22050, 8);
    appendU16(record, extraSize);
    appendBytes(record, extra);
    return chunk("fmt ", record);
}

const Bytes kSamples = {1, 2, 3, 4, 5, 6};

class WaveReaderTest : public ::testing::Test {
protected:
    ScratchDirectory scratch;
    WaveReader reader;
};

TEST_F(WaveReaderTest, ReadsTheFormatAndSamplesOfPcmFilesSoxWrites) {
    struct Case {
        int rate;
        int bits;
        int channels;
        std::size_t frames;  // in 0.1 s
    };
    for (const Case& c :
         {Case{22050, 16, 1, 2205}, Case{44100, 16, 1, 4410}, Case{22050, 8, 1, 2205},
          Case{44100, 8, 2, 4410}, Case{22050, 16, 2, 2205}}) {
        SCOPED_TRACE(std::to_string(c.rate) + " Hz, " + std::to_string(c.bits) + " bits, " +
                     std::to_string(c.channels) + " channels");
        const std::string options = "-r " + std::to_string(c.rate) + " -b " +
                                    std::to_string(c.bits) + " -c " + std::to_string(c.channels);
        Bytes file = soxWave(options, "synth 0.1 sine 440");
        ASSERT_FALSE(file.empty());
        // sox writes the plain 44-byte header for PCM; the samples follow it, and after an odd
        // number of them (8 bits, mono) a pad byte.
        ASSERT_EQ(std::string(file.begin() + 36, file.begin() + 40), "data");
        const std::size_t dataSize = c.frames * static_cast<std::size_t>(c.channels * c.bits / 8);
        ASSERT_EQ(file.size(), 44 + dataSize + dataSize % 2);
        Bytes samples(file.begin() + 44, file.begin() + 44 + static_cast<std::ptrdiff_t>(dataSize));

        ASSERT_TRUE(reader.open("sox-made.wav"));
        EXPECT_TRUE(reader.isOpen());
        const WaveFormat& f = reader.format();
        EXPECT_EQ(f.formatTag, WaveReader::kFormatPcm);
        EXPECT_EQ(f.channels, c.channels);
        EXPECT_EQ(f.sampleRate, static_cast<std::uint32_t>(c.rate));
        EXPECT_EQ(f.bitsPerSample, c.bits);
        EXPECT_EQ(f.blockAlign, c.channels * c.bits / 8);
        EXPECT_EQ(f.byteRate, static_cast<std::uint32_t>(c.rate * f.blockAlign));
        EXPECT_TRUE(f.extra.empty());
        EXPECT_EQ(reader.data(), samples);
    }
}

TEST_F(WaveReaderTest, KeepsTheExtraBytesOfOtherFormatsAndSkipsTheirFactChunk) {
    // A-law: an 18-byte record whose extra size is 0, then a "fact" chunk before "data".
    Bytes alaw = soxWave("-r 22050 -e a-law -c 1", "synth 0.1 sine 440");
    ASSERT_FALSE(alaw.empty());
    ASSERT_TRUE(reader.parse(alaw));
    EXPECT_EQ(reader.format().formatTag, 6);
    EXPECT_EQ(reader.format().bitsPerSample, 8);
    EXPECT_TRUE(reader.format().extra.empty());
    EXPECT_EQ(reader.data().size(), 2205u);

    // 24 bits: the extensible record (22 extra bytes, valid bits first), and an odd-sized data
    // chunk followed by its pad byte.
    Bytes wide = soxWave("-r 22050 -b 24 -c 1", "synth 0.1 sine 440");
    ASSERT_FALSE(wide.empty());
    ASSERT_TRUE(reader.parse(wide));
    EXPECT_EQ(reader.format().formatTag, 0xFFFE);
    ASSERT_EQ(reader.format().extra.size(), 22u);
    EXPECT_EQ(reader.format().extra[0], 24);
    EXPECT_EQ(reader.data().size(), 2205u * 3);
    EXPECT_EQ(reader.data().back(), wide[wide.size() - 2]);  // the last sample byte, not the pad
}

TEST_F(WaveReaderTest, WalksPastUnknownChunksOfOddSizeWhereverTheyLie) {
    const Bytes list = chunk("LIST", bytesOf("INFOISFT\x03\0\0\0abc"sv));  // 15 bytes: padded
    ASSERT_EQ(list.size(), 8u + 15u + 1u);
    const Bytes note = chunk("note", bytesOf("x"));
    const Bytes data = chunk("data", kSamples);
    for (const Bytes& file : {riffWave({list, pcmFormatChunk(), note, data}),
                              riffWave({note, data, list, pcmFormatChunk()}),
                              riffWave({pcmFormatChunk(), data, list})}) {
        ASSERT_TRUE(reader.parse(file));
        EXPECT_EQ(reader.format().sampleRate, 22050u);
        EXPECT_EQ(reader.data(), kSamples);
    }
    // Only the first "fmt " and "data" count.
    Bytes later = riffWave({pcmFormatChunk(), data, chunk("fmt ", formatRecord(1, 2, 8000, 8)),
                            chunk("data", bytesOf("zz"))});
    ASSERT_TRUE(reader.parse(later));
    EXPECT_EQ(reader.format().channels, 1);
    EXPECT_EQ(reader.data(), kSamples);
}

TEST_F(WaveReaderTest, AcceptsAnOddDataChunkWhosePadByteIsMissingAtTheEnd) {
    Bytes file = riffWave({pcmFormatChunk(), chunk("data", bytesOf("abc"))});
    file.pop_back();  // the pad byte
    file[4] = static_cast<std::uint8_t>(file[4] - 1);
    ASSERT_TRUE(reader.parse(file));
    EXPECT_EQ(reader.data(), bytesOf("abc"));
}

TEST_F(WaveReaderTest, RefusesEveryTruncatedFileWithoutReadingPastIt) {
    Bytes sox = soxWave("-r 22050 -b 16 -c 1", "synth 0.05 sine 440");
    ASSERT_FALSE(sox.empty());
    Bytes odd = soxWave("-r 22050 -b 24 -c 1", "synth 0.05 sine 440");
    ASSERT_FALSE(odd.empty());
    Bytes listed = riffWave({chunk("LIST", bytesOf("INFOa")), pcmFormatChunk(),
                             chunk("data", kSamples), chunk("LIST", bytesOf("INFOb"))});
    for (const Bytes* file : {&sox, &odd, &listed}) {
        ASSERT_TRUE(reader.parse(*file));
        for (std::size_t length = 0; length < file->size(); ++length) {
            // A copy of exactly that length, so that the sanitizers see any read beyond it.
            Bytes cut(file->begin(), file->begin() + static_cast<std::ptrdiff_t>(length));
            ASSERT_FALSE(reader.parse(cut)) << "cut to " << length << " of " << file->size();
            ASSERT_FALSE(reader.isOpen());
            ASSERT_TRUE(reader.data().empty());
        }
    }
}

TEST_F(WaveReaderTest, RefusesAChunkThatRunsPastTheEnd) {
    const Bytes good = riffWave({pcmFormatChunk(), chunk("data", kSamples)});
    ASSERT_TRUE(reader.parse(good));

    Bytes longData = good;
    longData[good.size() - kSamples.size() - 4] = 7;  // data claims 7 bytes, holds 6
    EXPECT_FALSE(reader.parse(longData));

    // A size so large that adding it to an offset would wrap.
    Bytes hugeList =
        riffWave({chunk("LIST", bytesOf("INFO")), pcmFormatChunk(), chunk("data", kSamples)});
    for (int i = 0; i < 4; ++i) {
        hugeList[16 + i] = 0xFF;
    }
    EXPECT_FALSE(reader.parse(hugeList));

    Bytes longForm = good;
    longForm[4] = static_cast<std::uint8_t>(longForm[4] + 2);
    EXPECT_FALSE(reader.parse(longForm));
    for (int i = 4; i < 8; ++i) {
        longForm[i] = 0xFF;
    }
    EXPECT_FALSE(reader.parse(longForm));

    // The data chunk lies inside the file but reaches past the form that should hold it.
    Bytes shortForm = good;
    appendBytes(shortForm, bytesOf("trailing"));
    shortForm[4] = static_cast<std::uint8_t>(shortForm[4] - 2);
    EXPECT_FALSE(reader.parse(shortForm));
}

TEST_F(WaveReaderTest, RefusesAFormatRecordShorterThanItClaims) {
    const Bytes data = chunk("data", kSamples);
    Bytes shortRecord = formatRecord(1, 1, 22050, 16);
    shortRecord.resize(14);
    EXPECT_FALSE(reader.parse(riffWave({chunk("fmt ", shortRecord), data})));

    EXPECT_FALSE(reader.parse(riffWave({formatChunkWithExtra(4, bytesOf("ab")), data})));
    ASSERT_TRUE(reader.parse(riffWave({formatChunkWithExtra(4, bytesOf("abcd")), data})));
    EXPECT_EQ(reader.format().extra, bytesOf("abcd"));
    // Extra bytes beyond the announced size belong to no one.
    ASSERT_TRUE(reader.parse(riffWave({formatChunkWithExtra(2, bytesOf("abcd")), data})));
    EXPECT_EQ(reader.format().extra, bytesOf("ab"));

    // A record of exactly 16 bytes announces no extra bytes, whatever its format.
    ASSERT_TRUE(reader.parse(riffWave({chunk("fmt ", formatRecord(3, 1, 22050, 32)), data})));
    EXPECT_EQ(reader.format().formatTag, 3);
    EXPECT_TRUE(reader.format().extra.empty());

    // PCM takes nothing from an extra-size field, so a large one does not matter.
    Bytes pcm = formatRecord(1, 1, 22050, 16);
    appendU16(pcm, 500);
    ASSERT_TRUE(reader.parse(riffWave({chunk("fmt ", pcm), data})));
    EXPECT_TRUE(reader.format().extra.empty());
}

TEST_F(WaveReaderTest, RefusesWhatIsNotAWaveFileAndForgetsTheLastFile) {
    const Bytes fmt = pcmFormatChunk();
    const Bytes data = chunk("data", kSamples);
    Bytes rifx = riffWave({fmt, data});
    rifx[3] = 'X';
    Bytes avi = riffWave({fmt, data});
    avi[8] = 'A';

    std::vector<Bytes> refused = {
        {},
        bytesOf("RIFF"),
        bytesOf("hello, this is not a sound at all"),
        rifx,
        avi,
        riffWave({fmt}),
        riffWave({data}),
        riffWave({}),
        riffWave({fmt, chunk("dat ", kSamples)}),
    };
    for (std::size_t i = 0; i < refused.size(); ++i) {
        ASSERT_TRUE(reader.parse(riffWave({fmt, data})));
        EXPECT_FALSE(reader.parse(refused[i])) << "case " << i;
        EXPECT_FALSE(reader.isOpen());
        EXPECT_TRUE(reader.data().empty());
        EXPECT_EQ(reader.format().channels, 0);
    }
}

TEST_F(WaveReaderTest, OpensOnlyRegularFilesWithinTheSizeLimit) {
    EXPECT_FALSE(reader.open("missing.wav"));
    std::filesystem::create_directory("folder.wav");
    EXPECT_FALSE(reader.open("folder.wav"));

    Bytes samples(WaveReader::kMaxFileBytes - 44, 0);
    Bytes big = riffWave({pcmFormatChunk(), chunk("data", samples)});
    ASSERT_EQ(big.size(), WaveReader::kMaxFileBytes);
    writeFile("big.wav", big);
    EXPECT_TRUE(reader.open("big.wav"));
    big.push_back(0);
    big.push_back(0);
    writeFile("bigger.wav", big);
    EXPECT_FALSE(reader.open("bigger.wav"));
    EXPECT_FALSE(reader.isOpen());
}

}  // namespace
}  // namespace glint
