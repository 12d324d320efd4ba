// What the frame steps of a run cost and how regularly they came.
#include "app/FrameStats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace glint {

void FrameStats::record(Clock::time_point start, Clock::time_point end) {
    if (steps_++ == 0) {
        first_ = start;
    }
    last_ = start;
    const auto us = std::chrono::duration_cast<std::chrono::microseconds>(end - start).count();
    costsUs_.push_back(static_cast<std::uint32_t>(std::clamp<long long>(us, 0, UINT32_MAX)));
}

FrameStats::Clock::duration FrameStats::costPercentile(double p) const {
    if (costsUs_.empty()) {
        return {};
    }
    std::vector<std::uint32_t> sorted = costsUs_;
    const auto rank = static_cast<std::size_t>(
        std::ceil(std::clamp(p, 0.0, 100.0) / 100.0 * static_cast<double>(sorted.size())));
    const std::size_t at = rank == 0 ? 0 : rank - 1;
    std::nth_element(sorted.begin(), sorted.begin() + static_cast<std::ptrdiff_t>(at),
                     sorted.end());
    return std::chrono::microseconds(sorted[at]);
}

std::string FrameStats::summary(std::uint64_t skippedPeriods) const {
    using std::chrono::duration;
    using Ms = duration<double, std::milli>;
    const double spanMs = Ms(span()).count();
    const double perStep = steps_ > 1 ? spanMs / (steps_ - 1) : 0.0;
    char line[256];
    std::snprintf(line, sizeof line,
                  "%d frame steps in %.0f ms (%.3f ms a step); step cost median %.2f ms, 99th "
                  "percentile %.2f ms; %llu periods skipped",
                  steps_, spanMs, perStep, Ms(costPercentile(50)).count(),
                  Ms(costPercentile(99)).count(), static_cast<unsigned long long>(skippedPeriods));
    return line;
}

}  // namespace glint
