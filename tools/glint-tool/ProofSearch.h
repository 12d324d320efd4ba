// A search for a key script that completes a level with its enemies on and no life lost, in the
// real game: a GameFlow with its enemies, ticked tick by tick, saved and put back whole.
#pragma once

#include <cstddef>

#include "LevelSolver.h"
#include "Levels.h"

namespace glint::tool {

struct ProofLimits {
    // Distinct situations the search may look at before it gives up.
    std::size_t maxStates = 200000;
    // How many situations with the player in the same cell, facing the same way, with the same
    // gold and holes about it, but enemies elsewhere, the search keeps apart. One would drop the
    // other timings a level may need; many would let the enemies' wandering swamp the search.
    int timingsPerPlace = 12;
};

// Searches the game the setup makes (enemies on, as the setup says) for keys that take every
// gold piece and reach the top row without the player dying. The runs start with the level-start
// reveal; they are meant to be confirmed by replayGame.
Solution searchProof(App& app, const GameSetup& setup, const ProofLimits& limits = {});

}  // namespace glint::tool
