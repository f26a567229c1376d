#include "ui/timer_sync.h"

#include <QTimer>

namespace tarvelo::ui {

void SyncTimer(QTimer& timer, const TimerState& state, unsigned& seen)
{
    if (!state.enabled) {
        if (timer.isActive())
            timer.stop();
    } else if (!timer.isActive() || state.restarts != seen ||
               timer.interval() != state.intervalMs) {
        timer.start(state.intervalMs);
    }
    seen = state.restarts;
}

} // namespace tarvelo::ui
