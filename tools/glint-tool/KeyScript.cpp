// Key scripts for headless games: which keys are held in which tick.
#include "KeyScript.h"

#include <algorithm>
#include <sstream>

#include "input/KeyNames.h"
#include "play/GameSettings.h"

namespace glint::tool {

namespace {

const char* const kKeyNames[] = {"left", "right", "up", "down", "fire", "die", "z", "c"};

}  // namespace

bool KeyScript::parse(std::string_view text, std::string& error) {
    runs_.clear();
    total_ = 0;
    std::istringstream lines{std::string(text)};
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        line = line.substr(0, line.find('#'));
        std::istringstream words(line);
        std::string first;
        if (!(words >> first)) {
            continue;  // blank or comment only
        }
        Run run{0, {}};
        try {
            std::size_t used = 0;
            run.count = std::stoll(first, &used);
            if (used != first.size() || run.count < 0) {
                throw std::invalid_argument("count");
            }
        } catch (const std::exception&) {
            error = "line " + std::to_string(number) + ": '" + first + "' is not a tick count";
            return false;
        }
        std::string key;
        bool none = false;
        while (words >> key) {
            if (key == "-") {
                none = true;
                continue;
            }
            if (std::find(std::begin(kKeyNames), std::end(kKeyNames), key) == std::end(kKeyNames)) {
                error = "line " + std::to_string(number) + ": unknown key '" + key +
                        "' (left right up down fire die z c, or -)";
                return false;
            }
            run.keys.push_back(key);
        }
        if (run.keys.empty() && !none) {
            error = "line " + std::to_string(number) + ": no keys (write - for none)";
            return false;
        }
        if (run.count > kMaxTicks - total_) {
            error = "line " + std::to_string(number) + ": the script would run longer than " +
                    std::to_string(kMaxTicks) + " ticks";
            return false;
        }
        total_ += run.count;
        runs_.push_back(std::move(run));
    }
    return true;
}

const std::vector<std::string>& KeyScript::keysAt(long long tick) const {
    static const std::vector<std::string> none;
    for (const Run& run : runs_) {
        if (tick < run.count) {
            return run.keys;
        }
        tick -= run.count;
    }
    return none;
}

bool ScriptedKeys::readState(platform::KeyState& state) {
    state.fill(0);
    for (const std::string& key : script_.keysAt(tick_)) {
        int code = 0;
        if (key == "left") {
            code = bindings_.m_left_key;
        } else if (key == "right") {
            code = bindings_.m_right_key;
        } else if (key == "up") {
            code = bindings_.m_up_key;
        } else if (key == "down") {
            code = bindings_.m_down_key;
        } else if (key == "fire") {
            code = bindings_.m_fire_key;
        } else if (key == "die") {
            code = bindings_.m_die_key;
        } else if (key == "z") {
            code = kKeyZ;
        } else if (key == "c") {
            code = kKeyC;
        }
        if (code > 0 && code < 256) {
            state[static_cast<std::size_t>(code)] = platform::kKeyPressed;
        }
    }
    return true;
}

}  // namespace glint::tool
