// Any bytes as a key script for glint-tool: parsing accepts or refuses with a reason, and an
// accepted script answers for any tick with keys of the script's own names.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "KeyScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    glint::tool::KeyScript script;
    std::string error;
    const bool parsed =
        script.parse(std::string_view(reinterpret_cast<const char*>(data), size), error);
    if (parsed == !error.empty()) {
        std::abort();  // accepted with a reason, or refused without one
    }
    if (!parsed) {
        return 0;
    }
    if (script.length() < 0) {
        std::abort();
    }
    for (long long tick : {0LL, script.length() / 2, script.length() - 1, script.length()}) {
        for (const std::string& key : script.keysAt(tick)) {
            if (key.empty() || key == "-") {
                std::abort();
            }
        }
    }
    if (!script.keysAt(script.length()).empty()) {
        std::abort();  // after the last line no key is held
    }
    return 0;
}
