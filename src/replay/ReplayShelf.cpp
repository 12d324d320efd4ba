// The replays folder.
#include "replay/ReplayShelf.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>

namespace glint {

namespace fs = std::filesystem;

namespace {

constexpr const char* kExtension = ".replay";

}  // namespace

std::string ReplayShelf::add(const Replay& replay) const {
    std::error_code ec;
    fs::create_directories(directory_, ec);
    // "2026-12-09 04:40:12" gives "20261209-044012": names sort by age.
    std::string stamp;
    for (char c : replay.date) {
        if (c >= '0' && c <= '9') {
            stamp += c;
        }
        if (stamp.size() == 8 && c == ' ') {
            stamp += '-';
        }
    }
    const std::string base = directory_ + "/" + stamp + "-set" +
                             std::to_string(replay.scoreSet + 1) + "-" +
                             std::to_string(replay.finalScore);
    std::string path = base + kExtension;
    for (int n = 2; fs::exists(path, ec) && n < 1000; ++n) {
        path = base + "-" + std::to_string(n) + kExtension;
    }
    if (!replay.save(path)) {
        std::fprintf(stderr, "glint: cannot write %s\n", path.c_str());
        return {};
    }
    return path;
}

bool ReplayShelf::setName(const std::string& path, const std::string& name) const {
    std::string why;
    std::optional<Replay> replay = Replay::load(path, why);
    if (!replay) {
        std::fprintf(stderr, "glint: replay %s: %s\n", path.c_str(), why.c_str());
        return false;
    }
    replay->name = HighScoreTable::storableName(name);
    if (!replay->save(path)) {
        std::fprintf(stderr, "glint: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

std::vector<ReplayShelf::Shelved> ReplayShelf::list() const {
    std::vector<Shelved> found;
    std::error_code ec;
    for (fs::directory_iterator it(directory_, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& p = it->path();
        if (p.extension() != kExtension || !it->is_regular_file(ec)) {
            continue;
        }
        std::string why;
        if (std::optional<Replay> replay = Replay::load(p.string(), why)) {
            found.push_back(Shelved{p.string(), std::move(*replay)});
        }
    }
    std::sort(found.begin(), found.end(), [](const Shelved& a, const Shelved& b) {
        return a.replay.date != b.replay.date ? a.replay.date > b.replay.date : a.path > b.path;
    });
    return found;
}

std::optional<std::string> ReplayShelf::find(int levelSet, const std::string& name,
                                             int score) const {
    for (const Shelved& s : list()) {
        if (s.replay.scoreSet == levelSet && s.replay.finalScore == score &&
            s.replay.name == name) {
            return s.path;
        }
    }
    return std::nullopt;
}

std::vector<bool> ReplayShelf::watchable(int levelSet,
                                         const std::vector<HighScoreTable::Entry>& entries) const {
    const std::vector<Shelved> shelved = list();
    std::vector<bool> found;
    for (const HighScoreTable::Entry& entry : entries) {
        found.push_back(std::any_of(shelved.begin(), shelved.end(), [&](const Shelved& s) {
            return s.replay.scoreSet == levelSet && s.replay.finalScore == entry.score &&
                   s.replay.name == entry.name;
        }));
    }
    return found;
}

void ReplayShelf::prune(const std::array<HighScoreTable, 2>& tables) const {
    const std::vector<Shelved> shelved = list();
    std::set<std::string> keep;
    for (int set = 0; set < 2; ++set) {
        for (const HighScoreTable::Entry& entry : tables[set].entries()) {
            for (const Shelved& s : shelved) {
                if (s.replay.scoreSet == set && s.replay.finalScore == entry.score &&
                    s.replay.name == entry.name && !keep.count(s.path)) {
                    keep.insert(s.path);
                    break;
                }
            }
        }
    }
    std::size_t others = 0;
    for (const Shelved& s : shelved) {
        if (keep.count(s.path) || ++others <= kKeepOthers) {
            continue;
        }
        std::error_code ec;
        fs::remove(s.path, ec);
    }
}

}  // namespace glint
