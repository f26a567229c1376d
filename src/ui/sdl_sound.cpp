#include "ui/sdl_sound.h"

#include "ui/audio_module.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <cstring>
#include <fluidsynth.h>
#include <sys/stat.h>

namespace tarvelo {
namespace {

constexpr int kFrequency = 44100;
constexpr int kChannels = 2;
constexpr int kChunkFrames = 1024;
constexpr double kSynthGain = 0.6;

bool IsFile(const std::string& path)
{
    struct stat info
    {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void QuietLog(int, const char*, void*) {}

} // namespace

std::string SdlSound::DefaultSoundFont()
{
    for (const char* path :
         {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2"}) {
        if (IsFile(path))
            return path;
    }
    return {};
}

SdlSound::SdlSound(const std::string& soundFont)
{
    // SDL would turn SIGINT and SIGTERM into quit events nobody reads, and the
    // program would no longer end on them.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0)
        return;
    // The mixer converts for the device, so the synth always renders 16-bit
    // stereo at kFrequency.
    if (Mix_OpenAudioDevice(kFrequency, AUDIO_S16SYS, kChannels, kChunkFrames, nullptr, 0) != 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return;
    }
    m_audioOpen = true;

    if (!IsFile(soundFont))
        return;
    for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, QuietLog, nullptr);
    m_settings = new_fluid_settings();
    fluid_settings_setnum(m_settings, "synth.sample-rate", kFrequency);
    fluid_settings_setnum(m_settings, "synth.gain", kSynthGain);
    // The player's clock is the rendered samples, not a timer thread.
    fluid_settings_setstr(m_settings, "player.timing-source", "sample");
    m_synth = new_fluid_synth(m_settings);
    if (m_synth == nullptr || fluid_synth_sfload(m_synth, soundFont.c_str(), 1) == FLUID_FAILED) {
        if (m_synth != nullptr)
            delete_fluid_synth(m_synth);
        m_synth = nullptr;
        return;
    }
    Mix_HookMusic(&SdlSound::RenderMusic, this);
}

SdlSound::~SdlSound()
{
    if (!m_audioOpen)
        return;
    Mix_HookMusic(nullptr, nullptr);
    Mix_HaltChannel(-1);
    Mix_CloseAudio();
    for (auto& [path, chunk] : m_waves)
        Mix_FreeChunk(chunk);
    if (m_player != nullptr)
        delete_fluid_player(m_player);
    if (m_synth != nullptr)
        delete_fluid_synth(m_synth);
    if (m_settings != nullptr)
        delete_fluid_settings(m_settings);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlSound::RenderMusic(void* self, std::uint8_t* stream, int bytes)
{
    static_cast<SdlSound*>(self)->Render(stream, bytes);
}

void SdlSound::Render(std::uint8_t* stream, int bytes)
{
    std::lock_guard lock(m_musicLock);
    const int frames = bytes / (kChannels * static_cast<int>(sizeof(std::int16_t)));
    if (m_synth == nullptr || fluid_synth_write_s16(m_synth, frames, stream, 0, kChannels, stream,
                                                    1, kChannels) != FLUID_OK)
        std::memset(stream, 0, static_cast<std::size_t>(bytes));
}

bool SdlSound::PlayWave(const std::string& path)
{
    // Another wave still playing keeps the channel: nothing is interrupted.
    if (!m_audioOpen || Mix_Playing(-1) > 0)
        return false;
    auto found = m_waves.find(path);
    if (found == m_waves.end()) {
        Mix_Chunk* chunk = IsFile(path) ? Mix_LoadWAV(path.c_str()) : nullptr;
        if (chunk == nullptr)
            return false;
        found = m_waves.emplace(path, chunk).first;
    }
    return Mix_PlayChannel(-1, found->second, 0) != -1;
}

bool SdlSound::OpenMusic(const std::string& path)
{
    if (m_synth == nullptr || !IsFile(path) || !fluid_is_midifile(path.c_str()))
        return false;
    CloseMusic();
    std::lock_guard lock(m_musicLock);
    m_player = new_fluid_player(m_synth);
    if (m_player != nullptr && fluid_player_add(m_player, path.c_str()) == FLUID_OK)
        return true;
    if (m_player != nullptr)
        delete_fluid_player(m_player);
    m_player = nullptr;
    return false;
}

void SdlSound::PlayMusic()
{
    std::lock_guard lock(m_musicLock);
    if (m_player != nullptr)
        fluid_player_play(m_player);
}

void SdlSound::StopMusic()
{
    std::lock_guard lock(m_musicLock);
    if (m_player == nullptr)
        return;
    fluid_player_stop(m_player);
    fluid_synth_all_notes_off(m_synth, -1);
}

void SdlSound::CloseMusic()
{
    std::lock_guard lock(m_musicLock);
    if (m_player == nullptr)
        return;
    fluid_player_stop(m_player);
    delete_fluid_player(m_player);
    m_player = nullptr;
    fluid_synth_system_reset(m_synth);
}

double SdlSound::MusicLength()
{
    std::lock_guard lock(m_musicLock);
    return m_player != nullptr ? fluid_player_get_total_ticks(m_player) : 0;
}

double SdlSound::MusicPosition()
{
    std::lock_guard lock(m_musicLock);
    if (m_player == nullptr)
        return 0;
    // A finished player stands at its end.
    if (fluid_player_get_status(m_player) == FLUID_PLAYER_DONE)
        return fluid_player_get_total_ticks(m_player);
    return fluid_player_get_current_tick(m_player);
}

} // namespace tarvelo

// The module's entry point, found by name (ui::kOpenSoundSymbol).
extern "C" tarvelo::Sound* tarvelo_open_sound(std::string& problem)
{
    auto* sound = new tarvelo::SdlSound();
    if (!sound->AudioOpen())
        problem =
            std::string("no audio device (") + SDL_GetError() + "): the program runs without sound";
    else if (!sound->MusicAvailable())
        problem = "no General MIDI soundfont: the game's tune stays silent";
    return sound;
}
[[maybe_unused]] constexpr tarvelo::ui::OpenSoundFunction kEntryMatchesItsType =
    &tarvelo_open_sound;
