// Process-wide platform services: start-up of the video system, clocks, the cursor, held keys,
// the clipboard and web addresses.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace glint::platform {

struct Point {
    int x = 0;
    int y = 0;
};

// Starts the platform's video, event and timer services. False, with a reason in error, when
// there is no display to open windows on.
bool startVideo(std::string& error);
// Starts only events and timers (enough for the message loop and the frame timer).
bool startEvents(std::string& error);
// Stops every platform service. Nothing of the platform may be used afterwards.
void stopAll();

// Milliseconds since the platform's services started; runs from the first start call.
std::uint32_t milliseconds();

// The mouse cursor in screen pixels.
Point cursorPosition();

// Keys whose held state the window's message handling asks for directly.
enum class HeldKey { F4, Control, Shift };
bool isKeyHeld(HeldKey key);

// Text on the clipboard, cut to at most maxBytes; empty when there is none.
std::string clipboardText(std::size_t maxBytes);
// Asks the desktop to open an address in the user's browser.
bool openUrl(const std::string& address);

// The directory the program's executable lies in, with a trailing "/"; empty when unknown.
std::string executableDirectory();

}  // namespace glint::platform
