// Any bytes as a replay file: refused, or read into a replay that writes and reads back the
// same, and plays (a few hundred ticks of it) without a fault.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzSupport.h"
#include "play/ReplayPlayer.h"
#include "replay/Replay.h"

using namespace glint;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string why;
    const std::optional<Replay> replay = Replay::fromTable(fuzz::tableOf(data, size), why);
    if (!replay) {
        if (why.empty()) {
            std::abort();  // a refusal always says why
        }
        return 0;
    }
    const std::optional<Replay> again = Replay::fromTable(replay->toTable(), why);
    if (!again || again->ticks != replay->ticks || again->checkpoints != replay->checkpoints ||
        again->seed != replay->seed || again->finalScore != replay->finalScore) {
        std::abort();
    }
    App& app = fuzz::freshApp();
    ReplayPlayer player(app, *replay);
    for (int t = 0; t < 300 && player.step(30); ++t) {
    }
    return 0;
}
