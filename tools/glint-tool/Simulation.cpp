// glint-tool sim: a whole game played without a window, one JSON line per game tick, through
// the same game code as the window, draw for draw of the random generator.
#include "Simulation.h"

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

namespace glint::tool {

namespace {

constexpr const char* kUsage =
    "usage: glint-tool sim (--set S --level N | --level-file PATH) [--custom] [--seed N]\n"
    "                      [--keys FILE] [--ticks N] [--no-enemies] [--rules FILE]\n"
    "                      [--pack PACK]\n";

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
                    a == "--keys" || a == "--ticks" || a == "--rules" || a == "--pack") &&
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
    for (long long t = 0; t < ticks && !flow.m_is_game_over; ++t) {
        keys.setTick(t);
        flow.tick(30);
        printTick(out, t + 1, flow);
    }
    return kExitOk;
}

}  // namespace glint::tool
