#pragma once

namespace tarvelo {

// Uniform random numbers for the game; scripted in tests and the probe.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // One draw in [0, 1).
    virtual double Next() = 0;
};

} // namespace tarvelo
