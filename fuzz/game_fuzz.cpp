// The typing game: any scripted random numbers, any letter stream and level,
// and any sequence of starts, ticks, typed codes, pauses, bonus and music
// ticks, key-panel actions and aborts.
#include "game/typing_game.h"
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "scratch_folder.h"
#include "state/current_user.h"
#include "support/game_fakes.h"
#include "support/scripted_dialogs.h"

#include <cstdint>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

enum class Step
{
    Start,
    Tick,
    Key,
    Pause,
    Bonus,
    Music,
    Abort,
    ToggleKey,
    CycleCase,
    kMaxValue = CycleCase,
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tarvelo;
    FuzzedDataProvider input(data, size);
    const std::string& folder = fuzz::ScratchFolder();
    fuzz::WriteScratchFile("Tarvelo.INI", "");
    ProfileStore profile(folder);
    CurrentUser user;
    user.SelectSlot(0);
    user.UserName = "Fuzz";
    profile.Write(user.UserSection, settings::kLetterStream, input.ConsumeRandomLengthString(60));
    profile.Write(user.UserSection, settings::kLetterCase,
                  static_cast<std::int16_t>(input.ConsumeIntegralInRange(-1, 3)));
    profile.Write(user.UserSection, settings::kGameLevel,
                  static_cast<std::int16_t>(input.ConsumeIntegralInRange(-2, 12)));
    KeyboardLayout layout;
    layout.Load(profile);

    test::ScriptedDialogs dialogs;
    test::RecordingSound sound;
    test::ScriptedRandom random;
    for (int i = 0; i < 64; ++i)
        random.queue.push_back(input.ConsumeProbability<double>());
    test::FixedClock clock;
    GameAverages averages;
    std::optional<ScoreTexts> lastResult;
    TypingGame game(
        {profile, user, layout, dialogs, sound, random, clock, averages, lastResult, folder});
    game.Load();

    for (int step = 0; step < 600 && input.remaining_bytes() > 0; ++step) {
        switch (input.ConsumeEnum<Step>()) {
        case Step::Start:
            game.StartGame();
            break;
        case Step::Tick:
            game.GameTick();
            break;
        case Step::Key:
            game.ProcessTypedChar(input.ConsumeIntegralInRange(1, 255));
            break;
        case Step::Pause:
            game.TogglePause();
            break;
        case Step::Bonus:
            game.ScoreAddTick();
            break;
        case Step::Music:
            game.MusicTick();
            break;
        case Step::Abort:
            game.AbortGame();
            break;
        case Step::ToggleKey:
            game.ToggleKey(input.ConsumeIntegralInRange(-1, 51));
            break;
        case Step::CycleCase:
            game.CycleLetterCase();
            break;
        }
        if (random.queue.empty())
            random.queue.push_back(input.ConsumeProbability<double>());
        Check(!game.Paused() || game.Running());
    }
    return 0;
}
