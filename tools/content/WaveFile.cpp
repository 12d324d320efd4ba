// RIFF WAVE writing: the plainest PCM layout, which every reader understands.
#include "WaveFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

#include "PictureFiles.h"

namespace glint::content {

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

void putTag(std::vector<std::uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

}  // namespace

bool writeWave(const std::string& path, const std::vector<float>& samples, int sampleRate,
               std::string& error) {
    const auto dataBytes = static_cast<std::uint32_t>(samples.size() * 2);
    std::vector<std::uint8_t> out;
    putTag(out, "RIFF");
    put32(out, 4 + 8 + 16 + 8 + dataBytes + (dataBytes & 1));
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, static_cast<std::uint32_t>(sampleRate));
    put32(out, static_cast<std::uint32_t>(sampleRate) * 2);
    put16(out, 2);   // bytes per frame
    put16(out, 16);  // bits per sample
    putTag(out, "data");
    put32(out, dataBytes);
    for (float s : samples) {
        auto v = static_cast<std::int32_t>(std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f));
        put16(out, static_cast<std::uint32_t>(v) & 0xffff);
    }
    if (!makeParentDirectories(path, error)) {
        return false;
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!file) {
        error = path + ": cannot write";
        return false;
    }
    return true;
}

}  // namespace glint::content
