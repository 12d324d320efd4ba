// A recorded game, and its written form.
#include "replay/Replay.h"

#include <charconv>
#include <sstream>

namespace glint {

namespace {

constexpr const char* kStartPrefix = "r_start_";

bool parseNumber(std::string_view text, unsigned long long& value, int base = 10) {
    if (text.empty()) {
        return false;
    }
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return ec == std::errc() && end == text.data() + text.size();
}

// A whole field of the table as a number within [low, high].
bool field(const ParamTable& table, const char* key, long long low, long long high,
           long long& value) {
    const std::string text = table.get(key, "");
    const bool negative = !text.empty() && text[0] == '-';
    unsigned long long magnitude = 0;
    if (!parseNumber(std::string_view(text).substr(negative ? 1 : 0), magnitude) ||
        magnitude > (1ull << 40)) {
        return false;
    }
    value = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
    return value >= low && value <= high;
}

}  // namespace

void Replay::addGameTick(Actions actions, int score, int lives) {
    ticks.push_back(actions);
    ++gameTicks_;
    if (gameTicks_ % kCheckpointTicks == 0) {
        checkpoints.push_back(Checkpoint{gameTicks_, score, lives});
    }
}

void Replay::addWaitingTick() {
    ticks.push_back(kWaiting);
}

std::string Replay::encodeTicks(const std::vector<std::uint16_t>& ticks) {
    std::ostringstream out;
    for (std::size_t i = 0; i < ticks.size();) {
        std::size_t run = 1;
        while (i + run < ticks.size() && ticks[i + run] == ticks[i]) {
            ++run;
        }
        if (i > 0) {
            out << ' ';
        }
        out << run << '*';
        if (ticks[i] == kWaiting) {
            out << 'w';
        } else {
            out << std::hex << ticks[i] << std::dec;
        }
        i += run;
    }
    return out.str();
}

bool Replay::decodeTicks(std::string_view text, std::vector<std::uint16_t>& ticks) {
    ticks.clear();
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        const std::string_view run = text.substr(at, end - at);
        at = end + 1;
        if (run.empty()) {
            continue;
        }
        const std::size_t star = run.find('*');
        unsigned long long count = 0;
        unsigned long long value = 0;
        if (star == std::string_view::npos || !parseNumber(run.substr(0, star), count) ||
            count == 0 || count > kMaxTicks - ticks.size()) {
            return false;
        }
        const std::string_view what = run.substr(star + 1);
        if (what == "w") {
            value = kWaiting;
        } else if (!parseNumber(what, value, 16) || value > 0xff) {
            return false;
        }
        ticks.insert(ticks.end(), count, static_cast<std::uint16_t>(value));
    }
    return true;
}

ParamTable Replay::toTable() const {
    ParamTable table;
    auto number = [&](const char* key, long long value) { table.set(key, std::to_string(value)); };
    number("r_version", kVersion);
    number("r_level_set", levelSet);
    number("r_seed", seed);
    number("r_custom", custom ? 1 : 0);
    number("r_custom_type", customType);
    number("r_custom_set", customSet);
    number("r_custom_level", customLevel);
    number("r_score", finalScore);
    number("r_score_set", scoreSet);
    number("r_levels_reached", levelsReached);
    table.set("r_date", date);
    table.set("r_name", name);
    table.set("r_ticks", encodeTicks(ticks));
    std::ostringstream marks;
    for (const Checkpoint& c : checkpoints) {
        marks << (marks.tellp() > 0 ? " " : "") << c.gameTick << ':' << c.score << ':' << c.lives;
    }
    table.set("r_checkpoints", marks.str());
    if (resumedFrom) {
        for (const auto& [key, value] : *resumedFrom) {
            table.set(kStartPrefix + key, value);
        }
    }
    return table;
}

std::optional<Replay> Replay::fromTable(const ParamTable& table, std::string& why) {
    Replay r;
    long long v = 0;
    if (!field(table, "r_version", kVersion, kVersion, v)) {
        why = "not a replay of this version";
        return std::nullopt;
    }
    struct Int {
        const char* key;
        long long low, high;
        long long* out;
    };
    long long set = 0, seed = 0, custom = 0, type = 0, customSet = 0, level = 1, score = 0,
              scoreSet = 0, reached = 0;
    const Int fields[] = {
        {"r_level_set", 0, 1, &set},           {"r_seed", 0, 0xffffffffll, &seed},
        {"r_custom", 0, 1, &custom},           {"r_custom_type", 0, 1, &type},
        {"r_custom_set", 0, 1, &customSet},    {"r_custom_level", 1, 75, &level},
        {"r_score", 0, 999999999, &score},     {"r_score_set", 0, 1, &scoreSet},
        {"r_levels_reached", 0, 75, &reached},
    };
    for (const Int& f : fields) {
        if (!field(table, f.key, f.low, f.high, *f.out)) {
            why = std::string(f.key) + " missing or out of range";
            return std::nullopt;
        }
    }
    r.levelSet = static_cast<int>(set);
    r.seed = static_cast<std::uint32_t>(seed);
    r.custom = custom != 0;
    r.customType = static_cast<int>(type);
    r.customSet = static_cast<int>(customSet);
    r.customLevel = static_cast<int>(level);
    r.finalScore = static_cast<int>(score);
    r.scoreSet = static_cast<int>(scoreSet);
    r.levelsReached = static_cast<int>(reached);
    r.date = table.get("r_date", "");
    r.name = table.get("r_name", "");
    if (!decodeTicks(table.get("r_ticks", ""), r.ticks)) {
        why = "r_ticks damaged";
        return std::nullopt;
    }
    for (std::uint16_t t : r.ticks) {
        r.gameTicks_ += t != kWaiting ? 1 : 0;
    }
    std::istringstream marks(table.get("r_checkpoints", ""));
    std::string mark;
    while (marks >> mark) {
        Checkpoint c;
        char colon1 = 0, colon2 = 0;
        std::istringstream one(mark);
        if (!(one >> c.gameTick >> colon1 >> c.score >> colon2 >> c.lives) || colon1 != ':' ||
            colon2 != ':' || c.gameTick == 0 || c.gameTick > r.gameTicks_ ||
            (!r.checkpoints.empty() && c.gameTick <= r.checkpoints.back().gameTick)) {
            why = "r_checkpoints damaged";
            return std::nullopt;
        }
        r.checkpoints.push_back(c);
    }
    const std::string prefix = kStartPrefix;
    for (const auto& [key, value] : table) {
        if (key.compare(0, prefix.size(), prefix) == 0) {
            if (!r.resumedFrom) {
                r.resumedFrom.emplace();
            }
            r.resumedFrom->set(key.substr(prefix.size()), value);
        }
    }
    return r;
}

std::optional<Replay> Replay::load(const std::string& path, std::string& why) {
    ParamTable table;
    if (!table.loadFromFile(path, true)) {
        why = "cannot be read";
        return std::nullopt;
    }
    return fromTable(table, why);
}

bool Replay::save(const std::string& path) const {
    return toTable().save(path);
}

}  // namespace glint
