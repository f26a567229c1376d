#pragma once

#include "state/timer_state.h"

#include <QTimer>

namespace tarvelo::ui {

// A precise timer that follows the logic's timer state: stopped while
// disabled, started when enabled and idle, restarted when the logic asks for
// a fresh start (`restarts` grew) or changed the interval.
class LogicTimer : public QTimer
{
public:
    LogicTimer(const char* name, QObject* parent);

    void follow(const TimerState& state);

private:
    unsigned m_seen = 0;
};

} // namespace tarvelo::ui
