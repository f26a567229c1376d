#include "game/game_music.h"

#include "platform/sound.h"

namespace tarvelo {

GameMusic::GameMusic(Sound& sound, std::string tunePath)
    : m_sound(sound), m_tunePath(std::move(tunePath))
{}

void GameMusic::SetTimer(bool enabled)
{
    if (enabled && !m_timer.enabled)
        ++m_timer.restarts;
    m_timer.enabled = enabled;
}

void GameMusic::PlayMidi(bool tuneOpen)
{
    // No watchdog tick while the tune is being opened.
    SetTimer(false);
    if (tuneOpen) {
        m_sound.StopMusic();
        m_sound.CloseMusic();
    }
    m_sound.OpenMusic(m_tunePath);
    m_sound.PlayMusic();
    SetTimer(true);
}

void GameMusic::StopMidi()
{
    SetTimer(false);
    m_sound.StopMusic();
    m_sound.CloseMusic();
}

void GameMusic::CheckMusic(bool gameRunning)
{
    const auto length = static_cast<float>(m_sound.MusicLength());
    if (!(length > 0))
        return;
    const auto position = static_cast<float>(m_sound.MusicPosition());
    if (position / length >= 1)
        PlayMidi(gameRunning);
}

} // namespace tarvelo
