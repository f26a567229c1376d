#pragma once

namespace tarvelo {

// The system's standard beep.
class Beeper
{
public:
    virtual ~Beeper() = default;
    virtual void Beep() = 0;
};

} // namespace tarvelo
