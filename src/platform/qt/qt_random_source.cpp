#include "platform/qt/qt_random_source.h"

#include <chrono>
#include <cstdint>

namespace ssn::platform {

void QtRandomSource::seedFromTimer() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    const auto bits = static_cast<std::uint64_t>(ticks);
    std::seed_seq seed{static_cast<std::uint32_t>(bits), static_cast<std::uint32_t>(bits >> 32)};
    m_engine.seed(seed);
}

float QtRandomSource::next() {
    // A float holds 24 significant bits: n / 2^24 with n < 2^24 is exact and below 1.
    constexpr float kScale = 1.0f / 16777216.0f;
    const std::uint32_t bits24 = static_cast<std::uint32_t>(m_engine()) >> 8;
    return static_cast<float>(bits24) * kScale;
}

} // namespace ssn::platform
