// The keystroke engine: any lines, any key codes, Stop, Next and timer ticks,
// with and without intelligent detection, in lessons and in practice.
#include "state/current_user.h"
#include "platform/beeper.h"
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "scratch_folder.h"
#include "support/fixed_lines.h"
#include "session/typing_engine.h"
#include "state/complete_totals.h"
#include "state/letter_tallies.h"

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

class SilentBeeper : public tarvelo::Beeper
{
public:
    void Beep() override {}
};

enum class Step
{
    Key,
    BeginOrNext,
    Stop,
    StatsTick,
    CaretTick,
    FlashTick,
    kMaxValue = FlashTick,
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace tarvelo;
    FuzzedDataProvider input(data, size);
    fuzz::WriteScratchFile(ProfileStore::kFileName, "[users]\r\nlastuser=352\r\n");
    ProfileStore profile(fuzz::ScratchFolder());
    KeyboardLayout layout;
    layout.Load(profile);
    CurrentUser user;
    user.TypeMode = input.ConsumeBool() ? RunMode::Practice : RunMode::Lesson;
    std::deque<std::string> queue;
    for (int i = input.ConsumeIntegralInRange(0, 3); i > 0; --i)
        queue.push_back(input.ConsumeRandomLengthString(90));
    FixedLines lines(queue);
    SilentBeeper beeper;
    CompleteTotals totals;
    LetterTallies tallies;
    TypingEngine engine({profile, user, lines, layout, beeper}, totals, tallies);
    TypingOptions options;
    options.detection = input.ConsumeBool();
    options.backspace = input.ConsumeBool();
    engine.SetOptions(options);

    for (int step = 0; step < 400 && input.remaining_bytes() > 0; ++step) {
        switch (input.ConsumeEnum<Step>()) {
        case Step::Key:
            engine.TypeKey(input.ConsumeIntegralInRange(0, 255));
            break;
        case Step::BeginOrNext:
            engine.BeginOrNext();
            break;
        case Step::Stop:
            engine.StopTyping();
            break;
        case Step::StatsTick:
            engine.StatsTick();
            break;
        case Step::CaretTick:
            engine.CaretTick();
            break;
        case Step::FlashTick: // kept so that the seed corpus keeps its meaning
            (void)engine.RefusalCount();
            break;
        }
        Check(totals.CompletePosition >= 0 && totals.CompleteErrors >= 0);
        (void)engine.ExpectedText();
        (void)engine.TypedCells();
        (void)engine.CaretCell();
    }
    return 0;
}
