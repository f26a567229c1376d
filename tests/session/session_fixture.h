#pragma once

#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "session/typing_engine.h"
#include "state/complete_totals.h"
#include "state/current_user.h"
#include "state/letter_tallies.h"
#include "support/fake_platform.h"
#include "support/fixed_lines.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <string>

namespace tarvelo::test {

// A session on a fresh profile whose lines come from a queue.
class SessionFixture : public ::testing::Test
{
protected:
    SessionFixture()
    {
        user.TypeMode = RunMode::Practice;
        layout.Load(profile);
    }

    void Start(std::deque<std::string> queue, bool ai = false, bool practice = true)
    {
        lines = FixedLines(std::move(queue));
        engine.SetOptions({.backspace = true, .detection = ai, .beepOnError = true});
        user.TypeMode = practice ? RunMode::Practice : RunMode::Lesson;
        engine.BeginOrNext();
    }

    void Type(const std::string& keys)
    {
        for (char c : keys)
            engine.TypeKey(static_cast<unsigned char>(c));
    }

    // The typed positions 1..n as text (~ for none), then their marks as
    // letters: . correct, R red, G green, M magenta.
    std::string Typed(int n) const
    {
        std::string text;
        std::string marks;
        for (int i = 1; i <= n; ++i) {
            text.push_back(
                engine.Line().ShownAt(i) == 0 ? '~' : static_cast<char>(engine.Line().ShownAt(i)));
            marks += ".RGM"[static_cast<int>(engine.Line().MarkAt(i))];
        }
        return text + " " + marks;
    }
    // Expected line, cursor, keys, sentence/session errors, position, beeps.
    std::string Counts() const
    {
        const auto& s = engine.Stats();
        return "'" + engine.ExpectedText() + "' pos " +
               std::to_string(engine.Line().SentencePosition) + " keys " +
               std::to_string(engine.Line().KeyCount) + " errors " +
               std::to_string(s.SentenceErrors) + "/" + std::to_string(s.SessionErrors) + " at " +
               std::to_string(s.SessionPosition) + " beeps " + std::to_string(beeper.beeps);
    }
    int Errors(char letter) const
    {
        return tallies.ErrorCount(user.UserSlot,
                                  LetterTallies::Fold(static_cast<unsigned char>(letter)));
    }

    TempFolder folder;
    ProfileStore profile{folder.Path()};
    CurrentUser user;
    FixedLines lines{{}};
    KeyboardLayout layout;
    CountingBeeper beeper;
    CompleteTotals totals;
    LetterTallies tallies;
    TypingEngine engine{SessionContext{profile, user, lines, layout, beeper}, totals, tallies};
};

} // namespace tarvelo::test
