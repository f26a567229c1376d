#include "support/temp_folder.h"
#include "ui/program_sound.h"
#include "ui/sdl_sound.h"

#include <chrono>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <thread>

namespace tarvelo::ui {
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

// Runs `calls` on the layer, returning what it wrote on the standard error.
std::string ToldWhile(const std::function<void()>& calls)
{
    testing::internal::CaptureStderr();
    calls();
    return testing::internal::GetCapturedStderr();
}

TEST(ModuleSoundTest, OpensTheFirstModuleThatExistsOrIsSilentAndSaysSoOnce)
{
    ModuleSound working;
    working.StartLoading({"/nonexistent/libtarvelo_audio.so", TARVELO_AUDIO_MODULE});
    EXPECT_EQ(ToldWhile([&] { EXPECT_TRUE(working.PlayWave(kData + "Dalmor_Done.wav")); }), "");
    EXPECT_TRUE(working.OpenMusic(kData + "dw1_kng.mid"));

    test::TempFolder folder;
    folder.Write("libtarvelo_audio.so", "not a library");
    const struct
    {
        const char* name;
        std::vector<std::string> paths;
        const char* told;
    } cases[] = {
        {"missing", {folder.File("none.so")}, "libtarvelo_audio.so is not installed"},
        {"not a library", {folder.File("libtarvelo_audio.so")}, "does not load"},
        {"never started", {}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ModuleSound sound;
        const std::string told = ToldWhile([&] {
            if (c.told)
                sound.StartLoading(c.paths);
            for (int i = 0; i < 2; ++i) {
                EXPECT_FALSE(sound.PlayWave(kData + "Dalmor_Done.wav"));
                EXPECT_FALSE(sound.OpenMusic(kData + "dw1_kng.mid"));
                sound.PlayMusic();
                EXPECT_EQ(sound.MusicLength(), 0);
            }
        });
        if (!c.told) {
            EXPECT_EQ(told, "");
            continue;
        }
        EXPECT_NE(told.find(c.told), std::string::npos) << told;
        EXPECT_NE(told.find("without sound"), std::string::npos) << told;
        EXPECT_EQ(told.find('\n'), told.size() - 1) << "told once: " << told;
    }
}

} // namespace
} // namespace tarvelo::ui
