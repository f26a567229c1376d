#include "drill/keystroke_figures.h"

#include "drill/drill_plan.h"
#include "drill/keystroke_log.h"
#include "drill/letters.h"
#include "drill/text_language.h"
#include "stats/speed_report.h"

#include <algorithm>
#include <cmath>

namespace tarvelo {
namespace {

std::size_t Slot(char c)
{
    return static_cast<unsigned char>(c);
}

std::size_t PairSlot(char first, char second)
{
    return Slot(first) * 256 + Slot(second);
}

std::string Shown(char c)
{
    return c == ' ' ? std::string("space") : "\"" + std::string(1, c) + "\"";
}

} // namespace

void KeystrokeFigures::FoldLine(std::span<const Keystroke> line)
{
    // The averages of the letters the line holds, before it.
    std::array<std::optional<double>, 256> before{};
    for (const Keystroke& stroke : line) {
        if (IsLetter(stroke.expected))
            before[Slot(FoldLetter(stroke.expected))] = m_speeds.Of(stroke.expected).averageMs;
    }
    m_speeds.FoldLine(line);
    for (std::size_t i = 0; i < line.size(); ++i) {
        const Keystroke& stroke = line[i];
        if (stroke.error && stroke.typed != stroke.expected)
            ++m_confusions[PairSlot(stroke.expected, stroke.typed)];
        if (i == 0 || stroke.error || line[i - 1].error || !IsLetter(stroke.expected) ||
            !IsLetter(line[i - 1].expected))
            continue;
        const double ms = stroke.KeyMs();
        if (ms < KeySpeeds::kShortestMs || ms > KeySpeeds::kLongestMs)
            continue;
        Sum& pair =
            m_pairs[PairSlot(FoldLetter(line[i - 1].expected), FoldLetter(stroke.expected))];
        pair.ms += ms;
        ++pair.samples;
    }
    // Each letter the line timed gains one point of its trend.
    for (std::size_t slot = 0; slot < before.size(); ++slot) {
        const double now = m_speeds.Of(static_cast<char>(slot)).averageMs;
        if (!before[slot] || now == *before[slot])
            continue;
        std::deque<double>& trend = m_trends[slot];
        trend.push_back(now);
        if (trend.size() > kTrendLength)
            trend.pop_front();
    }
}

std::vector<LetterPair> KeystrokeFigures::SlowestPairs(std::size_t count) const
{
    std::vector<LetterPair> pairs;
    for (std::size_t slot = 0; slot < m_pairs.size(); ++slot) {
        const Sum& sum = m_pairs[slot];
        if (sum.samples >= kPairSamples)
            pairs.push_back({static_cast<char>(slot / 256), static_cast<char>(slot % 256),
                             sum.ms / sum.samples, sum.samples});
    }
    std::stable_sort(pairs.begin(), pairs.end(),
                     [](const LetterPair& a, const LetterPair& b) { return a.meanMs > b.meanMs; });
    pairs.resize(std::min(count, pairs.size()));
    return pairs;
}

std::vector<Confusion> KeystrokeFigures::Confusions(std::size_t count) const
{
    std::vector<Confusion> confusions;
    for (std::size_t slot = 0; slot < m_confusions.size(); ++slot) {
        if (m_confusions[slot] > 0)
            confusions.push_back(
                {static_cast<char>(slot / 256), static_cast<char>(slot % 256), m_confusions[slot]});
    }
    std::stable_sort(confusions.begin(), confusions.end(),
                     [](const Confusion& a, const Confusion& b) { return a.count > b.count; });
    confusions.resize(std::min(count, confusions.size()));
    return confusions;
}

const std::deque<double>& KeystrokeFigures::Trend(char letter) const
{
    return m_trends[Slot(FoldLetter(letter))];
}

std::optional<int> LinesToTarget(const std::deque<double>& averages, double targetMs)
{
    constexpr double kGoodFit = 0.5;
    const std::size_t n = std::min(averages.size(), KeystrokeFigures::kTrendLength);
    if (n < 3 || averages.back() <= targetMs)
        return std::nullopt;
    const auto first = averages.end() - static_cast<std::ptrdiff_t>(n);
    double meanX = (n - 1) / 2.0;
    double meanY = 0;
    for (auto it = first; it != averages.end(); ++it)
        meanY += *it;
    meanY /= static_cast<double>(n);
    double sxy = 0, sxx = 0, syy = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double dx = static_cast<double>(i) - meanX;
        const double dy = first[static_cast<std::ptrdiff_t>(i)] - meanY;
        sxy += dx * dy;
        sxx += dx * dx;
        syy += dy * dy;
    }
    if (syy <= 0 || sxy >= 0)
        return std::nullopt; // flat or getting slower
    const double slope = sxy / sxx;
    const double rSquared = sxy * sxy / (sxx * syy);
    if (rSquared < kGoodFit)
        return std::nullopt;
    const double intercept = meanY - slope * meanX;
    const double reachedAt = (targetMs - intercept) / slope;
    return std::max(1, static_cast<int>(std::ceil(reachedAt - static_cast<double>(n - 1))));
}

SpeedReport MakeSpeedReport(std::span<const std::string> logs, std::string_view practiceFile,
                            const TargetSpeed& target)
{
    KeystrokeFigures figures;
    for (const std::string& log : logs)
        (void)ForEachLoggedLine(log,
                                [&](std::span<const Keystroke> line) { figures.FoldLine(line); });

    SpeedReport report;
    report.targetMs = target.LetterMs();
    for (int code = 1; code < 256; ++code) {
        const char c = static_cast<char>(code);
        if (IsLetter(c) && FoldLetter(c) == c)
            report.averageMs[static_cast<std::size_t>(code)] = figures.Speeds().Of(c).averageMs;
    }
    for (const LetterPair& pair : figures.SlowestPairs(10))
        report.slowestPairs.push_back(std::string{pair.first, pair.second} + ": " +
                                      std::to_string(std::lround(pair.meanMs)) + " ms");
    for (const Confusion& confusion : figures.Confusions(10))
        report.confusions.push_back(
            "typed " + Shown(confusion.typed) + " for " + Shown(confusion.expected) + ": " +
            std::to_string(confusion.count) + (confusion.count == 1 ? " time" : " times"));
    const std::string open =
        OpenLetters(TextLanguage::Learn(practiceFile).Letters(), figures.Speeds(), target);
    if (const std::optional<char> focus = FocusLetter(open, figures.Speeds(), target)) {
        if (const auto lines = LinesToTarget(figures.Trend(*focus), target.LetterMs()))
            report.focusOutlook = std::string(1, *focus) + ": about " + std::to_string(*lines) +
                                  " more lines to target";
    }
    return report;
}

} // namespace tarvelo
