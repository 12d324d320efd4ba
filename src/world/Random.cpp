// The game's own pseudo-random generator: the C library's rand() algorithm, held as a value.
#include "world/Random.h"

namespace glint {

void Random::reseed(std::uint32_t seed) {
    if (seed == 0) {
        seed = 1;
    }
    state_[0] = static_cast<std::int32_t>(seed);
    // state[i] = 16807 * state[i - 1] mod (2^31 - 1), worked out without overflowing 31 bits.
    // The library works from the seed as a signed 32-bit number.
    long long word = static_cast<std::int32_t>(seed);
    for (int i = 1; i < kDegree; ++i) {
        const long long hi = word / 127773;
        const long long lo = word % 127773;
        word = 16807 * lo - 2836 * hi;
        if (word < 0) {
            word += 2147483647;
        }
        state_[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(word);
    }
    front_ = kSeparation;
    rear_ = 0;
    // The first numbers still show the seed's pattern; the library throws them away.
    for (int i = 0; i < kDegree * 10; ++i) {
        next();
    }
}

int Random::next() {
    auto& front = state_[static_cast<std::size_t>(front_)];
    const auto sum = static_cast<std::uint32_t>(front) +
                     static_cast<std::uint32_t>(state_[static_cast<std::size_t>(rear_)]);
    front = static_cast<std::int32_t>(sum);
    front_ = front_ + 1 == kDegree ? 0 : front_ + 1;
    rear_ = rear_ + 1 == kDegree ? 0 : rear_ + 1;
    return static_cast<int>(sum >> 1);
}

}  // namespace glint
