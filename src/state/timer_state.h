#pragma once

namespace tarvelo {

// A timer a window runs for the logic. `restarts` grows whenever the logic
// wants the timer started afresh.
struct TimerState
{
    bool enabled = false;
    int intervalMs = 0;
    unsigned restarts = 0;
};

} // namespace tarvelo
