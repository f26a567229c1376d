#include "support/temp_folder.h"
#include "ui/sdl_sound.h"

#include <chrono>
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

TEST(SdlSoundTest, PlaysTheTuneAndAWaveOnTheDummyDevice)
{
    SdlSound sound;
    ASSERT_TRUE(sound.AudioOpen());
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

    sound.StopMusic();
    sound.CloseMusic();
    EXPECT_EQ(sound.MusicLength(), 0);
}

TEST(SdlSoundTest, AFinishedTuneStandsAtItsLength)
{
    // One quarter note at the default tempo: half a second.
    const std::string shortTune("MThd\0\0\0\6\0\0\0\1\1\xe0"
                                "MTrk\0\0\0\x0d\0\x90\x3c\x64\x83\x60\x80\x3c\0\0\xff\x2f\0",
                                35);
    test::TempFolder folder;
    folder.Write("short.mid", shortTune);
    SdlSound sound;
    ASSERT_TRUE(sound.OpenMusic(folder.File("short.mid")));
    sound.PlayMusic();
    ASSERT_TRUE(Eventually([&] { return sound.MusicLength() > 0; }));
    EXPECT_TRUE(Eventually([&] { return sound.MusicPosition() >= sound.MusicLength(); }))
        << "the watchdog restarts the tune from here";
}

TEST(SdlSoundTest, MissingFilesPlayNothing)
{
    SdlSound sound;
    EXPECT_FALSE(sound.PlayWave(kData + "no such sound.wav"));
    EXPECT_FALSE(sound.OpenMusic(kData + "no such tune.mid"));
    EXPECT_FALSE(sound.OpenMusic(kData + "Dalmor_Done.wav")) << "not a MIDI file";
    sound.PlayMusic();
    sound.StopMusic();
    EXPECT_EQ(sound.MusicPosition(), 0);
}

TEST(SdlSoundTest, WithoutASoundfontOnlyTheTuneIsSilent)
{
    SdlSound sound("");
    EXPECT_FALSE(sound.MusicAvailable());
    EXPECT_FALSE(sound.OpenMusic(kData + "dw1_kng.mid"));
    EXPECT_EQ(sound.MusicLength(), 0);
}

} // namespace
} // namespace tarvelo
