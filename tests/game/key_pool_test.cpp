#include "game/key_pool.h"
#include "game_fixture.h"

#include <gtest/gtest.h>
#include <tuple>

namespace tarvelo {
namespace {

using KeyPanel = test::GameFixture;

constexpr std::string_view kDefaultStream = "0102030405060708091011121314151617181922232425262728";

class KeyPoolTest : public test::GameFixture
{
protected:
    KeyPoolTest()
    {
        layout.Load(profile);
        pool.Build(layout);
    }
    KeyPool pool;
};

TEST_F(KeyPoolTest, StreamsAndPlayableCounts)
{
    const std::tuple<const char*, std::string_view, LetterCase, int, std::string_view> rows[] = {
        {"default_mixed", kDefaultStream, LetterCase::Mixed, 52, kDefaultStream},
        {"symbol_keys_both_symbols", "2120", LetterCase::Lowercase, 4, "2021"},
        {"comma_alone", "29", LetterCase::Mixed, 1, "29"},
        {"key_without_caption_dropped", "0146", LetterCase::Uppercase, 1, "01"},
        // Damaged streams: only whole pairs naming a selectable key count.
        {"shift_and_space_keys", "323334", LetterCase::Mixed, 0, ""},
        {"outside_1_to_49", "005099", LetterCase::Uppercase, 0, ""},
        {"non_digits", "a1 2x-1", LetterCase::Uppercase, 0, ""},
        {"lone_last_character", "015", LetterCase::Uppercase, 1, "01"},
    };
    for (const auto& [name, stream, letterCase, playable, saved] : rows) {
        pool.Build(layout);
        pool.SelectStream(stream);
        EXPECT_EQ(pool.Save(letterCase), saved) << name;
        EXPECT_EQ(pool.PlayableCount(), playable) << name;
    }
    EXPECT_FALSE(pool.Playable()[0]);
    pool.SelectStream("01");
    pool.Save(LetterCase::Lowercase);
    EXPECT_TRUE(pool.Playable()['q']);
    EXPECT_FALSE(pool.Playable()['Q']);
    EXPECT_EQ(LetterCaseFromStored(7), LetterCase::Mixed);
    EXPECT_EQ(NextLetterCase(LetterCase::Mixed), LetterCase::Uppercase);
}

TEST_F(KeyPoolTest, PanelActions)
{
    pool.ToggleKey(KeyboardLayout::kSpaceBar);
    pool.ToggleKey(KeyboardLayout::kLeftShift);
    pool.ToggleKey(46); // no caption
    EXPECT_EQ(pool.Save(LetterCase::Uppercase), "");

    pool.SelectAll();
    EXPECT_EQ(pool.Save(LetterCase::Uppercase).size(), 35u * 2) << "every captioned key";
    EXPECT_EQ(pool.PlayableCount(), 38);
    pool.SelectAll();
    pool.SelectAll();
    EXPECT_EQ(pool.Save(LetterCase::Uppercase), "") << "select, then clear";

    pool.ToggleKey(20);
    pool.UseDefault();
    EXPECT_EQ(pool.Save(LetterCase::Uppercase), kDefaultStream);
    pool.ToggleKey(1);
    EXPECT_FALSE(pool.Selected(1));
}

// An empty pool keeps the panel open and refuses to start; emptying it ends
// a running game as counted; the case is written at once.
TEST_F(KeyPanel, EmptyPoolRefusesOrEndsTheGameTheCaseIsWrittenAtOnce)
{
    Load("");
    EXPECT_TRUE(game->KeyPanelOpen());
    EXPECT_EQ(dialogs.shown.size(), 1u);
    game->StartGame();
    EXPECT_FALSE(game->Running());
    game->UseDefaultKeys();
    game->SaveKeyPool();
    EXPECT_FALSE(game->KeyPanelOpen());
    EXPECT_EQ(profile.Read(user.UserSection, settings::kLetterStream), kDefaultStream);

    Load("01", 5);
    game->StartGame();
    game->OpenKeyPanel();
    game->CycleLetterCase();
    game->CycleLetterCase();
    EXPECT_EQ(profile.Read(user.UserSection, settings::kLetterCase), 1);
    EXPECT_EQ(game->Pool().PlayableCount(), 2) << "the set changes at the next save";
    game->ToggleKey(1);
    game->SaveKeyPool();
    EXPECT_FALSE(game->Running());
    EXPECT_EQ(averages.GamesPlayed, 1);
}

} // namespace
} // namespace tarvelo
