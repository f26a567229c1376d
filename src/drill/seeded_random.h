#pragma once

#include "platform/random_source.h"

#include <cstdint>
#include <random>

namespace tarvelo {

// Draws that follow from a seed alone, the same with every compiler and
// library, so a seed names its drill lines.
class SeededRandom : public RandomSource
{
public:
    explicit SeededRandom(std::uint64_t seed) : m_engine(seed) {}
    double Next() override
    {
        // The top 53 bits of one draw, as a double in [0, 1).
        return static_cast<double>(m_engine() >> 11) * 0x1p-53;
    }

private:
    std::mt19937_64 m_engine;
};

} // namespace tarvelo
