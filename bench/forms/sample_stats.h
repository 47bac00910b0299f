#pragma once

// Order statistics of repeated timings or sizes, and the table line that prints them.
// Standard C++ only, so that the start-up launcher, which loads no Qt, can use it too.

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

namespace ssn::bench {

// The value below which the given share of the samples lies (nearest rank); 0 when empty.
inline double percentile(std::vector<double> samples, double share) {
    if (samples.empty()) {
        return 0.0;
    }
    std::sort(samples.begin(), samples.end());
    const auto last = static_cast<double>(samples.size() - 1);
    const auto rank = static_cast<std::size_t>(share * last + 0.5);
    return samples[std::min(rank, samples.size() - 1)];
}

// The middle value; the mean of the two middle ones for an even count.
inline double median(std::vector<double> samples) {
    if (samples.empty()) {
        return 0.0;
    }
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    if (samples.size() % 2 == 1) {
        return samples[middle];
    }
    return (samples[middle - 1] + samples[middle]) / 2.0;
}

inline void printSummaryRow(const std::string& label, const std::vector<double>& samples, const char* unit) {
    std::printf("  %-44s %9.2f %9.2f %9.2f %s\n", label.c_str(), median(samples), percentile(samples, 0.1),
                percentile(samples, 0.9), unit);
}

inline void printSummaryHeader() {
    std::printf("  %-44s %9s %9s %9s\n", "", "median", "p10", "p90");
}

inline void printRatio(const std::string& label, double measured, double goal) {
    std::printf("  %-44s %9.3f   goal <= %.2f: %s\n", label.c_str(), measured, goal,
                measured <= goal ? "met" : "MISSED");
}

} // namespace ssn::bench
