// The keyboard state play reads once per tick: which keys are held, by scan code.
#include "input/KeyboardInput.h"

#include <cstddef>

#include "input/KeyNames.h"

namespace glint {

static_assert(platform::KeyState{}.size() == kKeyCodeCount, "one state byte per scan code");

bool KeyboardInput::attach(const platform::Window& window) {
    detach();
    if (!device_.attach(window)) {
        return false;
    }
    source_ = &device_;
    status_ = kStatusOk;
    return true;
}

void KeyboardInput::attach(platform::KeyStateSource& source) {
    detach();
    source_ = &source;
    status_ = kStatusOk;
}

void KeyboardInput::detach() {
    device_.detach();
    source_ = nullptr;
    // Cleared so that a later attachment holds no key from this one before its first poll.
    keyState_.fill(0);
    status_ = kStatusNotAttached;
}

void KeyboardInput::poll() {
    if (source_ == nullptr) {
        status_ = kStatusNotAttached;
        return;
    }
    // There is nothing to re-acquire: a read fails only while the window is in the background,
    // and asking again within the same tick would fail the same way. The next tick tries anew.
    // After a failure the state bytes may hold anything; the status keeps them from counting.
    status_ = source_->readState(keyState_) ? kStatusOk : kStatusUnreadable;
}

bool KeyboardInput::isKeyDown(int code) const {
    if (status_ != kStatusOk || code < 0 || code >= kKeyCodeCount) {
        return false;
    }
    return (keyState_[static_cast<std::size_t>(code)] & platform::kKeyPressed) != 0;
}

int KeyboardInput::firstKeyDown() const {
    for (int code = 0; code < kKeyCodeCount; ++code) {
        if (isKeyDown(code)) {
            return code;
        }
    }
    return -1;
}

}  // namespace glint
