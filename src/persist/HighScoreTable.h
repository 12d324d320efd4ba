// The seven best scores of one level set, kept in a scrambled table file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pack/ParamTable.h"

namespace glint {

class HighScoreTable {
public:
    static constexpr int kCapacity = 7;
    // Scores read from a file are held within 0 to this, the most a game can reach.
    static constexpr int kMaxScore = 999999999;

    struct Entry {
        std::string name;
        int score = 0;
    };

    // The position (0 to 6) a score would take, or -1 when it would not be kept. A score of 0
    // (or less) never qualifies.
    int qualifies(int score) const;

    // Puts a new entry below every entry with an equal or higher score and keeps the seven
    // best. The name is stored in the form that survives the file format (see storableName).
    void insert(std::string_view name, int score);

    // Reads a table file. Returns false, keeping the current entries, when it cannot be read.
    // Otherwise the entries are replaced by those of the file, in stored order, at most seven.
    bool load(const std::string& path);
    // Writes the table file; false when it could not be written (the old file then stands).
    bool save(const std::string& path) const;

    // Replaces the entries by those a table holds ("num", "name%i", "score%i"), at most seven,
    // names in their storable form, scores within 0 to kMaxScore.
    void readFrom(const ParamTable& table);
    ParamTable toTable() const;

    const std::vector<Entry>& entries() const { return entries_; }

    // A name as the text format can store and read back: a double quote becomes an apostrophe,
    // the second slash of "//" becomes a bar, and TAB, CR and LF become spaces.
    static std::string storableName(std::string_view name);

private:
    std::vector<Entry> entries_;
};

}  // namespace glint
