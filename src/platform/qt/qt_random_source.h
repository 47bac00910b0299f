#pragma once

#include "platform/platform.h"

#include <random>

namespace ssn::platform {

// A Mersenne Twister that yields floats 0 <= r < 1 with 24 random bits each, so the
// result can never round up to 1. Before the first seeding it runs from its fixed
// default seed and still yields valid numbers.
class QtRandomSource : public RandomSource {
public:
    void seedFromTimer() override;
    float next() override;

private:
    std::mt19937 m_engine;
};

} // namespace ssn::platform
