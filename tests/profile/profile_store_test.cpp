#include "profile/code_page.h"
#include "profile/data_file.h"
#include "profile/ini_document.h"
#include "profile/profile_store.h"
#include "profile/value_text.h"
#include "support/kill_at_random.h"
#include "support/temp_folder.h"

#include <array>
#include <cstdint>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tarvelo {
namespace {

class ProfileStoreTest : public ::testing::Test
{
protected:
    test::TempFolder folder;
    ProfileStore store{folder.Path()};

    std::string File() const { return folder.Read("Tarvelo.INI"); }
};

TEST_F(ProfileStoreTest, WritesEncodedAndReadsBack)
{
    // clang-format off
    const std::pair<std::string, std::string> rows[] = {
        {"0", "352"}, {"True", "316286283299"}, {"999", "343343343"}, {" ", "368"},
        {std::string("\0\1\xFF", 3), "400399145"}, {"", ""}};
    // clang-format on
    for (const auto& [plain, stored] : rows) {
        ASSERT_TRUE(store.WriteProfile("users", "key", plain));
        EXPECT_EQ(File(), "[users]\r\nkey=" + stored + "\r\n");
        EXPECT_EQ(store.ReadProfile("users", "key", "default"), plain);
    }
    ASSERT_TRUE(store.WriteProfile("users", "key", std::string(200, 'x')));
    EXPECT_EQ(store.ReadProfile("users", "key", ""), std::string(170, 'x')) << "cut to 170";
}

// Absent, blank and hand-edited values: an encoded value may be quoted.
TEST_F(ProfileStoreTest, EmptyValuesArePresentHandEditedOnesAbsentNamesWithoutCase)
{
    const std::string text = "[users]\r\nblank=\r\nspaces=   \t \r\nletters=abc\r\nshort=35\r\n"
                             "high=401\r\nlow=144\r\nok=352\r\nquoted=\"352\"\r\n";
    folder.Write("Tarvelo.INI", text);
    const std::pair<const char*, const char*> rows[] = {
        {"lastuser", "d"}, {"letters", "d"}, {"short", "d"}, {"high", "d"},  {"low", "d"},
        {"blank", ""},     {"spaces", ""},   {"ok", "0"},    {"quoted", "0"}};
    for (const auto& [key, value] : rows)
        EXPECT_EQ(store.ReadProfile("users", key, "d"), value) << key;
    EXPECT_EQ(File(), text) << "a read never writes";
    folder.Write("Tarvelo.INI", "[Users]\r\nLastUser=351\r\nlastuser=350\r\n[users]\r\nj=351\r\n");
    EXPECT_EQ(store.ReadProfile("USERS", "lastuser", "d"), "1");
    EXPECT_EQ(store.ReadProfile("users", "j", "d"), "d") << "keys of a second section are not seen";
    ASSERT_TRUE(store.WriteProfile("users", "LASTUSER", "2"));
    EXPECT_EQ(File(), "[Users]\r\nLastUser=350\r\nlastuser=350\r\n[users]\r\nj=351\r\n");
}

TEST_F(ProfileStoreTest, BatchWritesOnCommitOnlyTypedReadsFallBackAndClamp)
{
    test::TempFolder other;
    ProfileStore single(other.Path());
    folder.Write("Tarvelo.INI", "[users]\r\nlastuser=352\r\n");
    other.Write("Tarvelo.INI", "[users]\r\nlastuser=352\r\n");
    {
        ProfileBatch dropped(store);
        store.WriteProfile("users", "lastuser", "3");
    }
    EXPECT_EQ(store.ReadProfile("users", "lastuser", "d"), "0") << "a dropped batch is gone";
    ProfileBatch batch(store);
    for (const char* key : {"1", "2", "lastuser"}) {
        store.WriteProfile("users", key, "3");
        single.WriteProfile("users", key, "3");
    }
    EXPECT_EQ(store.ReadProfile("users", "lastuser", "d"), "3") << "reads see the batch";
    EXPECT_EQ(File(), "[users]\r\nlastuser=352\r\n") << "nothing written before the end";
    EXPECT_TRUE(batch.Commit());
    EXPECT_EQ(File(), other.Read("Tarvelo.INI"));
    folder.Write("Tarvelo.INI", "[user0]\r\n");
    store.WriteProfile("user0", "lesson", "seven");
    store.WriteProfile("user0", "gamelevel", "99999");
    store.WriteProfile("user0", "sessionnumber", "-3000000000");
    store.WriteProfile("user0", "typemode", "2.5");
    EXPECT_EQ(store.Read("user0", settings::kLesson), 1);
    EXPECT_EQ(store.Read("user0", settings::kGameLevel), 32767);
    EXPECT_EQ(store.Read("user0", settings::kSessionNumber), INT32_MIN);
    EXPECT_EQ(store.Read("user0", settings::kTypeMode), 2) << "halves round to even";
    EXPECT_TRUE(store.Read("user0", settings::kBackspaceLessons)) << "absent: default";
    for (const float value : {0.1f, 1234567.0f, 16777217.0f, 3.4e38f, -0.5f}) {
        ASSERT_TRUE(store.Write("user0", settings::kAccuracy, value));
        EXPECT_EQ(store.Read("user0", settings::kAccuracy), value) << "singles round-trip exactly";
    }
}

TEST_F(ProfileStoreTest, FailedWritesKeepTheOldFileAndAreReportedOncePerProblem)
{
    ASSERT_TRUE(store.WriteProfile("users", "lastuser", "0"));
    std::vector<WriteError::Reason> reported;
    store.SetWriteErrorListener([&](const WriteError& e) {
        reported.push_back(e.reason);
        EXPECT_EQ(e.path, store.FilePath());
    });
    const auto failFourTimes = [&] {
        const std::string before = File();
        {
            test::FileSizeLimit limit(before.size()); // a nearly full disk
            for (int i = 0; i < 3; ++i)
                EXPECT_FALSE(store.WriteProfile("user0", "sentencenumber", std::to_string(i)));
            ProfileBatch batch(store);
            store.WriteProfile("users", "user1", "a name that does not fit");
            EXPECT_FALSE(batch.Commit());
        }
        EXPECT_EQ(File(), before) << "the old file is kept";
    };
    failFourTimes();
    EXPECT_EQ(reported, std::vector{WriteError::Reason::DiskFull})
        << "the same problem stays quiet";
    {
        const FileLock otherCopy(store.FilePath());
        EXPECT_FALSE(store.WriteProfile("users", "top", "1")) << "busy lock: a failure, not a hang";
    }
    EXPECT_EQ(reported, (std::vector{WriteError::Reason::DiskFull, WriteError::Reason::LockBusy}));
    ASSERT_TRUE(store.WriteProfile("users", "top", "1"));
    failFourTimes();
    EXPECT_EQ(reported.size(), 3u) << "told again once a write has worked in between";
    EXPECT_TRUE(store.CanSave());
    test::FileSizeLimit limit(0);
    EXPECT_FALSE(store.CanSave()) << "the disk refuses data";
}

// Another copy holding the lock: the writes meanwhile are neither lost nor
// acknowledged; they are read back and reach the file once the lock is free.
TEST_F(ProfileStoreTest, WritesKeptWhileTheLockIsHeldReachTheFileOnceItFrees)
{
    folder.Write("Tarvelo.INI", "[users]\r\nlastuser=352\r\n");
    int told = 0;
    store.SetWriteErrorListener([&](const WriteError&) { ++told; });
    {
        const FileLock otherCopy(store.FilePath());
        EXPECT_FALSE(store.WriteProfile("user0", "sentencenumber", "4"));
        EXPECT_FALSE(store.WriteProfile("user0", "sentencenumber", "5"));
        ProfileBatch batch(store);
        store.WriteProfile("user0", "lesson", "2");
        EXPECT_FALSE(batch.Commit());
        EXPECT_EQ(store.ReadProfile("user0", "sentencenumber", ""), "5");
        EXPECT_FALSE(store.SaveDeferred());
        EXPECT_EQ(File(), "[users]\r\nlastuser=352\r\n");
    }
    EXPECT_EQ(told, 1);
    EXPECT_TRUE(store.SaveDeferred());
    EXPECT_FALSE(store.HasDeferred());
    ProfileStore fresh(folder.Path());
    EXPECT_EQ(fresh.ReadProfile("user0", "sentencenumber", ""), "5");
    EXPECT_EQ(fresh.ReadProfile("user0", "lesson", ""), "2");
}

// A settings file grown past the size of other data files is still read.
TEST_F(ProfileStoreTest, LargeFilesAreReadAndChangesBetweenReadsSeen)
{
    std::string big = "[users]\r\nlastuser=352\r\n[padding]\r\n";
    while (big.size() < 17'500'000)
        big += "k" + std::to_string(big.size()) + "=" + std::string(100, 'x') + "\r\n";
    folder.Write("Tarvelo.INI", big);
    EXPECT_EQ(store.ReadProfile("users", "lastuser", "d"), "0");
    EXPECT_EQ(store.FileStatus(), ReadStatus::Ok);
    folder.Write("Tarvelo.INI", "[users]\r\nlastuser=352\r\n");
    const timespec old[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    const std::string path = folder.File("Tarvelo.INI");
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), old, 0), 0);
    ASSERT_EQ(store.ReadProfile("users", "lastuser", ""), "0");

    // A hand edit of the same size that even puts the old time back.
    folder.Write("Tarvelo.INI", "[users]\r\nlastuser=351\r\n");
    ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), old, 0), 0);
    EXPECT_EQ(store.ReadProfile("users", "lastuser", ""), "1");

    ProfileStore otherCopy(folder.Path());
    ASSERT_TRUE(otherCopy.WriteProfile("users", "lastuser", "2"));
    EXPECT_EQ(store.ReadProfile("users", "lastuser", ""), "2");
}

constexpr int kKeys = 8;

struct Acknowledged
{
    int key = 0;
    long value = 0;
};

// The writing copy: writes ever larger values round the keys and reports each
// write the store acknowledged, until it is killed.
[[noreturn]] void WriteUntilKilled(const std::string& folder, int round, int report)
{
    ProfileStore store(folder);
    for (long i = 1;; ++i) {
        const Acknowledged write{static_cast<int>(i % kKeys), round * 1'000'000L + i};
        if (store.WriteProfile("crash", "k" + std::to_string(write.key),
                               std::to_string(write.value)))
            (void)!::write(report, &write, sizeof write);
    }
}

// SIGKILL at random moments of a writing copy, 200 times: after every kill the
// settings file is whole, decodes, and holds every acknowledged write.
TEST(SettingsCrashTest, KilledWriterLeavesAWholeFileWithEveryAcknowledgedWrite)
{
    constexpr int kRounds = 200;
    test::TempFolder folder;
    const std::string path = folder.File("Tarvelo.INI");
    folder.Write("Tarvelo.INI", "[users]\r\nlastuser=352\r\n");
    std::array<long, kKeys> last{}; // last acknowledged value of each key
    std::mt19937 random(20261206);
    long acknowledgedWrites = 0;
    for (int round = 1; round <= kRounds; ++round) {
        RemoveLeftoverTemporaries(path); // as the program's start-up does
        // A write takes a few milliseconds (two fsyncs): kills land on every step.
        for (const Acknowledged& write : test::KillAtRandom<Acknowledged>(
                 [&](int report) { WriteUntilKilled(folder.Path(), round, report); }, 0, 25'000,
                 random)) {
            last[static_cast<std::size_t>(write.key)] = write.value;
            ++acknowledgedWrites;
        }

        ASSERT_TRUE(ReadDataFile(path).bytes.ends_with("\r\n")) << "round " << round;
        const ProfileStore store(folder.Path());
        ASSERT_EQ(store.ReadProfile("users", "lastuser", "lost"), "0") << "round " << round;
        for (int key = 0; key < kKeys; ++key)
            ASSERT_GE(std::stol(store.ReadProfile("crash", "k" + std::to_string(key), "0")),
                      last[static_cast<std::size_t>(key)])
                << "round " << round << ", key " << key;
    }
    RemoveLeftoverTemporaries(path);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2)
        << "the file and its lock, no temporary";
    // A sanity floor only: on a loaded machine the writer starts late.
    EXPECT_GT(acknowledgedWrites, kRounds / 4) << "the kills must fall among writes";
}

TEST(IniDocumentTest, ValuesAreFoundTrimmedInTheirOwnSectionsAndNewKeysGoAfterTheLast)
{
    for (const char* ends : {"[s]\r\nk=v\r\n", "[s]\nk=v\n", "[s]\r\nk=v", "[s]\nk=v"}) {
        EXPECT_EQ(IniDocument::FindValue(ends, "s", "k"), "v") << ends;
        EXPECT_EQ(IniDocument::Parse(ends).Value("s", "k"), "v") << ends;
    }
    const char* text = "[s]\n  spaced \t=\t  v w  \n"
                       "dq=\"x\"\nsq='y'\nnested=\"'z'\"\nmismatched=\"a'\nlone=\"\n";
    std::string found;
    for (const char* key : {"spaced", "dq", "sq", "nested", "mismatched", "lone"})
        found += IniDocument::FindValue(text, "s", key).value_or("<none>") + "|";
    EXPECT_EQ(found, "v w|x|y|'z'|\"a'|\"|");
    const char* sections = "k=top\n[a]\n;k=comment\n[b]\nk=b\n";
    EXPECT_EQ(IniDocument::FindValue(sections, "a", "k"), std::nullopt);
    EXPECT_EQ(IniDocument::FindValue(sections, "b", "k"), "b");
    EXPECT_EQ(IniDocument::FindValue(sections, "c", "k"), std::nullopt);

    // New keys go after their section's last key.
    IniDocument doc = IniDocument::Parse("[a]\n\n[b]\nx=1\n; note\n\n[c]\n");
    doc.SetValue("a", "first", "1");
    doc.SetValue("b", "y", "2");
    doc.SetValue("d", "z", "3");
    EXPECT_EQ(doc.Serialise(),
              "[a]\r\nfirst=1\r\n\r\n[b]\r\nx=1\r\ny=2\r\n; note\r\n\r\n[c]\r\n[d]\r\nz=3\r\n");
}

using namespace valuetext;

TEST(ValueTextTest, NumbersBooleansAndSingles)
{
    EXPECT_EQ(ParseNumber(" 12.5\t"), 12.5);
    EXPECT_EQ(ParseNumber("12,5"), 12.5);
    EXPECT_EQ(ParseNumber("-1E3"), -1000);
    for (const char* bad : {"", " ", "1.2.3", "12a", "nan", "inf", "1,2,3", "--1"})
        EXPECT_EQ(ParseNumber(bad), std::nullopt) << bad;
    EXPECT_EQ(ParseInteger("3.5"), 4);
    EXPECT_EQ(ParseInteger("-2.5"), -2);
    EXPECT_EQ(ParseInteger("-40000"), -32768);
    EXPECT_EQ(ParseLong("1e999"), 2147483647);
    EXPECT_EQ(ParseBoolean("True"), true);
    EXPECT_EQ(ParseBoolean("false"), false);
    EXPECT_EQ(ParseBoolean("-1"), true);
    EXPECT_EQ(ParseBoolean("0"), false);
    EXPECT_EQ(ParseBoolean("yes"), std::nullopt);
    EXPECT_EQ(FormatSingle(2.5f), "2.5");
    EXPECT_EQ(FormatSingle(100.0f), "100");
    EXPECT_EQ(ParseSingle(FormatSingle(1.0f / 3.0f)), 1.0f / 3.0f);
    EXPECT_EQ(ParseSingle("1e40"), 3.4028234663852886e38f);
}

using namespace codepage;

TEST(CodePageTest, EveryCodeRoundTripsAndTextWithoutOneIsToldAndReplaced)
{
    for (int code = 1; code <= 255; ++code)
        EXPECT_EQ(FromUnicode(ToUnicode(static_cast<unsigned char>(code))), code) << code;
    EXPECT_EQ(ToUnicode(0x80), U'\u20AC');
    EXPECT_EQ(ToUnicode(0x9F), U'\u0178');
    EXPECT_EQ(ToUnicode(0xE9), U'\u00E9');
    for (const unsigned char undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(ToUnicode(undefined), char32_t{undefined});
    EXPECT_TRUE(Fits(U"Déjà vu – “quoted” €5"));
    EXPECT_FALSE(Fits(U"Łódź"));
    EXPECT_FALSE(Fits(U"\u0080")); // the code page puts the euro sign at 0x80
    EXPECT_EQ(FromUnicode(U"a\u0141b"), "a?b");
    EXPECT_EQ(FromUtf8("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xE9 \x80");
    EXPECT_EQ(FromUtf8("a\xFF"
                       "b\xE2\x82"),
              "a?b??");
    EXPECT_EQ(FromUtf8("\xF0\x9F\x98\x80"), "?");
}

} // namespace
} // namespace tarvelo
