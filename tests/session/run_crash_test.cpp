#include "session/run_recorder.h"
#include "session_fixture.h"
#include "support/kill_at_random.h"
#include "support/stepped_utc_clock.h"

namespace tarvelo::test {
namespace {

constexpr std::int64_t kFirstStart = 1'780'000'000;

class RunCrashTest : public SessionFixture
{
protected:
    // The typing copy: says it is ready (0), then types line after line in
    // one run and reports the characters of every line end the history has
    // on disk, until killed.
    [[noreturn]] void TypeUntilKilled(std::int64_t start, int report)
    {
        SteppedUtcClock clock(start);
        RunHistory history(HistoryPath(folder.Path()), clock);
        RunRecorder recorder(&history, user, clock, [] { return 0; });
        engine.SetRunObserver(&recorder);
        Start({"abcdefghij "}, false, false); // lessons: only the history is written
        const std::int32_t ready = 0;
        (void)!::write(report, &ready, sizeof ready);
        for (std::int32_t characters = 11;; characters += 11) {
            Type("abcdefghij ");
            if (history.AllWritten())
                (void)!::write(report, &characters, sizeof characters);
        }
    }
};

// SIGKILL at random moments of a typing copy, 200 times: the run of every
// round has one row, holding at least every line end acknowledged.
TEST_F(RunCrashTest, KilledSessionKeepsEveryAcknowledgedLine)
{
    constexpr int kRounds = 200;
    std::mt19937 random(20261207);
    int roundsWithLines = 0;
    for (int round = 1; round <= kRounds; ++round) {
        // After the start and a few line ends, a kill at a random moment of a
        // line end (a few milliseconds: one commit, synced).
        const int waitFor = std::uniform_int_distribution<int>(1, 3)(random);
        const auto reports = KillAtRandom<std::int32_t>(
            [&](int report) { TypeUntilKilled(kFirstStart + round, report); }, waitFor, 10'000,
            random);
        const std::int32_t acknowledged = reports.empty() ? 0 : reports.back();

        SteppedUtcClock clock;
        RunHistory history(HistoryPath(folder.Path()), clock);
        std::vector<RunRecord> rows;
        for (RunRecord& run : history.Runs("user0")) {
            if (run.startUtc == kFirstStart + round)
                rows.push_back(std::move(run));
        }
        ASSERT_LE(rows.size(), 1u) << "round " << round;
        if (acknowledged > 0) {
            ++roundsWithLines;
            ASSERT_EQ(rows.size(), 1u) << "round " << round;
            ASSERT_GE(rows[0].characters, acknowledged) << "round " << round;
        }
    }
    EXPECT_GT(roundsWithLines, kRounds / 2);
}

} // namespace
} // namespace tarvelo::test
