// The player's own files (settings, saved game, high scores): where each one lives, and the
// rules that keep them safe. A file is replaced only by a complete new version; a file that
// exists but cannot be read is kept aside before anything replaces it; every failure to write
// says so in one line on standard error.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "pack/ParamTable.h"

namespace glint {

enum class UserFile { Settings, SavedGame, Scores1, Scores2 };

class UserFiles {
public:
    static constexpr std::size_t kCount = 4;

    // Every file in directory (by default "data", relative to the working directory).
    explicit UserFiles(std::string directory = "data");
    // The settings in one directory, the saved game and the score tables in another.
    UserFiles(std::string settingsDirectory, std::string gameDirectory);

    // The directory a file lives in; each is made when a file is first written into it.
    const std::string& directory(UserFile file) const;
    // Where a file lives: "data/dx.cfg", "data/save.sav", "data/scores1.tab", "data/scores2.tab".
    std::string path(UserFile file) const;
    // The key its contents are scrambled with.
    static std::string_view key(UserFile file);
    // The score table of a level set (0 or 1).
    static UserFile scores(int levelSet) {
        return levelSet == 0 ? UserFile::Scores1 : UserFile::Scores2;
    }

    enum class Read { Missing, Read, Damaged };
    // Reads and unscrambles a file into table (emptied first). Damaged: the file exists but
    // cannot be read, is too large, does not unscramble into lines of text, or (a saved game)
    // does not say its level set; table is then empty, and the file is kept aside before
    // anything replaces it.
    Read read(UserFile file, ParamTable& table);

    // Replaces the file with table, scrambled. A damaged predecessor is first kept as
    // NAME.damaged (one generation); a failure leaves the old file as it was and says why in
    // one line on standard error.
    bool write(UserFile file, const ParamTable& table);
    // Removes the file (a damaged one is kept aside instead). False, with a line on standard
    // error, when it is there and cannot be removed.
    bool remove(UserFile file);

    // Removes what interrupted writes of our files left behind: only names our writer makes
    // ("save.sav.Ab3dE9" beside "save.sav"), nothing else in the directories.
    void removeStaleTemporaries() const;

private:
    bool keepAside(UserFile file);
    void removeStaleTemporariesIn(const std::string& dir) const;

    std::string settingsDirectory_;
    std::string gameDirectory_;
    std::array<bool, kCount> damaged_{};
};

}  // namespace glint
