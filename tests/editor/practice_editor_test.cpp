#include "editor/practice_editor.h"
#include "profile/data_file.h"
#include "state/program_state.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace tarvelo {
namespace {

const std::string kHeaderLine = std::string(PracticeEditor::kHeader) + "\r\n";

class PracticeEditorTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        folder.Write(PracticeText::kFileName, "old header\r\nOne.\r\nTwo.\r\nThree.\r\n");
        folder.Write(PracticeText::kBackupFileName, "header\r\nSupplied text.\r\n");
        state.user.SelectSlot(0);
        state.profile.Write("user0", settings::kSentenceNumber, 5);
        state.profile.Write("user1", settings::kSentenceNumber, 7);
    }
    std::string PracticeFile() const { return folder.Read(PracticeText::kFileName); }

    test::TempFolder folder;
    ProgramState state{folder.Path()};
    test::ScriptedDialogs dialogs;
    PracticeEditor editor{state, dialogs};
};

TEST_F(PracticeEditorTest, SaveDropsTheHeaderWritesItFirstAndResetsTheCurrentUser)
{
    editor.Open();
    EXPECT_EQ(editor.LoadedText(), "One.\r\nTwo.\r\nThree.");
    editor.TextChanged();
    EXPECT_EQ(editor.Save(U"Caf\u00e9 one.\nTwo \u20ac.\nThree."), EditorAction::Saved);
    EXPECT_EQ(PracticeFile(), kHeaderLine + "Caf\xE9 one.\r\nTwo \x80.\r\nThree.\r\n");
    EXPECT_FALSE(editor.Unsaved());
    EXPECT_EQ(editor.Practice().PracticeSentences().size(), 3u) << "the sentences are reloaded";
    // Only the current user starts the new text from its first sentence.
    EXPECT_EQ(state.profile.Read("user0", settings::kSentenceNumber), 1);
    EXPECT_EQ(state.profile.Read("user1", settings::kSentenceNumber), 7);
}

TEST_F(PracticeEditorTest, RefusedSavesWriteNothing)
{
    // The text, then what the message names.
    const std::pair<std::u32string, std::string> rows[] = {
        {U"", "Have the wellsprings of creativity receded this far?"},
        {U"Fine.\n\u0141\u00f3d\u017a and \u4e2d",
         "U+0141 at line 2, column 1, U+017A at line 2, column 4, U+4E2D at line 2, column 10"},
    };
    for (const auto& [text, message] : rows) {
        SCOPED_TRACE(message);
        editor.Open();
        editor.TextChanged();
        dialogs.shown.clear();
        EXPECT_EQ(editor.Save(text), EditorAction::None);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_NE(dialogs.shown[0].text.find(message), std::string::npos) << dialogs.shown[0].text;
        EXPECT_TRUE(editor.Unsaved());
        EXPECT_EQ(PracticeFile(), "old header\r\nOne.\r\nTwo.\r\nThree.\r\n");
    }
}

// A save the disk refuses names the real cause and the file as the user
// sees its name (the folder's UTF-8 bytes showed as "FÃ¼lle").
TEST(PracticeEditorFaultTest, FailedSaveGivesTheCauseAndTheNameAsTheUserSeesIt)
{
    test::TempFolder home;
    const std::string folder = home.Path() + "F\xc3\xbclle/";
    ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    ASSERT_TRUE(WriteFileAtomically(folder + "Tarvelo Text1.txt", "header\r\nOld.\r\n"));
    ProgramState state(folder);
    test::ScriptedDialogs dialogs;
    PracticeEditor editor(state, dialogs);
    editor.Open();
    editor.TextChanged();
    {
        test::FileSizeLimit diskFull(0);
        EXPECT_EQ(editor.Save(U"One."), EditorAction::None);
    }
    ASSERT_EQ(dialogs.shown.size(), 1u);
    const std::string& text = dialogs.shown[0].text;
    EXPECT_NE(text.find(home.Path() + "F\xfclle/Tarvelo Text1.txt\" could not be written: the "
                                      "disk is full"),
              std::string::npos)
        << text;
}

// Close asks only with unsaved changes; restoring always asks, and files
// without text are told and never restored.
TEST_F(PracticeEditorTest, CloseAndRestoreAskFirst)
{
    editor.Open();
    EXPECT_TRUE(editor.ConfirmClose());
    EXPECT_TRUE(dialogs.shown.empty());
    editor.TextChanged();
    dialogs.yesNoAnswers = {false, false, true, true};
    EXPECT_EQ(editor.PressOption(EditorOption::Close, U"x"), EditorAction::None);
    EXPECT_EQ(dialogs.shown.back().title, "Double Check");
    EXPECT_EQ(editor.RestoreDefault(), EditorAction::None);
    EXPECT_EQ(editor.LoadedText(), "One.\r\nTwo.\r\nThree.");
    EXPECT_EQ(editor.RestoreDefault(), EditorAction::Saved);
    EXPECT_EQ(editor.LoadedText(), "Supplied text.");
    EXPECT_EQ(PracticeFile(), kHeaderLine + "Supplied text.\r\n");
    editor.TextChanged();
    EXPECT_TRUE(editor.ConfirmClose()) << "the user agreed to drop the change";

    for (const char* bytes : {"", "only a header\r\n", "only a header"}) {
        folder.Write(PracticeText::kFileName, bytes);
        folder.Write(PracticeText::kBackupFileName, bytes);
        editor.Open();
        EXPECT_EQ(editor.LoadedText(), "");
        dialogs.yesNoAnswers = {true};
        EXPECT_EQ(editor.RestoreDefault(), EditorAction::None);
        EXPECT_NE(dialogs.shown.back().text.find("nothing to restore"), std::string::npos);
        EXPECT_EQ(PracticeFile(), bytes);
    }
}

} // namespace
} // namespace tarvelo
