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
#include <sstream>

#include "Commands.h"
#include "LevelSolver.h"
#include "ProofSearch.h"
#include "app/App.h"
#include "app/FileLocations.h"
#include "platform/System.h"
#include "play/GameFlow.h"
#include "play/ReplayPlayer.h"

namespace glint::tool {

namespace {

constexpr std::uint64_t kMaxFileBytes = 1u << 20;
constexpr unsigned kDefaultSeed = 1;

constexpr const char* kLevelsUsage =
    "usage: glint-tool levels [--levels DIR] [--solutions DIR] [--proofs DIR] [--rules FILE]\n"
    "                         [--pack PACK] [--seed N] [--set S] [--level N]\n";
constexpr const char* kSolveUsage =
    "usage: glint-tool solve LEVEL-FILE [--out FILE] [--rules FILE] [--pack PACK]\n"
    "                        [--max-states N] [--enemies [--seed N] [--set S --level N]\n"
    "                        [--timings N]]\n";

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

// The set and number of a level from its path, ".../levelsS/NN.txt".
bool levelOfPath(const std::string& path, long long& set, long long& level) {
    const std::filesystem::path p(path);
    const std::string dir = p.parent_path().filename().string();
    const std::string stem = p.stem().string();
    return dir.size() == 7 && dir.rfind("levels", 0) == 0 && parseNumber(dir.substr(6), set) &&
           set >= 0 && set < kLevelSets && p.extension() == ".txt" && parseNumber(stem, level) &&
           level >= 1 && level <= kLevelsPerSet;
}

// Empty when the pack holds these bytes as level `level` of set `set`, as a game reads it;
// otherwise why not.
std::string packHolds(const App& app, int set, int level, const Bytes& bytes) {
    const std::string entry = LevelGrid::levelPath(set, level);
    std::optional<PackData> packed = app.pack.tryReadEntry(entry);
    if (!packed) {
        return entry + " is not in the pack (build the content first)";
    }
    if (packed->data != bytes) {
        return "the pack holds another " + entry + " (build the content again)";
    }
    return {};
}

// Plays a key script file (enemies off) or a proof's replay file (enemies on) in the game the
// setup makes; why it could not, or what it did.
ScriptRun playScript(App& app, GameSetup setup, const std::string& path, std::string& why) {
    if (setup.enemies) {
        const std::optional<Replay> proof = Replay::load(path, why);
        if (!proof) {
            why = path + ": " + why;
            return {};
        }
        ScriptRun run = playProof(app, setup.set, setup.level, *proof, why);
        if (!why.empty()) {
            why = path + ": " + why;
        }
        return run;
    }
    std::optional<Bytes> text = readWholeFile(path, kMaxFileBytes);
    if (!text) {
        why = path + ": cannot be read";
        return {};
    }
    const std::string body(text->begin(), text->end());
    KeyScript script;
    std::string error;
    if (!script.parse(body, error)) {
        why = path + ": " + error;
        return {};
    }
    ScriptRun run = replayGame(app, setup, script);
    if (!run.completed) {
        why = run.reason;
    }
    return run;
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

std::unique_ptr<GameFlow> startGame(App& app, const GameSetup& setup) {
    GameFlow::Options options;
    options.seed = setup.seed;
    options.levelFile = setup.levelFile;
    options.enemies = setup.enemies;
    if (setup.levelFile != nullptr) {
        return std::make_unique<GameFlow>(app, options);
    }
    // As the custom-game dialog leaves the settings: that level of that set, chosen.
    app.settings.m_level_set = setup.set;
    app.settings.m_custom_type_game = 0;
    app.settings.m_custom_kind_game = setup.set;
    app.settings.m_custom_level_num = setup.level;
    auto flow = std::make_unique<GameFlow>(app, options);
    flow->startCustomGame();
    return flow;
}

namespace {

// Follows a game tick by tick: the bricks dug, the holes a figure went into, and whether the
// level is completed (true from after) or lost.
class RunWatcher {
public:
    // After tick t (from 0) of flow: true when the run has ended, one way or the other.
    bool after(const GameFlow& flow, long long t) {
        run.ticks = t + 1;
        const LevelGrid& grid = *flow.grid();
        run.goldLeft = grid.goldCount;
        for (int c = 0; c < LevelGrid::kWidth; ++c) {
            for (int r = 0; r < LevelGrid::kHeight; ++r) {
                const Tile* tile = grid.tileAt(c, r);
                const bool isOpen = isKind(tile, TileKind::Brick) && tile->isPassable();
                const std::size_t i = index(Cell{c, r});
                if (isOpen && !open_[i]) {
                    ++run.digs;
                    used_[i] = false;
                }
                open_[i] = isOpen;
            }
        }
        auto enter = [&](const Actor& figure) {
            const Cell at = grid.worldToCell(figure.position());
            if (grid.inBounds(at) && open_[index(at)] && !used_[index(at)]) {
                used_[index(at)] = true;
                ++run.holesUsed;
            }
        };
        enter(*flow.player());
        for (const auto& enemy : flow.enemies()) {
            enter(*enemy);
        }
        if (flow.state() == GameFlow::State::Transition && grid.levelComplete) {
            run.completed = run.goldLeft == 0;
            if (!run.completed) {
                run.reason = "completed with gold left";
            }
            return true;
        }
        if (flow.state() == GameFlow::State::Dying || flow.player()->dead) {
            const Cell at = grid.worldToCell(flow.player()->position());
            run.reason = "the player dies in tick " + std::to_string(t + 1) + " at column " +
                         std::to_string(at.column) + " row " + std::to_string(at.row);
            return true;
        }
        return false;
    }
    // The run ended without either, after `played` ticks.
    void ranOut(const GameFlow& flow, const std::string& what) {
        const Cell at = flow.grid()->worldToCell(flow.player()->position());
        run.goldLeft = flow.grid()->goldCount;
        run.reason = what + " ends (" + std::to_string(run.ticks) + " ticks) with " +
                     std::to_string(run.goldLeft) + " gold left, the player at column " +
                     std::to_string(at.column) + " row " + std::to_string(at.row);
    }

    ScriptRun run;

private:
    static std::size_t index(const Cell& c) {
        return static_cast<std::size_t>(c.column * LevelGrid::kHeight + c.row);
    }
    // Bricks open before this tick, and the open ones a figure has been in.
    std::vector<bool> open_ = std::vector<bool>(LevelGrid::kWidth * LevelGrid::kHeight);
    std::vector<bool> used_ = std::vector<bool>(LevelGrid::kWidth * LevelGrid::kHeight);
};

// Scripted keys attached to the app's keyboard for as long as one run lasts: they live only as
// long as the run.
class KeysAttached {
public:
    KeysAttached(App& app, platform::KeyStateSource& keys) : app_(app) {
        app_.keyboard.attach(keys);
    }
    ~KeysAttached() { app_.keyboard.detach(); }
    KeysAttached(const KeysAttached&) = delete;
    KeysAttached& operator=(const KeysAttached&) = delete;

private:
    App& app_;
};

}  // namespace

ScriptRun replayGame(App& app, const GameSetup& setup, const KeyScript& script) {
    ScriptedKeys keys(script, app.settings);
    const KeysAttached attached(app, keys);
    std::unique_ptr<GameFlow> game = startGame(app, setup);
    GameFlow& flow = *game;
    RunWatcher watch;
    for (long long t = 0; t < script.length(); ++t) {
        keys.setTick(t);
        flow.tick(30);
        if (watch.after(flow, t)) {
            return watch.run;
        }
    }
    watch.ranOut(flow, "the script");
    return watch.run;
}

Replay recordProof(App& app, const GameSetup& setup, const KeyScript& script) {
    ScriptedKeys keys(script, app.settings);
    const KeysAttached attached(app, keys);
    std::unique_ptr<GameFlow> game = startGame(app, setup);
    Replay proof;
    proof.levelSet = setup.set;
    proof.seed = game->seed();
    proof.custom = true;
    proof.customSet = setup.set;
    proof.customLevel = setup.level;
    for (long long t = 0; t < script.length(); ++t) {
        keys.setTick(t);
        game->tick(30);
        proof.addGameTick(app.controls.held(), game->score, game->lives);
    }
    proof.finalScore = game->score;
    proof.scoreSet = game->levelSet();
    proof.levelsReached = game->m_level_current;
    return proof;
}

ScriptRun playProof(App& app, int set, int level, const Replay& proof, std::string& why) {
    if (!proof.custom || proof.customType != 0 || proof.customSet != set ||
        proof.customLevel != level || proof.levelSet != set || proof.resumedFrom) {
        why = "is not a replay of a one-level custom game of this level";
        return {};
    }
    ReplayPlayer player(app, proof);
    RunWatcher watch;
    for (long long t = 0; player.step(30); ++t) {
        if (watch.after(player.flow(), t)) {
            return watch.run;
        }
    }
    watch.ranOut(player.flow(), "the replay");
    return watch.run;
}

ScriptRun replayLevel(App& app, const Bytes& level, const KeyScript& script, unsigned seed) {
    GameSetup setup;
    setup.levelFile = &level;
    setup.seed = seed;
    return replayGame(app, setup, script);
}

int diggableBricks(const Bytes& level) {
    auto at = [&](int column, int line) -> char {
        if (column < 0 || column >= kLevelColumns) {
            return 'M';  // the border
        }
        const std::size_t i =
            static_cast<std::size_t>(line) * (kLevelColumns + 1) + static_cast<std::size_t>(column);
        return i < level.size() ? static_cast<char>(level[i]) : ' ';
    };
    auto empty = [](char c) { return c == ' ' || c == '!' || c == '$'; };
    auto standable = [](char c) { return c != 'T' && c != 'M'; };
    int count = 0;
    for (int line = 1; line < kLevelLines; ++line) {
        for (int column = 0; column < kLevelColumns; ++column) {
            if (at(column, line) == 'T' && empty(at(column, line - 1)) &&
                (standable(at(column - 1, line - 1)) || standable(at(column + 1, line - 1)))) {
                ++count;
            }
        }
    }
    return count;
}

std::string exceptionsFileName(const std::string& levelsDir) {
    return (std::filesystem::path(levelsDir) / "digging-exceptions.txt").string();
}

DiggingExceptions readDiggingExceptions(const std::string& path, std::string& fault) {
    DiggingExceptions exceptions;
    std::optional<Bytes> bytes = readWholeFile(path, kMaxFileBytes);
    if (!bytes) {
        return exceptions;
    }
    std::istringstream lines(std::string(bytes->begin(), bytes->end()));
    std::string line;
    int number = 0;
    int perSet[kLevelSets] = {};
    while (std::getline(lines, line)) {
        ++number;
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string name;
        if (!(words >> name)) {
            continue;
        }
        long long set = -1, level = -1;
        std::string reason;
        std::getline(words, reason);
        if (!levelOfPath(name + ".txt", set, level) ||
            reason.find_first_not_of(' ') == std::string::npos) {
            fault = path + " line " + std::to_string(number) + ": not \"levelsS/NN reason\"";
            return {};
        }
        exceptions[{static_cast<int>(set), static_cast<int>(level)}] =
            reason.substr(reason.find_first_not_of(' '));
        if (++perSet[set] > kMaxDiggingExceptions) {
            fault = path + ": more than " + std::to_string(kMaxDiggingExceptions) +
                    " levels of set " + std::to_string(set) + " without digging";
            return {};
        }
    }
    return exceptions;
}

int quarterOf(int level) {
    return (level - 1) * 4 / kLevelsPerSet;
}

QuarterFigures quarterFigures(const std::vector<LevelFigures>& figures, int quarter) {
    QuarterFigures q;
    double script = 0, proof = 0;
    int scripts = 0;
    for (const LevelFigures& f : figures) {
        if (quarterOf(f.level) != quarter) {
            continue;
        }
        q.first = q.levels == 0 ? f.level : q.first;
        q.last = f.level;
        ++q.levels;
        q.gold += f.gold;
        q.enemies += f.enemies;
        if (f.scriptTicks >= 0) {
            script += static_cast<double>(f.scriptTicks) * 0.03;
            ++scripts;
        }
        if (f.proofTicks >= 0) {
            proof += static_cast<double>(f.proofTicks) * 0.03;
            ++q.proven;
        }
    }
    if (q.levels > 0) {
        q.gold /= q.levels;
        q.enemies /= q.levels;
    }
    q.scriptSeconds = scripts > 0 ? script / scripts : 0.0;
    q.proofSeconds = q.proven > 0 ? proof / q.proven : 0.0;
    return q;
}

void writeQuarters(std::ostream& out, const std::vector<LevelFigures>& figures) {
    for (int quarter = 0; quarter < 4; ++quarter) {
        const QuarterFigures q = quarterFigures(figures, quarter);
        if (q.levels == 0) {
            continue;
        }
        char line[200];
        std::snprintf(line, sizeof line,
                      "  quarter %d (levels %02d-%02d): gold %5.1f  enemies %4.1f  script %5.1f s  "
                      "proof %5.1f s (%d proven)\n",
                      quarter + 1, q.first, q.last, q.gold, q.enemies, q.scriptSeconds,
                      q.proofSeconds, q.proven);
        out << line;
    }
}

long long scriptTicks(const std::string& path) {
    std::optional<Bytes> text = readWholeFile(path, kMaxFileBytes);
    KeyScript script;
    std::string error;
    if (!text || !script.parse(std::string(text->begin(), text->end()), error)) {
        return -1;
    }
    return script.length();
}

long long proofTicks(const std::string& path) {
    std::string why;
    const std::optional<Replay> proof = Replay::load(path, why);
    return proof ? static_cast<long long>(proof->gameTicks()) : -1;
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

std::string proofFileName(const std::string& proofsDir, int set, int level) {
    return (std::filesystem::path(proofsDir) / ("levels" + std::to_string(set)) /
            (twoDigits(level) + ".replay"))
        .string();
}

int runLevels(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::map<std::string, std::string> values;
    std::vector<std::string> loose;
    if (!parseOptions(args,
                      {"--levels", "--solutions", "--proofs", "--rules", "--pack", "--seed",
                       "--set", "--level"},
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
    auto beside = [&](const char* option, const char* name) {
        return values.count(option) ? values[option]
                                    : (std::filesystem::path(levelsDir) / name).string();
    };
    const std::string solutionsDir = beside("--solutions", "solutions");
    const std::string proofsDir = beside("--proofs", "proofs");
    PlayRules rules;
    rules.pack = values.count("--pack") ? values["--pack"] : defaultPack();
    rules.rules = values.count("--rules") ? values["--rules"] : rulesBeside(levelsDir);
    App app(rules.pack);
    if (!prepareApp(app, rules, err)) {
        return kExitFailed;
    }
    std::string exceptionsFault;
    const DiggingExceptions exceptions =
        readDiggingExceptions(exceptionsFileName(levelsDir), exceptionsFault);
    out << "levels " << levelsDir << ", scripts " << solutionsDir << " (no enemies, seed " << seed
        << "), proofs " << proofsDir << " (enemies on), rules "
        << (rules.rules.empty() ? "of the pack" : rules.rules) << ", pack " << rules.pack
        << ", brick frames " << rules.brickFrames << "\n";

    int checked = 0, failed = 0;
    if (!exceptionsFault.empty()) {
        ++failed;
        out << "FAIL " << exceptionsFault << "\n";
    }
    for (int set = 0; set < kLevelSets; ++set) {
        std::vector<LevelFigures> figures;
        for (int level = 1; level <= kLevelsPerSet; ++level) {
            if ((onlySet >= 0 && set != onlySet) || (onlyLevel >= 0 && level != onlyLevel)) {
                continue;
            }
            ++checked;
            char head[64];
            std::snprintf(head, sizeof head, "set %d level %02d", set, level);
            const std::string levelPath = levelFileName(levelsDir, set, level);
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
            std::string why;
            // Enemies off: the level's own key script, on the level file.
            GameSetup alone;
            alone.levelFile = &*bytes;
            alone.seed = static_cast<unsigned>(seed);
            const ScriptRun replay =
                playScript(app, alone, solutionFileName(solutionsDir, set, level), why);
            // Enemies on: its proof, as a custom game of the level in the pack.
            GameSetup custom;
            custom.set = set;
            custom.level = level;
            custom.enemies = true;
            const std::string proofPath = proofFileName(proofsDir, set, level);
            ScriptRun proof;
            if (why.empty()) {
                why = packHolds(app, set, level, *bytes);
            }
            if (why.empty()) {
                proof = playScript(app, custom, proofPath, why);
                if (why.empty() && !proof.completed) {
                    why = proofPath + ": " + proof.reason;
                }
            }
            figures.push_back(LevelFigures{level, facts.gold, facts.enemies,
                                           replay.completed ? replay.ticks : -1,
                                           proof.completed ? proof.ticks : -1});
            const int diggable = diggableBricks(*bytes);
            const bool excepted = exceptions.count(DiggingExceptions::key_type{set, level}) != 0;
            char line[200];
            std::snprintf(line, sizeof line,
                          "%s  gold %3d  enemies %2d  ticks %5lld  proof %5lld  diggable %3d  "
                          "digs %2d used %2d  ",
                          head, facts.gold, facts.enemies, replay.ticks, proof.ticks, diggable,
                          proof.digs, proof.holesUsed);
            if (why.empty() && !excepted && (diggable <= kFewDiggable || proof.holesUsed == 0)) {
                why = diggable <= kFewDiggable
                          ? "digging is useless: " + std::to_string(diggable) + " diggable bricks"
                          : "digging is useless: the proof uses no hole it digs";
            }
            if (!why.empty()) {
                ++failed;
                out << line << "FAIL " << why << "\n";
                continue;
            }
            out << line << (excepted ? "ok (no digging, by design)" : "ok") << "\n";
        }
        if (!figures.empty()) {
            out << "set " << set << ", by quarter of the set:\n";
            writeQuarters(out, figures);
        }
    }
    out << checked << " levels checked, " << checked - failed << " ok, " << failed << " failed\n";
    return failed == 0 && checked > 0 ? kExitOk : kExitFailed;
}

int runSolve(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::map<std::string, std::string> values;
    std::vector<std::string> loose;
    std::vector<std::string> rest;
    bool enemies = false;
    for (const std::string& a : args) {
        if (a == "--enemies") {
            enemies = true;
        } else {
            rest.push_back(a);
        }
    }
    if (!parseOptions(rest,
                      {"--out", "--rules", "--pack", "--max-states", "--seed", "--set", "--level",
                       "--timings"},
                      values, loose) ||
        loose.size() != 1 ||
        (!enemies && (values.count("--seed") || values.count("--set") || values.count("--level") ||
                      values.count("--timings")))) {
        err << kSolveUsage;
        return kExitUsage;
    }
    long long most = 0, seed = kDefaultSeed, set = -1, level = -1, timings = 0;
    if ((values.count("--max-states") &&
         (!parseNumber(values["--max-states"], most) || most < 1)) ||
        (values.count("--seed") && !parseNumber(values["--seed"], seed)) ||
        (values.count("--timings") &&
         (!parseNumber(values["--timings"], timings) || timings < 1)) ||
        values.count("--set") != values.count("--level") ||
        (values.count("--set") &&
         (!parseNumber(values["--set"], set) || set < 0 || set >= kLevelSets ||
          !parseNumber(values["--level"], level) || level < 1 || level > kLevelsPerSet))) {
        err << kSolveUsage;
        return kExitUsage;
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
    if (enemies && set < 0 && !levelOfPath(levelPath, set, level)) {
        err << "glint-tool: " << levelPath
            << ": not a levelsS/NN.txt of a set: give --set S --level N\n";
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

    GameSetup setup;
    setup.seed = static_cast<unsigned>(seed);
    Solution solution;
    std::vector<std::string> notes;
    const std::string name = std::filesystem::path(levelPath).filename().string();
    if (enemies) {
        // The proof is played as the game plays a custom game: with the level in its pack.
        setup.set = static_cast<int>(set);
        setup.level = static_cast<int>(level);
        setup.enemies = true;
        if (std::string why = packHolds(app, setup.set, setup.level, *bytes); !why.empty()) {
            err << "glint-tool: " << levelPath << ": " << why << "\n";
            return kExitFailed;
        }
        ProofLimits limits;
        limits.maxStates = most > 0 ? static_cast<std::size_t>(most) : limits.maxStates;
        limits.timingsPerPlace = timings > 0 ? static_cast<int>(timings) : limits.timingsPerPlace;
        solution = searchProof(app, setup, limits);
        notes = {"seed " + std::to_string(setup.seed),
                 "levels" + std::to_string(set) + "/" + twoDigits(static_cast<int>(level)) +
                     ": every gold piece and the top row in " + std::to_string(solution.ticks) +
                     " ticks with the enemies on, no life lost, played as a custom game of that "
                     "level (found by glint-tool solve --enemies)"};
    } else {
        setup.levelFile = &*bytes;
        SolverLimits limits;
        limits.maxStates = most > 0 ? static_cast<std::size_t>(most) : limits.maxStates;
        solution = solveLevel(app, *bytes, limits);
        notes = {name + ": every gold piece and the top row in " + std::to_string(solution.ticks) +
                 " ticks, no enemies (found by glint-tool solve)"};
    }
    if (!solution.found) {
        err << "glint-tool: " << levelPath << ": " << solution.reason << "\n";
        return kExitFailed;
    }
    const std::string text = keyScriptText(solution.runs, notes);
    KeyScript script;
    std::string error;
    script.parse(text, error);
    const ScriptRun replay = replayGame(app, setup, script);
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
        // A proof is kept as the replay of its game; a key script as its text.
        const bool written =
            enemies ? recordProof(app, setup, script).save(values["--out"])
                    : writeFileAtomically(values["--out"], Bytes(text.begin(), text.end()));
        if (!written) {
            err << "glint-tool: " << values["--out"] << ": cannot be written\n";
            return kExitFailed;
        }
        out << levelPath << ": " << replay.ticks << " ticks, " << replay.digs << " digs, "
            << solution.statesSeen << " situations searched\n";
    } else {
        out << text;
    }
    return kExitOk;
}

}  // namespace glint::tool
