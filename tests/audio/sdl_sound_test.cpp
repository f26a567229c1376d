#include "ui/sdl_sound.h"

#include <chrono>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace tarvelo {
namespace {

const std::string kData = TARVELO_DATA_DIR "/";

// Waits for the audio thread, which runs at the pace of the device; the
// limit only guards against a hang.
bool Eventually(const std::function<bool()>& condition)
{
    for (int i = 0; i < 500; ++i) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// Regression: once the audio device was open, SIGTERM no longer ended the
// program (SDL caught it).
TEST(SdlSoundTest, PlaysTheTuneAndAWaveOnTheDummyDeviceLeavingTheSignalsAlone)
{
    SdlSound sound;
    ASSERT_TRUE(sound.AudioOpen());
    for (int signal : {SIGINT, SIGTERM}) {
        struct sigaction action
        {};
        ASSERT_EQ(sigaction(signal, nullptr, &action), 0);
        EXPECT_EQ(action.sa_handler, SIG_DFL) << "signal " << signal;
    }
    ASSERT_TRUE(sound.MusicAvailable()) << "soundfont: " << SdlSound::DefaultSoundFont();

    ASSERT_TRUE(sound.OpenMusic(kData + "dw1_kng.mid"));
    sound.PlayMusic();
    ASSERT_TRUE(Eventually([&] { return sound.MusicLength() > 0; }));
    const double start = sound.MusicPosition();
    ASSERT_TRUE(Eventually([&] { return sound.MusicPosition() > start; })) << "position grows";
    EXPECT_LT(sound.MusicPosition(), sound.MusicLength());

    EXPECT_TRUE(sound.PlayWave(kData + "Dalmor_NextLevel.wav"));
    EXPECT_FALSE(sound.PlayWave(kData + "Dalmor_Done.wav")) << "refused while one plays";
    EXPECT_TRUE(Eventually([&] { return sound.PlayWave(kData + "Dalmor_Done.wav"); }));
    sound.CloseMusic();
    EXPECT_EQ(sound.MusicLength(), 0);
    EXPECT_FALSE(sound.OpenMusic(kData + "Dalmor_Done.wav")) << "not a MIDI file";
    EXPECT_FALSE(SdlSound("").OpenMusic(kData + "dw1_kng.mid")) << "no soundfont";
}

} // namespace
} // namespace tarvelo
