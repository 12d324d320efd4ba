// A search for a key script that completes a level: moves, digs, falls and waits, each one
// simulated tick by tick with the game's own grid, bricks and player.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "pack/FileIo.h"
#include "platform/KeyboardDevice.h"

namespace glint {
class App;
struct GameSettings;
}  // namespace glint

namespace glint::tool {

// Keys a player holds in one tick, as bits.
enum HeldKey : unsigned {
    kHoldLeft = 1,
    kHoldRight = 2,
    kHoldUp = 4,
    kHoldDown = 8,
    kHoldFire = 16,
};

// The player's bound keys, held as a search says.
class HeldKeys : public platform::KeyStateSource {
public:
    explicit HeldKeys(const GameSettings& bindings) : bindings_(bindings) {}
    bool readState(platform::KeyState& state) override;
    unsigned keys = 0;  // HeldKey bits

private:
    const GameSettings& bindings_;
};

// Ticks of the level-start reveal, during which no key is read.
long long revealTicks();

// A run of ticks with the same keys held.
struct KeyRun {
    long long count = 0;
    unsigned keys = 0;
};

// Adds runs at the end, the first joining the last run there when it holds the same keys.
void appendRuns(std::vector<KeyRun>& runs, const std::vector<KeyRun>& more);

// The text of a key script for the runs, one line each ("12 left", "1 fire", "141 -"), after
// the given comment lines (each written with a leading "# ").
std::string keyScriptText(const std::vector<KeyRun>& runs, const std::vector<std::string>& notes);

struct SolverLimits {
    // Distinct situations the search may look at before it gives up.
    std::size_t maxStates = 1500000;
};

struct Solution {
    bool found = false;
    // The whole game from its first tick: the level-start reveal, then the moves.
    std::vector<KeyRun> runs;
    long long ticks = 0;
    std::size_t statesSeen = 0;
    // Why nothing was found.
    std::string reason;
};

// Searches for a way to take every gold piece and reach the top row, with no enemies. The app
// supplies the rules (brick open time) and the brick sheet's frame count; the level is the
// bytes of a level file. The runs found are meant to be confirmed by replaying them in a real
// game (replayLevel in Levels.h).
Solution solveLevel(App& app, const Bytes& level, const SolverLimits& limits = {});

}  // namespace glint::tool
