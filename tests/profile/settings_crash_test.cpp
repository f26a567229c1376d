#include "profile/data_file.h"
#include "profile/profile_store.h"
#include "support/kill_at_random.h"
#include "support/temp_folder.h"

#include <array>
#include <filesystem>
#include <gtest/gtest.h>

namespace tarvelo {
namespace {

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

} // namespace
} // namespace tarvelo
