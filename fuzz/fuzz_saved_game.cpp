// Any bytes as the contents of a saved game, restored as the main menu restores one (the level
// set from m_game_kind, then the game's own keys), then played: the score, lives and level stay
// in their ranges, and what is saved again restores the same game.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzSupport.h"
#include "play/GameFlow.h"

using namespace glint;

namespace {

void check(const GameFlow& flow) {
    if (flow.score < 0 || flow.score > GameFlow::kMaxScore || flow.lives > GameFlow::kMaxLives ||
        flow.m_level_current < GameFlow::kFirstLevel - 1 ||  // lowered while a death fades
        flow.m_level_current > GameFlow::kLevelsPerSet + 1) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    App& app = fuzz::freshApp();
    const ParamTable table = fuzz::tableOf(data, size);
    app.settings.m_level_set = table.getInt("m_game_kind") != 0 ? 1 : 0;

    GameFlow::Options options;
    options.seed = 1;
    GameFlow flow(app, options);
    flow.load(table);
    check(flow);
    if (flow.lives < 0) {  // a restored game never starts with fewer than none
        std::abort();
    }

    // A saved game restores the level with the score and lives it began with.
    ParamTable saved;
    flow.save(saved);
    GameFlow again(app, options);
    again.load(saved);
    if (again.m_level_current != flow.m_level_current || again.score != flow.score ||
        again.lives != flow.lives || again.m_custom_game != flow.m_custom_game) {
        std::abort();
    }

    std::uint8_t keys[200];
    for (std::size_t t = 0; t < sizeof keys; ++t) {
        keys[t] = t < size ? data[t] : 0;
    }
    fuzz::play(flow, {}, 141);
    fuzz::play(flow, keys, sizeof keys);
    check(flow);
    return 0;
}
