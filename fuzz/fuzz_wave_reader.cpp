// Any bytes as a WAVE file: the reader accepts or refuses, never reads past the buffer, and
// what it accepts converts to the mixer's format without trouble.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "audio/Mixer.h"
#include "audio/WaveReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    glint::WaveReader reader;
    if (!reader.parse(std::span<const std::uint8_t>(data, size))) {
        return 0;
    }
    if (reader.data().size() > size) {
        std::abort();
    }
    // Short sounds only: a claimed rate must not make the conversion allocate without bound.
    if (reader.data().size() <= 4096) {
        (void)glint::convertToMixFormat(reader.format(), reader.data(), glint::MixFormat{44100, 2});
    }
    return 0;
}
