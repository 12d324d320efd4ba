// The window messages the game is written against, and the queue they arrive through.
#pragma once

#include <cstdint>

namespace glint::platform {

enum class MessageType : std::uint32_t {
    Activate,     // wParam: 1 when the window became active, 0 when it went to the background
    Size,         // wParam: kSizeRestored or kSizeMinimized
    ShowWindow,   // the window was shown
    Paint,        // the window's picture was lost or resized: it must be drawn again
    Close,        // the window is asked to close; wParam kCloseFromProgram when the game asked
    KeyDown,      // wParam: virtual-key code
    Char,         // wParam: character code; lParam: repeat count
    Timer,        // wParam: timer identifier
    MouseMove,    // lParam: client x and y (see mouseLParam); wParam: button flags
    LButtonDown,  // as MouseMove
    LButtonUp,
    RButtonUp,
    PadButtonDown,  // wParam: the controller input pressed (pad::), a stick direction included
};

struct Message {
    MessageType type = MessageType::Timer;
    std::uint64_t wParam = 0;
    std::int64_t lParam = 0;
};

constexpr std::uint64_t kSizeRestored = 0;
constexpr std::uint64_t kSizeMinimized = 1;

// A close the game itself posted (a view deciding to quit), as opposed to one the desktop sent.
constexpr std::uint64_t kCloseFromSystem = 0;
constexpr std::uint64_t kCloseFromProgram = 1;

// Mouse button flags in wParam of mouse messages.
constexpr std::uint64_t kButtonLeft = 0x1;
constexpr std::uint64_t kButtonRight = 0x2;
constexpr std::uint64_t kButtonShift = 0x4;
constexpr std::uint64_t kButtonControl = 0x8;

// Client coordinates travel as two signed 16-bit halves.
constexpr std::int64_t mouseLParam(int x, int y) {
    return static_cast<std::int64_t>(
        (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16) |
        static_cast<std::uint16_t>(x));
}
constexpr int mouseX(std::int64_t lParam) {
    return static_cast<std::int16_t>(lParam & 0xffff);
}
constexpr int mouseY(std::int64_t lParam) {
    return static_cast<std::int16_t>((lParam >> 16) & 0xffff);
}

// Virtual-key codes of key-down messages.
namespace vk {
constexpr int kBack = 8;
constexpr int kTab = 9;
constexpr int kReturn = 13;
constexpr int kShift = 16;
constexpr int kControl = 17;
constexpr int kEscape = 27;
constexpr int kSpace = 32;
constexpr int kPageUp = 33;
constexpr int kPageDown = 34;
constexpr int kEnd = 35;
constexpr int kHome = 36;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kInsert = 45;
constexpr int kDelete = 46;
constexpr int kF1 = 112;  // F1 to F12 follow on
// Keys the code above leaves out still send key-down messages (a key reader waits for any
// key): keypad, punctuation, locks and the rest carry the codes the desktop gives them, and a
// key with no code of its own carries this one.
constexpr int kUnassigned = 0xff;
}  // namespace vk

// Only events of this window become messages; those of any other (a window destroyed by a
// display-mode change may still have events queued) are dropped. Window::create sets it.
void setMessageWindow(std::uint32_t windowId);

// Waits for the next message. Returns false when the quit message arrives, with its exit code.
bool getMessage(Message& message, int& exitCode);
// The next message if one is waiting, without waiting for one (a quit message stays queued).
bool peekMessage(Message& message);
// Queues a message for the message loop; safe from any thread.
bool postMessage(const Message& message);
// Queues the quit message that ends the message loop.
void postQuitMessage(int exitCode);

// The virtual-key code for a platform key symbol, 0 when the game has none for it.
int virtualKeyFromSymbol(std::int32_t symbol);
// The virtual-key code of a key press: by its symbol where the layout gives one the game
// knows, otherwise by where the key lies (its scancode). 0 only for a key the keyboard state
// does not know either, so every key that can be bound sends a key-down message.
int virtualKeyFor(std::int32_t symbol, int scancode);

}  // namespace glint::platform
