#include "ui/program_sound.h"

#include "ui/audio_module.h"

#include <cstdio>
#include <dlfcn.h>
#include <unistd.h>

namespace tarvelo::ui {
namespace {

// Runs on the loader thread. The module is never closed: SDL's audio thread
// runs in it until the layer is deleted at exit.
std::unique_ptr<Sound> OpenModule(const std::vector<std::string>& modulePaths, std::string& problem)
{
    constexpr const char* kSilent = ": the program runs without sound";
    for (const std::string& path : modulePaths) {
        if (::access(path.c_str(), F_OK) != 0)
            continue;
        void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            problem = std::string("the audio module does not load (") + ::dlerror() + ")" + kSilent;
            return nullptr;
        }
        const auto open = reinterpret_cast<OpenSoundFunction>(::dlsym(module, kOpenSoundSymbol));
        if (open == nullptr) {
            problem = path + " is no audio module of this program" + kSilent;
            return nullptr;
        }
        return std::unique_ptr<Sound>(open(problem));
    }
    problem = std::string("the audio module ") + kAudioModuleFile + " is not installed" + kSilent;
    return nullptr;
}

} // namespace

ModuleSound::~ModuleSound()
{
    if (m_loader.joinable())
        m_loader.join();
}

void ModuleSound::StartLoading(std::vector<std::string> modulePaths)
{
    if (m_started)
        return;
    m_started = true;
    m_loader = std::thread([this, paths = std::move(modulePaths)] {
        std::string problem;
        m_sound = OpenModule(paths, problem);
        if (!problem.empty())
            std::fprintf(stderr, "Tarvelo: %s\n", problem.c_str());
    });
}

Sound* ModuleSound::Loaded()
{
    if (m_loader.joinable())
        m_loader.join();
    return m_sound.get();
}

bool ModuleSound::PlayWave(const std::string& path)
{
    Sound* sound = Loaded();
    return sound != nullptr && sound->PlayWave(path);
}

bool ModuleSound::OpenMusic(const std::string& path)
{
    Sound* sound = Loaded();
    return sound != nullptr && sound->OpenMusic(path);
}

void ModuleSound::PlayMusic()
{
    if (Sound* sound = Loaded())
        sound->PlayMusic();
}

void ModuleSound::StopMusic()
{
    if (Sound* sound = Loaded())
        sound->StopMusic();
}

void ModuleSound::CloseMusic()
{
    if (Sound* sound = Loaded())
        sound->CloseMusic();
}

double ModuleSound::MusicLength()
{
    Sound* sound = Loaded();
    return sound != nullptr ? sound->MusicLength() : 0;
}

double ModuleSound::MusicPosition()
{
    Sound* sound = Loaded();
    return sound != nullptr ? sound->MusicPosition() : 0;
}

ModuleSound& ProgramSound()
{
    static ModuleSound sound;
    return sound;
}

} // namespace tarvelo::ui
