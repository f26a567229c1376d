#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "session/key_editor.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tarvelo {
namespace {

constexpr int kNoKey = KeyboardLayout::kNoKey;

// The 65 characters the loader reads.
const std::string kDefaultCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz;:'\",.?/!- ()";

std::string Byte(int code)
{
    if (code > 32 && code < 127)
        return std::string(1, static_cast<char>(code));
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", code);
    return hex;
}

// The characters on a key in code order, each followed by "+" when it is the
// label and "^" when typed with Shift: "; :^" is ";" plain and ":" shifted.
std::string Chars(const KeyboardLayout& layout, int key)
{
    std::string out;
    for (int c = 1; c <= 255; ++c) {
        if (layout.KeyOfChar(c) != key)
            continue;
        if (!out.empty())
            out += ' ';
        out += Byte(c);
        if (layout.KeyLabel(c))
            out += '+';
        if (layout.KeyShift(c))
            out += '^';
    }
    return out;
}

// Every key with its caption and characters, for whole-layout comparisons.
std::string Describe(const KeyboardLayout& layout)
{
    std::string out;
    for (int key = 1; key <= KeyboardLayout::kKeyCount; ++key)
        out += std::to_string(key) + " [" + layout.Caption(key) + "] " + Chars(layout, key) + "\n";
    for (int c = 1; c <= 255; ++c) {
        if (layout.KeyOfChar(c) == kNoKey && (layout.KeyLabel(c) || layout.KeyShift(c)))
            out += "flags without key: " + Byte(c) + "\n";
    }
    return out;
}

// The default characters as the next start would load them.
std::string DescribeDefaultCharacters(const KeyboardLayout& layout)
{
    std::string out;
    for (const char ch : kDefaultCharacters) {
        const int c = static_cast<unsigned char>(ch);
        out += Byte(c) + "=" + std::to_string(layout.KeyOfChar(c)) +
               (layout.KeyLabel(c) ? "+" : "") + (layout.KeyShift(c) ? "^" : "") + " ";
    }
    return out;
}

class KeyboardLayoutTest : public ::testing::Test
{
protected:
    KeyboardLayoutTest()
    {
        folder.CopyShipped("Tarvelo.INI");
        layout.Load(store);
    }

    std::string Stored(const std::string& key) const
    {
        return store.ReadProfile("language", key, "absent");
    }
    void Store(const std::string& key, const std::string& value)
    {
        ASSERT_TRUE(store.WriteProfile("language", key, value));
    }
    std::string File() const { return folder.Read("Tarvelo.INI"); }

    KeyboardLayout Reloaded() const
    {
        KeyboardLayout fresh;
        fresh.Load(store);
        return fresh;
    }

    bool Type(int key, int code, bool shift = false)
    {
        EXPECT_TRUE(editor.Open(key));
        editor.KeyDown({.shift = shift});
        editor.KeyUp({.shift = shift});
        return editor.Type(code);
    }
    bool Clear(int key)
    {
        EXPECT_TRUE(editor.Open(key));
        return editor.Clear();
    }

    test::TempFolder folder;
    ProfileStore store{folder.Path()};
    KeyboardLayout layout;
    KeyEditor editor{layout, store};
};

// --- Loading -----------------------------------------------------------------

struct LookupCase
{
    const char* name;
    int code;
    int key;
    bool label;
    bool shift;
};

void PrintTo(const LookupCase& c, std::ostream* os)
{
    *os << c.name;
}

class DefaultLookupTest : public KeyboardLayoutTest,
                          public ::testing::WithParamInterface<LookupCase>
{};

TEST_P(DefaultLookupTest, EmptyProfileGivesDefault)
{
    const LookupCase& c = GetParam();
    EXPECT_EQ(layout.KeyOfChar(c.code), c.key);
    EXPECT_EQ(layout.KeyLabel(c.code), c.label);
    EXPECT_EQ(layout.KeyShift(c.code), c.shift);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DefaultLookupTest,
    ::testing::Values(
        LookupCase{"Q", 'Q', 1, true, true}, LookupCase{"q", 'q', 1, false, false},
        LookupCase{"A", 'A', 11, true, true}, LookupCase{"m", 'm', 28, false, false},
        LookupCase{"Z", 'Z', 22, true, true}, LookupCase{"semicolon", ';', 20, true, false},
        LookupCase{"colon", ':', 20, false, true}, LookupCase{"apostrophe", '\'', 21, true, false},
        LookupCase{"double_quote", '"', 21, false, true}, LookupCase{"comma", ',', 29, true, false},
        LookupCase{"question", '?', 31, true, true}, LookupCase{"slash", '/', 31, false, false},
        LookupCase{"exclamation", '!', 35, true, true}, LookupCase{"hyphen", '-', 36, true, false},
        LookupCase{"space", ' ', 34, false, false}, LookupCase{"open_paren", '(', 44, true, true},
        LookupCase{"close_paren", ')', 45, true, true},
        LookupCase{"digit", '1', kNoKey, false, false},
        LookupCase{"upper_half_letter", 0xC4, kNoKey, false, false},
        LookupCase{"code_1", 1, kNoKey, false, false},
        LookupCase{"code_255", 255, kNoKey, false, false},
        LookupCase{"code_0", 0, kNoKey, false, false},
        LookupCase{"negative", -1, kNoKey, false, false},
        LookupCase{"code_256", 256, kNoKey, false, false},
        LookupCase{"huge", 100000, kNoKey, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeyboardLayoutTest, DefaultCaptions)
{
    const std::vector<std::pair<int, std::string>> captions = {
        {1, "Q"},  {10, "P"}, {11, "A"},     {20, ";"},     {21, "'"},        {22, "Z"},
        {29, ","}, {31, "?"}, {32, "SHIFT"}, {33, "SHIFT"}, {34, "SPACEBAR"}, {35, "!"},
        {36, "-"}, {37, ""},  {44, "("},     {45, ")"},     {47, ""},         {48, ""},
        {49, ""},  {0, ""},   {50, ""},      {-3, ""}};
    for (const auto& [key, caption] : captions)
        EXPECT_EQ(layout.Caption(key), caption) << "key " << key;
}

TEST_F(KeyboardLayoutTest, LoadReadsStoredKeysAndNeverWrites)
{
    Store("34p", "True");  // double quote becomes a label
    Store("34c", "False"); // ... typed plainly
    Store("39p", "False"); // apostrophe no longer the label
    Store("65p", "False"); // A: its "c" key is not read; shift follows "p"
    Store("65c", "True");
    Store("98p", "True"); // b
    Store("98c", "False");
    Store("66", "47");    // B moved
    Store("167", "5");    // outside the default table: not read
    Store("67", "50");    // not a key index
    Store("68", "0");     // not a key index
    Store("69", "999");   // no key
    Store("58p", "True"); // both ; and : labels on key 20
    const std::string before = File();

    KeyboardLayout loaded;
    loaded.Load(store);

    EXPECT_EQ(File(), before);
    EXPECT_EQ(Chars(loaded, 21), "\"+ '");
    EXPECT_EQ(loaded.Caption(21), "\"");
    EXPECT_EQ(Chars(loaded, 11), "A a");
    EXPECT_FALSE(loaded.KeyShift('A'));
    EXPECT_EQ(Chars(loaded, 26), "b+^");
    EXPECT_EQ(loaded.Caption(26), "") << "a lower-case label is never a caption";
    EXPECT_EQ(Chars(loaded, 47), "B+^");
    EXPECT_EQ(loaded.Caption(47), "B");
    EXPECT_EQ(loaded.KeyOfChar(167), kNoKey);
    EXPECT_EQ(loaded.KeyOfChar('C'), kNoKey);
    EXPECT_EQ(loaded.KeyOfChar('D'), kNoKey);
    EXPECT_EQ(loaded.KeyOfChar('E'), kNoKey);
    EXPECT_EQ(Chars(loaded, 24), "c");
    EXPECT_EQ(Chars(loaded, 20), ":+^ ;+");
    EXPECT_EQ(loaded.Caption(20), ";") << "the higher code wins";
}

TEST_F(KeyboardLayoutTest, LoadStartsFromNoKeys)
{
    ASSERT_TRUE(Type(47, 0xA7)); // section sign, not in the default table
    ASSERT_EQ(layout.KeyOfChar(0xA7), 47);
    layout.Load(store);
    EXPECT_EQ(layout.KeyOfChar(0xA7), kNoKey);
    EXPECT_EQ(layout.Caption(47), "");
}

// --- Edit box --------------------------------------------------------------

TEST_F(KeyboardLayoutTest, EditBoxOpensOnEditableKeysOnly)
{
    for (const int key : {0, 32, 33, 34, 50, -1})
        EXPECT_FALSE(editor.Open(key)) << key;
    EXPECT_FALSE(editor.IsOpen());
    EXPECT_TRUE(editor.Open(49));
    EXPECT_FALSE(editor.Open(33));
    EXPECT_EQ(editor.EditingKey(), 49) << "a refused click leaves the box where it is";
}

TEST_F(KeyboardLayoutTest, ClosedEditBoxTakesNothing)
{
    const std::string before = File();
    EXPECT_FALSE(editor.Type('x'));
    EXPECT_FALSE(editor.Clear());
    EXPECT_EQ(File(), before);
}

struct ShiftStep
{
    bool down;
    KeyEditor::Modifiers modifiers;
    bool heldAfter;
};

TEST_F(KeyboardLayoutTest, ShiftHeldFollowsShiftAlone)
{
    const std::vector<ShiftStep> steps = {
        {true, {}, false},                            // plain key
        {true, {.shift = true, .ctrl = true}, false}, // Ctrl+Shift
        {true, {.shift = true, .alt = true}, false},  // Alt+Shift
        {true, {.shift = true}, true},                // Shift alone
        {false, {.shift = true}, true},               // a key released, Shift still down
        {false, {.ctrl = true}, true},                // Ctrl still down
        {true, {.shift = true, .ctrl = true}, true},  // does not clear either
        {false, {}, false},                           // all released
    };
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].down)
            editor.KeyDown(steps[i].modifiers);
        else
            editor.KeyUp(steps[i].modifiers);
        EXPECT_EQ(editor.ShiftHeld(), steps[i].heldAfter) << "step " << i;
    }
}

// --- Assigning -------------------------------------------------------------

struct LetterCase
{
    const char* name;
    int code;
    bool shift;
};

void PrintTo(const LetterCase& c, std::ostream* os)
{
    *os << c.name;
}

class LetterOntoKeyTest : public KeyboardLayoutTest,
                          public ::testing::WithParamInterface<LetterCase>
{};

TEST_P(LetterOntoKeyTest, AOntoKeyFiveReplacesT)
{
    EXPECT_TRUE(Type(5, GetParam().code, GetParam().shift));

    EXPECT_FALSE(editor.IsOpen());
    EXPECT_EQ(Chars(layout, 5), "A+^ a");
    EXPECT_EQ(layout.Caption(5), "A");
    EXPECT_EQ(layout.KeyOfChar('T'), kNoKey);
    EXPECT_EQ(layout.KeyOfChar('t'), kNoKey);
    EXPECT_EQ(Chars(layout, 11), "");
    EXPECT_EQ(layout.Caption(11), "");

    const std::vector<std::pair<std::string, std::string>> stored = {
        {"65", "5"},      {"65p", "True"},  {"65c", "True"},   {"97", "5"},
        {"97p", "False"}, {"97c", "False"}, {"84", "999"},     {"84p", "False"},
        {"84c", "False"}, {"116", "999"},   {"116p", "False"}, {"116c", "False"}};
    for (const auto& [key, value] : stored)
        EXPECT_EQ(Stored(key), value) << key;
    EXPECT_EQ(DescribeDefaultCharacters(Reloaded()), DescribeDefaultCharacters(layout));
}

INSTANTIATE_TEST_SUITE_P(Forms, LetterOntoKeyTest,
                         ::testing::Values(LetterCase{"lower_plain", 'a', false},
                                           LetterCase{"lower_shifted", 'a', true},
                                           LetterCase{"upper_plain", 'A', false},
                                           LetterCase{"upper_shifted", 'A', true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeyboardLayoutTest, ShiftedSymbolThenPlainSymbolOnKeyTwenty)
{
    EXPECT_TRUE(Type(20, '!', true));
    EXPECT_EQ(Chars(layout, 20), "!+^ ;");
    EXPECT_EQ(layout.Caption(20), "!");
    EXPECT_EQ(layout.KeyOfChar(':'), kNoKey);
    EXPECT_EQ(Chars(layout, 35), "");
    EXPECT_EQ(layout.Caption(35), "");
    EXPECT_EQ(Stored("33"), "20");
    EXPECT_EQ(Stored("33c"), "True");
    EXPECT_EQ(Stored("58"), "999");
    EXPECT_EQ(Stored("59p"), "False");

    EXPECT_TRUE(Type(20, ';', false));
    EXPECT_EQ(Chars(layout, 20), "!^ ;+");
    EXPECT_EQ(layout.Caption(20), ";");
    EXPECT_EQ(Stored("33p"), "False");
    EXPECT_EQ(Stored("59p"), "True");
    EXPECT_EQ(Stored("59c"), "False");

    const KeyboardLayout reloaded = Reloaded();
    EXPECT_EQ(DescribeDefaultCharacters(reloaded), DescribeDefaultCharacters(layout));
    EXPECT_EQ(Describe(reloaded), Describe(layout));
}

TEST_F(KeyboardLayoutTest, LetterOntoSymbolKeyKeepsTheSymbolAsSecond)
{
    EXPECT_TRUE(Type(36, 'x'));
    EXPECT_EQ(Chars(layout, 36), "- X+^ x");
    EXPECT_EQ(layout.Caption(36), "X");
    EXPECT_EQ(Chars(layout, 23), "");
    EXPECT_EQ(Stored("45p"), "False");
}

TEST_F(KeyboardLayoutTest, MovingALabelPromotesWhatItLeavesBehind)
{
    EXPECT_TRUE(Type(47, ';'));
    EXPECT_EQ(Chars(layout, 47), ";+");
    EXPECT_EQ(Chars(layout, 20), ":+^");
    EXPECT_EQ(layout.Caption(20), ":");
    EXPECT_EQ(Stored("58p"), "True");

    // A lower-case twin left behind goes off the keyboard and comes along.
    EXPECT_TRUE(Type(48, 'q'));
    EXPECT_EQ(Chars(layout, 1), "");
    EXPECT_EQ(layout.Caption(1), "");
    EXPECT_EQ(Chars(layout, 48), "Q+^ q");
}

TEST_F(KeyboardLayoutTest, RetypingAKeysOwnLabelChangesNothing)
{
    const std::string before = Describe(layout);
    EXPECT_TRUE(Type(20, ';'));
    EXPECT_TRUE(Type(1, 'q', true));
    EXPECT_TRUE(Type(21, '\''));
    EXPECT_EQ(Describe(layout), before);
    EXPECT_EQ(Describe(Reloaded()), before);
}

TEST_F(KeyboardLayoutTest, UpperHalfLetterBringsItsTwin)
{
    EXPECT_TRUE(Type(47, 0xE4)); // a-umlaut typed, A-umlaut placed
    EXPECT_EQ(Chars(layout, 47), "\\xC4+^ \\xE4");
    EXPECT_EQ(layout.Caption(47), "\xC4");
    EXPECT_EQ(Stored("196"), "47");
    EXPECT_EQ(Stored("196c"), "True");
    EXPECT_EQ(Stored("228"), "47");
    EXPECT_EQ(Stored("228p"), "False");

    // Another letter onto it removes both.
    EXPECT_TRUE(Type(47, 0xF6));
    EXPECT_EQ(Chars(layout, 47), "\\xD6+^ \\xF6");
    EXPECT_EQ(layout.KeyOfChar(0xC4), kNoKey);
    EXPECT_EQ(layout.KeyOfChar(0xE4), kNoKey);
}

TEST_F(KeyboardLayoutTest, SymbolTakesShiftHeldFlag)
{
    EXPECT_TRUE(Type(49, '`', false));
    EXPECT_EQ(Chars(layout, 49), "`+");
    EXPECT_TRUE(Type(49, '~', true));
    EXPECT_EQ(Chars(layout, 49), "` ~+^");
    EXPECT_EQ(layout.Caption(49), "~");
    EXPECT_EQ(Stored("126c"), "True");
    EXPECT_EQ(Stored("96p"), "False");
}

TEST_F(KeyboardLayoutTest, EscapeAndSpaceCloseWithoutChange)
{
    const std::string before = File();
    const std::string layoutBefore = Describe(layout);
    for (const int code : {27, 32}) {
        EXPECT_FALSE(Type(5, code, true)) << code;
        EXPECT_FALSE(editor.IsOpen()) << code;
    }
    ASSERT_TRUE(editor.Open(5));
    for (const int code : {0, 256, -1})
        EXPECT_FALSE(editor.Type(code)) << code;

    EXPECT_EQ(Describe(layout), layoutBefore);
    EXPECT_EQ(File(), before);
}

// --- Clearing --------------------------------------------------------------

TEST_F(KeyboardLayoutTest, ClearKeyRemovesEveryCharacterOnIt)
{
    ASSERT_TRUE(Type(36, 'x')); // key 36: - X x
    EXPECT_TRUE(Clear(36));
    EXPECT_FALSE(editor.IsOpen());
    EXPECT_EQ(Chars(layout, 36), "");
    EXPECT_EQ(layout.Caption(36), "");
    for (const std::string code : {"45", "88", "120"}) {
        EXPECT_EQ(Stored(code), "999") << code;
        EXPECT_EQ(Stored(code + "p"), "False") << code;
        EXPECT_EQ(Stored(code + "c"), "False") << code;
    }

    EXPECT_TRUE(Clear(21));
    EXPECT_EQ(layout.KeyOfChar('\''), kNoKey);
    EXPECT_EQ(layout.KeyOfChar('"'), kNoKey);
    EXPECT_EQ(Chars(layout, 21), "");

    // Clearing an empty key is harmless.
    EXPECT_TRUE(Clear(21));

    const KeyboardLayout reloaded = Reloaded();
    EXPECT_EQ(Describe(reloaded), Describe(layout));
}

// --- Reset -----------------------------------------------------------------

TEST_F(KeyboardLayoutTest, ResetRestoresDefaultsAndKeepsOtherCharacters)
{
    const KeyboardLayout defaults = Reloaded();
    ASSERT_TRUE(Type(5, 'a'));
    ASSERT_TRUE(Type(20, '!', true));
    ASSERT_TRUE(Type(47, 0xA7)); // section sign on an empty key
    ASSERT_TRUE(Type(48, 0xE4)); // a-umlaut: the key gets the pair C4 / E4
    ASSERT_TRUE(Type(31, 0xB0)); // degree sign displaces "?" and "/"
    ASSERT_TRUE(Clear(1));

    test::ScriptedDialogs dialogs;
    dialogs.yesNoAnswers = {true};
    EXPECT_TRUE(editor.Reset(dialogs));

    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].defaultAnswer, DefaultAnswer::No);

    EXPECT_EQ(DescribeDefaultCharacters(layout), DescribeDefaultCharacters(defaults));
    EXPECT_EQ(DescribeDefaultCharacters(Reloaded()), DescribeDefaultCharacters(defaults));
    for (const int key : {1, 5, 11, 20, 21, 35, 36, 44})
        EXPECT_EQ(layout.Caption(key), defaults.Caption(key)) << key;

    EXPECT_EQ(Chars(layout, 47), "\\xA7+");
    EXPECT_EQ(layout.Caption(47), "\xA7");
    // Every character with a key counts, so the lower-case twin wins here.
    EXPECT_EQ(Chars(layout, 48), "\\xC4+^ \\xE4");
    EXPECT_EQ(layout.Caption(48), "\xE4");
    // The degree sign stays as the label on key 31, and is its highest code.
    EXPECT_EQ(Chars(layout, 31), "/ ?+^ \\xB0+");
    EXPECT_EQ(layout.Caption(31), "\xB0");
    EXPECT_EQ(layout.Caption(32), "SHIFT");
    EXPECT_EQ(layout.Caption(33), "SHIFT");
    EXPECT_EQ(layout.Caption(34), "SPACEBAR");
}

TEST_F(KeyboardLayoutTest, ResetWritesTheWholeDefaultTable)
{
    test::ScriptedDialogs dialogs;
    dialogs.yesNoAnswers = {true};
    ASSERT_TRUE(editor.Reset(dialogs));

    for (const char ch : kDefaultCharacters) {
        const int c = static_cast<unsigned char>(ch);
        const std::string code = std::to_string(c);
        EXPECT_EQ(Stored(code), std::to_string(layout.KeyOfChar(c))) << code;
        EXPECT_EQ(Stored(code + "p"), layout.KeyLabel(c) ? "True" : "False") << code;
        EXPECT_EQ(Stored(code + "c"), layout.KeyShift(c) ? "True" : "False") << code;
    }
    EXPECT_EQ(Stored("65c"), "True");
    EXPECT_EQ(Stored("58c"), "True");
    EXPECT_EQ(Stored("47c"), "False");
    EXPECT_EQ(Stored("167"), "absent");
}

TEST_F(KeyboardLayoutTest, AnsweringNoToResetChangesNothing)
{
    ASSERT_TRUE(Type(5, 'a'));
    ASSERT_TRUE(editor.Open(20));
    const std::string before = File();
    const std::string layoutBefore = Describe(layout);

    test::ScriptedDialogs dialogs;
    dialogs.yesNoAnswers = {false};
    EXPECT_FALSE(editor.Reset(dialogs));
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(Describe(layout), layoutBefore);
    EXPECT_EQ(File(), before);
    EXPECT_EQ(editor.EditingKey(), 20);
}

// --- Restart ---------------------------------------------------------------

TEST_F(KeyboardLayoutTest, CharacterOutsideDefaultsIsLostButItsSideEffectsRemain)
{
    ASSERT_TRUE(Type(20, 0xA7, true)); // ":" removed, ";" kept as second
    ASSERT_TRUE(Type(1, 0xC4));        // Q and q removed
    EXPECT_EQ(Chars(layout, 20), "; \\xA7+^");
    EXPECT_EQ(layout.Caption(20), "\xA7");

    KeyboardLayout restarted = Reloaded();
    EXPECT_EQ(restarted.KeyOfChar(0xA7), kNoKey);
    EXPECT_EQ(restarted.KeyOfChar(0xC4), kNoKey);
    EXPECT_EQ(restarted.KeyOfChar(0xE4), kNoKey);
    EXPECT_EQ(Chars(restarted, 20), ";");
    EXPECT_EQ(restarted.Caption(20), "");
    EXPECT_EQ(Chars(restarted, 1), "");
    EXPECT_EQ(restarted.Caption(1), "");
    EXPECT_EQ(restarted.KeyOfChar('Q'), kNoKey);
    EXPECT_EQ(restarted.KeyOfChar(':'), kNoKey);
}

TEST_F(KeyboardLayoutTest, EditsOfDefaultCharactersSurviveARestart)
{
    ASSERT_TRUE(Type(47, 'q'));
    ASSERT_TRUE(Type(1, '/'));
    ASSERT_TRUE(Type(1, '?', true));
    ASSERT_TRUE(Type(31, '-'));
    ASSERT_TRUE(Type(36, 'a'));
    ASSERT_TRUE(Type(11, '(', true));
    ASSERT_TRUE(Clear(45));

    layout.SetKeyCaptions();
    const KeyboardLayout restarted = Reloaded();
    EXPECT_EQ(Describe(restarted), Describe(layout));
    EXPECT_EQ(Chars(restarted, 1), "/ ?+^");
    EXPECT_EQ(Chars(restarted, 31), "-+");
    EXPECT_EQ(Chars(restarted, 47), "Q+^ q");
}

TEST_F(KeyboardLayoutTest, OpeningCaptionsCoverTheUpperHalf)
{
    ASSERT_TRUE(Type(49, 0xFF)); // y-diaeresis: no upper-case form in the fold
    ASSERT_TRUE(Type(48, 0xDF)); // sharp s: not a letter to the fold
    EXPECT_EQ(Chars(layout, 49), "\\xFF+");
    EXPECT_EQ(Chars(layout, 48), "\\xDF+");
    ASSERT_TRUE(Type(47, 0xF7)); // division sign folds to the multiplication sign
    EXPECT_EQ(Chars(layout, 47), "\\xD7+^ \\xF7");

    layout.SetKeyCaptions();
    EXPECT_EQ(layout.Caption(49), "\xFF");
    EXPECT_EQ(layout.Caption(48), "\xDF");
    EXPECT_EQ(layout.Caption(47), "\xD7");
    EXPECT_EQ(layout.Caption(34), "SPACEBAR");
}

} // namespace
} // namespace tarvelo
