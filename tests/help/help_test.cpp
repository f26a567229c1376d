#include "help/donation.h"
#include "help/outside_links.h"
#include "platform/url_opener.h"
#include "profile/app_folder.h"
#include "profile/profile_store.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

class FixedClock : public Clock
{
public:
    CalendarDate Today() const override { return today; }
    CalendarDate today{2026, 3, 1};
};

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
        CalendarDate today;
        bool shows;
        std::string beginAfter;
    } rows[] = {
        {"first start", nullptr, {2026, 3, 1}, false, "2026-03-01"},
        {"day 0", "2026-03-01", {2026, 3, 1}, false, "2026-03-01"},
        {"day 2", "2026-02-27", {2026, 3, 1}, false, "2026-02-27"},
        {"day 3 across February", "2026-02-26", {2026, 3, 1}, true, "2026-02-26"},
        {"clock set back", "2026-03-05", {2026, 3, 1}, false, "2026-03-05"},
        {"the default", "9/29/80", {2026, 3, 1}, false, "2026-03-01"},
        {"the default date written out", "1980-09-29", {2026, 3, 1}, false, "2026-03-01"},
        {"unreadable", "Sunday", {2026, 3, 1}, false, "2026-03-01"},
        {"impossible day", "2026-02-30", {2026, 3, 9}, false, "2026-03-09"},
    };
    for (const auto& row : rows) {
        test::TempFolder folder;
        ProfileStore profile(folder.Path());
        if (row.stored)
            profile.Write(settings::kUsers, settings::kBeginDate, row.stored);
        FixedClock clock;
        clock.today = row.today;
        EXPECT_EQ(RunDonationCheck(profile, clock), row.shows) << row.name;
        EXPECT_EQ(profile.Read(settings::kUsers, settings::kBeginDate), row.beginAfter) << row.name;
        EXPECT_EQ(profile.Read(settings::kUsers, settings::kShowedDonate), row.shows) << row.name;
        EXPECT_FALSE(RunDonationCheck(profile, clock)) << row.name << ": never twice";
    }
}

TEST(DonationCheckTest, DayNumbersCountCalendarDays)
{
    EXPECT_EQ(DayNumber({1970, 1, 1}), 0);
    EXPECT_EQ(DayNumber({2024, 3, 1}) - DayNumber({2024, 2, 28}), 2) << "leap year";
    EXPECT_EQ(DayNumber({2027, 1, 2}) - DayNumber({2026, 12, 30}), 3);
}

class OutsideLinksTest : public ::testing::Test
{
protected:
    test::TempFolder folder;
    RecordingOpener opener;
    test::ScriptedDialogs dialogs;
    OutsideLinks links{folder.Path(), opener, dialogs};
};

TEST_F(OutsideLinksTest, HelpPageOpensAsAFileUrl)
{
    folder.Write(kHelpPageName, "<html></html>");
    EXPECT_TRUE(links.OpenHelpPage());
    ASSERT_EQ(opener.opened.size(), 1u);
    EXPECT_EQ(opener.opened[0], FileUrl(DataFilePath(folder.Path(), kHelpPageName)));
    EXPECT_TRUE(links.OpenDonationPage());
    EXPECT_EQ(opener.opened[1], kDonationPageAddress);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(OutsideLinksTest, FailuresAreTold)
{
    EXPECT_FALSE(links.OpenHelpPage());
    EXPECT_TRUE(opener.opened.empty()) << "a missing page is not handed on";
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("is missing"), std::string::npos);

    opener.works = false;
    EXPECT_FALSE(links.OpenWebSite());
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_NE(dialogs.shown[1].text.find(kWebSiteAddress), std::string::npos);
}

TEST(FileUrlTest, BytesOutsideTheUnreservedSetAreEncoded)
{
    EXPECT_EQ(FileUrl("/home/caf\xE9 x/a%b.htm"), "file:///home/caf%E9%20x/a%25b.htm");
}

} // namespace
} // namespace tarvelo
