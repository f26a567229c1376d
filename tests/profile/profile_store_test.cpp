#include "profile/profile_store.h"
#include "profile/value_codec.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tarvelo {
namespace {

class ProfileStoreTest : public ::testing::Test
{
protected:
    test::TempFolder folder;
    ProfileStore store{folder.Path()};

    std::string File() const { return folder.Read("Tarvelo.INI"); }
};

struct EncodingCase
{
    const char* name;
    std::string plain;
    std::string stored;
    friend void PrintTo(const EncodingCase& c, std::ostream* os) { *os << c.name; }
};

class EncodingTest : public ProfileStoreTest, public ::testing::WithParamInterface<EncodingCase>
{};

TEST_P(EncodingTest, WritesEncodedAndReadsBack)
{
    const EncodingCase& c = GetParam();
    ASSERT_TRUE(store.WriteProfile("users", "key", c.plain));
    EXPECT_EQ(File(), "[users]\r\nkey=" + c.stored + "\r\n");
    EXPECT_EQ(store.ReadProfile("users", "key", "default"), c.plain);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, EncodingTest,
    ::testing::Values(EncodingCase{"zero", "0", "352"}, EncodingCase{"one", "1", "351"},
                      EncodingCase{"true", "True", "316286283299"},
                      EncodingCase{"false", "False", "330303292285299"},
                      EncodingCase{"nines", "999", "343343343"}, EncodingCase{"space", " ", "368"},
                      EncodingCase{"abc", "abc", "303302301"},
                      EncodingCase{"codes_0_1_255", std::string("\0\1\xFF", 3), "400399145"},
                      EncodingCase{"empty", "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ProfileStoreTest, AbsentKeyGivesDefaultUnencodedAnEmptyValueIsPresent)
{
    EXPECT_EQ(store.ReadProfile("users", "lastuser", "-999"), "-999");
    folder.Write("Tarvelo.INI", "[users]\r\nblank=\r\nspaces=   \t \r\n");
    EXPECT_EQ(store.ReadProfile("users", "lastuser", "-999"), "-999");
    EXPECT_EQ(store.ReadProfile("users", "blank", "x"), "");
    EXPECT_EQ(store.ReadProfile("users", "spaces", "x"), "");
    EXPECT_EQ(File(), "[users]\r\nblank=\r\nspaces=   \t \r\n") << "a read never writes";
}

TEST_F(ProfileStoreTest, LongValueIsCutToItsFirst170Characters)
{
    const std::string value(200, 'x');
    ASSERT_TRUE(store.WriteProfile("user0", "user0", value));
    EXPECT_EQ(store.ReadProfile("user0", "user0", ""), value.substr(0, 170));
    const std::string exact(170, 'y');
    ASSERT_TRUE(store.WriteProfile("user0", "user0", exact));
    EXPECT_EQ(store.ReadProfile("user0", "user0", ""), exact);
}

TEST_F(ProfileStoreTest, HandEditedValueReadsAsAbsent)
{
    folder.Write("Tarvelo.INI", "[users]\r\nletters=abc\r\nshort=35\r\nhigh=401\r\nlow=144\r\n"
                                "ok=352\r\nquoted=\"352\"\r\n");
    for (const char* key : {"letters", "short", "high", "low"})
        EXPECT_EQ(store.ReadProfile("users", key, "dflt"), "dflt") << key;
    EXPECT_EQ(store.ReadProfile("users", "ok", "dflt"), "0");
    EXPECT_EQ(store.ReadProfile("users", "quoted", "dflt"), "0");
}

TEST_F(ProfileStoreTest, NamesMatchWithoutCaseAndKeepTheirSpelling)
{
    folder.Write("Tarvelo.INI", "[Users]\r\nLastUser=351\r\n");
    EXPECT_EQ(store.ReadProfile("USERS", "lastuser", "d"), "1");
    ASSERT_TRUE(store.WriteProfile("users", "LASTUSER", "2"));
    EXPECT_EQ(File(), "[Users]\r\nLastUser=350\r\n");
}

TEST_F(ProfileStoreTest, OtherLinesSurviveAWrite)
{
    folder.Write("Tarvelo.INI", "; settings\n[users]\nlastuser=352\nnot a key line\nold=junk\n\n"
                                "[language]\n65=351");
    ASSERT_TRUE(store.WriteProfile("users", "top", "1035"));
    ASSERT_TRUE(store.WriteProfile("language", "66", "2"));
    ASSERT_TRUE(store.WriteProfile("scores", "numscores", "0"));
    EXPECT_EQ(File(), "; settings\r\n[users]\r\nlastuser=352\r\nnot a key line\r\nold=junk\r\n"
                      "top=351352349347\r\n\r\n[language]\r\n65=351\r\n66=350\r\n"
                      "[scores]\r\nnumscores=352\r\n");
}

TEST_F(ProfileStoreTest, FirstOfDuplicatesIsReadAndWritten)
{
    folder.Write("Tarvelo.INI", "[a]\r\nk=351\r\nk=350\r\n[a]\r\nj=351\r\n");
    EXPECT_EQ(store.ReadProfile("a", "k", "d"), "1");
    EXPECT_EQ(store.ReadProfile("a", "j", "d"), "d") << "keys of a second [a] are not seen";
    ASSERT_TRUE(store.WriteProfile("a", "k", "3"));
    EXPECT_EQ(File(), "[a]\r\nk=349\r\nk=350\r\n[a]\r\nj=351\r\n");
}

TEST_F(ProfileStoreTest, FailedWriteKeepsTheOldFileAndReportsFailure)
{
    ASSERT_TRUE(store.WriteProfile("users", "lastuser", "0"));
    const std::string before = File();
    {
        test::FileSizeLimit limit(before.size() + 4);
        EXPECT_FALSE(store.WriteProfile("users", "user0", "a rather longer name than fits"));
        ProfileBatch batch(store);
        store.WriteProfile("users", "user1", "another long name that does not fit");
        EXPECT_FALSE(batch.Commit());
    }
    EXPECT_EQ(File(), before);

    test::TempFolder other; // a folder where the settings file should be
    ASSERT_EQ(::mkdir(other.File("Tarvelo.INI").c_str(), 0755), 0);
    EXPECT_FALSE(ProfileStore(other.Path()).WriteProfile("users", "lastuser", "0"));
}

TEST_F(ProfileStoreTest, BatchWritesTheSameFileOnce)
{
    test::TempFolder other;
    ProfileStore single(other.Path());
    folder.Write("Tarvelo.INI", "[users]\r\nlastuser=352\r\n");
    other.Write("Tarvelo.INI", "[users]\r\nlastuser=352\r\n");
    {
        ProfileBatch batch(store);
        for (int i = 0; i < 30; ++i) {
            const std::string key = std::to_string(i);
            store.WriteProfile("language", key, key);
            single.WriteProfile("language", key, key);
        }
        store.WriteProfile("users", "lastuser", "3");
        single.WriteProfile("users", "lastuser", "3");
        EXPECT_EQ(store.ReadProfile("users", "lastuser", "d"), "3") << "reads see the batch";
        EXPECT_EQ(File(), "[users]\r\nlastuser=352\r\n") << "nothing written before the end";
        EXPECT_TRUE(batch.Commit());
    }
    EXPECT_EQ(File(), other.Read("Tarvelo.INI"));
}

TEST_F(ProfileStoreTest, BatchDroppedWithoutCommitWritesNothing)
{
    folder.Write("Tarvelo.INI", "[users]\r\nlastuser=352\r\n");
    {
        ProfileBatch batch(store);
        store.WriteProfile("users", "lastuser", "3");
    }
    EXPECT_EQ(File(), "[users]\r\nlastuser=352\r\n");
    EXPECT_EQ(store.ReadProfile("users", "lastuser", "d"), "0") << "the dropped value is gone";
}

TEST_F(ProfileStoreTest, TypedReadsFallBackAndClamp)
{
    folder.Write("Tarvelo.INI", "[user0]\r\n");
    store.WriteProfile("user0", "lesson", "seven");
    store.WriteProfile("user0", "gamelevel", "99999");
    store.WriteProfile("user0", "sessionnumber", "-3000000000");
    store.WriteProfile("user0", "accuracy", "12,5");
    store.WriteProfile("user0", "intelligent", "maybe");
    store.WriteProfile("user0", "typemode", "2.5");
    EXPECT_EQ(store.Read("user0", settings::kLesson), 1);
    EXPECT_EQ(store.Read("user0", settings::kGameLevel), 32767);
    EXPECT_EQ(store.Read("user0", settings::kSessionNumber), INT32_MIN);
    EXPECT_FLOAT_EQ(store.Read("user0", settings::kAccuracy), 12.5f);
    EXPECT_FALSE(store.Read("user0", settings::kIntelligent));
    EXPECT_EQ(store.Read("user0", settings::kTypeMode), 2) << "halves round to even";
    EXPECT_TRUE(store.Read("user0", settings::kBackspaceLessons)) << "absent: default";
}

TEST_F(ProfileStoreTest, SinglesRoundTripExactly)
{
    for (const float value : {0.1f, 1234567.0f, 16777217.0f, 3.4e38f, -0.5f}) {
        ASSERT_TRUE(store.Write("user0", settings::kAccuracy, value));
        EXPECT_EQ(store.Read("user0", settings::kAccuracy), value);
    }
    EXPECT_EQ(store.ReadProfile("user0", "accuracy", ""), "-0.5");
}

TEST_F(ProfileStoreTest, CanSaveFailsWhenTheDiskRefusesData)
{
    EXPECT_TRUE(store.CanSave());
    test::FileSizeLimit limit(0);
    EXPECT_FALSE(store.CanSave());
}

} // namespace
} // namespace tarvelo
