// The periodic timer that drives the frame step: one timer message per period, none while a
// frame step is still waiting to run or running.
#include "platform/FrameTimer.h"

#include "platform/Messages.h"

namespace glint::platform {

std::uint64_t PeriodSchedule::advance(Clock::time_point now) {
    if (now < next_) {
        return 0;
    }
    // Deadlines are counted from the first one, never from the moment of waking, so a late
    // wake-up costs nothing in the long run.
    const auto passed = static_cast<std::uint64_t>((now - next_) / period_);
    next_ += period_ * static_cast<Clock::duration::rep>(passed + 1);
    return passed;
}

bool FrameTimer::start(std::uint32_t periodMs, std::atomic<bool>& busy) {
    stop();
    if (periodMs == 0) {
        return false;
    }
    stopping_ = false;
    skipped_ = 0;
    try {
        thread_ = std::thread(&FrameTimer::run, this, periodMs, &busy);
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void FrameTimer::stop() {
    if (!thread_.joinable()) {
        return;
    }
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void FrameTimer::run(std::uint32_t periodMs, std::atomic<bool>* busy) {
    const auto period = std::chrono::milliseconds(periodMs);
    PeriodSchedule schedule(PeriodSchedule::Clock::now() + period, period);
    std::unique_lock<std::mutex> lock(mutex_);
    for (;;) {
        if (wake_.wait_until(lock, schedule.next(), [this] { return stopping_; })) {
            return;
        }
        skipped_.fetch_add(schedule.advance(PeriodSchedule::Clock::now()),
                           std::memory_order_relaxed);
        bool expected = false;
        if (!busy->compare_exchange_strong(expected, true, std::memory_order_acq_rel)) {
            skipped_.fetch_add(1, std::memory_order_relaxed);
            continue;
        }
        if (!postMessage(Message{MessageType::Timer, kTimerId, 0})) {
            // A full queue: nobody will run this step, so nobody would clear the flag.
            busy->store(false, std::memory_order_release);
        }
    }
}

}  // namespace glint::platform
