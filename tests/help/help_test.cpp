#include "help/donation.h"
#include "help/outside_links.h"
#include "platform/url_opener.h"
#include "profile/app_folder.h"
#include "profile/profile_store.h"
#include "support/game_fakes.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

class RecordingOpener : public UrlOpener
{
public:
    bool Open(std::string_view url) override
    {
        opened.emplace_back(url);
        return works;
    }
    std::vector<std::string> opened;
    bool works = true;
};

TEST(DonationCheckTest, AsksOnceFromTheThirdDay)
{
    const struct
    {
        const char* name;
        const char* stored; // nullptr: absent
        int today;          // of March 2026
        bool shows;
        std::string beginAfter;
    } rows[] = {
        {"first start", nullptr, 1, false, "2026-03-01"},
        {"day 2", "2026-02-27", 1, false, "2026-02-27"},
        {"day 3 across February", "2026-02-26", 1, true, "2026-02-26"},
        {"clock set back", "2026-03-05", 1, false, "2026-03-05"},
        {"the default", "9/29/80", 1, false, "2026-03-01"},
        {"unreadable", "Sunday", 1, false, "2026-03-01"},
        {"impossible day", "2026-02-30", 9, false, "2026-03-09"},
    };
    for (const auto& row : rows) {
        test::TempFolder folder;
        ProfileStore profile(folder.Path());
        if (row.stored)
            profile.Write(settings::kUsers, settings::kBeginDate, row.stored);
        test::FixedClock clock;
        clock.today = {2026, 3, row.today};
        EXPECT_EQ(RunDonationCheck(profile, clock), row.shows) << row.name;
        EXPECT_EQ(profile.Read(settings::kUsers, settings::kBeginDate), row.beginAfter) << row.name;
        // Regression: the request counted as seen before it was shown.
        EXPECT_EQ(RunDonationCheck(profile, clock), row.shows) << row.name << ": not yet shown";
        RecordDonationShown(profile);
        EXPECT_FALSE(RunDonationCheck(profile, clock)) << row.name << ": never twice";
    }
}

class OutsideLinksTest : public ::testing::Test
{
protected:
    test::TempFolder folder;
    RecordingOpener opener;
    test::ScriptedDialogs dialogs;
    OutsideLinks links{folder.Path(), opener, dialogs};
};

TEST_F(OutsideLinksTest, HelpPageOpensAsAFileUrlAndFailuresAreTold)
{
    EXPECT_FALSE(links.OpenHelpPage());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    folder.Write(kHelpPageName, "<html></html>");
    EXPECT_TRUE(links.OpenHelpPage());
    EXPECT_EQ(opener.opened, std::vector{FileUrl(DataFilePath(folder.Path(), kHelpPageName))});

    opener.works = false;
    EXPECT_FALSE(links.OpenWebSite());
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_NE(dialogs.shown[1].text.find(kWebSiteAddress), std::string::npos);
}

} // namespace
} // namespace tarvelo
