#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "profile/system_layout_list.h"
#include "session/key_editor.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace tarvelo {
namespace {

constexpr int kNoKey = KeyboardLayout::kNoKey;

std::string Byte(int code)
{
    if (code > 32 && code < 127)
        return std::string(1, static_cast<char>(code));
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", code);
    return hex;
}

// A key's caption in brackets, then its characters in code order, each
// followed by "+" when it is the key's label and "^" when typed with Shift:
// "[;] :+^ ;" is ":" shifted and the label, ";" plain.
std::string KeyText(const KeyboardLayout& layout, int key)
{
    std::string chars;
    for (int c = 1; c <= 255; ++c) {
        if (layout.KeyOfChar(c) == key)
            chars += (chars.empty() ? "" : " ") + Byte(c) + (layout.KeyLabel(c) ? "+" : "") +
                     (layout.KeyShift(c) ? "^" : "");
    }
    return "[" + layout.Caption(key) + "] " + chars;
}

// Every key with its caption and characters, for whole-layout comparisons.
std::string Describe(const KeyboardLayout& layout)
{
    std::string out;
    for (int key = 1; key <= KeyboardLayout::kKeyCount; ++key)
        out += std::to_string(key) + " " + KeyText(layout, key) + "\n";
    for (int c = 1; c <= 255; ++c) {
        if (layout.KeyOfChar(c) == kNoKey && (layout.KeyLabel(c) || layout.KeyShift(c)))
            out += "flags without key: " + Byte(c) + "\n";
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

    test::TempFolder folder;
    ProfileStore store{folder.Path()};
    KeyboardLayout layout;
    KeyEditor editor{layout, store};
};

// Stored: double quote a label typed plainly, apostrophe no longer the label;
// A's "c" key is not read (its shift follows "p"); b a label; B moved; 167 is
// outside the default table but read too, flags clear; 67 and 68 are not key
// indexes; 69 has no key; both ; and : labels on key 20.
TEST_F(KeyboardLayoutTest, LoadReadsStoredKeysNeverWritesAndFindsNothingOutsideTheCodes)
{
    for (const char* entry :
         {"34p=True", "34c=False", "39p=False", "65p=False", "65c=True", "98p=True", "98c=False",
          "66=47", "167=5", "67=50", "68=0", "69=999", "58p=True"}) {
        const std::string text = entry;
        ASSERT_TRUE(store.WriteProfile("language", text.substr(0, text.find('=')),
                                       text.substr(text.find('=') + 1)));
    }
    const std::string before = File();
    KeyboardLayout loaded;
    loaded.Load(store);
    EXPECT_EQ(File(), before);
    EXPECT_EQ(KeyText(loaded, 21), "[\"] \"+ '");
    EXPECT_EQ(KeyText(loaded, 11), "[] A a");
    EXPECT_EQ(KeyText(loaded, 26), "[] b+^") << "a lower-case label is never a caption";
    EXPECT_EQ(KeyText(loaded, 47), "[B] B+^");
    EXPECT_EQ(KeyText(loaded, 24), "[] c");
    EXPECT_EQ(KeyText(loaded, 20), "[;] :+^ ;+") << "the higher code wins";
    EXPECT_EQ(KeyText(loaded, 5), "[T] T+^ t \\xA7");
    EXPECT_EQ(KeyText(loaded, 34), "[SPACEBAR] \\x20");
    for (const int key : {0, 50, -3})
        EXPECT_EQ(loaded.Caption(key), "") << key;
    for (const int code : {int{'C'}, int{'D'}, int{'E'}, 0, -1, 256, 100000})
        EXPECT_EQ(loaded.KeyOfChar(code), kNoKey) << code;
    for (const int code : {0, -1, 256, 100000})
        EXPECT_FALSE(loaded.KeyLabel(code) || loaded.KeyShift(code)) << code;
}

// Typed: key, code, with Shift.
using Typed = std::tuple<int, int, bool>;

// After typing on the shipped layout: the KeyText of some keys and some stored
// values ("65p=True"); a code left without a key is stored as key 999.
TEST_F(KeyboardLayoutTest, KeysAndStoredLayoutAfterTyping)
{
    const std::string aOnFive =
        "65=5 65p=True 65c=True 97=5 97p=False 97c=False 84=999 84p=False 116=999";
    const struct
    {
        const char* name;
        std::vector<Typed> typed;
        std::vector<std::pair<int, std::string>> keys;
        std::string stored;
    } rows[] = {
        // clang-format off
        {"a onto t", {{5, 'a', true}}, {{5, "[A] A+^ a"}, {11, "[] "}}, aOnFive},
        {"a shifted symbol replaces the shifted one, leaves the plain", {{20, '!', true}},
         {{20, "[!] !+^ ;"}, {35, "[] "}}, "33=20 33c=True 58=999 59p=False"},
        {"a plain symbol then takes the label back", {{20, '!', true}, {20, ';', false}},
         {{20, "[;] !^ ;+"}}, "58=999 33p=False 59p=True 59c=False"},
        {"a letter onto a symbol key keeps the symbol as second", {{36, 'x', false}},
         {{36, "[X] - X+^ x"}, {23, "[] "}}, "45p=False"},
        {"moving a label promotes what it leaves behind", {{47, ';', false}},
         {{47, "[;] ;+"}, {20, "[:] :+^"}}, "58p=True"},
        {"the lower-case twin left behind comes along", {{48, 'q', false}}, {{48, "[Q] Q+^ q"}, {1, "[] "}}, ""},
        {"an upper-half letter brings its twin", {{47, 0xE4, false}},
         {{47, "[\xC4] \\xC4+^ \\xE4"}}, "196=47 196c=True 228=47 228p=False"},
        {"another letter removes both twins", {{47, 0xE4, false}, {47, 0xF6, false}}, {{47, "[\xD6] \\xD6+^ \\xF6"}}, ""},
        {"a symbol takes the shift-held flag", {{49, '`', false}, {49, '~', true}}, {{49, "[~] ` ~+^"}}, "126c=True 96p=False"},
        // Upper-half codes: the captions made at opening follow the same fold.
        {"a shifted code-page symbol", {{20, 0xA7, true}}, {{20, "[\xA7] ; \\xA7+^"}}, "58=999"},
        {"y-diaeresis has no capital in the fold", {{49, 0xFF, false}}, {{49, "[\xFF] \\xFF+"}}, ""},
        {"sharp s is no letter to the fold", {{48, 0xDF, false}}, {{48, "[\xDF] \\xDF+"}}, ""},
        {"the division sign folds to the multiplication sign", {{47, 0xF7, false}}, {{47, "[\xD7] \\xD7+^ \\xF7"}}, ""},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        folder.CopyShipped("Tarvelo.INI");
        layout.Load(store);
        for (const auto& [key, code, shift] : row.typed)
            EXPECT_TRUE(Type(key, code, shift));
        EXPECT_FALSE(editor.IsOpen());
        for (const auto& [key, text] : row.keys)
            EXPECT_EQ(KeyText(layout, key), text) << "key " << key;
        std::istringstream expected(row.stored);
        for (std::string entry; expected >> entry;) {
            const std::string key = entry.substr(0, entry.find('='));
            EXPECT_EQ(key + "=" + Stored(key), entry);
        }
        EXPECT_EQ(Describe(Reloaded()), Describe(layout));
    }
}

// Shift held follows Shift alone; what the box refuses changes nothing.
TEST_F(KeyboardLayoutTest, ShiftHeldAndWhatTheBoxRefuses)
{
    // Steps: + down, - up, with S Shift, C Ctrl, A Alt held.
    std::string held;
    for (const std::string step : {"+", "+SC", "+SA", "+S", "-S", "-C", "+SC", "-"}) {
        const auto has = [&](char c) { return step.find(c) != std::string::npos; };
        const KeyEditor::Modifiers modifiers{.shift = has('S'), .ctrl = has('C'), .alt = has('A')};
        if (step[0] == '+')
            editor.KeyDown(modifiers);
        else
            editor.KeyUp(modifiers);
        held += editor.ShiftHeld() ? '1' : '0';
    }
    EXPECT_EQ(held, "00011110");
    const std::string before = File();
    const std::string layoutBefore = Describe(layout);
    EXPECT_FALSE(editor.Type('x')) << "the box is closed";
    EXPECT_FALSE(editor.Clear());
    for (const int code : {27, 32}) {
        EXPECT_FALSE(Type(5, code, true)) << code;
        EXPECT_FALSE(editor.IsOpen()) << code;
    }
    ASSERT_TRUE(editor.Open(5));
    for (const int key : {0, 32, 33, 34, 50, -1})
        EXPECT_FALSE(editor.Open(key)) << key;
    EXPECT_EQ(editor.EditingKey(), 5) << "a refused click leaves the box where it is";
    for (const int code : {0, 256, -1})
        EXPECT_FALSE(editor.Type(code)) << code;
    EXPECT_EQ(File(), before);
    EXPECT_TRUE(Type(20, ';') && Type(1, 'q', true) && Type(21, '\''));
    EXPECT_EQ(Describe(layout), layoutBefore);
    EXPECT_EQ(Describe(Reloaded()), layoutBefore);
}

TEST_F(KeyboardLayoutTest, ClearThenResetAsksRestoresDefaultsAndKeepsOtherCharacters)
{
    const KeyboardLayout defaults = Reloaded();
    ASSERT_TRUE(Type(5, 'a'));
    ASSERT_TRUE(Type(20, '!', true));
    ASSERT_TRUE(Type(47, 0xA7));  // section sign on an empty key
    ASSERT_TRUE(Type(48, 0xE4));  // a-umlaut: the key gets the pair C4 / E4
    ASSERT_TRUE(Type(31, 0xB0));  // degree sign displaces "?" and "/"
    for (int i = 0; i < 2; ++i) { // clearing a key already empty is harmless
        ASSERT_TRUE(editor.Open(1));
        EXPECT_TRUE(editor.Clear());
        EXPECT_FALSE(editor.IsOpen());
    }
    EXPECT_EQ(KeyText(layout, 1), "[] ");
    EXPECT_EQ(Describe(Reloaded()), Describe(layout)) << "cleared keys stay cleared";
    ASSERT_TRUE(editor.Open(20));
    const std::string before = File() + Describe(layout);
    test::ScriptedDialogs dialogs;
    dialogs.yesNoAnswers = {false, true};
    EXPECT_FALSE(editor.Reset(dialogs));
    EXPECT_EQ(File() + Describe(layout), before);
    EXPECT_EQ(editor.EditingKey(), 20);
    EXPECT_TRUE(editor.Reset(dialogs));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].defaultAnswer, DefaultAnswer::No);
    EXPECT_EQ(Stored("200"), "absent") << "only the default characters are written";
    const KeyboardLayout reloaded = Reloaded();
    for (int key = 1; key <= KeyboardLayout::kKeyCount; ++key) {
        if (key != 31 && key != 47 && key != 48) {
            EXPECT_EQ(KeyText(layout, key), KeyText(defaults, key));
            EXPECT_EQ(KeyText(reloaded, key), KeyText(defaults, key));
        }
    }
    EXPECT_EQ(KeyText(layout, 47), "[\xA7] \\xA7+");
    // Every character with a key counts, so the lower-case twin wins here.
    EXPECT_EQ(KeyText(layout, 48), "[\xE4] \\xC4+^ \\xE4");
    // The degree sign stays as the label on key 31, and is its highest code.
    EXPECT_EQ(KeyText(layout, 31), "[\xB0] / ?+^ \\xB0+");
}

// Variants follow their layout whatever their place in the list; a
// description in UTF-8 comes as code-page bytes.
TEST(SystemLayoutListTest, LayoutsThenTheirVariantsInListOrder)
{
    const std::string list = "! model\n  pc105           Generic 105-key PC\n\n"
                             "! layout\n  us              English (US)\n"
                             "  fr              French\n\n"
                             "! variant\n  oss             fr: French (alt.)\n"
                             "  intl            us: English (US, intl., with dead keys)\n"
                             "  latin9          fr: Fran\xC3\xA7"
                             "ais (legacy)\n"
                             "  broken\n\n! option\n  grp             Switching\n";
    std::string shown;
    for (const SystemLayoutEntry& entry : ParseLayoutList(list))
        shown += entry.name.layout + "(" + entry.name.variant + ")=" + entry.description + ";";
    EXPECT_EQ(shown, "us()=English (US);us(intl)=English (US, intl., with dead keys);"
                     "fr()=French;fr(oss)=French (alt.);fr(latin9)=Fran\xE7"
                     "ais (legacy);");
}

} // namespace
} // namespace tarvelo
