#pragma once

#include <cstdint>

namespace tarvelo {

// The time a run starts and ends, in whole seconds since 1970 (UTC). The
// history asks for the time through this so tests can step it.
class UtcClock
{
public:
    virtual ~UtcClock() = default;
    virtual std::int64_t NowUtc() const = 0;
};

// The system's clock.
class SystemUtcClock : public UtcClock
{
public:
    std::int64_t NowUtc() const override;
};

} // namespace tarvelo
