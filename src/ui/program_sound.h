#pragma once

#include "platform/sound.h"

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace tarvelo::ui {

// The audio layer of a program run: a Sound that forwards to the audio module
// (ui/audio_module.h) once it is open. The module opens on a thread of its
// own, started when a window that makes sounds opens, so neither the start
// nor that window waits for SDL, the audio device and the soundfont; a call
// that comes before the opening has ended waits for it. Without the module
// or without an audio device every call does nothing (as Sound promises) and
// the reason is told once on the standard error. All calls come from the
// window thread.
class ModuleSound final : public Sound
{
public:
    ModuleSound() = default;
    ~ModuleSound() override;
    ModuleSound(const ModuleSound&) = delete;
    ModuleSound& operator=(const ModuleSound&) = delete;

    // Starts opening the first of `modulePaths` that exists; later calls do
    // nothing. A call to the layer before this one opens nothing: silence.
    void StartLoading(std::vector<std::string> modulePaths);

    bool PlayWave(const std::string& path) override;
    bool OpenMusic(const std::string& path) override;
    void PlayMusic() override;
    void StopMusic() override;
    void CloseMusic() override;
    double MusicLength() override;
    double MusicPosition() override;

private:
    // Waits for the opening; null when the layer is silent.
    Sound* Loaded();

    bool m_started = false;
    std::thread m_loader;
    // Written by the loader, read once it is joined.
    std::unique_ptr<Sound> m_sound;
};

// The one audio layer of the program run, shared by the windows that make
// sounds.
ModuleSound& ProgramSound();

} // namespace tarvelo::ui
