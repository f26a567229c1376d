#pragma once

#include "state/timer_state.h"

#include <string>

namespace tarvelo {

class Sound;

// The background tune and its watchdog timer (tmrMusic): the tune is opened
// and played, stopped and closed, and restarted by the watchdog once it has
// played to its end.
class GameMusic
{
public:
    static constexpr int kWatchdogIntervalMs = 1000;

    GameMusic(Sound& sound, std::string tunePath);

    // With `tuneOpen`, the tune that plays is stopped and closed first.
    void PlayMidi(bool tuneOpen);
    void StopMidi();
    // One watchdog tick.
    void CheckMusic(bool gameRunning);

    TimerState Watchdog() const { return m_timer; }

private:
    void SetTimer(bool enabled);

    Sound& m_sound;
    std::string m_tunePath;
    TimerState m_timer{false, kWatchdogIntervalMs, 0};
};

} // namespace tarvelo
