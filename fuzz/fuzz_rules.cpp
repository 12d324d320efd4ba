// Any bytes as the rules table, applied as the game applies it, then a short game of the first
// level with its enemies in which the player digs and gives up a life: every value the rules
// divide by stays at least 1, every time stays in its range, and a death always ends.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FuzzSupport.h"
#include "play/GameFlow.h"

using namespace glint;

namespace {

constexpr std::uint8_t kRight = 1 << 1;
constexpr std::uint8_t kFire = 1 << 4;
constexpr std::uint8_t kDie = 1 << 5;

bool inTimeRange(int ms) {
    return ms >= 0 && ms <= GameSettings::kMaxRuleMs;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    App& app = fuzz::freshApp();
    GameSettings& rules = app.settings;
    rules.loadRulesFromBuffer(std::span<const std::uint8_t>(data, size));
    if (rules.m_lives_per_score < 1 || rules.m_prob_take_gold < 1 || rules.m_light_dist < 1 ||
        rules.m_time_keep_gold_max <= rules.m_time_keep_gold_min ||
        !inTimeRange(rules.m_time_exploded) || !inTimeRange(rules.m_player_dead_time) ||
        !inTimeRange(rules.m_time_in_hole) || !inTimeRange(rules.m_time_keep_gold_min) ||
        !inTimeRange(rules.m_time_keep_gold_max - 1)) {
        std::abort();
    }

    GameFlow::Options options;
    options.seed = static_cast<std::uint32_t>(size);
    GameFlow flow(app, options);
    fuzz::play(flow, {}, 141);  // the reveal
    std::vector<std::uint8_t> keys(60, kRight);
    keys.insert(keys.end(), 20, kFire);
    keys.push_back(kDie);
    fuzz::play(flow, keys, static_cast<int>(keys.size()));
    // However long the rules make the pause after a death, it ends.
    const int deadTicks = GameSettings::kMaxRuleMs / App::kFrameMs + 2;
    for (int t = 0; t < deadTicks && flow.state() == GameFlow::State::Dying; ++t) {
        fuzz::play(flow, {}, 1);
    }
    if (flow.state() == GameFlow::State::Dying) {
        std::abort();
    }
    fuzz::play(flow, {}, 200);
    return 0;
}
