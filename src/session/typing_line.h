#pragma once

#include <array>
#include <cstdint>

namespace tarvelo {

// What became of a typed position.
enum class Mark : std::uint8_t
{
    Correct,
    Wrong,         // a wrong key, or a letter detection found missing or extra
    SwappedFirst,  // the first of two letters typed in swapped order
    SwappedSecond, // the second of them
};

// The line being typed: expected characters, keystrokes, what is shown under
// each position and its mark. Slots are 1-based; a character is a code-page
// byte, 0 meaning an empty slot. Reads outside the slots give a value that
// matches nothing, and writes outside them are dropped.
class TypingLine
{
public:
    static constexpr int kSlots = 78;
    static constexpr int kMaxKeys = 500;
    static constexpr int kMaxLineLength = 75;
    static constexpr int kEmpty = 0;

    // The expected character at slot `i`.
    int ExpectedAt(int i) const { return InLine(i) ? m_expected[i] : kNoExpected; }
    // The `k`th keystroke of the line, counted from 1.
    int KeystrokeAt(int k) const { return (k >= 1 && k <= kMaxKeys) ? m_keys[k] : kNoKey; }
    // What the typed line shows at slot `i`.
    int ShownAt(int i) const { return InLine(i) ? m_shown[i] : kNoShown; }
    Mark MarkAt(int i) const { return InLine(i) ? m_marks[i] : Mark::Correct; }

    void SetExpected(int i, int c)
    {
        if (InLine(i))
            m_expected[i] = static_cast<unsigned char>(c);
    }
    void SetKeystroke(int k, int c)
    {
        if (k >= 1 && k <= kMaxKeys)
            m_keys[k] = c;
    }
    void SetShown(int i, int c)
    {
        if (InLine(i))
            m_shown[i] = c;
    }
    void SetMark(int i, Mark mark)
    {
        if (InLine(i))
            m_marks[i] = mark;
    }

    // Empties marks, shown and expected characters of every slot.
    void ClearSlots()
    {
        m_expected.fill(kEmpty);
        m_shown.fill(kEmpty);
        m_marks.fill(Mark::Correct);
    }

    std::int16_t LineLength = 0;
    std::int16_t KeyCount = 0;
    std::int16_t SentencePosition = 1;
    // Positions up to here are settled by detection and never rewritten.
    std::int16_t ConfirmedPosition = 0;

private:
    // Distinct so that two out-of-range reads never match each other either.
    static constexpr int kNoExpected = -1;
    static constexpr int kNoKey = -2;
    static constexpr int kNoShown = -3;

    static bool InLine(int i) { return i >= 1 && i <= kSlots; }

    std::array<int, kSlots + 1> m_expected{};
    std::array<int, kMaxKeys + 1> m_keys{};
    std::array<int, kSlots + 1> m_shown{};
    std::array<Mark, kSlots + 1> m_marks{};
};

} // namespace tarvelo
