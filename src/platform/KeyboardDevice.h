// The keyboard as 256 bytes of key state indexed by DirectInput-style scan codes.
#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace glint::platform {

class Window;

// Byte k is the key with scan code k; a key is down when bit 7 (kKeyPressed) is set.
using KeyState = std::array<std::uint8_t, 256>;
constexpr std::uint8_t kKeyPressed = 0x80;

// Anything the keyboard state can be read from: the real keyboard, or a script or a test.
class KeyStateSource {
public:
    virtual ~KeyStateSource() = default;
    // Fills state with the keys held now. False when the keyboard cannot be read at the moment;
    // what state then holds means nothing.
    virtual bool readState(KeyState& state) = 0;
};

// The scan code of the key-name table for an SDL scancode: every named key, plus Escape (1),
// Enter (28), Scroll Lock (70) and a few more keys of ordinary keyboards. Every other value,
// in range or not, gives 0.
int scanCodeFromSdl(int sdlScancode);

// Translates a keyboard state indexed by SDL scancode (non-zero = down, as SDL reports it) into
// state. Keys without a scan code are left out, so byte 0 is never set.
void keyStateFromSdl(std::span<const std::uint8_t> sdlKeys, KeyState& state);

// The system keyboard as seen by one window: keys read as held only while that window has the
// keyboard focus.
class KeyboardDevice final : public KeyStateSource {
public:
    // Remembers window for later reads. False, leaving the device detached, when the window
    // does not exist. The window must outlive the attachment.
    bool attach(const Window& window);
    void detach() { window_ = nullptr; }
    bool attached() const { return window_ != nullptr; }

    // False, with state all zero, when detached, when the window has been destroyed since, or
    // when it does not have the keyboard focus.
    bool readState(KeyState& state) override;

private:
    const Window* window_ = nullptr;
};

}  // namespace glint::platform
