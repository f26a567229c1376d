#include "help/donation.h"
#include "help/outside_links.h"
#include "platform/url_opener.h"
#include "profile/app_folder.h"
#include "profile/profile_store.h"
#include "support/game_fakes.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <tuple>

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
    // The stored date (nullptr: none), today in March 2026, then whether the
    // request shows and the date stored after the check.
    // clang-format off
    const std::tuple<const char*, int, bool, std::string> rows[] = {
        {nullptr, 1, false, "2026-03-01"}, {"2026-02-27", 1, false, "2026-02-27"},
        {"2026-02-26", 1, true, "2026-02-26"}, {"2026-03-05", 1, false, "2026-03-05"},
        {"9/29/80", 1, false, "2026-03-01"}, {"Sunday", 1, false, "2026-03-01"},
        {"2026-02-30", 9, false, "2026-03-09"}};
    // clang-format on
    for (const auto& [stored, today, shows, beginAfter] : rows) {
        SCOPED_TRACE(stored ? stored : "none");
        test::TempFolder folder;
        ProfileStore profile(folder.Path());
        if (stored)
            profile.Write(settings::kUsers, settings::kBeginDate, stored);
        test::FixedClock clock;
        clock.today = {2026, 3, today};
        EXPECT_EQ(RunDonationCheck(profile, clock), shows);
        EXPECT_EQ(profile.Read(settings::kUsers, settings::kBeginDate), beginAfter);
        // Regression: the request counted as seen before it was shown.
        EXPECT_EQ(RunDonationCheck(profile, clock), shows) << "not yet shown";
        RecordDonationShown(profile);
        EXPECT_FALSE(RunDonationCheck(profile, clock)) << "never twice";
    }
}

TEST(OutsideLinksTest, HelpPageOpensAsAFileUrlAndFailuresAreTold)
{
    test::TempFolder folder;
    RecordingOpener opener;
    test::ScriptedDialogs dialogs;
    OutsideLinks links{folder.Path(), opener, dialogs};
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
