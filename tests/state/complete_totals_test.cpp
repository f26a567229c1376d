#include "profile/profile_store.h"
#include "state/complete_totals.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace tarvelo {
namespace {

// Two copies practising as the same user: each save adds what its copy
// counted since its last save, so neither copy's practice is overwritten.
TEST(CompleteTotalsTest, TwoCopiesSavingKeepBothCopiesCounts)
{
    test::TempFolder folder;
    folder.Write("Tarvelo.INI", "[users]\r\nlastuser=352\r\n");
    ProfileStore first(folder.Path());
    ProfileStore second(folder.Path());
    CompleteTotals a = CompleteTotals::Load(first, "user0");
    CompleteTotals b = CompleteTotals::Load(second, "user0");
    a.CompletePosition += 10;
    a.CompleteErrors += 2;
    ASSERT_TRUE(a.Save(first, "user0"));
    b.CompletePosition += 5;
    ASSERT_TRUE(b.Save(second, "user0"));
    a.CompletePosition += 1;
    ASSERT_TRUE(a.Save(first, "user0"));
    const CompleteTotals stored = CompleteTotals::Load(ProfileStore(folder.Path()), "user0");
    EXPECT_EQ(stored.CompletePosition, 17);
    EXPECT_EQ(stored.CompleteErrors, 2);
    EXPECT_EQ(a.CompletePosition, 17) << "the copy shows what is stored";

    // A save the disk refused stays owed to the next one.
    {
        test::FileSizeLimit diskFull(0);
        b.CompletePosition += 3;
        EXPECT_FALSE(b.Save(second, "user0"));
    }
    ASSERT_TRUE(b.Save(second, "user0"));
    EXPECT_EQ(CompleteTotals::Load(ProfileStore(folder.Path()), "user0").CompletePosition, 20);
}

} // namespace
} // namespace tarvelo
