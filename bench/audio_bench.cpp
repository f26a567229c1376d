// The audio module as the program opens it: the time from the start of the
// loading to the first wave playing (what a sound waits at most when it comes
// before the loading has ended) and the resident memory the module adds; then
// the CPU cost while the tune plays: the process's CPU time over a stretch of
// wall time, as a share of one core. Run with a real device or with
// SDL_AUDIODRIVER=dummy (which keeps the device's pace).
//
//     tarvelo_audio_bench [seconds]

#include "ui/program_sound.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <thread>

namespace {

double ResidentMegabytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atof(line.c_str() + 6) / 1024;
    }
    return 0;
}

double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double CpuShare(double seconds)
{
    const double cpuStart = CpuSeconds();
    const auto wallStart = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    const double wall =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    return 100 * (CpuSeconds() - cpuStart) / wall;
}

} // namespace

int main(int argc, char* argv[])
{
    const double seconds = argc > 1 ? std::atof(argv[1]) : 10;
    const double residentBefore = ResidentMegabytes();
    const auto loadStart = std::chrono::steady_clock::now();
    tarvelo::ui::ModuleSound sound;
    sound.StartLoading({TARVELO_AUDIO_MODULE});
    if (!sound.PlayWave(TARVELO_DATA_DIR "/Dalmor_Done.wav")) {
        std::fprintf(stderr, "no audio device\n");
        return 1;
    }
    const std::chrono::duration<double, std::milli> loading =
        std::chrono::steady_clock::now() - loadStart;
    const double residentLoaded = ResidentMegabytes();
    const double idle = CpuShare(seconds / 2);
    if (!sound.OpenMusic(TARVELO_DATA_DIR "/dw1_kng.mid")) {
        std::fprintf(stderr, "the tune does not open (no soundfont?)\n");
        return 1;
    }
    sound.PlayMusic();
    const double playing = CpuShare(seconds);
    std::printf("module, device and soundfont opened, first wave started: %.1f ms, "
                "resident memory %+.1f MB\n",
                loading.count(), residentLoaded - residentBefore);
    std::printf("device open, silent: %.2f %% of one core\n", idle);
    std::printf("tune playing:        %.2f %% of one core (position %.0f of %.0f ticks)\n", playing,
                sound.MusicPosition(), sound.MusicLength());
    sound.StopMusic();
    sound.CloseMusic();
    return 0;
}
