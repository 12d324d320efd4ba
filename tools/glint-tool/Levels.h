// glint-tool levels and solve: every level of both sets checked for its form and proven
// completable by replaying its key script in a real game; the search that writes such scripts.
#pragma once

#include <iosfwd>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "KeyScript.h"
#include "pack/FileIo.h"
#include "replay/Replay.h"

namespace glint {
class App;
class GameFlow;
}  // namespace glint

namespace glint::tool {

constexpr int kLevelSets = 2;
constexpr int kLevelsPerSet = 75;
constexpr int kLevelLines = 22;
constexpr int kLevelColumns = 32;
constexpr int kMaxEnemies = 30;

// What a level file holds, counted while its form is checked.
struct LevelFacts {
    int gold = 0;
    int enemies = 0;
};

// Empty when the bytes are a level as the game reads it: 22 lines of 32 characters from
// "TUMH#-*!$ ", each followed by one LF, exactly one "!", at least one gold piece and at most
// 30 "$". Otherwise the first fault found.
std::string checkLevelFormat(const Bytes& level, LevelFacts& facts);

// How a game is set up: a game of one level file, or the one-level custom game of level `level`
// of set `set` that the game reads from its pack (as `glint-tool sim --set S --level N --custom`
// plays it).
struct GameSetup {
    const Bytes* levelFile = nullptr;
    int set = 0;
    int level = 1;
    unsigned seed = 1;
    bool enemies = false;
};

// The game, built and at its first tick (the level-start reveal still to come).
std::unique_ptr<GameFlow> startGame(App& app, const GameSetup& setup);

struct ScriptRun {
    bool completed = false;
    // The tick (counted from 1) in which the level was completed, or the ticks played.
    long long ticks = 0;
    int goldLeft = 0;
    // Why the level was not completed.
    std::string reason;
    // Bricks dug, and how many of those holes a figure went into while they were open (the
    // player dropping through, an enemy trapped): digs that did something.
    int digs = 0;
    int holesUsed = 0;
};

// Plays the game with the script's keys until it starts its end-of-level transition after the
// exit was reached, the player dies, or the script ends.
ScriptRun replayGame(App& app, const GameSetup& setup, const KeyScript& script);
// The same for a game of one level file without enemies, as `glint-tool sim --level-file ...
// --no-enemies --seed SEED` plays it.
// A proof: the replay of a one-level custom game of level `level` of set `set`, played until
// the level is completed or lost; why, when it is no such replay.
// The replay of a proof's game: the key script played in the one-level custom game the setup
// makes, ending in the script's last tick.
::glint::Replay recordProof(App& app, const GameSetup& setup, const KeyScript& script);
ScriptRun playProof(App& app, int set, int level, const ::glint::Replay& proof, std::string& why);
ScriptRun replayLevel(App& app, const Bytes& level, const KeyScript& script, unsigned seed);

// A level where digging matters has more than this many bricks a player could dig.
constexpr int kFewDiggable = 5;
// Levels without digging by design: at most this many in a set.
constexpr int kMaxDiggingExceptions = 3;

// Bricks a player could dig: a brick with an empty cell above it, and beside that cell one a
// figure can stand or hang in (anything but a brick or a solid block).
int diggableBricks(const Bytes& level);

// The levels where digging does not matter by design, each with the reason given: (set, level).
using DiggingExceptions = std::map<std::pair<int, int>, std::string>;
// "<levels>/digging-exceptions.txt": one line a level, "levelsS/NN reason"; "#" starts a comment.
std::string exceptionsFileName(const std::string& levelsDir);
// The exceptions in the file (none when there is no file); fault says what is wrong with it (a
// line not of that form, more than kMaxDiggingExceptions in a set).
DiggingExceptions readDiggingExceptions(const std::string& path, std::string& fault);

// A level's figures for the difficulty summaries: the ticks of its key script (enemies off)
// and of its proof (enemies on), -1 for one it does not have.
struct LevelFigures {
    int level = 0;
    int gold = 0;
    int enemies = 0;
    long long scriptTicks = -1;
    long long proofTicks = -1;
};
// The quarter of a set a level belongs to (0 to 3) and the levels each quarter spans.
int quarterOf(int level);
// The average gold, enemies, script and proof length of each quarter, one line each (the proof
// over the levels that have one).
void writeQuarters(std::ostream& out, const std::vector<LevelFigures>& figures);
// The averages of one quarter (0 to 3), as writeQuarters writes them.
struct QuarterFigures {
    int first = 0;
    int last = 0;
    int levels = 0;
    int proven = 0;
    double gold = 0.0;
    double enemies = 0.0;
    double scriptSeconds = 0.0;
    double proofSeconds = 0.0;
};
QuarterFigures quarterFigures(const std::vector<LevelFigures>& figures, int quarter);
// The ticks of a key script file; -1 when it cannot be read.
long long scriptTicks(const std::string& path);
// The game ticks of a proof's replay file, which ends in the tick its level is completed; -1
// when it cannot be read.
long long proofTicks(const std::string& path);

// "levels/levelsS/NN.txt" style names: the level file and the key script of a level.
std::string levelFileName(const std::string& levelsDir, int set, int level);
std::string solutionFileName(const std::string& solutionsDir, int set, int level);
std::string proofFileName(const std::string& proofsDir, int set, int level);

// The commands' arguments (after "levels", "solve"); each returns the exit status.
int runLevels(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
int runSolve(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace glint::tool
