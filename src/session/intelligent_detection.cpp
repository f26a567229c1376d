// Intelligent detection: follows the keystrokes of a line, finds where they
// fall back into step with the expected text after extra, missing or swapped
// letters, re-aligns the keystrokes in between and only then charges errors.
// Positions up to ConfirmedPosition are final.

#include "session/typing_engine.h"

#include <algorithm>

namespace tarvelo {
namespace {

constexpr int kBar = '|';

int Min(int x, int y)
{
    return std::min(x, y);
}

bool IsCharged(Mark mark)
{
    return mark == Mark::Wrong || mark == Mark::SwappedFirst;
}

} // namespace

void TypingEngine::DetectKey()
{
    TypingLine& line = m_line;
    const int L = line.LineLength;
    const int t = line.KeyCount - line.ConfirmedPosition;

    if (t == 1) {
        const int cur = line.SentencePosition;
        const int q = line.ConfirmedPosition;
        if (line.KeystrokeAt(cur) == line.ExpectedAt(cur))
            Confirm(q + 1);
        else
            ArrangeSent(q + 1, Min(L, q + 4), q + 1, q + 1);
    } else if (t == 2) {
        const int q = line.ConfirmedPosition;
        ArrangeSent(q + 1, Min(L, q + 5), q + 1, q + 2);
    } else if (t >= 3) {
        // Look for three keystrokes in step with the text.
        int i = Min(L, line.ConfirmedPosition + 3);
        int end = 0;
        while (end == 0) {
            const int n = line.KeyCount;
            if (line.ExpectedAt(i - 2) == line.KeystrokeAt(n - 2) &&
                line.ExpectedAt(i - 1) == line.KeystrokeAt(n - 1) &&
                line.ExpectedAt(i) == line.KeystrokeAt(n))
                Confirm(i);
            ++i;
            // Reached or passed the end of the search window (bounded by the line).
            if (i >= Min(L + 1, line.SentencePosition + 4))
                end = Min(L, line.SentencePosition + 3);
        }
        ArrangeSent(line.ConfirmedPosition + 1, end, line.ConfirmedPosition + 1, line.KeyCount);
    }

    // Find the cursor: drop skipped-character placeholders past the last
    // keystroke and put the cursor on the position of that keystroke. The
    // search stays above the confirmed position.
    const int q = line.ConfirmedPosition;
    for (int i = L; i >= std::max(q, 1); --i) {
        if (i > q && line.ShownAt(i) == kBar && line.MarkAt(i) == Mark::Wrong) {
            line.SetShown(i, TypingLine::kEmpty);
            line.SetMark(i, Mark::Correct);
        }
        if (line.ShownAt(i) == line.KeystrokeAt(line.KeyCount)) {
            line.SentencePosition = static_cast<std::int16_t>(i);
            break;
        }
    }
    if (line.SentencePosition < q)
        line.SentencePosition = static_cast<std::int16_t>(q);

    if (line.SentencePosition == L) {
        FinishUnderDetection();
        return;
    }
    for (int i = line.SentencePosition + 1; i <= L; ++i) {
        line.SetMark(i, Mark::Correct);
        line.SetShown(i, TypingLine::kEmpty);
    }
    ++line.SentencePosition;
    RestartCaret();
}

void TypingEngine::FinishUnderDetection()
{
    TypingLine& line = m_line;
    const int L = line.LineLength;
    const int q = line.ConfirmedPosition;
    if (q < L) {
        for (int i = q + 1; i <= L; ++i)
            line.SetMark(i, Mark::Correct);
        ArrangeSent(q + 1, L, q + 1, line.KeyCount);
        for (int i = q + 1; i <= L; ++i) {
            line.SetKeystroke(i, line.ShownAt(i));
            if (IsCharged(line.MarkAt(i))) {
                m_stats.TallyLetterError(line.ExpectedAt(i));
                m_stats.CountWrongKeystroke();
            }
            m_stats.TallyLetterTyped(line.ExpectedAt(i));
            m_stats.CountPosition();
        }
    }
    line.ClearSlots();
    line.SentencePosition = static_cast<std::int16_t>(L);
    m_stats.UpdateAccuracies(L);
    EndOfLine();
}

void TypingEngine::Confirm(int p)
{
    TypingLine& line = m_line;
    const int q = line.ConfirmedPosition;
    const int n = line.KeyCount;
    // Confirmed positions are final: nothing at or below q is rewritten.
    const auto setS = [&](int i, int c) {
        if (i > q)
            line.SetShown(i, c);
    };
    const auto setM = [&](int i, Mark mark) {
        if (i > q)
            line.SetMark(i, mark);
    };
    const auto settle = [&](int to) {
        line.ConfirmedPosition = line.SentencePosition = line.KeyCount =
            static_cast<std::int16_t>(to);
    };

    if (p - q == 1) {
        setS(p, line.ExpectedAt(p));
        setM(p, Mark::Correct);
        m_stats.TallyLetterTyped(line.ExpectedAt(p));
        settle(p);
        m_stats.CountPosition();
        return;
    }

    for (int i = q + 1; i <= p - 3; ++i)
        setM(i, Mark::Correct);
    ArrangeSent(q + 1, p - 3, q + 1, n - 3);
    setS(p, line.ExpectedAt(p));
    setS(p - 1, line.ExpectedAt(p - 1));
    setS(p - 2, line.ExpectedAt(p - 2));

    for (int i = q + 1; i <= p; ++i) {
        if (IsCharged(line.MarkAt(i)) && i != p - 2) {
            m_stats.TallyLetterError(line.ExpectedAt(i));
            m_stats.CountWrongKeystroke();
        }
        m_stats.TallyLetterTyped(line.ExpectedAt(i));
        m_stats.CountPosition();
    }

    // Getting back into step costs one error, on the first of the three
    // matching letters, unless what precedes already accounts for it.
    Mark mark = Mark::Wrong;
    if (p > 3) {
        mark = line.ShownAt(p - 3) == line.ExpectedAt(p - 3) ? Mark::Wrong : Mark::Correct;
        if (line.MarkAt(p - 3) == Mark::SwappedSecond &&
            (line.ExpectedAt(p - 4) != line.KeystrokeAt(n - 3) ||
             line.ExpectedAt(p - 3) != line.KeystrokeAt(n - 4)))
            mark = Mark::Wrong;
    }
    const auto allSkipped = [&](int from, int to) {
        for (int i = from; i <= to; ++i) {
            if (line.ShownAt(i) != kBar)
                return false;
        }
        return true;
    };
    const bool stepBeforeIsClean =
        line.ShownAt(p - 3) == line.ExpectedAt(p - 3) && line.MarkAt(p - 3) == Mark::Correct;
    if (p >= 8 && allSkipped(p - 7, p - 4) && stepBeforeIsClean)
        mark = Mark::Correct;
    if (p >= 10 && allSkipped(p - 9, p - 5) && stepBeforeIsClean)
        mark = Mark::Correct;
    setM(p - 2, mark);
    setM(p - 1, Mark::Correct);
    setM(p, Mark::Correct);
    if (mark == Mark::Wrong) {
        m_stats.TallyLetterError(line.ExpectedAt(p - 2));
        m_stats.CountWrongKeystroke();
    }

    for (int i = q + 1; i <= p; ++i)
        line.SetKeystroke(i, line.ShownAt(i));
    settle(p);
}

void TypingEngine::SkipPositions(int from, int to)
{
    for (int i = from; i <= to; ++i) {
        m_line.SetShown(i, kBar);
        m_line.SetMark(i, Mark::Wrong);
    }
}

void TypingEngine::ArrangeSent(int a, int b, int c, int d)
{
    if (b < a)
        return;
    if (d < c) {
        SkipPositions(a, b);
        return;
    }
    if (a == b) {
        ArrangeSinglePosition(a, c, d);
        return;
    }
    if (c == d) {
        ArrangeSingleKey(a, b, c);
        return;
    }
    if (ArrangePairInStep(a, b, c, d) || ArrangeSwappedPair(a, b, c, d))
        return;
    ArrangeSingleLetters(a, b, c, d);
}

void TypingEngine::ArrangeSinglePosition(int a, int c, int d)
{
    TypingLine& line = m_line;
    line.SetMark(a, Mark::Wrong);
    bool matched = false;
    for (int k = d; k >= c; --k) {
        if (line.KeystrokeAt(k) == line.ExpectedAt(a)) {
            line.SetShown(a, line.KeystrokeAt(k));
            matched = true;
        }
    }
    if (!matched)
        line.SetShown(a, line.KeystrokeAt(c));
    line.SentencePosition = static_cast<std::int16_t>(a);
}

void TypingEngine::ArrangeSingleKey(int a, int b, int c)
{
    TypingLine& line = m_line;
    int match = 0;
    for (int j = b; j >= a; --j) {
        line.SetMark(j, Mark::Correct);
        if (line.ExpectedAt(j) == line.KeystrokeAt(c))
            match = j;
    }
    if (match == 0) {
        line.SetShown(a, line.KeystrokeAt(c));
        line.SetMark(a, Mark::Wrong);
        SkipPositions(a + 1, b);
    } else {
        line.SetShown(match, line.KeystrokeAt(c));
        SkipPositions(a, match - 1);
        SkipPositions(match + 1, b);
    }
    line.SentencePosition = static_cast<std::int16_t>(a);
}

bool TypingEngine::ArrangePairInStep(int a, int b, int c, int d)
{
    TypingLine& line = m_line;
    for (int k = c + 1; k <= d; ++k) {
        for (int j = a + 1; j <= Min(b, k + 5); ++j) {
            if (line.ExpectedAt(j - 1) != line.KeystrokeAt(k - 1) ||
                line.ExpectedAt(j) != line.KeystrokeAt(k))
                continue;
            ArrangeSent(a, j - 2, c, k - 2);
            line.SetShown(j - 1, line.ExpectedAt(j - 1));
            line.SetShown(j, line.ExpectedAt(j));
            Mark mark = Mark::Wrong;
            if (j > 2)
                mark = line.ShownAt(j - 2) == line.ExpectedAt(j - 2) ? Mark::Wrong : Mark::Correct;
            if (line.MarkAt(j - 2) == Mark::SwappedSecond &&
                (line.ExpectedAt(j - 3) != line.KeystrokeAt(k - 2) ||
                 line.ExpectedAt(j - 2) != line.KeystrokeAt(k - 3)))
                mark = Mark::Wrong;
            line.SetMark(j - 1, mark);
            line.SetMark(j, Mark::Correct);
            if (k + 1 <= d) {
                line.SentencePosition = static_cast<std::int16_t>(j);
                ArrangeSent(j + 1, Min(line.LineLength, j + d - k + 3), k + 1, d);
            }
            return true;
        }
    }
    return false;
}

bool TypingEngine::ArrangeSwappedPair(int a, int b, int c, int d)
{
    TypingLine& line = m_line;
    for (int k = c + 1; k <= d; ++k) {
        for (int j = a + 1; j <= Min(b, k + 5); ++j) {
            if (line.ExpectedAt(j) != line.KeystrokeAt(k - 1) ||
                line.ExpectedAt(j - 1) != line.KeystrokeAt(k))
                continue;
            ArrangeSent(a, j - 2, c, k - 2);
            line.SetMark(j - 1, Mark::SwappedFirst);
            line.SetMark(j, Mark::SwappedSecond);
            line.SetShown(j - 1, line.KeystrokeAt(k - 1));
            line.SetShown(j, line.KeystrokeAt(k));
            if (k + 1 <= d) {
                line.SentencePosition = static_cast<std::int16_t>(j);
                ArrangeSent(j + 1, Min(line.LineLength, j + d - k + 3), k + 1, d);
            }
            return true;
        }
    }
    return false;
}

void TypingEngine::ArrangeSingleLetters(int a, int b, int c, int d)
{
    TypingLine& line = m_line;
    int v = a - 1; // last matched position
    int u = c - 1; // last keystroke used
    for (int k = c; k <= d; ++k) {
        for (int j = v + 1; j <= Min(b, a - c + k + 2); ++j) {
            if (line.ExpectedAt(j) != line.KeystrokeAt(k))
                continue;
            line.SetShown(j, line.ExpectedAt(j));
            // The positions jumped over show keystrokes not yet placed, or a gap.
            for (int skipped = v + 1; skipped < j; ++skipped) {
                if (k > u + 1) {
                    ++u;
                    line.SetShown(skipped, line.KeystrokeAt(u));
                } else {
                    line.SetShown(skipped, kBar);
                }
                line.SetMark(skipped, Mark::Wrong);
            }
            if (j == v + 1) {
                Mark mark = Mark::Wrong;
                if (line.MarkAt(j - 1) == Mark::SwappedSecond)
                    mark = (line.ExpectedAt(j - 2) != line.KeystrokeAt(k - 1) ||
                            line.ExpectedAt(j - 1) != line.KeystrokeAt(k - 2))
                               ? Mark::Wrong
                               : line.MarkAt(j);
                line.SetMark(j, mark);
            }
            v = j;
            u = k;
            break;
        }
        if (v == b)
            return;
    }
    for (int j = v + 1; j <= b; ++j) {
        if (u + 1 <= d) {
            ++u;
            line.SetShown(j, line.KeystrokeAt(u));
        } else {
            line.SetShown(j, kBar);
        }
        line.SetMark(j, Mark::Wrong);
    }
    line.SentencePosition = static_cast<std::int16_t>(v);
}

} // namespace tarvelo
