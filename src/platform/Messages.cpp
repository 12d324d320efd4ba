// The window messages the game is written against, translated from SDL's events.
#include "platform/Messages.h"

#include <SDL.h>

#include "platform/GamepadEvents.h"
#include "platform/KeyboardDevice.h"

namespace glint::platform {

namespace {

// Two event types of our own: a posted message, and the quit message.
struct OwnEvents {
    std::uint32_t posted;
    std::uint32_t quit;
};

const OwnEvents& ownEvents() {
    static const OwnEvents events = [] {
        std::uint32_t first = SDL_RegisterEvents(2);
        return OwnEvents{first, first + 1};
    }();
    return events;
}

std::uint64_t buttonFlags(std::uint32_t buttons) {
    std::uint64_t flags = 0;
    if (buttons & SDL_BUTTON_LMASK) {
        flags |= kButtonLeft;
    }
    if (buttons & SDL_BUTTON_RMASK) {
        flags |= kButtonRight;
    }
    SDL_Keymod mod = SDL_GetModState();
    if (mod & KMOD_SHIFT) {
        flags |= kButtonShift;
    }
    if (mod & KMOD_CTRL) {
        flags |= kButtonControl;
    }
    return flags;
}

Message mouseMessage(MessageType type, int x, int y, std::uint32_t buttons) {
    return Message{type, buttonFlags(buttons), mouseLParam(x, y)};
}

// Some SDL events become several messages (a key that also types a character, text of several
// characters); those wait here for the following calls.
constexpr int kPendingCapacity = 64;
Message pending[kPendingCapacity];
int pendingCount = 0;
int pendingNext = 0;

void queuePending(const Message& message) {
    if (pendingCount < kPendingCapacity) {
        pending[pendingCount++] = message;
    }
}

std::uint32_t messageWindow = 0;

// Whether an event names a window other than ours. Input events name none when no window has
// the focus; those still count.
bool fromAnotherWindow(const SDL_Event& event) {
    std::uint32_t id = 0;
    switch (event.type) {
        case SDL_WINDOWEVENT:
            return event.window.windowID != messageWindow;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            id = event.key.windowID;
            break;
        case SDL_TEXTINPUT:
            id = event.text.windowID;
            break;
        case SDL_MOUSEMOTION:
            id = event.motion.windowID;
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            id = event.button.windowID;
            break;
        default:
            return false;
    }
    return id != 0 && id != messageWindow;
}

// Translates one SDL event into messages appended to the pending list.
void translate(const SDL_Event& event) {
    const OwnEvents& own = ownEvents();
    if (fromAnotherWindow(event)) {
        return;
    }
    if (event.type == own.posted) {
        queuePending(Message{static_cast<MessageType>(event.user.code),
                             reinterpret_cast<std::uintptr_t>(event.user.data1),
                             reinterpret_cast<std::intptr_t>(event.user.data2)});
        return;
    }
    switch (event.type) {
        case SDL_QUIT:  // a termination signal, or the desktop ending the session
            queuePending(Message{MessageType::Close, kCloseFromSystem, 0});
            break;
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    queuePending(Message{MessageType::Close, kCloseFromSystem, 0});
                    break;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    queuePending(Message{MessageType::Activate, 1, 0});
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    queuePending(Message{MessageType::Activate, 0, 0});
                    break;
                case SDL_WINDOWEVENT_MINIMIZED:
                    queuePending(Message{MessageType::Size, kSizeMinimized, 0});
                    break;
                case SDL_WINDOWEVENT_RESTORED:
                    queuePending(Message{MessageType::Size, kSizeRestored, 0});
                    break;
                case SDL_WINDOWEVENT_SHOWN:
                    queuePending(Message{MessageType::ShowWindow, 1, 0});
                    break;
                case SDL_WINDOWEVENT_EXPOSED:
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    queuePending(Message{MessageType::Paint, 0, 0});
                    break;
                default:
                    break;
            }
            break;
        case SDL_KEYDOWN: {
            int key = virtualKeyFor(event.key.keysym.sym, event.key.keysym.scancode);
            if (key != 0) {
                queuePending(Message{MessageType::KeyDown, static_cast<std::uint64_t>(key), 0});
            }
            // Text input carries printable characters only; editing keys type characters too.
            if (key == vk::kBack || key == vk::kReturn) {
                queuePending(Message{MessageType::Char, static_cast<std::uint64_t>(key), 1});
            }
            break;
        }
        case SDL_TEXTINPUT:
            for (const char* c = event.text.text; *c != '\0'; ++c) {
                unsigned char u = static_cast<unsigned char>(*c);
                if (u >= 32 && u <= 126) {
                    queuePending(Message{MessageType::Char, u, 1});
                }
            }
            break;
        case SDL_MOUSEMOTION:
            queuePending(mouseMessage(MessageType::MouseMove, event.motion.x, event.motion.y,
                                      event.motion.state));
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT) {
                queuePending(mouseMessage(MessageType::LButtonDown, event.button.x, event.button.y,
                                          SDL_GetMouseState(nullptr, nullptr)));
            }
            break;
        case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT || event.button.button == SDL_BUTTON_RIGHT) {
                queuePending(mouseMessage(
                    event.button.button == SDL_BUTTON_LEFT ? MessageType::LButtonUp
                                                           : MessageType::RButtonUp,
                    event.button.x, event.button.y, SDL_GetMouseState(nullptr, nullptr)));
            }
            break;
        case SDL_CONTROLLERDEVICEADDED:
            padAdded(event.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            padRemoved(event.cdevice.which);
            break;
        case SDL_CONTROLLERBUTTONDOWN:
            if (event.cbutton.button < pad::kButtonCount) {
                queuePending(Message{MessageType::PadButtonDown, event.cbutton.button, 0});
            }
            break;
        case SDL_CONTROLLERAXISMOTION:
            if (event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ||
                event.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
                const PadButtons pushed = padStickMoved(event.caxis.which);
                for (int input = pad::kStickUp; input <= pad::kStickRight; ++input) {
                    if ((pushed & padBit(input)) != 0) {
                        queuePending(Message{MessageType::PadButtonDown,
                                             static_cast<std::uint64_t>(input), 0});
                    }
                }
            }
            break;
        default:
            break;
    }
}

bool takePending(Message& message) {
    if (pendingNext < pendingCount) {
        message = pending[pendingNext++];
        if (pendingNext == pendingCount) {
            pendingNext = pendingCount = 0;
        }
        return true;
    }
    return false;
}

}  // namespace

void setMessageWindow(std::uint32_t windowId) {
    messageWindow = windowId;
}

bool getMessage(Message& message, int& exitCode) {
    while (!takePending(message)) {
        SDL_Event event;
        if (SDL_WaitEvent(&event) == 0) {
            exitCode = 1;  // the event system failed: nothing more will come
            return false;
        }
        if (event.type == ownEvents().quit) {
            exitCode = event.user.code;
            return false;
        }
        translate(event);
    }
    return true;
}

bool peekMessage(Message& message) {
    SDL_Event event;
    while (!takePending(message)) {
        if (SDL_PeepEvents(&event, 1, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) == 1 &&
            event.type == ownEvents().quit) {
            return false;
        }
        if (SDL_PollEvent(&event) == 0) {
            return false;
        }
        translate(event);
    }
    return true;
}

bool postMessage(const Message& message) {
    SDL_Event event{};
    event.type = ownEvents().posted;
    event.user.code = static_cast<Sint32>(message.type);
    event.user.data1 = reinterpret_cast<void*>(static_cast<std::uintptr_t>(message.wParam));
    event.user.data2 = reinterpret_cast<void*>(static_cast<std::intptr_t>(message.lParam));
    return SDL_PushEvent(&event) == 1;
}

void postQuitMessage(int exitCode) {
    SDL_Event event{};
    event.type = ownEvents().quit;
    event.user.code = exitCode;
    SDL_PushEvent(&event);
}

int virtualKeyFromSymbol(std::int32_t symbol) {
    if (symbol >= SDLK_a && symbol <= SDLK_z) {
        return 'A' + (symbol - SDLK_a);
    }
    if (symbol >= SDLK_0 && symbol <= SDLK_9) {
        return '0' + (symbol - SDLK_0);
    }
    if (symbol >= SDLK_F1 && symbol <= SDLK_F12) {
        return vk::kF1 + (symbol - SDLK_F1);
    }
    switch (symbol) {
        case SDLK_BACKSPACE:
            return vk::kBack;
        case SDLK_TAB:
            return vk::kTab;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return vk::kReturn;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return vk::kShift;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return vk::kControl;
        case SDLK_ESCAPE:
            return vk::kEscape;
        case SDLK_SPACE:
            return vk::kSpace;
        case SDLK_PAGEUP:
            return vk::kPageUp;
        case SDLK_PAGEDOWN:
            return vk::kPageDown;
        case SDLK_END:
            return vk::kEnd;
        case SDLK_HOME:
            return vk::kHome;
        case SDLK_LEFT:
            return vk::kLeft;
        case SDLK_UP:
            return vk::kUp;
        case SDLK_RIGHT:
            return vk::kRight;
        case SDLK_DOWN:
            return vk::kDown;
        case SDLK_INSERT:
            return vk::kInsert;
        case SDLK_DELETE:
            return vk::kDelete;
        default:
            return 0;
    }
}

namespace {

// Codes by key position, for keys whose symbol the game has no code for: a layout's own
// punctuation, digits typed with a modifier on some layouts, the keypad, locks and modifiers.
int virtualKeyFromScancode(int scancode) {
    if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z) {
        return 'A' + (scancode - SDL_SCANCODE_A);
    }
    if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9) {
        return '1' + (scancode - SDL_SCANCODE_1);
    }
    if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9) {
        return 0x61 + (scancode - SDL_SCANCODE_KP_1);
    }
    if (scancode >= SDL_SCANCODE_F13 && scancode <= SDL_SCANCODE_F24) {
        return 0x7c + (scancode - SDL_SCANCODE_F13);
    }
    switch (scancode) {
        case SDL_SCANCODE_0:
            return '0';
        case SDL_SCANCODE_KP_0:
            return 0x60;
        case SDL_SCANCODE_KP_MULTIPLY:
            return 0x6a;
        case SDL_SCANCODE_KP_PLUS:
            return 0x6b;
        case SDL_SCANCODE_KP_COMMA:
            return 0x6c;
        case SDL_SCANCODE_KP_MINUS:
            return 0x6d;
        case SDL_SCANCODE_KP_PERIOD:
            return 0x6e;
        case SDL_SCANCODE_KP_DIVIDE:
            return 0x6f;
        case SDL_SCANCODE_KP_EQUALS:
            return 0x92;
        case SDL_SCANCODE_LALT:
        case SDL_SCANCODE_RALT:
            return 0x12;
        case SDL_SCANCODE_PAUSE:
            return 0x13;
        case SDL_SCANCODE_CAPSLOCK:
            return 0x14;
        case SDL_SCANCODE_PRINTSCREEN:
            return 0x2c;
        case SDL_SCANCODE_LGUI:
            return 0x5b;
        case SDL_SCANCODE_RGUI:
            return 0x5c;
        case SDL_SCANCODE_APPLICATION:
            return 0x5d;
        case SDL_SCANCODE_NUMLOCKCLEAR:
            return 0x90;
        case SDL_SCANCODE_SCROLLLOCK:
            return 0x91;
        case SDL_SCANCODE_SEMICOLON:
            return 0xba;
        case SDL_SCANCODE_EQUALS:
            return 0xbb;
        case SDL_SCANCODE_COMMA:
            return 0xbc;
        case SDL_SCANCODE_MINUS:
            return 0xbd;
        case SDL_SCANCODE_PERIOD:
            return 0xbe;
        case SDL_SCANCODE_SLASH:
            return 0xbf;
        case SDL_SCANCODE_GRAVE:
            return 0xc0;
        case SDL_SCANCODE_LEFTBRACKET:
            return 0xdb;
        case SDL_SCANCODE_BACKSLASH:
        case SDL_SCANCODE_NONUSHASH:
            return 0xdc;
        case SDL_SCANCODE_RIGHTBRACKET:
            return 0xdd;
        case SDL_SCANCODE_APOSTROPHE:
            return 0xde;
        case SDL_SCANCODE_NONUSBACKSLASH:
            return 0xe2;
        default:
            return 0;
    }
}

}  // namespace

int virtualKeyFor(std::int32_t symbol, int scancode) {
    if (int key = virtualKeyFromSymbol(symbol); key != 0) {
        return key;
    }
    if (int key = virtualKeyFromScancode(scancode); key != 0) {
        return key;
    }
    return scanCodeFromSdl(scancode) != 0 ? vk::kUnassigned : 0;
}

}  // namespace glint::platform
