// Any bytes as a stored user file, and any text through a scramble and back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "persist/SaveFileScrambler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    auto plain =
        glint::SaveFileScrambler::unscramble(bytes, glint::SaveFileScrambler::kSavedGameKey);
    if (plain && size > 0 && plain->size() != size - 1) {
        std::abort();
    }
    glint::Bytes stored = glint::SaveFileScrambler::scramble(bytes, "ko%58w");
    auto back = glint::SaveFileScrambler::unscramble(stored, "ko%58w");
    if (!back || !std::equal(back->begin(), back->end(), bytes.begin(), bytes.end())) {
        std::abort();
    }
    return 0;
}
