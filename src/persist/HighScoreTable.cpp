// The seven best scores of one level set, kept in a scrambled table file.
#include "persist/HighScoreTable.h"

#include <algorithm>

#include "persist/SaveFileScrambler.h"

namespace glint {

namespace {

std::string indexedKey(const char* prefix, int index) {
    return prefix + std::to_string(index);
}

}  // namespace

int HighScoreTable::qualifies(int score) const {
    if (score <= 0) {
        return -1;
    }
    int position = 0;
    while (position < static_cast<int>(entries_.size()) && entries_[position].score >= score) {
        ++position;
    }
    return position < kCapacity ? position : -1;
}

void HighScoreTable::insert(std::string_view name, int score) {
    auto at = std::find_if(entries_.begin(), entries_.end(),
                           [score](const Entry& e) { return e.score < score; });
    entries_.insert(at, Entry{storableName(name), score});
    if (entries_.size() > kCapacity) {
        entries_.resize(kCapacity);
    }
}

void HighScoreTable::readFrom(const ParamTable& table) {
    entries_.clear();
    // A damaged count must not make a table of more than seven, nor a negative one.
    int count = std::clamp(table.getInt("num"), 0, kCapacity);
    for (int i = 0; i < count; ++i) {
        entries_.push_back(Entry{storableName(table.get(indexedKey("name", i), "0")),
                                 std::clamp(table.getInt(indexedKey("score", i)), 0, kMaxScore)});
    }
}

ParamTable HighScoreTable::toTable() const {
    ParamTable table;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        int index = static_cast<int>(i);
        table.set(indexedKey("name", index), entries_[i].name);
        table.set(indexedKey("score", index), ParamTable::fromInt(entries_[i].score));
    }
    table.set("num", ParamTable::fromInt(static_cast<int>(entries_.size())));
    return table;
}

bool HighScoreTable::load(const std::string& path) {
    ParamTable table;
    if (!table.loadFromFile(path, true, SaveFileScrambler::kHighScoreKey)) {
        return false;
    }
    readFrom(table);
    return true;
}

bool HighScoreTable::save(const std::string& path) const {
    return toTable().save(path, SaveFileScrambler::kHighScoreKey);
}

std::string HighScoreTable::storableName(std::string_view name) {
    std::string out(name);
    for (std::size_t i = 0; i < out.size(); ++i) {
        char& c = out[i];
        if (c == '"') {
            c = '\'';
        } else if (c == '\t' || c == '\r' || c == '\n') {
            c = ' ';
        } else if (c == '/' && i > 0 && out[i - 1] == '/') {
            c = '|';
        }
    }
    return out;
}

}  // namespace glint
