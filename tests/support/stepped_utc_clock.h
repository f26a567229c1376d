#pragma once

#include "history/history_clock.h"

namespace tarvelo::test {

// A clock that moves only when told to.
class SteppedUtcClock : public UtcClock
{
public:
    explicit SteppedUtcClock(std::int64_t start = 1'780'000'000) : now(start) {}
    std::int64_t NowUtc() const override { return now; }
    std::int64_t now;
};

} // namespace tarvelo::test
