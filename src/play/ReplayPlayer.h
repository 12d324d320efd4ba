// A recorded game played again, tick for tick: the game made as the recorded one was made, then
// fed the actions it recorded. The window's replays and glint-tool's check share it.
#pragma once

#include <memory>

#include "play/GameFlow.h"
#include "replay/Replay.h"

namespace glint {

class App;

class ReplayPlayer {
public:
    // Makes the game; the settings a game is made from are put back as they were.
    ReplayPlayer(App& app, const Replay& replay);

    // Plays the next tick the game played (ticks it waited are passed over). False, playing
    // nothing, once every tick has been played or the game is over.
    bool step(int ms);

    GameFlow& flow() { return *flow_; }
    const GameFlow& flow() const { return *flow_; }
    const Replay& replay() const { return replay_; }
    // Game ticks played so far.
    std::size_t gameTicks() const { return gameTicks_; }

private:
    const Replay& replay_;
    std::unique_ptr<GameFlow> flow_;
    std::size_t next_ = 0;
    std::size_t gameTicks_ = 0;
};

}  // namespace glint
