// The periodic timer that drives the frame step: one timer message per period, none while a
// frame step is still running.
#include "platform/FrameTimer.h"

#include <SDL.h>

#include "platform/Messages.h"

namespace glint::platform {

namespace {

// Runs on SDL's timer thread: it reads the flag and posts, and touches nothing else.
Uint32 onTimer(Uint32 interval, void* param) {
    const auto* inFrame = static_cast<const std::atomic<bool>*>(param);
    if (!inFrame->load(std::memory_order_acquire)) {
        postMessage(Message{MessageType::Timer, FrameTimer::kTimerId, 0});
    }
    return interval;
}

}  // namespace

bool FrameTimer::start(std::uint32_t periodMs, const std::atomic<bool>& inFrame) {
    stop();
    id_ = SDL_AddTimer(periodMs, onTimer, const_cast<std::atomic<bool>*>(&inFrame));
    return id_ != 0;
}

void FrameTimer::stop() {
    if (id_ != 0) {
        // A callback already running may still post one last message; the frame step that
        // handles it copes with a window that is gone.
        SDL_RemoveTimer(id_);
        id_ = 0;
    }
}

}  // namespace glint::platform
