// Any bytes as a text table, plain or scrambled: parsing must never fail or read out of bounds.
#include <cstddef>
#include <cstdint>

#include "pack/ParamTable.h"
#include "persist/SaveFileScrambler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    glint::ParamTable plain;
    plain.loadFromBuffer(bytes, true);
    // What is written must read back as the same table when nothing in it needs escaping.
    glint::ParamTable again;
    std::string text = plain.text();
    again.loadFromBuffer(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                         true);
    for (const auto& [key, value] : plain) {
        (void)glint::ParamTable::toInt(value);
        (void)glint::ParamTable::toFloat(value);
    }
    glint::ParamTable scrambled;
    scrambled.loadFromBuffer(bytes, true, glint::SaveFileScrambler::kSettingsKey);
    return 0;
}
