// What the frame steps of a run cost and how regularly they came, for a maintainer's check that
// the game holds its 30 ms step (printed at exit when GLINT_FRAME_STATS is set).
#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace glint {

class FrameStats {
public:
    using Clock = std::chrono::steady_clock;

    // Notes a step that ran from start to end (tick, draw and swap).
    void record(Clock::time_point start, Clock::time_point end);

    int steps() const { return steps_; }
    // Time from the start of the first step to the start of the last.
    Clock::duration span() const { return steps_ > 0 ? last_ - first_ : Clock::duration{}; }
    // The p-th percentile (0 to 100) of a step's own cost; zero without steps.
    Clock::duration costPercentile(double p) const;

    // One line: "N frame steps in M ms (X ms a step), ...", with the median and 99th percentile
    // of a step's cost and the periods the timer had to skip.
    std::string summary(std::uint64_t skippedPeriods) const;

private:
    int steps_ = 0;
    Clock::time_point first_;
    Clock::time_point last_;
    std::vector<std::uint32_t> costsUs_;
};

}  // namespace glint
