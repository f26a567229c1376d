#pragma once

#include "profile/settings_keys.h"
#include "state/current_user.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

namespace tarvelo {

class Dialogs;
class NameDialog;
class ProfileStore;
class RunHistory;
struct CompleteTotals;
struct GameAverages;

// The eight user boxes of the main menu and the operations on their users:
// entering a box (creating a user in an empty one), renaming, deleting and
// starting an activity. Every operation works on the box `user.UserSlot`,
// which the menu sets with CurrentUser::SelectSlot as the focus moves.
class UserProfiles
{
public:
    // A longer entry is cut to kCutNameLength characters.
    static constexpr std::size_t kMaxNameLength = 256;
    static constexpr std::size_t kCutNameLength = 255;

    UserProfiles(ProfileStore& profile, Dialogs& dialogs, NameDialog& nameDialog,
                 CurrentUser& user);

    // Runs last at every activity start; may be empty.
    void SetDonationCheck(std::function<void()> check) { m_donationCheck = std::move(check); }

    // Gives the run history whose rows go with a deleted user; asked only when
    // a user is deleted. May be empty (no history).
    void SetHistory(std::function<RunHistory*()> history) { m_history = std::move(history); }

    // Reads the names of boxes 0..7 from "users" into the captions.
    void LoadCaptions();
    // The caption of box 0..7; empty for an empty box or any other index.
    const std::string& Caption(int slot) const;

    // Selects the box for the user: takes its caption as UserName and asks for
    // a name when it is empty. True when the menu goes on with a user; false on
    // the Quit box or when the box stays empty. A new name is not stored.
    bool EnterBox();

    // Asks for a new name for the entered user, then stores UserName under the
    // box's name key even when the dialog was cancelled.
    void Rename();

    // Asks for confirmation, then empties the box and resets its section to
    // the defaults in one replacement of the settings file, and removes the
    // user's runs and games from the history. True when the user
    // was deleted; the Quit box and an empty box ask nothing and return false.
    bool DeleteUser();

    // Records the start of an activity for the entered user (name, "lastuser",
    // "sessionnumber" + 1 with the old value in SessionNumber, "typemode"),
    // loads the figures the activity window needs into `totals` / `averages`,
    // calls `openWindow` (may be empty) and then the donation check.
    void StartTypingSession(CompleteTotals& totals, const std::function<void()>& openWindow = {});
    void StartGame(GameAverages& averages, const std::function<void()>& openWindow = {});

    // An entry from the name dialog with an over-long text cut.
    static std::string ApplyNameRules(std::string_view entered);

private:
    static bool IsUserBox(int slot) { return slot >= 0 && slot < settings::kUserCount; }
    // Runs the name dialog; a non-empty entry replaces UserName.
    void AskForName();
    void RecordActivityStart();
    void FinishActivityStart(const std::function<void()>& openWindow);

    ProfileStore& m_profile;
    Dialogs& m_dialogs;
    NameDialog& m_nameDialog;
    CurrentUser& m_user;
    std::function<void()> m_donationCheck;
    std::function<RunHistory*()> m_history;
    std::array<std::string, settings::kUserCount> m_captions;
};

} // namespace tarvelo
