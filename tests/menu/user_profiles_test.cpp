#include "history/run_history.h"
#include "menu/user_profiles.h"
#include "profile/ini_document.h"
#include "profile/profile_store.h"
#include "profile/value_codec.h"
#include "state/complete_totals.h"
#include "state/game_averages.h"
#include "support/fake_platform.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tarvelo {
namespace {

// Settings as "section/key=value".
using Settings = std::vector<std::string>;

void Write(ProfileStore& store, const Settings& settings)
{
    for (const std::string& s : settings) {
        const std::size_t slash = s.find('/');
        const std::size_t equals = s.find('=', slash);
        ASSERT_TRUE(store.WriteProfile(s.substr(0, slash), s.substr(slash + 1, equals - slash - 1),
                                       s.substr(equals + 1)));
    }
}

// The settings file after `writes`, made one by one on a file holding `seed`.
std::string FileAfter(const std::string& seed, const Settings& writes)
{
    test::TempFolder other;
    other.Write(ProfileStore::kFileName, seed);
    ProfileStore single(other.Path());
    Write(single, writes);
    return other.Read(ProfileStore::kFileName);
}

class UserProfilesTest : public ::testing::Test
{
protected:
    test::TempFolder folder;
    ProfileStore store{folder.Path()};
    test::ScriptedDialogs dialogs;
    test::ScriptedNameDialog names;
    CurrentUser user;
    UserProfiles profiles{store, dialogs, names, user};

    std::string File() const { return folder.Read(ProfileStore::kFileName); }

    // Writes the settings, then loads the captions as the menu does at start-up.
    void Seed(const Settings& settings)
    {
        Write(store, settings);
        profiles.LoadCaptions();
    }

    bool Enter(int slot)
    {
        user.SelectSlot(slot);
        return profiles.EnterBox();
    }

    // The value of "section/key".
    std::string Read(std::string_view key) const
    {
        const std::size_t slash = key.find('/');
        return store.ReadProfile(key.substr(0, slash), key.substr(slash + 1), "<absent>");
    }
};

// A new name is shown but stored only when an activity starts, cut to 255
// characters; a rename stores it whole (reading back gives 170 characters:
// that is the settings file's rule).
TEST_F(UserProfilesTest, NewNameIsStoredCutWhenAnActivityStartsRenamesWhole)
{
    folder.Write(ProfileStore::kFileName, "[users]\r\nlastuser=352\r\n");
    profiles.LoadCaptions();
    std::string name300; // every prefix differs from a shorter one
    for (int i = 0; i < 300; ++i)
        name300 += static_cast<char>('a' + i % 26);
    names.answers = {std::nullopt, "", name300, name300.substr(0, 256)};
    EXPECT_FALSE(Enter(4)) << "cancelled";
    EXPECT_FALSE(Enter(4)) << "empty";
    EXPECT_EQ(user.UserName, "");
    EXPECT_TRUE(Enter(4));
    EXPECT_EQ(names.asked, (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(profiles.Caption(4), name300.substr(0, 255));
    EXPECT_EQ(user.UserName, profiles.Caption(4));
    EXPECT_EQ(File(), "[users]\r\nlastuser=352\r\n");
    CurrentUser restarted;
    UserProfiles again(store, dialogs, names, restarted);
    again.LoadCaptions();
    EXPECT_EQ(again.Caption(4), "") << "an unused new user is gone after a restart";
    const auto whole = [&] {
        return valuecodec::Decode(IniDocument::FindValue(File(), "users", "user4").value_or(""));
    };
    CompleteTotals totals;
    profiles.StartTypingSession(totals);
    EXPECT_EQ(whole(), name300.substr(0, 255));
    profiles.Rename();
    EXPECT_EQ(profiles.Caption(4), name300.substr(0, 256));
    EXPECT_EQ(whole(), name300.substr(0, 256));
}

// The user was created in this run, so only a rename stores the name; a
// cancelled or empty one rewrites the unchanged name.
TEST_F(UserProfilesTest, RenameStoresTheNameAndKeepsTheData)
{
    Seed({"users/lastuser=6", "user4/sessionnumber=12", "user4/lesson=7"});
    const std::string before = File();
    names.answers = {"Dee", std::nullopt, ""};
    ASSERT_TRUE(Enter(4));
    profiles.Rename();
    profiles.Rename();
    EXPECT_EQ(File(), FileAfter(before, {"users/user4=Dee"}));
    names.answers = {"Dan"};
    profiles.Rename();
    EXPECT_EQ(names.asked, (std::vector<std::string>{"", "Dee", "Dee", "Dee"}));
    EXPECT_EQ(profiles.Caption(4), "Dan");
    EXPECT_EQ(File(), FileAfter(before, {"users/user4=Dan"}));
}

TEST_F(UserProfilesTest, DeleteAsksThenEmptiesTheBoxAndRemovesOnlyThatUsersHistory)
{
    test::SteppedUtcClock clock;
    RunHistory history(HistoryPath(folder.Path()), clock);
    profiles.SetHistory([&] { return &history; });
    for (const char* section : {"user6", "user5", "user6"}) {
        RunRecord run;
        GameRecord game;
        run.userSection = game.userSection = section;
        ASSERT_TRUE(history.Record(run) && history.Record(game));
    }
    Seed({"users/user6=Bob", "users/user5=Cy"});
    ASSERT_TRUE(Enter(6));
    dialogs.yesNoAnswers = {false, true};
    EXPECT_FALSE(profiles.DeleteUser());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Are you sure you would like to delete user Bob?");
    EXPECT_EQ(dialogs.shown[0].defaultAnswer, DefaultAnswer::No);
    EXPECT_EQ(history.Runs("user6").size(), 2u) << "a refused deletion keeps the rows";
    EXPECT_TRUE(profiles.DeleteUser());
    EXPECT_EQ(profiles.Caption(6), "");
    EXPECT_EQ(user.UserName, "");
    EXPECT_EQ(history.Runs("user6").size(), 0u);
    EXPECT_EQ(history.Games("user6").size(), 0u);
    EXPECT_EQ(history.Games("user5").size(), 1u) << "another user's rows stay";
}

// A typing session records the user, opens, then checks for a donation.
// Sessions are counted per box, even for boxes with the same name.
TEST_F(UserProfilesTest, EachStartRecordsTheUserLoadsItsDataAndCountsOneSession)
{
    Seed({"users/lastuser=5", "users/user1=Sam", "users/user6=Sam", "user1/sessionnumber=41",
          "user1/typemode=1", "user1/completeposition=500", "user6/gamesplayed=3",
          "user6/intelligence=1200", "user6/accuracy=87.5"});
    std::vector<std::string> events;
    profiles.SetDonationCheck([&] { events.push_back("donation check"); });
    ASSERT_TRUE(Enter(1));
    user.TypeMode = RunMode::Practice; // left by the menu; the game keeps it
    CompleteTotals totals;
    profiles.StartTypingSession(totals, [&] {
        events.push_back("window with position " + std::to_string(totals.CompletePosition));
    });
    EXPECT_EQ(events, (std::vector<std::string>{"window with position 500", "donation check"}));
    EXPECT_EQ(Read("users/lastuser"), "1");
    EXPECT_EQ(Read("user1/sessionnumber"), "42");
    EXPECT_EQ(Read("user1/typemode"), "0");
    EXPECT_EQ(user.SessionNumber, 41);
    ASSERT_TRUE(Enter(6));
    GameAverages averages;
    profiles.StartGame(averages);
    EXPECT_EQ(user.SessionNumber, 0) << "absent sessionnumber reads as 0";
    EXPECT_EQ(averages.GamesPlayed, 3);
    EXPECT_EQ(averages.GameIntelligence, 1200);
    EXPECT_EQ(averages.GameAccuracy, 87.5f);
    profiles.StartTypingSession(totals);
    profiles.StartGame(averages);
    EXPECT_EQ(events.size(), 5u);
    EXPECT_EQ(Read("users/lastuser"), "6");
    EXPECT_EQ(Read("user6/sessionnumber"), "3");
    dialogs.yesNoAnswers = {true};
    ASSERT_TRUE(profiles.DeleteUser());
    EXPECT_EQ(Read("user6/gamesplayed"), "0") << "the emptied box starts afresh";
    EXPECT_EQ(Read("users/user1"), "Sam");
    EXPECT_EQ(Read("user1/sessionnumber"), "42") << "the other Sam keeps its sessions";
}

} // namespace
} // namespace tarvelo
