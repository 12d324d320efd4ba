// A recorded game: how it was set up, and what the player held in each of its ticks. The game
// world is deterministic, so this is enough to play the game again, tick for tick, and to check
// the score it claims.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pack/ParamTable.h"
#include "play/PlayerControls.h"

namespace glint {

struct Replay {
    static constexpr int kVersion = 1;
    // Score and lives are noted this often, so that a check can say where a game went another
    // way.
    static constexpr int kCheckpointTicks = 100;
    // A tick in which the game waited in the menu: it did not advance.
    static constexpr std::uint16_t kWaiting = 0x100;
    // Longer games than this (about 35 hours of play) are not kept.
    static constexpr std::size_t kMaxTicks = 1u << 22;

    // How the game was made: the level set in the settings when it began, its generator's
    // seed, and for a custom game the custom-game choice it was started with.
    int levelSet = 0;
    std::uint32_t seed = 0;
    bool custom = false;
    int customType = 0;
    int customSet = 0;
    int customLevel = 1;
    // A game resumed from the saved game starts from that table (its "gf_" keys).
    std::optional<ParamTable> resumedFrom;

    // How it ended: the score, the level set whose table the score belongs to, the last level
    // reached, when, and the name it was entered under (empty when none).
    int finalScore = 0;
    int scoreSet = 0;
    int levelsReached = 0;
    std::string date;
    std::string name;

    // One entry a tick: the actions held (0 to 255) or kWaiting.
    std::vector<std::uint16_t> ticks;
    struct Checkpoint {
        std::size_t gameTick = 0;  // game ticks played (waiting ticks not counted)
        int score = 0;
        int lives = 0;
        bool operator==(const Checkpoint&) const = default;
    };
    std::vector<Checkpoint> checkpoints;

    // Adds a tick the game played, and the checkpoint due after it.
    void addGameTick(Actions actions, int score, int lives);
    void addWaitingTick();
    std::size_t gameTicks() const { return gameTicks_; }

    // The written form, a text table ("r_" keys, the actions run-length encoded).
    ParamTable toTable() const;
    // Reads a replay back; nullopt, with why set, for a table that is no replay of ours or is
    // damaged.
    static std::optional<Replay> fromTable(const ParamTable& table, std::string& why);
    // Reads and writes files (written safely: a complete new file or the old one).
    static std::optional<Replay> load(const std::string& path, std::string& why);
    bool save(const std::string& path) const;

    // "3*0 120*4 2*w": runs of equal ticks, each count * value, the value in hexadecimal or w.
    static std::string encodeTicks(const std::vector<std::uint16_t>& ticks);
    static bool decodeTicks(std::string_view text, std::vector<std::uint16_t>& ticks);

private:
    std::size_t gameTicks_ = 0;
};

}  // namespace glint
