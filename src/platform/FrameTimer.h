// The periodic timer that drives the frame step: one timer message per period, none while a
// frame step is still running.
#pragma once

#include <atomic>
#include <cstdint>

namespace glint::platform {

class FrameTimer {
public:
    // The identifier timer messages carry in wParam; the window acts only on this one.
    static constexpr std::uint64_t kTimerId = 1;

    FrameTimer() = default;
    ~FrameTimer() { stop(); }
    FrameTimer(const FrameTimer&) = delete;
    FrameTimer& operator=(const FrameTimer&) = delete;

    // Posts a Timer message every periodMs milliseconds, from the platform's timer thread,
    // unless inFrame is set at that moment. False when no timer could be made.
    bool start(std::uint32_t periodMs, const std::atomic<bool>& inFrame);
    // Stops posting (a callback that is running at that moment may still post once).
    void stop();
    bool running() const { return id_ != 0; }

private:
    int id_ = 0;
};

}  // namespace glint::platform
