#pragma once

namespace tarvelo {

// A calendar day; the default is the date the settings file's "begindate"
// holds when no date was stored.
struct Date
{
    int year = 1980;
    int month = 9;
    int day = 29;
};

// Today's date, injected so the logic never reads the wall clock itself.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual Date Today() const = 0;
};

} // namespace tarvelo
