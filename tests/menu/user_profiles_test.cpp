#include "menu/user_profiles.h"
#include "profile/ini_document.h"
#include "profile/profile_store.h"
#include "profile/value_codec.h"
#include "state/complete_totals.h"
#include "state/current_user.h"
#include "state/game_averages.h"
#include "stats/run_history.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_name_dialog.h"
#include "support/stepped_utc_clock.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

namespace tarvelo {
namespace {

// One setting, written "section/key=value".
struct Setting
{
    Setting(std::string_view text)
    {
        const std::size_t slash = text.find('/');
        const std::size_t equals = text.find('=', slash);
        section = text.substr(0, slash);
        key = text.substr(slash + 1, equals - slash - 1);
        value = text.substr(equals + 1);
    }
    Setting(const char* text) : Setting(std::string_view(text)) {}
    Setting(const std::string& text) : Setting(std::string_view(text)) {}

    std::string section;
    std::string key;
    std::string value;
};
using Settings = std::vector<Setting>;

// The settings file after `writes`, made one by one on a file holding `seed`
// (no file at all for nullopt).
std::string FileAfter(const std::optional<std::string>& seed, const Settings& writes)
{
    test::TempFolder other;
    if (seed)
        other.Write(ProfileStore::kFileName, *seed);
    ProfileStore single(other.Path());
    for (const Setting& s : writes)
        EXPECT_TRUE(single.WriteProfile(s.section, s.key, s.value));
    return other.Read(ProfileStore::kFileName);
}

// What deleting the user of box 3 writes, in order.
const Settings kDeletionWrites = [] {
    Settings writes = {"users/user3="};
    std::istringstream pairs(
        "sessionnumber=0 sentencenumber=1 completeqseconds=1 completeposition=1 completeerrors=0 "
        "playedgame=0 gamelevel=1 gamesound=True lesson=1 typemode=1 gamesplayed=0 "
        "intelligence=0 accuracy=0 backspacel=True backspacef=False intelligent=False "
        "beeponerror=True letterstream=0102030405060708091011121314151617181922232425262728 "
        "lettercase=0");
    for (std::string pair; pairs >> pair;)
        writes.emplace_back("user3/" + pair);
    writes.emplace_back("users/lastuser=0");
    return writes;
}();

// A name whose every prefix is distinguishable from a shorter one.
std::string LongName(std::size_t length)
{
    std::string name;
    for (std::size_t i = 0; i < length; ++i)
        name += static_cast<char>('a' + i % 26);
    return name;
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
        for (const Setting& s : settings)
            ASSERT_TRUE(store.WriteProfile(s.section, s.key, s.value));
        profiles.LoadCaptions();
    }

    bool Enter(int slot)
    {
        user.SelectSlot(slot);
        return profiles.EnterBox();
    }

    std::string Read(std::string_view section, std::string_view key) const
    {
        return store.ReadProfile(section, key, "<absent>");
    }

    // The captions a restarted program shows.
    std::vector<std::string> CaptionsAfterARestart()
    {
        ProfileStore restarted(folder.Path());
        CurrentUser otherUser;
        UserProfiles again(restarted, dialogs, names, otherUser);
        again.LoadCaptions();
        std::vector<std::string> captions;
        for (int slot = 0; slot < CurrentUser::kQuitBox; ++slot)
            captions.push_back(again.Caption(slot));
        return captions;
    }
};

// --- Names and entering a box -----------------------------------------------

TEST(NameRulesTest, OnlyEntriesOver256AreCutTo255)
{
    const std::vector<std::pair<std::size_t, std::size_t>> enteredAndKept = {
        {0, 0}, {5, 5}, {255, 255}, {256, 256}, {257, 255}, {300, 255}};
    for (const auto& [entered, kept] : enteredAndKept) {
        const std::string name = LongName(entered);
        EXPECT_EQ(UserProfiles::ApplyNameRules(name), name.substr(0, kept)) << entered;
    }
}

TEST_F(UserProfilesTest, NamedBoxIsEnteredWithoutAskingTheQuitBoxNever)
{
    Seed({"users/user0=Ann", "users/user5=Kim", "users/user3="});
    EXPECT_EQ(profiles.Caption(0), "Ann");
    EXPECT_EQ(profiles.Caption(3), "");
    EXPECT_EQ(profiles.Caption(CurrentUser::kQuitBox), "");
    EXPECT_FALSE(Enter(CurrentUser::kQuitBox));
    EXPECT_TRUE(Enter(5));
    EXPECT_EQ(user.UserName, "Kim");
    EXPECT_EQ(user.UserSection, "user5");
    EXPECT_TRUE(names.asked.empty());
}

TEST_F(UserProfilesTest, CancelledOrEmptyEntryLeavesTheBoxEmptyAndTheMenuInTheUserList)
{
    folder.Write(ProfileStore::kFileName, "[users]\r\nlastuser=352\r\n");
    profiles.LoadCaptions();
    names.answers = {std::nullopt, ""};
    EXPECT_FALSE(Enter(2)) << "cancelled";
    EXPECT_FALSE(Enter(2)) << "empty";
    EXPECT_EQ(names.asked, (std::vector<std::string>{"", ""}));
    EXPECT_EQ(profiles.Caption(2), "");
    EXPECT_EQ(user.UserName, "");
    EXPECT_EQ(File(), "[users]\r\nlastuser=352\r\n");
}

TEST_F(UserProfilesTest, CreatedNameIsShownButNotStoredUntilAnActivityStarts)
{
    folder.Write(ProfileStore::kFileName, "[users]\r\nlastuser=352\r\n");
    profiles.LoadCaptions();
    names.answers = {"Ann"};
    EXPECT_TRUE(Enter(4));
    EXPECT_EQ(user.UserSection, "user4");
    EXPECT_EQ(profiles.Caption(4), "Ann");
    EXPECT_EQ(File(), "[users]\r\nlastuser=352\r\n");
    EXPECT_EQ(CaptionsAfterARestart()[4], "") << "an unused new user is gone after a restart";
}

TEST_F(UserProfilesTest, LongNamesAreStoredCutAndReadBackShortenedAfterARestart)
{
    const std::string name300 = LongName(300);
    const std::string name256 = LongName(256);
    names.answers = {name300, "x", name256};
    ASSERT_TRUE(Enter(0));
    EXPECT_EQ(user.UserName, name300.substr(0, 255));
    CompleteTotals totals;
    profiles.StartTypingSession(totals);
    ASSERT_TRUE(Enter(1));
    profiles.Rename();
    EXPECT_EQ(profiles.Caption(1), name256);

    // The whole stored value, past the 170 characters a read gives back.
    const auto whole = [&](std::string_view key) {
        return valuecodec::Decode(IniDocument::FindValue(File(), "users", key).value_or(""));
    };
    EXPECT_EQ(whole("user0"), name300.substr(0, 255));
    EXPECT_EQ(whole("user1"), name256);
    const std::vector<std::string> captions = CaptionsAfterARestart();
    EXPECT_EQ(captions[0], name300.substr(0, 170));
    EXPECT_EQ(captions[1], name256.substr(0, 170));
}

// --- Rename -----------------------------------------------------------------

TEST_F(UserProfilesTest, RenameStoresTheNewNameAndShowsIt)
{
    Seed({"users/user2=Cy", "user2/lesson=5"});
    ASSERT_TRUE(Enter(2));
    names.answers = {"Cyrus"};
    profiles.Rename();
    EXPECT_EQ(names.asked, std::vector<std::string>{"Cy"});
    EXPECT_EQ(user.UserName, "Cyrus");
    EXPECT_EQ(profiles.Caption(2), "Cyrus");
    EXPECT_EQ(File(), FileAfter(std::nullopt, {"users/user2=Cyrus", "user2/lesson=5"}));
}

TEST_F(UserProfilesTest, RenameCancelledOrEmptyRewritesTheUnchangedNameAndKeepsTheData)
{
    // The user was created in this run, so only the rename stores the name.
    Seed({"users/lastuser=6", "user4/sessionnumber=12", "user4/lesson=7"});
    const std::string before = File();
    names.answers = {"Dee", std::nullopt, ""};
    ASSERT_TRUE(Enter(4));
    profiles.Rename();
    profiles.Rename();
    EXPECT_EQ(names.asked, (std::vector<std::string>{"", "Dee", "Dee"}));
    EXPECT_EQ(user.UserName, "Dee");
    EXPECT_EQ(profiles.Caption(4), "Dee");
    EXPECT_EQ(File(), FileAfter(before, {"users/user4=Dee"}));
}

// --- Delete -----------------------------------------------------------------

TEST_F(UserProfilesTest, DeleteOnAnEmptyBoxOrTheQuitBoxAsksAndWritesNothing)
{
    Seed({"users/user0=Ann", "users/lastuser=0"});
    const std::string before = File();
    dialogs.yesNoAnswers = {true, true};
    for (const int slot : {2, CurrentUser::kQuitBox}) {
        user.SelectSlot(slot);
        EXPECT_FALSE(profiles.DeleteUser()) << slot;
    }
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(File(), before);
}

TEST_F(UserProfilesTest, DeleteAsksWithTheStoredNameAndEmptiesTheBox)
{
    Seed({"users/user6=Bob"});
    ASSERT_TRUE(Enter(6));
    dialogs.yesNoAnswers = {true};
    EXPECT_TRUE(profiles.DeleteUser());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Are you sure you would like to delete user Bob?");
    EXPECT_EQ(dialogs.shown[0].defaultAnswer, DefaultAnswer::No);
    EXPECT_EQ(profiles.Caption(6), "");
    EXPECT_EQ(user.UserName, "");
}

TEST_F(UserProfilesTest, DeleteRemovesTheUsersHistoryAndNothingElse)
{
    test::SteppedUtcClock clock;
    RunHistory history(HistoryPath(folder.Path()), clock);
    profiles.SetHistory([&] { return &history; });
    for (const char* section : {"user6", "user5", "user6"}) {
        RunRecord run;
        run.userSection = section;
        GameRecord game;
        game.userSection = section;
        ASSERT_TRUE(history.Record(run));
        ASSERT_TRUE(history.Record(game));
    }
    Seed({"users/user6=Bob", "users/user5=Cy"});
    ASSERT_TRUE(Enter(6));
    dialogs.yesNoAnswers = {false, true};
    EXPECT_FALSE(profiles.DeleteUser());
    EXPECT_EQ(history.Runs("user6").size(), 2u) << "a refused deletion keeps the rows";

    EXPECT_TRUE(profiles.DeleteUser());
    EXPECT_TRUE(history.Runs("user6").empty());
    EXPECT_TRUE(history.Games("user6").empty());
    EXPECT_EQ(history.Runs("user5").size(), 1u);
    EXPECT_EQ(history.Games("user5").size(), 1u);
}

// A user entered in this run but never started is not in the file yet.
TEST_F(UserProfilesTest, DeleteQuestionNamesAUserNotYetStored)
{
    folder.Write(ProfileStore::kFileName, "[users]\r\nlastuser=347\r\n");
    profiles.LoadCaptions();
    names.answers = {"Ann"};
    ASSERT_TRUE(Enter(3));
    dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(profiles.DeleteUser());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Are you sure you would like to delete user Ann?");
    EXPECT_EQ(profiles.Caption(3), "Ann");
    EXPECT_EQ(user.UserName, "Ann");
    EXPECT_EQ(File(), "[users]\r\nlastuser=347\r\n");
}

struct DeletionCase
{
    const char* name;
    std::optional<std::string> file; // nullopt: no settings file
    friend void PrintTo(const DeletionCase& c, std::ostream* os) { *os << c.name; }
};

class DeletionFileTest : public UserProfilesTest, public ::testing::WithParamInterface<DeletionCase>
{};

// The file must be exactly what the single writes, in their order, give: this
// shows both the order of new keys and that nothing else is touched.
TEST_P(DeletionFileTest, FileEqualsTheListedWritesInOrder)
{
    const std::optional<std::string>& seed = GetParam().file;
    if (seed)
        folder.Write(ProfileStore::kFileName, *seed);
    profiles.LoadCaptions();
    names.answers = {"Zed"}; // used only when box 3 is empty
    ASSERT_TRUE(Enter(3));
    dialogs.yesNoAnswers = {true};
    ASSERT_TRUE(profiles.DeleteUser());
    EXPECT_EQ(File(), FileAfter(seed, kDeletionWrites));
}

INSTANTIATE_TEST_SUITE_P(
    Files, DeletionFileTest,
    ::testing::Values(
        DeletionCase{"no_file", std::nullopt}, DeletionCase{"empty_file", ""},
        DeletionCase{
            "lived_in",
            FileAfter("; shipped settings\r\n",
                      {"users/lastuser=5", "users/user0=Al", "users/user3=Zed", "users/top=900",
                       "users/begindate=1/2/24", "users/showeddonate=True",
                       "user3/letterstream=0102", "user3/gamelevel=7", "user3/custom=kept",
                       "user3/accuracy=91.5", "user3/sessionnumber=30", "user0/sessionnumber=9",
                       "scores/numscores=1", "scores/score1u=Zed", "language/65=1"})}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(UserProfilesTest, DeletionReachesTheFileAllAtOnce)
{
    // The first write alone would shrink the file and fit under the limit.
    Seed({"users/user3=Zed", "users/lastuser=3"});
    const std::string before = File();
    ASSERT_TRUE(Enter(3));
    dialogs.yesNoAnswers = {true};
    {
        test::FileSizeLimit limit(before.size());
        profiles.DeleteUser();
    }
    EXPECT_EQ(File(), before);
}

// --- Starting an activity ---------------------------------------------------

TEST_F(UserProfilesTest, StartingATypingSessionRecordsTheUserThenOpensThenChecksDonation)
{
    Seed({"users/lastuser=5", "users/user2=Bea", "user2/sessionnumber=41", "user2/typemode=1",
          "user2/completeposition=500", "user2/completeqseconds=240.5", "user2/completeerrors=7"});
    std::vector<std::string> events;
    profiles.SetDonationCheck([&] { events.push_back("donation check"); });
    ASSERT_TRUE(Enter(2));
    user.TypeMode = CurrentUser::kPractice;

    CompleteTotals totals;
    profiles.StartTypingSession(totals, [&] {
        events.push_back("window with position " + std::to_string(totals.CompletePosition));
    });

    EXPECT_EQ(events, (std::vector<std::string>{"window with position 500", "donation check"}));
    EXPECT_EQ(Read("users", "user2"), "Bea");
    EXPECT_EQ(Read("users", "lastuser"), "2");
    EXPECT_EQ(user.SessionNumber, 41);
    EXPECT_EQ(Read("user2", "sessionnumber"), "42");
    EXPECT_EQ(Read("user2", "typemode"), "0");
    EXPECT_EQ(totals.CompleteQSeconds, 240.5);
    EXPECT_EQ(totals.CompleteErrors, 7);
}

TEST_F(UserProfilesTest, StartingTheGameRecordsTheUserAndLoadsTheAverages)
{
    Seed({"users/user1=Gus", "user1/gamesplayed=3", "user1/intelligence=1200",
          "user1/accuracy=87.5"});
    int checks = 0;
    profiles.SetDonationCheck([&] { ++checks; });
    ASSERT_TRUE(Enter(1));
    user.TypeMode = CurrentUser::kPractice; // left by the menu; the game keeps it

    GameAverages averages;
    profiles.StartGame(averages);

    EXPECT_EQ(checks, 1);
    EXPECT_EQ(Read("users", "lastuser"), "1");
    EXPECT_EQ(user.SessionNumber, 0) << "absent sessionnumber reads as 0";
    EXPECT_EQ(Read("user1", "sessionnumber"), "1");
    EXPECT_EQ(Read("user1", "typemode"), "0");
    EXPECT_EQ(averages.GamesPlayed, 3);
    EXPECT_EQ(averages.GameIntelligence, 1200);
    EXPECT_EQ(averages.GameAccuracy, 87.5f);
}

TEST_F(UserProfilesTest, EachStartCountsOneSessionWithoutHooks)
{
    names.answers = {"Ivy"};
    ASSERT_TRUE(Enter(0));
    CompleteTotals totals;
    GameAverages averages;
    std::vector<int> sessions;
    profiles.StartTypingSession(totals);
    sessions.push_back(user.SessionNumber);
    profiles.StartGame(averages);
    sessions.push_back(user.SessionNumber);
    profiles.StartTypingSession(totals);
    sessions.push_back(user.SessionNumber);
    EXPECT_EQ(sessions, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Read("user0", "sessionnumber"), "3");
    EXPECT_EQ(Read("user0", "typemode"), "1");
}

TEST_F(UserProfilesTest, BoxesWithTheSameNameKeepSeparateData)
{
    Seed({"users/user1=Sam", "users/user6=Sam"});
    CompleteTotals totals;
    ASSERT_TRUE(Enter(1));
    profiles.StartTypingSession(totals);
    profiles.StartTypingSession(totals);
    ASSERT_TRUE(Enter(6));
    profiles.StartTypingSession(totals);
    EXPECT_EQ(Read("user6", "sessionnumber"), "1");

    dialogs.yesNoAnswers = {true};
    ASSERT_TRUE(profiles.DeleteUser());
    EXPECT_EQ(Read("users", "user1"), "Sam");
    EXPECT_EQ(Read("user1", "sessionnumber"), "2");
    EXPECT_EQ(profiles.Caption(1), "Sam");
}

} // namespace
} // namespace tarvelo
