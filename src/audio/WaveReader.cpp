// Our reader of RIFF WAVE files: the wave format record and the sample bytes of "data".
#include "audio/WaveReader.h"

#include <cstring>
#include <optional>

namespace glint {

namespace {

constexpr std::size_t kChunkHeaderBytes = 8;
constexpr std::size_t kFormatRecordBytes = 16;

std::uint16_t readU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t readU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool hasId(const std::uint8_t* p, const char* id) {
    return std::memcmp(p, id, 4) == 0;
}

// A chunk's content: where it starts and how long it is, both within the parsed bytes.
struct Chunk {
    std::size_t offset = 0;
    std::size_t size = 0;
};

std::optional<WaveFormat> parseFormat(std::span<const std::uint8_t> record) {
    if (record.size() < kFormatRecordBytes) {
        return std::nullopt;
    }
    const std::uint8_t* p = record.data();
    WaveFormat format;
    format.formatTag = readU16(p);
    format.channels = readU16(p + 2);
    format.sampleRate = readU32(p + 4);
    format.byteRate = readU32(p + 8);
    format.blockAlign = readU16(p + 12);
    format.bitsPerSample = readU16(p + 14);
    // PCM needs nothing beyond the 16 bytes, and writers disagree on whether they add an
    // extra-size field for it, so whatever follows is ignored.
    if (format.formatTag == WaveReader::kFormatPcm) {
        return format;
    }
    // Some writers end the record of a simple format after 16 bytes: that is no extra bytes.
    // An extra size that reaches past the chunk, though, is a record shorter than it claims.
    if (record.size() < kFormatRecordBytes + 2) {
        return format;
    }
    std::size_t extraSize = readU16(p + kFormatRecordBytes);
    std::span<const std::uint8_t> rest = record.subspan(kFormatRecordBytes + 2);
    if (extraSize > rest.size()) {
        return std::nullopt;
    }
    format.extra.assign(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(extraSize));
    return format;
}

}  // namespace

bool WaveReader::open(const std::string& path) {
    std::optional<Bytes> bytes = readWholeFile(path, kMaxFileBytes);
    if (!bytes) {
        close();
        return false;
    }
    return parse(*bytes);
}

bool WaveReader::parse(std::span<const std::uint8_t> bytes) {
    close();
    if (bytes.size() < kChunkHeaderBytes + 4 || !hasId(bytes.data(), "RIFF") ||
        !hasId(bytes.data() + 8, "WAVE")) {
        return false;
    }
    // Sizes are compared with what is left rather than added to positions, so that no size
    // field, however large, can wrap an offset.
    std::size_t formSize = readU32(bytes.data() + 4);
    if (formSize < 4 || formSize > bytes.size() - kChunkHeaderBytes) {
        return false;
    }
    const std::size_t formEnd = kChunkHeaderBytes + formSize;

    std::optional<Chunk> fmt;
    std::optional<Chunk> data;
    std::size_t position = kChunkHeaderBytes + 4;
    while (!(fmt && data) && formEnd - position >= kChunkHeaderBytes) {
        const std::uint8_t* header = bytes.data() + position;
        std::size_t size = readU32(header + 4);
        position += kChunkHeaderBytes;
        if (size > formEnd - position) {
            return false;
        }
        Chunk chunk{position, size};
        if (!fmt && hasId(header, "fmt ")) {
            fmt = chunk;
        } else if (!data && hasId(header, "data")) {
            data = chunk;
        }
        position += size;
        // Chunks start on even offsets. A pad byte missing at the very end of the form is
        // tolerated, since there is nothing after it to misplace.
        if (size % 2 != 0 && position < formEnd) {
            ++position;
        }
    }
    if (!fmt || !data) {
        return false;
    }
    std::optional<WaveFormat> format = parseFormat(bytes.subspan(fmt->offset, fmt->size));
    if (!format) {
        return false;
    }
    format_ = std::move(*format);
    auto first = bytes.begin() + static_cast<std::ptrdiff_t>(data->offset);
    data_.assign(first, first + static_cast<std::ptrdiff_t>(data->size));
    open_ = true;
    return true;
}

void WaveReader::close() {
    open_ = false;
    format_ = WaveFormat{};
    data_.clear();
}

}  // namespace glint
