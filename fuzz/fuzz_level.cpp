// Any bytes as a level file, played: the grid is built from the first 726 bytes (a short file
// leaves empty cells), and a game of that one level with its enemies runs through the reveal
// and then up to 400 ticks, each byte after the level's holding one tick's keys.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzSupport.h"
#include "play/GameFlow.h"

using namespace glint;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    App& app = fuzz::freshApp();
    const std::span<const std::uint8_t> input(data, size);
    const std::size_t levelSize = std::min(size, LevelGrid::kFileBytes + 1);
    const Bytes level(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(levelSize));

    GameFlow::Options options;
    options.levelFile = &level;
    options.seed = 1;
    GameFlow flow(app, options);
    if (flow.grid()->goldCount != flow.grid()->countGold() ||
        flow.enemies().size() != flow.grid()->enemyStarts.size() ||
        flow.enemies().size() >
            static_cast<std::size_t>(std::count(level.begin(), level.end(), '$'))) {
        std::abort();
    }
    fuzz::play(flow, {}, 141);  // the reveal, which no key changes but the tilt
    fuzz::play(flow, input.subspan(levelSize), 400);
    if (flow.score < 0 || flow.score > GameFlow::kMaxScore || flow.lives > GameFlow::kMaxLives ||
        flow.grid()->goldCount < 0) {
        std::abort();
    }
    return 0;
}
