// Keyed, randomly rotated scrambling of every file the program writes for itself.
#include "persist/SaveFileScrambler.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>

namespace glint {

namespace {

std::uint8_t keyByte(std::string_view key, std::size_t position) {
    return key.empty() ? 0 : static_cast<std::uint8_t>(key[position % key.size()]);
}

}  // namespace

Bytes SaveFileScrambler::scramble(std::span<const std::uint8_t> plain, std::string_view key) {
    const std::size_t length = plain.size();
    if (length == 0) {
        return Bytes{0};
    }
    std::srand(static_cast<unsigned>(std::time(nullptr)));
    const unsigned r = static_cast<unsigned>(std::rand());
    const std::size_t n = length <= 100 ? r % length : r % 100;

    Bytes out(length + 1);
    out[0] = static_cast<std::uint8_t>(n);
    std::rotate_copy(plain.begin(), plain.begin() + static_cast<std::ptrdiff_t>(n), plain.end(),
                     out.begin() + 1);
    for (std::size_t i = 1; i <= length; ++i) {
        std::uint8_t b = out[i];
        b ^= out[i - 1];
        b ^= keyByte(key, i);
        b = static_cast<std::uint8_t>(b + out[i - 1]);
        out[i] = b;
    }
    return out;
}

std::optional<Bytes> SaveFileScrambler::unscramble(std::span<const std::uint8_t> stored,
                                                   std::string_view key) {
    if (stored.size() <= 1) {
        return Bytes{};
    }
    const std::size_t length = stored.size() - 1;
    const std::size_t n = stored[0];
    if (n >= length) {
        return std::nullopt;
    }
    Bytes rotated(length);
    for (std::size_t b = 1; b <= length; ++b) {
        std::uint8_t t = static_cast<std::uint8_t>(stored[b] - stored[b - 1]);
        t ^= keyByte(key, b);
        t ^= stored[b - 1];
        rotated[b - 1] = t;
    }
    Bytes plain(length);
    // The stored text is the plain text rotated left by n: rotate it back right.
    std::rotate_copy(rotated.begin(), rotated.end() - static_cast<std::ptrdiff_t>(n), rotated.end(),
                     plain.begin());
    return plain;
}

}  // namespace glint
