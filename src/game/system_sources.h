#pragma once

#include "platform/clock.h"
#include "platform/random_source.h"

#include <random>

namespace tarvelo {

// The random numbers of a real game, seeded once from the system.
class SystemRandom : public RandomSource
{
public:
    SystemRandom();
    double Next() override;

private:
    std::mt19937_64 m_engine;
    std::uniform_real_distribution<double> m_uniform{0.0, 1.0};
};

// Today in the local time zone.
class SystemClock : public Clock
{
public:
    CalendarDate Today() const override;
};

} // namespace tarvelo
