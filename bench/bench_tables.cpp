// Start-up costs: parsing text tables and finding entries in an archive of a few hundred.
#include <benchmark/benchmark.h>

#include <string>

#include "pack/DataPack.h"
#include "pack/ParamTable.h"
#include "persist/SaveFileScrambler.h"

namespace {

std::string menuLikeTable(int entries) {
    std::string text;
    for (int i = 0; i < entries; ++i) {
        text +=
            "m_dialog_widget_" + std::to_string(i) + "x " + std::to_string(i * 7) + "  // layout\n";
    }
    return text;
}

void parseTable(benchmark::State& state) {
    std::string text = menuLikeTable(static_cast<int>(state.range(0)));
    glint::Bytes bytes(text.begin(), text.end());
    for (auto _ : state) {
        glint::ParamTable table;
        table.loadFromBuffer(bytes, true);
        benchmark::DoNotOptimize(table.size());
    }
}
BENCHMARK(parseTable)->Arg(50)->Arg(400);

void unscrambleUserFile(benchmark::State& state) {
    std::string text = menuLikeTable(40);
    glint::Bytes stored = glint::SaveFileScrambler::scramble(
        glint::Bytes(text.begin(), text.end()), glint::SaveFileScrambler::kSettingsKey);
    for (auto _ : state) {
        auto plain =
            glint::SaveFileScrambler::unscramble(stored, glint::SaveFileScrambler::kSettingsKey);
        benchmark::DoNotOptimize(plain);
    }
}
BENCHMARK(unscrambleUserFile);

}  // namespace

BENCHMARK_MAIN();
