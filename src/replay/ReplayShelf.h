// The replays folder: a finished game's replay goes in; the replay of every Top 7 entry stays
// as long as the entry does, and of the others only the most recent.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "persist/HighScoreTable.h"
#include "replay/Replay.h"

namespace glint {

class ReplayShelf {
public:
    static constexpr std::size_t kKeepOthers = 20;

    explicit ReplayShelf(std::string directory) : directory_(std::move(directory)) {}
    const std::string& directory() const { return directory_; }

    // Writes the replay as a new file (the folder made when missing), named after its date,
    // set and score. Returns the path, or empty after a line on standard error.
    std::string add(const Replay& replay) const;
    // Rewrites the replay at path with the name its score was entered under.
    bool setName(const std::string& path, const std::string& name) const;
    // Removes every replay that is neither the replay of an entry of tables (table k holds the
    // scores of level set k) nor one of the kKeepOthers most recent others. Files that are no
    // replay of ours are left alone.
    void prune(const std::array<HighScoreTable, 2>& tables) const;
    // The path of the replay of a table entry: the most recent of level set, name and score.
    std::optional<std::string> find(int levelSet, const std::string& name, int score) const;
    // Whether each entry of a table (of level set `levelSet`) has a replay, the folder read once.
    std::vector<bool> watchable(int levelSet,
                                const std::vector<HighScoreTable::Entry>& entries) const;

private:
    struct Shelved {
        std::string path;
        Replay replay;
    };
    // Every readable replay in the folder, the most recent first.
    std::vector<Shelved> list() const;

    std::string directory_;
};

}  // namespace glint
