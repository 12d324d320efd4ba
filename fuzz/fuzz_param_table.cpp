// Any bytes as a text table, plain or scrambled: parsing must never fail or read out of bounds.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "pack/ParamTable.h"
#include "persist/SaveFileScrambler.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::span<const std::uint8_t> bytes(data, size);
    glint::ParamTable plain;
    plain.loadFromBuffer(bytes, true);
    // What is written must read back as the same table. The one thing the format cannot carry
    // is a value holding a TAB, CR or LF but no space: it is written unquoted and splits.
    glint::ParamTable again;
    std::string text = plain.text();
    again.loadFromBuffer(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
                         true);
    bool representable = true;
    for (const auto& [key, value] : plain) {
        (void)glint::ParamTable::toInt(value);
        (void)glint::ParamTable::toFloat(value);
        if (value.find(' ') == std::string::npos &&
            value.find_first_of("\t\r\n") != std::string::npos) {
            representable = false;
        }
    }
    if (representable && !std::equal(plain.begin(), plain.end(), again.begin(), again.end())) {
        std::abort();
    }
    glint::ParamTable scrambled;
    scrambled.loadFromBuffer(bytes, true, glint::SaveFileScrambler::kSettingsKey);
    return 0;
}
