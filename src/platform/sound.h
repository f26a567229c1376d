#pragma once

#include <string>

namespace tarvelo {

// The audio layer: short wave sounds and one MIDI tune at a time. Without an
// audio device every call quietly does nothing (and reports failure).
class Sound
{
public:
    virtual ~Sound() = default;

    // Starts `path` playing in the background. Refused while another wave of
    // the program still plays (nothing is interrupted); a missing file plays
    // nothing. True when the sound started.
    virtual bool PlayWave(const std::string& path) = 0;

    // The tune: open a file, play it from the start, stop, close. Length and
    // position are in the same unit of the layer's choosing; a length of 0
    // means nothing is known (no tune open, or a failed query).
    virtual bool OpenMusic(const std::string& path) = 0;
    virtual void PlayMusic() = 0;
    virtual void StopMusic() = 0;
    virtual void CloseMusic() = 0;
    virtual double MusicLength() = 0;
    virtual double MusicPosition() = 0;
};

} // namespace tarvelo
