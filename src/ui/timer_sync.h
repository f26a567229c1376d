#pragma once

#include "state/timer_state.h"

class QTimer;

namespace tarvelo::ui {

// Makes `timer` follow the logic's timer state: stopped while disabled,
// started when enabled and idle, restarted when the logic asks for a fresh
// start (`restarts` grew past `seen`) or changed the interval.
void SyncTimer(QTimer& timer, const TimerState& state, unsigned& seen);

} // namespace tarvelo::ui
