// Keyboard scan codes the game knows by name, and the names shown for them.
#include "input/KeyNames.h"

#include <array>

namespace glint {

namespace {

struct NamedKey {
    int code;
    const char* name;
};

// Escape (1), Enter (28) and Scroll Lock (70) have no name on purpose: a binding to one of them
// shows blank, like every code missing here.
constexpr NamedKey kNamedKeys[] = {
    {2, "1"},
    {3, "2"},
    {4, "3"},
    {5, "4"},
    {6, "5"},
    {7, "6"},
    {8, "7"},
    {9, "8"},
    {10, "9"},
    {11, "0"},
    {12, "-"},
    {13, "="},
    {14, "BACKSPACE"},
    {15, "TAB"},
    {16, "Q"},
    {17, "W"},
    {18, "E"},
    {19, "R"},
    {20, "T"},
    {21, "Y"},
    {22, "U"},
    {23, "I"},
    {24, "O"},
    {25, "P"},
    {26, "["},
    {27, "]"},
    {29, "LEFT CTRL"},
    {30, "A"},
    {31, "S"},
    {32, "D"},
    {33, "F"},
    {34, "G"},
    {35, "H"},
    {36, "J"},
    {37, "K"},
    {38, "L"},
    {39, ";"},
    {40, "'"},
    {41, "`"},
    {42, "LEFT SHIFT"},
    {43, "\\"},
    {44, "Z"},
    {45, "X"},
    {46, "C"},
    {47, "V"},
    {48, "B"},
    {49, "N"},
    {50, "M"},
    {51, ","},
    {52, "."},
    {53, "/"},
    {54, "RIGHT SHIFT"},
    {55, "NUMPAD *"},
    {56, "LEFT ALT"},
    {57, "SPACE"},
    {58, "CAPSLOCK"},
    {59, "F1"},
    {60, "F2"},
    {61, "F3"},
    {62, "F4"},
    {63, "F5"},
    {64, "F6"},
    {65, "F7"},
    {66, "F8"},
    {67, "F9"},
    {68, "F10"},
    {69, "NUMLOCK"},
    {71, "NUMPAD7"},
    {72, "NUMPAD8"},
    {73, "NUMPAD9"},
    {74, "NUMPAD MINUS"},
    {75, "NUMPAD4"},
    {76, "NUMPAD5"},
    {77, "NUMPAD6"},
    {78, "NUMPAD +"},
    {79, "NUMPAD1"},
    {80, "NUMPAD2"},
    {81, "NUMPAD3"},
    {82, "NUMPAD0"},
    {83, "NUMPAD ."},
    {87, "F11"},
    {88, "F12"},
    {100, "F13"},
    {101, "F14"},
    {102, "F15"},
    {141, "NUMPAD EQUALS"},
    {157, "RIGHT CTRL"},
    {179, "NUMPAD ,"},
    {181, "NUMPAD /"},
    {184, "RIGHT ALT"},
    {197, "PAUSE"},
    {199, "HOME"},
    {200, "UP ARROW"},
    {201, "PAGE UP"},
    {203, "LEFT ARROW"},
    {205, "RIGHT ARROW"},
    {207, "END"},
    {208, "DOWN ARROW"},
    {209, "PAGE DOWN"},
    {210, "INSERT"},
    {211, "DELETE"},
    {221, "Application"},
};

// Indexed by code so that a lookup is one array access; built at compile time.
constexpr std::array<const char*, kKeyCodeCount> kNames = [] {
    std::array<const char*, kKeyCodeCount> names{};
    names.fill("");
    for (const NamedKey& key : kNamedKeys) {
        names[key.code] = key.name;
    }
    return names;
}();

}  // namespace

const char* keyName(int code) {
    if (code < 0 || code >= kKeyCodeCount) {
        return "";
    }
    return kNames[code];
}

}  // namespace glint
