// The frame step's game work: one tick of a crowded level (twelve enemies chasing a player who
// keeps running), as the game view runs it every 30 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "KeyScript.h"
#include "app/App.h"
#include "play/GameFlow.h"

namespace {

// Floors of bricks joined by ladders, with gold, ropes and twelve enemies.
std::string crowdedLevel() {
    std::string rows[22];
    for (auto& row : rows) {
        row = std::string(32, ' ');
    }
    for (int floor = 0; floor < 5; ++floor) {
        const int r = 4 + floor * 4;
        rows[r] = std::string(32, 'T');
        for (int c = 3 + floor; c < 32; c += 7) {
            for (int up = r - 3; up <= r; ++up) {
                rows[up][c] = 'H';
            }
        }
        rows[r - 1][10 + floor] = '*';
        rows[r - 2].replace(16, 6, "------");
    }
    rows[21] = std::string(32, 'M');
    rows[19][2] = '!';
    const int enemyRows[] = {3, 7, 11, 15, 19};
    int placed = 0;
    for (int r : enemyRows) {
        for (int c = 20; c < 32 && placed < 12; c += 5, ++placed) {
            rows[r][c] = '$';
        }
    }
    std::string text;
    for (const auto& row : rows) {
        text += row + "\n";
    }
    return text;
}

void tickCrowdedLevel(benchmark::State& state) {
    // Run in a scratch directory so that no data of the build is needed.
    char pattern[] = "/tmp/glint-bench-XXXXXX";
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(::mkdtemp(pattern));
    {
        glint::App app("none.pk");
        app.catalogue->load();
        glint::tool::KeyScript script;
        std::string error;
        script.parse("40 right\n40 left\n40 up\n40 down\n" + std::string(100, ' '), error);
        glint::tool::ScriptedKeys keys(script, app.settings);
        app.keyboard.attach(keys);
        const std::string level = crowdedLevel();
        glint::Bytes file(level.begin(), level.end());
        glint::GameFlow::Options options;
        options.levelFile = &file;
        options.seed = 1;
        glint::GameFlow flow(app, options);
        for (int t = 0; t < 141; ++t) {
            flow.tick(30);  // past the reveal
        }
        long long t = 0;
        for (auto _ : state) {
            keys.setTick(t++ % 160);
            flow.lives = 3;  // the enemies catch the player now and then: play on regardless
            flow.tick(30);
            if (flow.m_is_game_over) {
                state.SkipWithError("the game ended");
                break;
            }
        }
        state.counters["enemies"] = static_cast<double>(flow.enemies().size());
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(pattern);
}
BENCHMARK(tickCrowdedLevel);

}  // namespace
