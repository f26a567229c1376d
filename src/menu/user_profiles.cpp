#include "menu/user_profiles.h"

#include "history/run_history.h"
#include "platform/dialogs.h"
#include "platform/name_dialog.h"
#include "profile/profile_store.h"
#include "state/complete_totals.h"
#include "state/game_averages.h"

namespace tarvelo {
namespace {

// A deleted user's section gets these keys, in this order, each set to the
// default its readers use, so the box is as good as never used.
void ResetUserSection(ProfileStore& profile, std::string_view section)
{
    using namespace settings;
    profile.Reset(section, kSessionNumber);
    profile.Reset(section, kSentenceNumber);
    profile.Reset(section, kCompleteQSeconds);
    profile.Reset(section, kCompletePosition);
    profile.Reset(section, kCompleteErrors);
    profile.Reset(section, kPlayedGame);
    profile.Reset(section, kGameLevel);
    profile.Reset(section, kGameSound);
    profile.Reset(section, kLesson);
    profile.Reset(section, kTypeMode);
    profile.Reset(section, kGamesPlayed);
    profile.Reset(section, kIntelligence);
    profile.Reset(section, kAccuracy);
    profile.Reset(section, kBackspaceLessons);
    profile.Reset(section, kBackspacePractice);
    profile.Reset(section, kIntelligent);
    profile.Reset(section, kBeepOnError);
    profile.Reset(section, kLetterStream);
    profile.Reset(section, kLetterCase);
    profile.Reset(section, kHighContrast);
    profile.Reset(section, kTargetWpm);
}

// The user's name lives in "users" under the user's section name.
settings::TextKey NameKey(const std::string& userSection)
{
    return {userSection, ""};
}

} // namespace

UserProfiles::UserProfiles(ProfileStore& profile, Dialogs& dialogs, NameDialog& nameDialog,
                           CurrentUser& user)
    : m_profile(profile), m_dialogs(dialogs), m_nameDialog(nameDialog), m_user(user)
{}

void UserProfiles::LoadCaptions()
{
    for (int slot = 0; slot < settings::kUserCount; ++slot) {
        const std::string section = settings::UserSection(slot);
        m_captions[slot] = m_profile.Read(settings::kUsers, NameKey(section));
    }
}

const std::string& UserProfiles::Caption(int slot) const
{
    static const std::string none;
    return IsUserBox(slot) ? m_captions[slot] : none;
}

std::string UserProfiles::ApplyNameRules(std::string_view entered)
{
    if (entered.size() > kMaxNameLength)
        entered = entered.substr(0, kCutNameLength);
    return std::string(entered);
}

void UserProfiles::AskForName()
{
    if (const auto entered = m_nameDialog.AskName(m_user.UserName)) {
        std::string name = ApplyNameRules(*entered);
        if (!name.empty())
            m_user.UserName = std::move(name);
    }
}

bool UserProfiles::EnterBox()
{
    const int slot = m_user.UserSlot;
    if (!IsUserBox(slot))
        return false;
    m_user.UserName = m_captions[slot];
    m_user.SelectSlot(slot);
    if (m_user.UserName.empty()) {
        AskForName();
        m_captions[slot] = m_user.UserName;
    }
    return !m_user.UserName.empty();
}

void UserProfiles::Rename()
{
    const int slot = m_user.UserSlot;
    if (!IsUserBox(slot))
        return;
    AskForName();
    m_profile.Write(settings::kUsers, NameKey(m_user.UserSection), m_user.UserName);
    m_captions[slot] = m_user.UserName;
}

bool UserProfiles::DeleteUser()
{
    const int slot = m_user.UserSlot;
    if (!IsUserBox(slot) || m_captions[slot].empty())
        return false;
    m_user.SelectSlot(slot);
    const std::string& section = m_user.UserSection;
    // The caption, not the file: a user entered in this run is stored only
    // when an activity starts.
    const std::string& name = m_captions[slot];
    if (!m_dialogs.AskYesNo("Are you sure you would like to delete user " + name + "?",
                            "Confirmation", MessageIcon::Exclamation, DefaultAnswer::No))
        return false;

    m_captions[slot].clear();
    m_user.UserName.clear();
    ProfileBatch batch(m_profile);
    m_profile.Write(settings::kUsers, NameKey(section), "");
    ResetUserSection(m_profile, section);
    m_profile.Write(settings::kUsers, settings::kLastUser, 0);
    (void)batch.Commit(); // a failure is reported by the store
    if (RunHistory* history = m_history ? m_history() : nullptr)
        (void)history->DeleteUser(section);
    return true;
}

void UserProfiles::RecordActivityStart()
{
    const std::string& section = m_user.UserSection;
    // The session number is counted on: read under the lock it is written in.
    ProfileBatch batch(m_profile, ProfileBatch::ReadUnderLock);
    m_profile.Write(settings::kUsers, NameKey(section), m_user.UserName);
    m_profile.Write(settings::kUsers, settings::kLastUser, m_user.UserSlot);
    m_user.SessionNumber = m_profile.Read(section, settings::kSessionNumber);
    const std::int32_t next =
        m_user.SessionNumber == INT32_MAX ? INT32_MAX : m_user.SessionNumber + 1;
    m_profile.Write(section, settings::kSessionNumber, next);
    m_profile.Write(section, settings::kTypeMode, m_user.TypeModeToStore());
    // A failed write is reported by the store; the activity goes on.
    (void)batch.Commit();
}

void UserProfiles::FinishActivityStart(const std::function<void()>& openWindow)
{
    if (openWindow)
        openWindow();
    if (m_donationCheck)
        m_donationCheck();
}

void UserProfiles::StartTypingSession(CompleteTotals& totals,
                                      const std::function<void()>& openWindow)
{
    RecordActivityStart();
    totals = CompleteTotals::Load(m_profile, m_user.UserSection);
    FinishActivityStart(openWindow);
}

void UserProfiles::StartGame(GameAverages& averages, const std::function<void()>& openWindow)
{
    RecordActivityStart();
    averages = GameAverages::Load(m_profile, m_user.UserSection);
    FinishActivityStart(openWindow);
}

} // namespace tarvelo
