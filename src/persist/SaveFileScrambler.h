// Keyed, randomly rotated scrambling of every file the program writes for itself.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "pack/FileIo.h"

namespace glint {

// Stored form: one rotation byte n, then the plain text rotated left by n, chained with XOR
// against the key and the previous byte and with an addition of the previous byte.
class SaveFileScrambler {
public:
    // Keys of the three user files.
    static constexpr std::string_view kSettingsKey = "qoz";
    static constexpr std::string_view kSavedGameKey = "qx71m";
    static constexpr std::string_view kHighScoreKey = "ko%58w";

    // L plain bytes give L + 1 stored bytes. Reseeds the process-wide generator from the
    // calendar time and draws the rotation from it. The empty text is stored as the single
    // rotation byte 0. An empty key leaves out the XOR with the key.
    static Bytes scramble(std::span<const std::uint8_t> plain, std::string_view key);

    // M stored bytes give M - 1 plain bytes; 0 or 1 stored bytes give the empty text. A stored
    // file whose rotation byte is not below its text length was not written by scramble: it is
    // damaged, and nothing is returned.
    static std::optional<Bytes> unscramble(std::span<const std::uint8_t> stored,
                                           std::string_view key);
};

}  // namespace glint
