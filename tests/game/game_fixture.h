#pragma once

#include "game/typing_game.h"
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "state/current_user.h"
#include "support/game_fakes.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <memory>

namespace tarvelo::test {

// A game for user "Tester" on a fresh profile with the default layout.
class GameFixture : public ::testing::Test
{
protected:
    GameFixture()
    {
        user.SelectSlot(0);
        user.UserName = "Tester";
        folder.Write(TypingGame::kTuneFile, "MThd");
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
        game = std::make_unique<TypingGame>(Context());
        game->Load();
        return *game;
    }

    GameContext Context()
    {
        return {profile, user,  layout,   dialogs,    sound_,
                random,  clock, averages, lastResult, folder.Path()};
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
