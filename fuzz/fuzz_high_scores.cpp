// Any bytes as a high-score file: at most seven entries, and what is saved reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "persist/HighScoreTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    glint::ParamTable stored;
    stored.loadFromBuffer(std::span(data, size), true);
    glint::HighScoreTable table;
    table.readFrom(stored);
    if (table.entries().size() > glint::HighScoreTable::kCapacity) {
        std::abort();
    }
    table.insert("fuzz", static_cast<int>(size) + 1);
    std::string text = table.toTable().text();
    glint::ParamTable reread;
    reread.loadFromBuffer(
        std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), true);
    glint::HighScoreTable back;
    back.readFrom(reread);
    if (back.entries().size() != table.entries().size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < back.entries().size(); ++i) {
        if (back.entries()[i].name != table.entries()[i].name ||
            back.entries()[i].score != table.entries()[i].score) {
            std::abort();
        }
    }
    return 0;
}
