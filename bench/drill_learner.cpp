// A simulated learner: each letter a-z starts at a time drawn between 200 and
// 900 ms and gets faster with each correct keystroke of it. It types drill
// lines made from its own measured figures, and for comparison the practice
// text sentence after sentence; reported is the number of keystrokes until
// every letter a-z is measured at the target speed (35 wpm).
//
//     tarvelo_drill_learner [seeds] [practice text file]

#include "drill/drill_line.h"
#include "drill/drill_plan.h"
#include "drill/key_speed.h"
#include "drill/letters.h"
#include "drill/seeded_random.h"
#include "drill/text_language.h"
#include "material/practice_text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace tarvelo;

// Gives up on a way of practising after this many keystrokes.
constexpr std::int64_t kMostKeystrokes = 5'000'000;

class Learner
{
public:
    // Each letter's time falls this share of the way to its floor with every
    // correct keystroke: about 130 repetitions from 900 ms to the target.
    static constexpr double kLearning = 0.01;
    static constexpr double kFloorMs = 120;
    // Spaces, capitals' shifts, digits and marks: no figure is kept for them.
    static constexpr double kOtherMs = 250;

    explicit Learner(std::uint64_t seed) : m_random(seed)
    {
        for (double& ms : m_timeMs)
            ms = 200 + 700 * m_random.Next();
    }

    // Types `line` and returns its keystrokes, a wrong key followed by the right one.
    std::vector<Keystroke> Type(const std::string& line)
    {
        std::vector<Keystroke> strokes;
        for (char c : line) {
            const char letter = FoldLetter(c);
            const bool known = letter >= 'a' && letter <= 'z';
            double& skill = m_timeMs[known ? letter - 'a' : 0];
            const double base = known ? skill : kOtherMs;
            // Slow letters are also the mistyped ones.
            if (known && m_random.Next() < 0.01 + 0.05 * (skill - kFloorMs) / 780)
                strokes.push_back({c, '#', Noisy(base), true});
            strokes.push_back({c, c, Noisy(base), false});
            if (known)
                skill -= kLearning * (skill - kFloorMs);
        }
        return strokes;
    }

private:
    // Log-normal scatter of about 15 %.
    double Noisy(double ms)
    {
        const double u1 = std::max(m_random.Next(), 1e-12);
        const double u2 = m_random.Next();
        const double normal = std::sqrt(-2 * std::log(u1)) * std::cos(2 * M_PI * u2);
        return ms * std::exp(0.15 * normal);
    }

    SeededRandom m_random;
    std::array<double, 26> m_timeMs{};
};

bool AllAtTarget(const KeySpeeds& speeds, const TargetSpeed& target)
{
    for (char c = 'a'; c <= 'z'; ++c)
        if (target.Confidence(speeds.Of(c)) < 1.0)
            return false;
    return true;
}

struct Outcome
{
    std::int64_t keystrokes = 0;
    bool reached = false;
};

template <typename NextLine> Outcome Practise(std::uint64_t seed, NextLine nextLine)
{
    Learner learner(seed);
    KeySpeeds speeds;
    const TargetSpeed target;
    Outcome outcome;
    while (outcome.keystrokes < kMostKeystrokes) {
        const std::string line = nextLine(speeds, target);
        if (line.empty())
            break;
        const std::vector<Keystroke> strokes = learner.Type(line);
        outcome.keystrokes += static_cast<std::int64_t>(strokes.size());
        speeds.FoldLine(strokes);
        if (AllAtTarget(speeds, target)) {
            outcome.reached = true;
            break;
        }
    }
    return outcome;
}

std::string Figure(const Outcome& outcome)
{
    char text[32];
    if (outcome.reached)
        std::snprintf(text, sizeof text, "%lld", static_cast<long long>(outcome.keystrokes));
    else
        std::snprintf(text, sizeof text, "never (>%lld)", static_cast<long long>(kMostKeystrokes));
    return text;
}

} // namespace

int main(int argc, char* argv[])
{
    const int seeds = argc > 1 ? std::atoi(argv[1]) : 10;
    const std::string path =
        argc > 2 ? argv[2] : std::string(TARVELO_DATA_DIR) + "/Tarvelo Text1.txt";
    const FileContents file = ReadPracticeFile(path);
    if (file.status != ReadStatus::Ok) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    const TextLanguage language = TextLanguage::Learn(file.bytes);
    const std::vector<std::string> sentences = SplitIntoSentences(ReadPracticeLines(file.bytes));

    std::printf("%-6s %14s %22s %8s\n", "seed", "drills", "practice text", "ratio");
    std::vector<double> ratios;
    for (int seed = 1; seed <= seeds; ++seed) {
        SeededRandom draws(1000 + seed);
        const Outcome drills = Practise(seed, [&](const KeySpeeds& speeds, const TargetSpeed& t) {
            const std::string open = OpenLetters(language.Letters(), speeds, t);
            const auto focus = FocusLetter(open, speeds, t);
            return focus ? MakeDrillLine(language, open, *focus, draws) : std::string();
        });
        std::size_t next = 0;
        const Outcome text = Practise(seed, [&](const KeySpeeds&, const TargetSpeed&) {
            return sentences.empty() ? std::string() : sentences[next++ % sentences.size()];
        });
        const double ratio = text.reached ? double(drills.keystrokes) / double(text.keystrokes)
                                          : double(drills.keystrokes) / double(kMostKeystrokes);
        std::printf("%-6d %14s %22s %3s%5.2f\n", seed, Figure(drills).c_str(), Figure(text).c_str(),
                    text.reached ? "" : "<", ratio);
        ratios.push_back(drills.reached ? ratio : 1e9);
    }
    std::sort(ratios.begin(), ratios.end());
    if (!ratios.empty())
        std::printf("drills / text: median %.2f, worst %.2f\n", ratios[ratios.size() / 2],
                    ratios.back());
    return 0;
}
