#pragma once

namespace tarvelo {

struct CalendarDate
{
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31
};

// Today's date, as the local calendar gives it.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual CalendarDate Today() const = 0;
};

} // namespace tarvelo
