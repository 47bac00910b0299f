#pragma once

#include "platform/platform.h"

#include <chrono>
#include <cstdint>
#include <random>

namespace ssn::platform {

// A Mersenne Twister that yields floats 0 <= r < 1 with 24 random bits each, so the
// result can never round up to 1. Before the first seeding it runs from its fixed
// default seed and still yields valid numbers.
class QtRandomSource : public RandomSource {
public:
    void seedFromTimer() override {
        const auto bits = std::uint64_t(std::chrono::high_resolution_clock::now().time_since_epoch().count());
        std::seed_seq seed{std::uint32_t(bits), std::uint32_t(bits >> 32)};
        m_engine.seed(seed);
    }

    // A float holds 24 significant bits: n / 2^24 with n < 2^24 is exact and below 1.
    float next() override { return float(std::uint32_t(m_engine()) >> 8) / 16777216.0f; }

private:
    std::mt19937 m_engine;
};

} // namespace ssn::platform
