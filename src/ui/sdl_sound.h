#pragma once

#include "platform/sound.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <string>

struct Mix_Chunk;
struct _fluid_hashtable_t;
struct _fluid_synth_t;
struct _fluid_player_t;

namespace tarvelo {

// The audio layer over SDL2_mixer: waves play on the mixer's channels, the
// tune is played by FluidSynth with a General MIDI soundfont and rendered
// into the mixer's music hook. Length and position are the MIDI player's
// ticks. Without an audio device or a soundfont the calls quietly do nothing.
class SdlSound : public Sound
{
public:
    // The soundfont of the "timgm6mb-soundfont" package, or the system's
    // default General MIDI soundfont; empty when neither exists.
    static std::string DefaultSoundFont();

    explicit SdlSound(const std::string& soundFont = DefaultSoundFont());
    ~SdlSound() override;
    SdlSound(const SdlSound&) = delete;
    SdlSound& operator=(const SdlSound&) = delete;

    bool AudioOpen() const { return m_audioOpen; }
    bool MusicAvailable() const { return m_synth != nullptr; }

    bool PlayWave(const std::string& path) override;
    bool OpenMusic(const std::string& path) override;
    void PlayMusic() override;
    void StopMusic() override;
    void CloseMusic() override;
    double MusicLength() override;
    double MusicPosition() override;

private:
    static void RenderMusic(void* self, std::uint8_t* stream, int bytes);
    void Render(std::uint8_t* stream, int bytes);

    bool m_audioOpen = false;
    std::map<std::string, Mix_Chunk*> m_waves;
    _fluid_hashtable_t* m_settings = nullptr;
    _fluid_synth_t* m_synth = nullptr;
    _fluid_player_t* m_player = nullptr;
    // The audio thread renders the synth and the player; the window thread
    // changes them.
    std::mutex m_musicLock;
};

} // namespace tarvelo
