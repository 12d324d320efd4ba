// The periodic timer that drives the frame step: one timer message per period, none while a
// frame step is still waiting to run or running.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace glint::platform {

// The deadlines of a periodic timer: first, first + period, first + 2 period, ... A wake-up at
// `now` belongs to the last deadline at or before it; the next wake-up is the first deadline
// after it. However late a wake-up comes, the deadlines stay where they were (late wake-ups do
// not stretch later periods), and deadlines it slept through are skipped, not made up.
class PeriodSchedule {
public:
    using Clock = std::chrono::steady_clock;

    PeriodSchedule(Clock::time_point first, Clock::duration period)
        : next_(first), period_(period) {}

    // The deadline to wait for.
    Clock::time_point next() const { return next_; }
    // Called on waking at now (at or after next()): moves next() to the first deadline after
    // now and returns how many deadlines were passed over without a wake-up of their own.
    std::uint64_t advance(Clock::time_point now);

private:
    Clock::time_point next_;
    Clock::duration period_;
};

class FrameTimer {
public:
    // The identifier timer messages carry in wParam; the window acts only on this one.
    static constexpr std::uint64_t kTimerId = 1;

    FrameTimer() = default;
    ~FrameTimer() { stop(); }
    FrameTimer(const FrameTimer&) = delete;
    FrameTimer& operator=(const FrameTimer&) = delete;

    // Posts a Timer message at every deadline start + k x periodMs, from a thread of its own,
    // unless `busy` is set at that moment; posting sets `busy`, and whoever runs the frame step
    // clears it when the step is done. So one step is waiting or running at a time and a slow
    // step drops periods instead of queueing them. False when no thread could be started.
    bool start(std::uint32_t periodMs, std::atomic<bool>& busy);
    // Stops posting; once it returns no further message is posted.
    void stop();
    bool running() const { return thread_.joinable(); }

    // Periods passed over since the timer started: found the previous step still waiting or
    // running, or slept through.
    std::uint64_t skippedPeriods() const { return skipped_.load(std::memory_order_relaxed); }

private:
    void run(std::uint32_t periodMs, std::atomic<bool>* busy);

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    std::atomic<std::uint64_t> skipped_{0};
};

}  // namespace glint::platform
