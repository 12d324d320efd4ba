// The game's own pseudo-random generator: the C library's rand() algorithm, held as a value, so
// that a game's draws depend only on its seed and not on what else the program draws meanwhile.
#pragma once

#include <array>
#include <cstdint>

namespace glint {

class Random {
public:
    // The largest value next() returns, as RAND_MAX.
    static constexpr int kMax = 0x7fffffff;

    explicit Random(std::uint32_t seed = 1) { reseed(seed); }

    // Starts the sequence that srand(seed) starts; seed 0 counts as 1, as there.
    void reseed(std::uint32_t seed);
    // The next number, 0 to kMax: after reseed(s), the same numbers rand() gives after srand(s)
    // with the GNU C library.
    int next();

private:
    // An additive feedback generator of degree 31 and separation 3.
    static constexpr int kDegree = 31;
    static constexpr int kSeparation = 3;

    std::array<std::int32_t, kDegree> state_{};
    int front_ = kSeparation;
    int rear_ = 0;
};

}  // namespace glint
