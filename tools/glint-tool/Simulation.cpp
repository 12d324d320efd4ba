// glint-tool sim: a whole game played without a window, one JSON line per game tick, through
// the same game code as the window, draw for draw of the random generator.
#include "Simulation.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>

#include "Commands.h"
#include "KeyScript.h"
#include "app/App.h"
#include "app/FileLocations.h"
#include "pack/FileIo.h"
#include "platform/System.h"
#include "play/GameFlow.h"
#include "play/ReplayPlayer.h"
#include "replay/Replay.h"

namespace glint::tool {

namespace {

constexpr const char* kUsage =
    "usage: glint-tool sim (--set S --level N | --level-file PATH) [--custom] [--seed N]\n"
    "                      [--keys FILE] [--ticks N] [--no-enemies] [--rules FILE]\n"
    "                      [--pack PACK] [--record REPLAY]\n";
constexpr const char* kReplayUsage =
    "usage: glint-tool replay FILE [--quiet] [--rules FILE] [--pack PACK]\n";

constexpr std::uint64_t kMaxTextBytes = 16ull << 20;

// The shortest text that reads back as the same float.
std::string number(float value) {
    char text[32];
    auto [end, ec] = std::to_chars(text, text + sizeof text, value);
    return ec == std::errc() ? std::string(text, end) : "0";
}

const char* stateName(GameFlow::State state) {
    switch (state) {
        case GameFlow::State::Reveal:
            return "reveal";
        case GameFlow::State::Transition:
            return "transition";
        case GameFlow::State::Dying:
            return "dying";
        case GameFlow::State::Playing:
            return "playing";
        case GameFlow::State::Over:
            return "over";
    }
    return "playing";
}

void printTick(std::ostream& out, long long t, const GameFlow& flow) {
    const Actor& player = *flow.player();
    out << "{\"t\": " << t << ", \"state\": \"" << stateName(flow.state())
        << "\", \"level\": " << flow.m_level_current << ", \"score\": " << flow.score
        << ", \"lives\": " << flow.lives << ", \"gold\": " << flow.grid()->goldCount
        << ", \"player\": {\"x\": " << number(player.position().x)
        << ", \"y\": " << number(player.position().y) << ", \"motion\": " << player.motion
        << ", \"dead\": " << (player.dead ? "true" : "false") << "}, \"enemies\": [";
    const char* separator = "";
    for (const auto& enemy : flow.enemies()) {
        out << separator << "{\"x\": " << number(enemy->position().x)
            << ", \"y\": " << number(enemy->position().y) << ", \"ai\": " << enemy->aiState
            << ", \"carries\": " << (enemy->carriesGold() ? "true" : "false") << "}";
        separator = ", ";
    }
    out << "]}\n";
}

// The archive the game would use: beside the working directory's data, else beside the tool (or
// installed with it).
std::string defaultPack() {
    std::error_code ec;
    if (std::filesystem::exists("data/data.pk", ec)) {
        return "data/data.pk";
    }
    std::string beside = findContentRoot(platform::executableDirectory()) + "data/data.pk";
    return std::filesystem::exists(beside, ec) ? beside : "data/data.pk";
}

bool parseNumber(const std::string& text, long long& value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace

int runSimulation(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::map<std::string, std::string> values;
    bool custom = false;
    bool noEnemies = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--custom") {
            custom = true;
        } else if (a == "--no-enemies") {
            noEnemies = true;
        } else if ((a == "--set" || a == "--level" || a == "--level-file" || a == "--seed" ||
                    a == "--keys" || a == "--ticks" || a == "--rules" || a == "--pack" ||
                    a == "--record") &&
                   i + 1 < args.size()) {
            values[a] = args[++i];
        } else {
            err << kUsage;
            return kExitUsage;
        }
    }
    long long set = 0, level = 1, seed = 1, ticks = 2000;
    if ((values.count("--set") && !parseNumber(values["--set"], set)) ||
        (values.count("--level") && !parseNumber(values["--level"], level)) ||
        (values.count("--seed") && !parseNumber(values["--seed"], seed)) ||
        (values.count("--ticks") && !parseNumber(values["--ticks"], ticks)) || set < 0 || set > 1 ||
        ticks < 0 || (values.count("--level-file") && values.count("--level"))) {
        err << kUsage;
        return kExitUsage;
    }
    // A replay can only say how the window makes a game: a whole set from level 1 or one
    // custom level, with its enemies, from the pack's levels.
    if (values.count("--record") &&
        (noEnemies || values.count("--level-file") || (!custom && level != 1))) {
        err << "glint-tool: --record needs a game the window can make: level 1 of a set or "
               "--custom, with enemies, from the pack\n";
        return kExitUsage;
    }

    auto readText = [&](const std::string& path) -> std::optional<Bytes> {
        std::optional<Bytes> bytes = readWholeFile(path, kMaxTextBytes);
        if (!bytes) {
            err << "glint-tool: " << path << ": cannot be read\n";
        }
        return bytes;
    };
    KeyScript script;
    if (values.count("--keys")) {
        std::optional<Bytes> text = readText(values["--keys"]);
        std::string error;
        if (!text) {
            return kExitFailed;
        }
        if (!script.parse(std::string(text->begin(), text->end()), error)) {
            err << "glint-tool: " << values["--keys"] << ": " << error << "\n";
            return kExitFailed;
        }
    }
    std::optional<Bytes> levelFile;
    if (values.count("--level-file")) {
        levelFile = readText(values["--level-file"]);
        if (!levelFile) {
            return kExitFailed;
        }
    }

    App app(values.count("--pack") ? values["--pack"] : defaultPack());
    if (values.count("--rules")) {
        std::optional<Bytes> rules = readText(values["--rules"]);
        if (!rules) {
            return kExitFailed;
        }
        app.settings.loadRulesFromBuffer(*rules);
    }
    app.catalogue->load();  // no GL context: the sheets' sizes and grids only
    ScriptedKeys keys(script, app.settings);
    app.keyboard.attach(keys);
    app.settings.m_level_set = static_cast<int>(set);
    if (custom) {
        app.settings.m_custom_type_game = 0;
        app.settings.m_custom_kind_game = static_cast<int>(set);
        app.settings.m_custom_level_num = static_cast<int>(level);
    }

    // The seed decides every draw of the game: levels, lights, enemies, dissolves.
    GameFlow::Options options;
    options.seed = static_cast<std::uint32_t>(seed);
    options.levelFile = levelFile ? &*levelFile : nullptr;
    options.enemies = !noEnemies;
    GameFlow flow(app, options);
    if (custom) {
        flow.startCustomGame();
    } else if (!levelFile && level != 1) {
        flow.loadLevel(static_cast<int>(level));
    }
    Replay record;
    record.levelSet = static_cast<int>(set);
    record.seed = flow.seed();
    record.custom = custom;
    record.customSet = static_cast<int>(set);
    record.customLevel = static_cast<int>(std::clamp(level, 1ll, 75ll));
    for (long long t = 0; t < ticks && !flow.m_is_game_over; ++t) {
        keys.setTick(t);
        flow.tick(30);
        record.addGameTick(app.controls.held(), flow.score, flow.lives);
        printTick(out, t + 1, flow);
    }
    if (values.count("--record")) {
        record.finalScore = flow.score;
        record.scoreSet = flow.levelSet();
        record.levelsReached = flow.m_level_current;
        if (!record.save(values["--record"])) {
            err << "glint-tool: " << values["--record"] << ": cannot be written\n";
            return kExitFailed;
        }
    }
    return kExitOk;
}

int runReplay(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::string file;
    std::string pack = defaultPack();
    std::optional<std::string> rulesPath;
    bool quiet = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--quiet") {
            quiet = true;
        } else if (a == "--pack" && i + 1 < args.size()) {
            pack = args[++i];
        } else if (a == "--rules" && i + 1 < args.size()) {
            rulesPath = args[++i];
        } else if (file.empty() && !a.empty() && a[0] != '-') {
            file = a;
        } else {
            err << kReplayUsage;
            return kExitUsage;
        }
    }
    if (file.empty()) {
        err << kReplayUsage;
        return kExitUsage;
    }
    std::string why;
    const std::optional<Replay> replay = Replay::load(file, why);
    if (!replay) {
        err << "glint-tool: " << file << ": " << why << "\n";
        return kExitFailed;
    }
    App app(pack);
    if (rulesPath) {
        std::optional<Bytes> rules = readWholeFile(*rulesPath, kMaxTextBytes);
        if (!rules) {
            err << "glint-tool: " << *rulesPath << ": cannot be read\n";
            return kExitFailed;
        }
        app.settings.loadRulesFromBuffer(*rules);
    }
    app.catalogue->load();
    ReplayPlayer player(app, *replay);
    const GameFlow& flow = player.flow();
    auto mark = replay->checkpoints.begin();
    while (player.step(30)) {
        if (!quiet) {
            printTick(out, static_cast<long long>(player.gameTicks()), flow);
        }
        if (mark != replay->checkpoints.end() && mark->gameTick == player.gameTicks()) {
            if (mark->score != flow.score || mark->lives != flow.lives) {
                err << "glint-tool: " << file << ": at tick " << mark->gameTick
                    << " the game has score " << flow.score << " and " << flow.lives
                    << " lives; the replay says " << mark->score << " and " << mark->lives << "\n";
                return kExitFailed;
            }
            ++mark;
        }
    }
    if (flow.score != replay->finalScore) {
        err << "glint-tool: " << file << ": the game ends with score " << flow.score
            << "; the replay says " << replay->finalScore << "\n";
        return kExitFailed;
    }
    return kExitOk;
}

}  // namespace glint::tool
