#include "commands.h"
#include "json_bytes.h"
#include "platform/beeper.h"
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "session/typing_engine.h"
#include "state/complete_totals.h"
#include "state/current_user.h"
#include "state/letter_tallies.h"
#include "support/fixed_lines.h"
#include "support/temp_folder.h"

#include <iostream>

namespace tarvelo::probe {
namespace {

class CountingBeeper : public Beeper
{
public:
    void Beep() override { ++beeps; }
    int beeps = 0;
};

// Marks answer as the colours the session shows them in (0x00BBGGRR).
std::int32_t MarkColour(Mark mark)
{
    switch (mark) {
    case Mark::Correct:
        return 0;
    case Mark::Wrong:
        return 255;
    case Mark::SwappedFirst:
        return 65280;
    case Mark::SwappedSecond:
        return 16711935;
    }
    return 0;
}

nlohmann::json Tallies(const LetterTallies& tallies, bool errors)
{
    nlohmann::json counts = nlohmann::json::object();
    for (int code = 0; code <= 255; ++code) {
        const int n = errors ? tallies.ErrorCount(0, code) : tallies.TypedCount(0, code);
        if (n != 0)
            counts[std::to_string(code)] = n;
    }
    return counts;
}

nlohmann::json RunSession(const nlohmann::json& request)
{
    const std::string expected = JsonToBytes(request.at("expected"));
    test::TempFolder folder;
    ProfileStore profile(folder.Path());
    CurrentUser user;
    // "mode": 0 practice, 2 drills, any other number the lessons.
    const int mode = request.at("mode").get<int>();
    user.TypeMode = mode == 0 ? RunMode::Practice : mode == 2 ? RunMode::Drill : RunMode::Lesson;
    FixedLines lines({expected});
    KeyboardLayout layout;
    layout.Load(profile);
    CountingBeeper beeper;
    CompleteTotals totals;
    LetterTallies tallies;
    TypingEngine engine({profile, user, lines, layout, beeper}, totals, tallies);
    engine.SetOptions({.backspace = request.at("backspace").get<bool>(),
                       .detection = request.at("ai").get<bool>(),
                       .beepOnError = request.at("sound").get<bool>()});

    engine.BeginOrNext();
    nlohmann::json trace = nlohmann::json::array();
    nlohmann::json finishedLines = nlohmann::json::array();
    const TypingLine& line = engine.Line();
    const TypingStats& stats = engine.Stats();
    for (const auto& key : request.at("keys")) {
        const unsigned rowsBefore = stats.Panel().lastRowUpdates;
        engine.TypeKey(key.get<int>());
        trace.push_back({line.SentencePosition, line.KeyCount, line.ConfirmedPosition,
                         stats.SentenceErrors, stats.SessionErrors, stats.SessionPosition});
        if (stats.Panel().lastRowUpdates != rowsBefore)
            finishedLines.push_back({std::stoi(stats.Panel().lastLineErrors),
                                     std::stoi(stats.Panel().lastLinePercentage),
                                     std::stoi(stats.Panel().lastLineWpm)});
    }

    nlohmann::json marks = nlohmann::json::array();
    nlohmann::json shown = nlohmann::json::array();
    for (int i = 1; i <= TypingLine::kSlots; ++i) {
        marks.push_back(MarkColour(line.MarkAt(i)));
        const int c = line.ShownAt(i);
        shown.push_back(BytesToJson(
            c == TypingLine::kEmpty ? std::string() : std::string(1, static_cast<char>(c))));
    }
    return {{"trace", trace},
            {"beeps", beeper.beeps},
            {"marks", marks},
            {"shown", shown},
            {"letterTyped", Tallies(tallies, false)},
            {"letterErrors", Tallies(tallies, true)},
            {"complete", {totals.CompletePosition, totals.CompleteQSeconds, totals.CompleteErrors}},
            {"lines", finishedLines}};
}

} // namespace

int RunType(std::istream& in, std::ostream& out)
{
    return ForEachJsonLine(in, out, RunSession);
}

} // namespace tarvelo::probe
