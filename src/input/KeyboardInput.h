// The keyboard state play reads once per tick: which keys are held, by scan code.
#pragma once

#include "platform/KeyboardDevice.h"

namespace glint {

namespace platform {
class Window;
}

class KeyboardInput {
public:
    // Values of status(). Every value but kStatusOk means no key reads as held.
    static constexpr int kStatusOk = 0;
    static constexpr int kStatusNotAttached = -1;  // no window or source to read from
    static constexpr int kStatusUnreadable = -2;   // last read failed: window in the background

    KeyboardInput() = default;
    KeyboardInput(const KeyboardInput&) = delete;
    KeyboardInput& operator=(const KeyboardInput&) = delete;

    // Reads the system keyboard on behalf of window from now on, which must outlive the
    // attachment. False when the window does not exist; status() is then kStatusNotAttached.
    // On success status() is kStatusOk and no key is held until the next poll().
    bool attach(const platform::Window& window);
    // Reads from source instead (a key script, a test); source must outlive the attachment.
    // status() is kStatusOk and no key is held until the next poll().
    void attach(platform::KeyStateSource& source);
    // Stops reading; every key reads as released and status() is kStatusNotAttached.
    void detach();

    // Takes a fresh keyboard state. When it cannot be read, status() says why and every key
    // reads as released until a later poll() succeeds.
    void poll();

    // Whether the key with this scan code was held at the last poll(). False for codes outside
    // 0 to 255 and whenever status() is not kStatusOk.
    bool isKeyDown(int code) const;
    // The lowest scan code held at the last poll(); -1 when none is, or when status() is not
    // kStatusOk.
    int firstKeyDown() const;
    int status() const { return status_; }

private:
    platform::KeyboardDevice device_;
    platform::KeyStateSource* source_ = nullptr;  // device_ or a caller's source; not owned
    platform::KeyState keyState_{};
    int status_ = kStatusNotAttached;
};

}  // namespace glint
