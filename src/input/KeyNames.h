// Keyboard scan codes the game knows by name, and the names shown for them.
#pragma once

namespace glint {

// Keys are numbered by DirectInput-style scan codes, 0 to 255; code 0 is never down.
constexpr int kKeyCodeCount = 256;

constexpr int kKeyEscape = 1;
constexpr int kKeyEnter = 28;
constexpr int kKeyA = 30;
constexpr int kKeyK = 37;
constexpr int kKeyZ = 44;
constexpr int kKeyC = 46;
constexpr int kKeySpace = 57;
constexpr int kKeyScrollLock = 70;
constexpr int kKeyUp = 200;
constexpr int kKeyLeft = 203;
constexpr int kKeyRight = 205;
constexpr int kKeyDown = 208;

// The name a key binding is shown with ("A", "SPACE", "LEFT ARROW", ...). Never null: the empty
// text for a code without a name, among them Escape, Enter and Scroll Lock, and for any code
// outside 0 to 255.
const char* keyName(int code);

}  // namespace glint
