// CPU cost of the audio layer while the tune plays: the process's CPU time
// over a stretch of wall time, as a share of one core. Run with a real device
// or with SDL_AUDIODRIVER=dummy (which keeps the device's pace).
//
//     tarvelo_audio_bench [seconds]

#include "ui/sdl_sound.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <thread>

namespace {

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
    tarvelo::SdlSound sound;
    if (!sound.AudioOpen() || !sound.MusicAvailable()) {
        std::fprintf(stderr, "no audio device or no soundfont\n");
        return 1;
    }
    const double idle = CpuShare(seconds / 2);
    if (!sound.OpenMusic(TARVELO_DATA_DIR "/dw1_kng.mid")) {
        std::fprintf(stderr, "the tune does not open\n");
        return 1;
    }
    sound.PlayMusic();
    const double playing = CpuShare(seconds);
    std::printf("device open, silent: %.2f %% of one core\n", idle);
    std::printf("tune playing:        %.2f %% of one core (position %.0f of %.0f ticks)\n", playing,
                sound.MusicPosition(), sound.MusicLength());
    sound.StopMusic();
    sound.CloseMusic();
    return 0;
}
