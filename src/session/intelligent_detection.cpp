// Intelligent detection: follows the keystrokes of a line, finds where they
// fall back into step with the expected text after extra, missing or swapped
// letters, re-aligns the keystrokes in between and only then charges errors.
// Positions up to ConfirmedPosition are final.
//
// Arranging works on a span of positions (fromPos..toPos) and a span of
// keystrokes (fromKey..toKey), both 1-based and inclusive.

#include "session/typing_engine.h"

#include <algorithm>

namespace tarvelo {
namespace {

constexpr int kBar = '|';
// Keystrokes that match the text in a row before detection trusts them; also
// how far past its own place a keystroke is looked for.
constexpr int kStepLength = 3;

bool IsCharged(Mark mark)
{
    return mark == Mark::Wrong || mark == Mark::SwappedFirst;
}

// The three keystrokes up to `lastKey` match the text up to `stepEnd`.
bool InStep(const TypingLine& line, int stepEnd, int lastKey)
{
    return line.ExpectedAt(stepEnd - 2) == line.KeystrokeAt(lastKey - 2) &&
           line.ExpectedAt(stepEnd - 1) == line.KeystrokeAt(lastKey - 1) &&
           line.ExpectedAt(stepEnd) == line.KeystrokeAt(lastKey);
}

// Confirmed positions are final: these write only above them.
void SetShownUnconfirmed(TypingLine& line, int position, int character)
{
    if (position > line.ConfirmedPosition)
        line.SetShown(position, character);
}

void SetMarkUnconfirmed(TypingLine& line, int position, Mark mark)
{
    if (position > line.ConfirmedPosition)
        line.SetMark(position, mark);
}

bool AllSkipped(const TypingLine& line, int from, int to)
{
    for (int position = from; position <= to; ++position) {
        if (line.ShownAt(position) != kBar)
            return false;
    }
    return true;
}

// A swapped pair ending just before `position` accounts for a re-entry error
// only if its two keystrokes, `key - 1` and `key`, are the pair's letters.
bool SwapExplainsReentry(const TypingLine& line, int position, int key)
{
    return line.ExpectedAt(position - 2) == line.KeystrokeAt(key) &&
           line.ExpectedAt(position - 1) == line.KeystrokeAt(key - 1);
}

} // namespace

void TypingEngine::DetectKey()
{
    TypingLine& line = m_line;
    const int length = line.LineLength;
    const int confirmed = line.ConfirmedPosition;
    const int unconfirmedKeys = line.KeyCount - confirmed;
    const int position = line.SentencePosition;

    if (unconfirmedKeys == 1 && line.KeystrokeAt(position) == line.ExpectedAt(position)) {
        Confirm(confirmed + 1);
    } else if (unconfirmedKeys == 1 || unconfirmedKeys == 2) {
        // Too few keystrokes to be in step: placed where they fit best for now.
        ArrangeKeystrokes(confirmed + 1,
                          std::min(length, confirmed + unconfirmedKeys + kStepLength),
                          confirmed + 1, line.KeyCount);
    } else if (unconfirmedKeys >= kStepLength) {
        const int searchEnd = ConfirmStepsInReach();
        ArrangeKeystrokes(line.ConfirmedPosition + 1, searchEnd, line.ConfirmedPosition + 1,
                          line.KeyCount);
    }
    PlaceCursor();
}

int TypingEngine::ConfirmStepsInReach()
{
    TypingLine& line = m_line;
    const int length = line.LineLength;
    int stepEnd = std::min(length, line.ConfirmedPosition + kStepLength);
    // Each confirmation moves the cursor and the keystroke count, so the
    // reach is measured again after every candidate.
    while (true) {
        if (InStep(line, stepEnd, line.KeyCount))
            Confirm(stepEnd);
        ++stepEnd;
        if (stepEnd >= std::min(length + 1, line.SentencePosition + kStepLength + 1))
            return std::min(length, line.SentencePosition + kStepLength);
    }
}

void TypingEngine::PlaceCursor()
{
    TypingLine& line = m_line;
    const int length = line.LineLength;
    const int confirmed = line.ConfirmedPosition;
    // Drop skipped-character placeholders past the last keystroke and put the
    // cursor on the position of that keystroke, staying above the confirmed
    // position.
    for (int position = length; position >= std::max(confirmed, 1); --position) {
        if (position > confirmed && line.ShownAt(position) == kBar &&
            line.MarkAt(position) == Mark::Wrong) {
            line.SetShown(position, TypingLine::kEmpty);
            line.SetMark(position, Mark::Correct);
        }
        if (line.ShownAt(position) == line.KeystrokeAt(line.KeyCount)) {
            line.SentencePosition = static_cast<std::int16_t>(position);
            break;
        }
    }
    if (line.SentencePosition < confirmed)
        line.SentencePosition = static_cast<std::int16_t>(confirmed);

    if (line.SentencePosition == length) {
        FinishUnderDetection();
        return;
    }
    for (int position = line.SentencePosition + 1; position <= length; ++position) {
        line.SetMark(position, Mark::Correct);
        line.SetShown(position, TypingLine::kEmpty);
    }
    ++line.SentencePosition;
    RestartCaret();
}

void TypingEngine::FinishUnderDetection()
{
    TypingLine& line = m_line;
    const int length = line.LineLength;
    const int confirmed = line.ConfirmedPosition;
    if (confirmed < length) {
        for (int position = confirmed + 1; position <= length; ++position)
            line.SetMark(position, Mark::Correct);
        ArrangeKeystrokes(confirmed + 1, length, confirmed + 1, line.KeyCount);
        for (int position = confirmed + 1; position <= length; ++position) {
            line.SetKeystroke(position, line.ShownAt(position));
            if (IsCharged(line.MarkAt(position))) {
                m_stats.TallyLetterError(line.ExpectedAt(position));
                m_stats.CountWrongKeystroke();
            }
            m_stats.TallyLetterTyped(line.ExpectedAt(position));
            m_stats.CountPosition();
        }
    }
    line.ClearSlots();
    line.SentencePosition = static_cast<std::int16_t>(length);
    m_stats.UpdateAccuracies(length);
    EndOfLine();
}

void TypingEngine::Confirm(int stepEnd)
{
    if (stepEnd - m_line.ConfirmedPosition == 1) {
        ConfirmNextPosition();
        return;
    }
    const int lastKey = m_line.KeyCount;
    ArrangeBeforeStep(stepEnd, lastKey);
    ChargeUpToStep(stepEnd);
    ChargeReentry(stepEnd, lastKey);
    SettleUpTo(stepEnd);
}

void TypingEngine::ConfirmNextPosition()
{
    TypingLine& line = m_line;
    const int position = line.ConfirmedPosition + 1;
    line.SetShown(position, line.ExpectedAt(position));
    line.SetMark(position, Mark::Correct);
    m_stats.TallyLetterTyped(line.ExpectedAt(position));
    line.ConfirmedPosition = line.SentencePosition = line.KeyCount =
        static_cast<std::int16_t>(position);
    m_stats.CountPosition();
}

void TypingEngine::ArrangeBeforeStep(int stepEnd, int lastKey)
{
    TypingLine& line = m_line;
    const int first = line.ConfirmedPosition + 1;
    const int stepStart = stepEnd - kStepLength + 1;
    for (int position = first; position < stepStart; ++position)
        SetMarkUnconfirmed(line, position, Mark::Correct);
    ArrangeKeystrokes(first, stepStart - 1, first, lastKey - kStepLength);
    for (int position = stepEnd; position >= stepStart; --position)
        SetShownUnconfirmed(line, position, line.ExpectedAt(position));
}

void TypingEngine::ChargeUpToStep(int stepEnd)
{
    const TypingLine& line = m_line;
    const int stepStart = stepEnd - kStepLength + 1;
    for (int position = line.ConfirmedPosition + 1; position <= stepEnd; ++position) {
        // The step's first letter is charged for the re-entry alone.
        if (IsCharged(line.MarkAt(position)) && position != stepStart) {
            m_stats.TallyLetterError(line.ExpectedAt(position));
            m_stats.CountWrongKeystroke();
        }
        m_stats.TallyLetterTyped(line.ExpectedAt(position));
        m_stats.CountPosition();
    }
}

void TypingEngine::ChargeReentry(int stepEnd, int lastKey)
{
    TypingLine& line = m_line;
    const int stepStart = stepEnd - kStepLength + 1;
    const int before = stepStart - 1;
    // Getting back into step costs one error, on the first of the three
    // matching letters, unless what precedes already accounts for it.
    Mark mark = Mark::Wrong;
    if (before > 0) {
        mark = line.ShownAt(before) == line.ExpectedAt(before) ? Mark::Wrong : Mark::Correct;
        if (line.MarkAt(before) == Mark::SwappedSecond &&
            !SwapExplainsReentry(line, stepStart, lastKey - kStepLength))
            mark = Mark::Wrong;
    }
    // A run of skipped letters already charged, then a clean letter.
    const bool cleanBefore =
        line.ShownAt(before) == line.ExpectedAt(before) && line.MarkAt(before) == Mark::Correct;
    if (stepEnd >= 8 && AllSkipped(line, stepEnd - 7, stepEnd - 4) && cleanBefore)
        mark = Mark::Correct;
    if (stepEnd >= 10 && AllSkipped(line, stepEnd - 9, stepEnd - 5) && cleanBefore)
        mark = Mark::Correct;
    SetMarkUnconfirmed(line, stepStart, mark);
    SetMarkUnconfirmed(line, stepStart + 1, Mark::Correct);
    SetMarkUnconfirmed(line, stepEnd, Mark::Correct);
    if (mark == Mark::Wrong) {
        m_stats.TallyLetterError(line.ExpectedAt(stepStart));
        m_stats.CountWrongKeystroke();
    }
}

void TypingEngine::SettleUpTo(int position)
{
    TypingLine& line = m_line;
    // The keystrokes become what the settled positions show.
    for (int settled = line.ConfirmedPosition + 1; settled <= position; ++settled)
        line.SetKeystroke(settled, line.ShownAt(settled));
    line.ConfirmedPosition = line.SentencePosition = line.KeyCount =
        static_cast<std::int16_t>(position);
}

void TypingEngine::SkipPositions(int from, int to)
{
    for (int position = from; position <= to; ++position) {
        m_line.SetShown(position, kBar);
        m_line.SetMark(position, Mark::Wrong);
    }
}

void TypingEngine::ArrangeKeystrokes(int fromPos, int toPos, int fromKey, int toKey)
{
    if (toPos < fromPos)
        return;
    if (toKey < fromKey) {
        SkipPositions(fromPos, toPos);
        return;
    }
    if (fromPos == toPos) {
        ArrangeOnePosition(fromPos, fromKey, toKey);
        return;
    }
    if (fromKey == toKey) {
        ArrangeOneKeystroke(fromPos, toPos, fromKey);
        return;
    }
    if (ArrangePairInStep(fromPos, toPos, fromKey, toKey) ||
        ArrangeSwappedPair(fromPos, toPos, fromKey, toKey))
        return;
    ArrangeSingleLetters(fromPos, toPos, fromKey, toKey);
}

void TypingEngine::ArrangeOnePosition(int position, int fromKey, int toKey)
{
    TypingLine& line = m_line;
    line.SetMark(position, Mark::Wrong);
    bool matched = false;
    for (int key = toKey; key >= fromKey; --key) {
        if (line.KeystrokeAt(key) == line.ExpectedAt(position)) {
            line.SetShown(position, line.KeystrokeAt(key));
            matched = true;
        }
    }
    if (!matched)
        line.SetShown(position, line.KeystrokeAt(fromKey));
    line.SentencePosition = static_cast<std::int16_t>(position);
}

void TypingEngine::ArrangeOneKeystroke(int fromPos, int toPos, int key)
{
    TypingLine& line = m_line;
    int match = 0;
    for (int position = toPos; position >= fromPos; --position) {
        line.SetMark(position, Mark::Correct);
        if (line.ExpectedAt(position) == line.KeystrokeAt(key))
            match = position;
    }
    if (match == 0) {
        line.SetShown(fromPos, line.KeystrokeAt(key));
        line.SetMark(fromPos, Mark::Wrong);
        SkipPositions(fromPos + 1, toPos);
    } else {
        line.SetShown(match, line.KeystrokeAt(key));
        SkipPositions(fromPos, match - 1);
        SkipPositions(match + 1, toPos);
    }
    line.SentencePosition = static_cast<std::int16_t>(fromPos);
}

bool TypingEngine::ArrangePairInStep(int fromPos, int toPos, int fromKey, int toKey)
{
    TypingLine& line = m_line;
    for (int key = fromKey + 1; key <= toKey; ++key) {
        for (int pos = fromPos + 1; pos <= std::min(toPos, key + 5); ++pos) {
            if (line.ExpectedAt(pos - 1) != line.KeystrokeAt(key - 1) ||
                line.ExpectedAt(pos) != line.KeystrokeAt(key))
                continue;
            ArrangeKeystrokes(fromPos, pos - 2, fromKey, key - 2);
            line.SetShown(pos - 1, line.ExpectedAt(pos - 1));
            line.SetShown(pos, line.ExpectedAt(pos));
            Mark mark = Mark::Wrong;
            if (pos > 2)
                mark =
                    line.ShownAt(pos - 2) == line.ExpectedAt(pos - 2) ? Mark::Wrong : Mark::Correct;
            if (line.MarkAt(pos - 2) == Mark::SwappedSecond &&
                !SwapExplainsReentry(line, pos - 1, key - 2))
                mark = Mark::Wrong;
            line.SetMark(pos - 1, mark);
            line.SetMark(pos, Mark::Correct);
            ArrangeRest(pos, key, toKey);
            return true;
        }
    }
    return false;
}

bool TypingEngine::ArrangeSwappedPair(int fromPos, int toPos, int fromKey, int toKey)
{
    TypingLine& line = m_line;
    for (int key = fromKey + 1; key <= toKey; ++key) {
        for (int pos = fromPos + 1; pos <= std::min(toPos, key + 5); ++pos) {
            if (line.ExpectedAt(pos) != line.KeystrokeAt(key - 1) ||
                line.ExpectedAt(pos - 1) != line.KeystrokeAt(key))
                continue;
            ArrangeKeystrokes(fromPos, pos - 2, fromKey, key - 2);
            line.SetMark(pos - 1, Mark::SwappedFirst);
            line.SetMark(pos, Mark::SwappedSecond);
            line.SetShown(pos - 1, line.KeystrokeAt(key - 1));
            line.SetShown(pos, line.KeystrokeAt(key));
            ArrangeRest(pos, key, toKey);
            return true;
        }
    }
    return false;
}

void TypingEngine::ArrangeRest(int placedPos, int placedKey, int toKey)
{
    if (placedKey + 1 > toKey)
        return;
    m_line.SentencePosition = static_cast<std::int16_t>(placedPos);
    ArrangeKeystrokes(placedPos + 1,
                      std::min<int>(m_line.LineLength, placedPos + toKey - placedKey + kStepLength),
                      placedKey + 1, toKey);
}

void TypingEngine::ArrangeSingleLetters(int fromPos, int toPos, int fromKey, int toKey)
{
    TypingLine& line = m_line;
    int lastMatched = fromPos - 1;
    int lastUsedKey = fromKey - 1;
    for (int key = fromKey; key <= toKey; ++key) {
        for (int pos = lastMatched + 1; pos <= std::min(toPos, fromPos - fromKey + key + 2);
             ++pos) {
            if (line.ExpectedAt(pos) != line.KeystrokeAt(key))
                continue;
            line.SetShown(pos, line.ExpectedAt(pos));
            // The positions jumped over show keystrokes not yet placed, or a gap.
            for (int skipped = lastMatched + 1; skipped < pos; ++skipped) {
                if (key > lastUsedKey + 1) {
                    ++lastUsedKey;
                    line.SetShown(skipped, line.KeystrokeAt(lastUsedKey));
                } else {
                    line.SetShown(skipped, kBar);
                }
                line.SetMark(skipped, Mark::Wrong);
            }
            if (pos == lastMatched + 1) {
                Mark mark = Mark::Wrong;
                if (line.MarkAt(pos - 1) == Mark::SwappedSecond)
                    mark = SwapExplainsReentry(line, pos, key - 1) ? line.MarkAt(pos) : Mark::Wrong;
                line.SetMark(pos, mark);
            }
            lastMatched = pos;
            lastUsedKey = key;
            break;
        }
        if (lastMatched == toPos)
            return;
    }
    for (int pos = lastMatched + 1; pos <= toPos; ++pos) {
        if (lastUsedKey + 1 <= toKey) {
            ++lastUsedKey;
            line.SetShown(pos, line.KeystrokeAt(lastUsedKey));
        } else {
            line.SetShown(pos, kBar);
        }
        line.SetMark(pos, Mark::Wrong);
    }
    line.SentencePosition = static_cast<std::int16_t>(lastMatched);
}

} // namespace tarvelo
