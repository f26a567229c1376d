#include "ui/logic_timer.h"

namespace tarvelo::ui {

LogicTimer::LogicTimer(const char* name, QObject* parent) : QTimer(parent)
{
    setObjectName(name);
    setTimerType(Qt::PreciseTimer);
}

void LogicTimer::follow(const TimerState& state)
{
    if (!state.enabled) {
        if (isActive())
            stop();
    } else if (!isActive() || state.restarts != m_seen || interval() != state.intervalMs) {
        start(state.intervalMs);
    }
    m_seen = state.restarts;
}

} // namespace tarvelo::ui
