// Intelligent detection: follows the keystrokes of a line, finds where they
// fall back into step with the expected text after extra, missing or swapped
// letters, re-aligns the keystrokes in between and only then charges errors.
// Positions up to ConfirmedPos are final.

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
    const int t = line.KeyCount - line.ConfirmedPos;

    if (t == 1) {
        const int cur = line.SentencePosition;
        const int q = line.ConfirmedPos;
        if (line.K(cur) == line.E(cur))
            Confirm(q + 1);
        else
            ArrangeSent(q + 1, Min(L, q + 4), q + 1, q + 1);
    } else if (t == 2) {
        const int q = line.ConfirmedPos;
        ArrangeSent(q + 1, Min(L, q + 5), q + 1, q + 2);
    } else if (t >= 3) {
        // Look for three keystrokes in step with the text.
        int i = Min(L, line.ConfirmedPos + 3);
        int end = 0;
        while (end == 0) {
            const int n = line.KeyCount;
            if (line.E(i - 2) == line.K(n - 2) && line.E(i - 1) == line.K(n - 1) &&
                line.E(i) == line.K(n))
                Confirm(i);
            ++i;
            // Reached or passed the end of the search window (bounded by the line).
            if (i >= Min(L + 1, line.SentencePosition + 4))
                end = Min(L, line.SentencePosition + 3);
        }
        ArrangeSent(line.ConfirmedPos + 1, end, line.ConfirmedPos + 1, line.KeyCount);
    }

    // Find the cursor: drop skipped-character placeholders past the last
    // keystroke and put the cursor on the position of that keystroke. The
    // search stays above the confirmed position.
    const int q = line.ConfirmedPos;
    for (int i = L; i >= std::max(q, 1); --i) {
        if (i > q && line.S(i) == kBar && line.M(i) == Mark::Wrong) {
            line.SetS(i, TypingLine::kEmpty);
            line.SetM(i, Mark::Correct);
        }
        if (line.S(i) == line.K(line.KeyCount)) {
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
        line.SetM(i, Mark::Correct);
        line.SetS(i, TypingLine::kEmpty);
    }
    ++line.SentencePosition;
    RestartCaret();
}

void TypingEngine::FinishUnderDetection()
{
    TypingLine& line = m_line;
    const int L = line.LineLength;
    const int q = line.ConfirmedPos;
    if (q < L) {
        for (int i = q + 1; i <= L; ++i)
            line.SetM(i, Mark::Correct);
        ArrangeSent(q + 1, L, q + 1, line.KeyCount);
        for (int i = q + 1; i <= L; ++i) {
            line.SetK(i, line.S(i));
            if (IsCharged(line.M(i))) {
                m_stats.TallyLetterError(line.E(i));
                m_stats.CountWrongKeystroke();
            }
            m_stats.TallyLetterTyped(line.E(i));
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
    const int q = line.ConfirmedPos;
    const int n = line.KeyCount;
    // Confirmed positions are final: nothing at or below q is rewritten.
    const auto setS = [&](int i, int c) {
        if (i > q)
            line.SetS(i, c);
    };
    const auto setM = [&](int i, Mark mark) {
        if (i > q)
            line.SetM(i, mark);
    };
    const auto settle = [&](int to) {
        line.ConfirmedPos = line.SentencePosition = line.KeyCount = static_cast<std::int16_t>(to);
    };

    if (p - q == 1) {
        setS(p, line.E(p));
        setM(p, Mark::Correct);
        m_stats.TallyLetterTyped(line.E(p));
        settle(p);
        m_stats.CountPosition();
        return;
    }

    for (int i = q + 1; i <= p - 3; ++i)
        setM(i, Mark::Correct);
    ArrangeSent(q + 1, p - 3, q + 1, n - 3);
    setS(p, line.E(p));
    setS(p - 1, line.E(p - 1));
    setS(p - 2, line.E(p - 2));

    for (int i = q + 1; i <= p; ++i) {
        if (IsCharged(line.M(i)) && i != p - 2) {
            m_stats.TallyLetterError(line.E(i));
            m_stats.CountWrongKeystroke();
        }
        m_stats.TallyLetterTyped(line.E(i));
        m_stats.CountPosition();
    }

    // Getting back into step costs one error, on the first of the three
    // matching letters, unless what precedes already accounts for it.
    Mark mark = Mark::Wrong;
    if (p > 3) {
        mark = line.S(p - 3) == line.E(p - 3) ? Mark::Wrong : Mark::Correct;
        if (line.M(p - 3) == Mark::SwappedSecond &&
            (line.E(p - 4) != line.K(n - 3) || line.E(p - 3) != line.K(n - 4)))
            mark = Mark::Wrong;
    }
    const auto allSkipped = [&](int from, int to) {
        for (int i = from; i <= to; ++i) {
            if (line.S(i) != kBar)
                return false;
        }
        return true;
    };
    const bool stepBeforeIsClean = line.S(p - 3) == line.E(p - 3) && line.M(p - 3) == Mark::Correct;
    if (p >= 8 && allSkipped(p - 7, p - 4) && stepBeforeIsClean)
        mark = Mark::Correct;
    if (p >= 10 && allSkipped(p - 9, p - 5) && stepBeforeIsClean)
        mark = Mark::Correct;
    setM(p - 2, mark);
    setM(p - 1, Mark::Correct);
    setM(p, Mark::Correct);
    if (mark == Mark::Wrong) {
        m_stats.TallyLetterError(line.E(p - 2));
        m_stats.CountWrongKeystroke();
    }

    for (int i = q + 1; i <= p; ++i)
        line.SetK(i, line.S(i));
    settle(p);
}

void TypingEngine::SkipPositions(int from, int to)
{
    for (int i = from; i <= to; ++i) {
        m_line.SetS(i, kBar);
        m_line.SetM(i, Mark::Wrong);
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
    line.SetM(a, Mark::Wrong);
    bool matched = false;
    for (int k = d; k >= c; --k) {
        if (line.K(k) == line.E(a)) {
            line.SetS(a, line.K(k));
            matched = true;
        }
    }
    if (!matched)
        line.SetS(a, line.K(c));
    line.SentencePosition = static_cast<std::int16_t>(a);
}

void TypingEngine::ArrangeSingleKey(int a, int b, int c)
{
    TypingLine& line = m_line;
    int match = 0;
    for (int j = b; j >= a; --j) {
        line.SetM(j, Mark::Correct);
        if (line.E(j) == line.K(c))
            match = j;
    }
    if (match == 0) {
        line.SetS(a, line.K(c));
        line.SetM(a, Mark::Wrong);
        SkipPositions(a + 1, b);
    } else {
        line.SetS(match, line.K(c));
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
            if (line.E(j - 1) != line.K(k - 1) || line.E(j) != line.K(k))
                continue;
            ArrangeSent(a, j - 2, c, k - 2);
            line.SetS(j - 1, line.E(j - 1));
            line.SetS(j, line.E(j));
            Mark mark = Mark::Wrong;
            if (j > 2)
                mark = line.S(j - 2) == line.E(j - 2) ? Mark::Wrong : Mark::Correct;
            if (line.M(j - 2) == Mark::SwappedSecond &&
                (line.E(j - 3) != line.K(k - 2) || line.E(j - 2) != line.K(k - 3)))
                mark = Mark::Wrong;
            line.SetM(j - 1, mark);
            line.SetM(j, Mark::Correct);
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
            if (line.E(j) != line.K(k - 1) || line.E(j - 1) != line.K(k))
                continue;
            ArrangeSent(a, j - 2, c, k - 2);
            line.SetM(j - 1, Mark::SwappedFirst);
            line.SetM(j, Mark::SwappedSecond);
            line.SetS(j - 1, line.K(k - 1));
            line.SetS(j, line.K(k));
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
            if (line.E(j) != line.K(k))
                continue;
            line.SetS(j, line.E(j));
            // The positions jumped over show keystrokes not yet placed, or a gap.
            for (int skipped = v + 1; skipped < j; ++skipped) {
                if (k > u + 1) {
                    ++u;
                    line.SetS(skipped, line.K(u));
                } else {
                    line.SetS(skipped, kBar);
                }
                line.SetM(skipped, Mark::Wrong);
            }
            if (j == v + 1) {
                Mark mark = Mark::Wrong;
                if (line.M(j - 1) == Mark::SwappedSecond)
                    mark = (line.E(j - 2) != line.K(k - 1) || line.E(j - 1) != line.K(k - 2))
                               ? Mark::Wrong
                               : line.M(j);
                line.SetM(j, mark);
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
            line.SetS(j, line.K(u));
        } else {
            line.SetS(j, kBar);
        }
        line.SetM(j, Mark::Wrong);
    }
    line.SentencePosition = static_cast<std::int16_t>(v);
}

} // namespace tarvelo
