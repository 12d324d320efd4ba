// glint-tool levels and solve: every level of both sets checked for its form and proven
// completable by replaying its key script in a real game; the search that writes such scripts.
#include "Levels.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>

#include "Commands.h"
#include "LevelSolver.h"
#include "app/App.h"
#include "app/FileLocations.h"
#include "platform/System.h"
#include "play/GameFlow.h"

namespace glint::tool {

namespace {

constexpr std::uint64_t kMaxFileBytes = 1u << 20;
constexpr unsigned kDefaultSeed = 1;

constexpr const char* kLevelsUsage =
    "usage: glint-tool levels [--levels DIR] [--solutions DIR] [--rules FILE] [--pack PACK]\n"
    "                         [--seed N] [--set S] [--level N]\n";
constexpr const char* kSolveUsage =
    "usage: glint-tool solve LEVEL-FILE [--out FILE] [--rules FILE] [--pack PACK]\n"
    "                        [--max-states N]\n";

// The archive the game would use: in the working directory's data, else beside the tool (or
// installed with it).
std::string defaultPack() {
    std::error_code ec;
    if (std::filesystem::exists("data/data.pk", ec)) {
        return "data/data.pk";
    }
    const std::string beside = findContentRoot(platform::executableDirectory()) + "data/data.pk";
    return std::filesystem::exists(beside, ec) ? beside : "data/data.pk";
}

bool parseNumber(const std::string& text, long long& value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

// Options "--name VALUE" into a map; false on anything else or a name not allowed.
bool parseOptions(const std::vector<std::string>& args, const std::vector<std::string>& names,
                  std::map<std::string, std::string>& values, std::vector<std::string>& loose) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.rfind("--", 0) == 0) {
            if (std::find(names.begin(), names.end(), a) == names.end() || i + 1 >= args.size()) {
                return false;
            }
            values[a] = args[++i];
        } else {
            loose.push_back(a);
        }
    }
    return true;
}

std::string twoDigits(int n) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", n);
    return text;
}

// The app the levels are played in: the pack's sheets (a brick's frame count decides when a
// hole is open) and the rules of the given file, or of the pack when there is none.
struct PlayRules {
    std::string pack;
    std::string rules;  // empty: the pack's own
    int brickFrames = 0;
};

bool prepareApp(App& app, PlayRules& rules, std::ostream& err) {
    if (!rules.rules.empty()) {
        std::optional<Bytes> bytes = readWholeFile(rules.rules, kMaxFileBytes);
        if (!bytes) {
            err << "glint-tool: " << rules.rules << ": cannot be read\n";
            return false;
        }
        app.settings.loadRulesFromBuffer(*bytes);
    }
    app.catalogue->load();  // no GL context: the sheets' sizes and grids only
    rules.brickFrames = app.catalogue->skinSprite(kSkinBrick).frames;
    if (rules.brickFrames < 2) {
        err << "glint-tool: " << rules.pack
            << ": no brick sheet with its frames (build the content first: holes open and "
               "close by the frames of the game's brick sheet)\n";
        return false;
    }
    return true;
}

// The rules file beside a levels directory ("assets/levels" -> "assets/dat/glint.txt").
std::string rulesBeside(const std::string& levelsDir) {
    std::filesystem::path path =
        std::filesystem::path(levelsDir).parent_path() / "dat" / "glint.txt";
    if (levelsDir.empty() || levelsDir.back() == '/') {
        path = std::filesystem::path(levelsDir).parent_path().parent_path() / "dat" / "glint.txt";
    }
    std::error_code ec;
    return std::filesystem::exists(path, ec) ? path.string() : std::string();
}

}  // namespace

std::string checkLevelFormat(const Bytes& level, LevelFacts& facts) {
    facts = LevelFacts{};
    const std::size_t lineBytes = kLevelColumns + 1;
    if (level.size() != kLevelLines * lineBytes) {
        return "is " + std::to_string(level.size()) +
               " bytes, not 22 lines of 32 characters + LF (" +
               std::to_string(kLevelLines * lineBytes) + ")";
    }
    int starts = 0;
    for (int line = 0; line < kLevelLines; ++line) {
        for (int column = 0; column <= kLevelColumns; ++column) {
            const char c = static_cast<char>(level[static_cast<std::size_t>(line) * lineBytes +
                                                   static_cast<std::size_t>(column)]);
            const std::string where =
                "line " + std::to_string(line + 1) + " column " + std::to_string(column + 1);
            if (column == kLevelColumns) {
                if (c != '\n') {
                    return where + ": the line does not end with one LF after 32 characters";
                }
                continue;
            }
            switch (c) {
                case 'T':
                case 'U':
                case 'M':
                case 'H':
                case '#':
                case '-':
                case ' ':
                    break;
                case '*':
                    ++facts.gold;
                    break;
                case '!':
                    ++starts;
                    break;
                case '$':
                    ++facts.enemies;
                    break;
                default:
                    return where + ": '" + std::string(1, c) + "' is not a level character";
            }
        }
    }
    if (starts != 1) {
        return std::to_string(starts) + " player starts ('!'), not exactly one";
    }
    if (facts.gold < 1) {
        return "no gold ('*'): the level would have no exit";
    }
    if (facts.enemies > kMaxEnemies) {
        return std::to_string(facts.enemies) + " enemies ('$'), more than " +
               std::to_string(kMaxEnemies);
    }
    return {};
}

Replay replayLevel(App& app, const Bytes& level, const KeyScript& script, unsigned seed) {
    Replay replay;
    ScriptedKeys keys(script, app.settings);
    app.keyboard.attach(keys);
    // The keys live only as long as this replay.
    struct Detach {
        App& app;
        ~Detach() { app.keyboard.detach(); }
    } detach{app};
    // As the simulation does it: the seed decides every draw of the game.
    GameFlow::Options options;
    options.seed = seed;
    options.levelFile = &level;
    options.enemies = false;
    GameFlow flow(app, options);
    for (long long t = 0; t < script.length(); ++t) {
        keys.setTick(t);
        flow.tick(30);
        replay.ticks = t + 1;
        replay.goldLeft = flow.grid()->goldCount;
        if (flow.state() == GameFlow::State::Transition && flow.grid()->levelComplete) {
            replay.completed = replay.goldLeft == 0;
            if (!replay.completed) {
                replay.reason = "completed with gold left";
            }
            return replay;
        }
        if (flow.state() == GameFlow::State::Dying || flow.player()->dead) {
            const Cell at = flow.grid()->worldToCell(flow.player()->position());
            replay.reason = "the player dies in tick " + std::to_string(t + 1) + " at column " +
                            std::to_string(at.column) + " row " + std::to_string(at.row);
            return replay;
        }
    }
    const Cell at = flow.grid()->worldToCell(flow.player()->position());
    replay.goldLeft = flow.grid()->goldCount;
    replay.reason = "the script ends (" + std::to_string(script.length()) + " ticks) with " +
                    std::to_string(replay.goldLeft) + " gold left, the player at column " +
                    std::to_string(at.column) + " row " + std::to_string(at.row);
    return replay;
}

std::string levelFileName(const std::string& levelsDir, int set, int level) {
    return (std::filesystem::path(levelsDir) / ("levels" + std::to_string(set)) /
            (twoDigits(level) + ".txt"))
        .string();
}

std::string solutionFileName(const std::string& solutionsDir, int set, int level) {
    return (std::filesystem::path(solutionsDir) / ("levels" + std::to_string(set)) /
            (twoDigits(level) + ".keys"))
        .string();
}

int runLevels(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::map<std::string, std::string> values;
    std::vector<std::string> loose;
    if (!parseOptions(
            args, {"--levels", "--solutions", "--rules", "--pack", "--seed", "--set", "--level"},
            values, loose) ||
        !loose.empty()) {
        err << kLevelsUsage;
        return kExitUsage;
    }
    long long seed = kDefaultSeed, onlySet = -1, onlyLevel = -1;
    if ((values.count("--seed") && !parseNumber(values["--seed"], seed)) ||
        (values.count("--set") &&
         (!parseNumber(values["--set"], onlySet) || onlySet < 0 || onlySet >= kLevelSets)) ||
        (values.count("--level") && (!parseNumber(values["--level"], onlyLevel) || onlyLevel < 1 ||
                                     onlyLevel > kLevelsPerSet))) {
        err << kLevelsUsage;
        return kExitUsage;
    }
    const std::string levelsDir = values.count("--levels") ? values["--levels"] : "assets/levels";
    const std::string solutionsDir =
        values.count("--solutions") ? values["--solutions"]
                                    : (std::filesystem::path(levelsDir) / "solutions").string();
    PlayRules rules;
    rules.pack = values.count("--pack") ? values["--pack"] : defaultPack();
    rules.rules = values.count("--rules") ? values["--rules"] : rulesBeside(levelsDir);
    App app(rules.pack);
    if (!prepareApp(app, rules, err)) {
        return kExitFailed;
    }
    out << "levels " << levelsDir << ", scripts " << solutionsDir << ", rules "
        << (rules.rules.empty() ? "of the pack" : rules.rules) << ", pack " << rules.pack
        << ", brick frames " << rules.brickFrames << ", seed " << seed << ", no enemies\n";

    int checked = 0, failed = 0;
    for (int set = 0; set < kLevelSets; ++set) {
        long long setTicks = 0;
        int setChecked = 0;
        for (int level = 1; level <= kLevelsPerSet; ++level) {
            if ((onlySet >= 0 && set != onlySet) || (onlyLevel >= 0 && level != onlyLevel)) {
                continue;
            }
            ++checked;
            ++setChecked;
            char head[64];
            std::snprintf(head, sizeof head, "set %d level %02d", set, level);
            const std::string levelPath = levelFileName(levelsDir, set, level);
            const std::string scriptPath = solutionFileName(solutionsDir, set, level);
            auto fail = [&](const std::string& why) {
                ++failed;
                out << head << "  FAIL " << why << "\n";
            };
            std::optional<Bytes> bytes = readWholeFile(levelPath, kMaxFileBytes);
            if (!bytes) {
                fail(levelPath + ": cannot be read");
                continue;
            }
            LevelFacts facts;
            if (std::string fault = checkLevelFormat(*bytes, facts); !fault.empty()) {
                fail(levelPath + ": " + fault);
                continue;
            }
            std::optional<Bytes> scriptText = readWholeFile(scriptPath, kMaxFileBytes);
            if (!scriptText) {
                fail(scriptPath + ": cannot be read");
                continue;
            }
            KeyScript script;
            std::string error;
            if (!script.parse(std::string(scriptText->begin(), scriptText->end()), error)) {
                fail(scriptPath + ": " + error);
                continue;
            }
            const Replay replay = replayLevel(app, *bytes, script, static_cast<unsigned>(seed));
            char line[160];
            std::snprintf(line, sizeof line, "%s  gold %3d  enemies %2d  ticks %5lld  ", head,
                          facts.gold, facts.enemies, replay.ticks);
            if (replay.completed) {
                out << line << "ok\n";
                setTicks += replay.ticks;
            } else {
                ++failed;
                out << line << "FAIL " << replay.reason << "\n";
            }
        }
        if (setChecked > 0) {
            out << "set " << set << ": " << setChecked << " levels, " << setTicks
                << " ticks in the completing scripts\n";
        }
    }
    out << checked << " levels checked, " << checked - failed << " ok, " << failed << " failed\n";
    return failed == 0 && checked > 0 ? kExitOk : kExitFailed;
}

int runSolve(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::map<std::string, std::string> values;
    std::vector<std::string> loose;
    if (!parseOptions(args, {"--out", "--rules", "--pack", "--max-states"}, values, loose) ||
        loose.size() != 1) {
        err << kSolveUsage;
        return kExitUsage;
    }
    SolverLimits limits;
    if (values.count("--max-states")) {
        long long most = 0;
        if (!parseNumber(values["--max-states"], most) || most < 1) {
            err << kSolveUsage;
            return kExitUsage;
        }
        limits.maxStates = static_cast<std::size_t>(most);
    }
    const std::string& levelPath = loose[0];
    std::optional<Bytes> bytes = readWholeFile(levelPath, kMaxFileBytes);
    if (!bytes) {
        err << "glint-tool: " << levelPath << ": cannot be read\n";
        return kExitFailed;
    }
    LevelFacts facts;
    if (std::string fault = checkLevelFormat(*bytes, facts); !fault.empty()) {
        err << "glint-tool: " << levelPath << ": " << fault << "\n";
        return kExitFailed;
    }
    PlayRules rules;
    rules.pack = values.count("--pack") ? values["--pack"] : defaultPack();
    if (values.count("--rules")) {
        rules.rules = values["--rules"];
    } else if (std::error_code ec; std::filesystem::exists("assets/dat/glint.txt", ec)) {
        rules.rules = "assets/dat/glint.txt";
    }
    App app(rules.pack);
    if (!prepareApp(app, rules, err)) {
        return kExitFailed;
    }
    const Solution solution = solveLevel(app, *bytes, limits);
    if (!solution.found) {
        err << "glint-tool: " << levelPath << ": " << solution.reason << "\n";
        return kExitFailed;
    }
    const std::string text = keyScriptText(
        solution.runs, {std::filesystem::path(levelPath).filename().string() +
                        ": every gold piece and the top row in " + std::to_string(solution.ticks) +
                        " ticks, no enemies (found by glint-tool solve)"});
    KeyScript script;
    std::string error;
    script.parse(text, error);
    const Replay replay = replayLevel(app, *bytes, script, kDefaultSeed);
    if (!replay.completed) {
        err << "glint-tool: " << levelPath
            << ": the script found fails in the game: " << replay.reason << "\n";
        return kExitFailed;
    }
    if (values.count("--out")) {
        const std::filesystem::path outPath(values["--out"]);
        if (std::error_code ec; outPath.has_parent_path()) {
            std::filesystem::create_directories(outPath.parent_path(), ec);
        }
        if (!writeFileAtomically(values["--out"], Bytes(text.begin(), text.end()))) {
            err << "glint-tool: " << values["--out"] << ": cannot be written\n";
            return kExitFailed;
        }
        out << levelPath << ": " << replay.ticks << " ticks, " << solution.statesSeen
            << " situations searched\n";
    } else {
        out << text;
    }
    return kExitOk;
}

}  // namespace glint::tool
