// The game's own generator gives the C library's sequence, so seeds keep their meaning.
#include <gtest/gtest.h>

#include <cstdlib>

#include "world/Random.h"

namespace glint {
namespace {

TEST(Random, GivesTheSequenceOfTheCLibraryForEverySeed) {
    for (unsigned seed : {0u, 1u, 2u, 777u, 12345u, 0x7fffffffu, 0x80000000u, 0xffffffffu}) {
        std::srand(seed);
        Random random(seed);
        for (int i = 0; i < 2000; ++i) {
            ASSERT_EQ(random.next(), std::rand()) << "seed " << seed << ", draw " << i;
        }
    }
}

TEST(Random, ACopyGoesOnWithTheSameNumbersAndLeavesTheOriginalAlone) {
    Random original(99);
    original.next();
    Random copy = original;
    const int a = copy.next();
    const int b = copy.next();
    EXPECT_EQ(original.next(), a);
    EXPECT_EQ(original.next(), b);
}

}  // namespace
}  // namespace glint
