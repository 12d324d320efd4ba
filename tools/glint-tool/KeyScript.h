// Key scripts for headless games: which keys are held in which tick.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/KeyboardDevice.h"

namespace glint {
struct GameSettings;
}

namespace glint::tool {

// Text, one line per run of ticks: "COUNT KEY..." with keys left right up down fire die z c, or
// "-" for none; "#" starts a comment. After the last line no key is held.
class KeyScript {
public:
    // A script longer than this (about 950 years of play) is refused, so that its length and
    // the ticks counted against it never overflow.
    static constexpr long long kMaxTicks = 1'000'000'000'000LL;

    // False, with the line and the reason in error, when the text is not a key script.
    bool parse(std::string_view text, std::string& error);

    // The keys held in tick t (counted from 0), as key names.
    const std::vector<std::string>& keysAt(long long tick) const;
    long long length() const { return total_; }

private:
    struct Run {
        long long count;
        std::vector<std::string> keys;
    };
    std::vector<Run> runs_;
    long long total_ = 0;
};

// Feeds the keyboard the keys a script holds, tick by tick, through the player's bindings.
class ScriptedKeys : public platform::KeyStateSource {
public:
    ScriptedKeys(const KeyScript& script, const GameSettings& bindings)
        : script_(script), bindings_(bindings) {}
    // The tick whose keys the next read returns.
    void setTick(long long tick) { tick_ = tick; }
    bool readState(platform::KeyState& state) override;

private:
    const KeyScript& script_;
    const GameSettings& bindings_;
    long long tick_ = 0;
};

}  // namespace glint::tool
