#pragma once

#include "game/typing_game.h"
#include "state/current_user.h"
#include "platform/clock.h"
#include "platform/random_source.h"
#include "platform/sound.h"
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <deque>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace tarvelo::test {

// Draws from a queue; an empty queue loses every toss.
class ScriptedRandom : public RandomSource
{
public:
    double Next() override
    {
        ++draws;
        if (queue.empty())
            return 0.0;
        const double u = queue.front();
        queue.pop_front();
        return u;
    }
    // The draws of one won toss that places `code` in `column`.
    void Spawn(int column, unsigned char code)
    {
        queue.insert(queue.end(), {0.75, (column + 0.5) / 20, (code - 0.5) / 255});
    }

    std::deque<double> queue;
    int draws = 0;
};

// Records every call as a word; the tune's length and position are set by
// the test.
class RecordingSound : public Sound
{
public:
    bool PlayWave(const std::string& path) override { return Record("wave " + path); }
    bool OpenMusic(const std::string&) override { return Record("open"); }
    void PlayMusic() override { Record("play"); }
    void StopMusic() override { Record("stop"); }
    void CloseMusic() override { Record("close"); }
    double MusicLength() override { return length; }
    double MusicPosition() override { return position; }

    bool Record(std::string call)
    {
        calls.push_back(std::move(call));
        return true;
    }
    std::vector<std::string> calls;
    double length = 0;
    double position = 0;
};

class FixedClock : public Clock
{
public:
    CalendarDate Today() const override { return today; }
    CalendarDate today{2026, 3, 7};
};

// A game for user "Tester" on a fresh profile with the default layout.
class GameFixture : public ::testing::Test
{
protected:
    GameFixture()
    {
        user.SelectSlot(0);
        user.UserName = "Tester";
    }

    // Writes the user's game keys, then loads the window's game.
    TypingGame&
    Load(std::string_view stream = "0102030405060708091011121314151617181922232425262728",
         int letterCase = 0, int level = 1, bool sound = true)
    {
        profile.Write(user.UserSection, settings::kLetterStream, stream);
        profile.Write(user.UserSection, settings::kLetterCase, letterCase);
        profile.Write(user.UserSection, settings::kGameLevel, level);
        profile.Write(user.UserSection, settings::kGameSound, sound);
        layout.Load(profile);
        game =
            std::make_unique<TypingGame>(GameContext{profile, user, layout, dialogs, sound_, random,
                                                     clock, averages, lastResult, folder.Path()});
        game->Load();
        return *game;
    }

    void Ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            game->GameTick();
    }

    void Type(std::string_view keys)
    {
        for (char c : keys)
            game->ProcessTypedChar(static_cast<unsigned char>(c));
    }

    // Places a character in `column` and lets it land (it falls 17 rows).
    void Land(int column, char letter)
    {
        random.Spawn(column, static_cast<unsigned char>(letter));
        Ticks(18);
    }

    TempFolder folder;
    ProfileStore profile{folder.Path()};
    CurrentUser user;
    KeyboardLayout layout;
    ScriptedDialogs dialogs;
    RecordingSound sound_;
    ScriptedRandom random;
    FixedClock clock;
    GameAverages averages;
    std::optional<ScoreTexts> lastResult;
    std::unique_ptr<TypingGame> game;
};

} // namespace tarvelo::test
