// Our reader of RIFF WAVE files: the wave format record and the sample bytes of "data".
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "pack/FileIo.h"

namespace glint {

// The wave format record of a "fmt " chunk, in the file's own terms.
struct WaveFormat {
    std::uint16_t formatTag = 0;  // 1 for PCM
    std::uint16_t channels = 0;
    std::uint32_t sampleRate = 0;  // frames per second
    std::uint32_t byteRate = 0;    // as the file states it; never used to locate anything
    std::uint16_t blockAlign = 0;  // bytes per frame
    std::uint16_t bitsPerSample = 0;
    // The bytes that follow the 16-byte record for formats other than PCM, as many as the
    // record's extra-size field announces. Always empty for PCM.
    Bytes extra;
};

class WaveReader {
public:
    static constexpr std::uint16_t kFormatPcm = 1;
    // Files larger than this are not read: an effect lasts well under a second.
    static constexpr std::uint64_t kMaxFileBytes = 4ull << 20;

    // Reads and parses a file (see parse). False when it cannot be read, is larger than
    // kMaxFileBytes, or is refused by parse.
    bool open(const std::string& path);

    // Parses a whole WAVE file held in memory. Accepted: a "RIFF" chunk of form "WAVE" that
    // fits in the bytes, holding (in any order, among any other chunks, each padded to an even
    // size) a "fmt " chunk of at least 16 bytes and a "data" chunk; the first of each counts.
    // Refused: any chunk that runs past the end of the RIFF form, or a form that runs past the
    // end of the bytes; a format record shorter than it claims (a "fmt " chunk under 16 bytes,
    // or extra bytes beyond the chunk). A format other than PCM whose chunk ends right after
    // the 16 bytes has no extra bytes. On failure the reader holds nothing (isOpen is false).
    bool parse(std::span<const std::uint8_t> bytes);

    // Forgets the format and the samples.
    void close();

    bool isOpen() const { return open_; }
    const WaveFormat& format() const { return format_; }
    // The whole content of the "data" chunk, pad byte excluded.
    const Bytes& data() const { return data_; }

private:
    bool open_ = false;
    WaveFormat format_;
    Bytes data_;
};

}  // namespace glint
