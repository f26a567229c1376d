#include "editor/practice_editor.h"

#include "platform/dialogs.h"
#include "profile/app_folder.h"
#include "profile/code_page.h"
#include "profile/data_file.h"
#include "profile/profile_store.h"
#include "profile/settings_keys.h"
#include "state/program_state.h"

#include <cerrno>
#include <cstdio>

namespace tarvelo {
namespace {

constexpr std::string_view kEmptyRefusal =
    "Have the wellsprings of creativity receded this far? I will give you some time to "
    "rethink your choice of sentences. ";
constexpr std::string_view kDiscardQuestion =
    "Just want to let you know you made some unsaved changes! Are you sure you would like to "
    "exit without saving?";
constexpr std::string_view kRestoreQuestion =
    "Are you sure you would like to discard all changes ever made and restore the original "
    "text provided by me?";
constexpr std::string_view kQuestionTitle = "Double Check";
constexpr std::string_view kAppTitle = "Tarvelo";
// How many characters outside the code page a refusal names.
constexpr int kNamedUnfit = 3;

std::string CodePoint(char32_t character)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(character));
    return text;
}

} // namespace

std::string ToPracticeBytes(std::u32string_view text, std::string& firstUnfit)
{
    std::string bytes;
    bytes.reserve(text.size() + text.size() / 16);
    firstUnfit.clear();
    int unfit = 0;
    int line = 1;
    int column = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c == U'\r' || c == U'\n' || c == U'\u2029') {
            if (c == U'\r' && i + 1 < text.size() && text[i + 1] == U'\n')
                ++i;
            bytes += "\r\n";
            ++line;
            column = 1;
            continue;
        }
        const unsigned char byte = codepage::FromUnicode(c);
        if (byte == 0) {
            if (unfit < kNamedUnfit)
                firstUnfit += (unfit ? ", " : "") + CodePoint(c) + " at line " +
                              std::to_string(line) + ", column " + std::to_string(column);
            ++unfit;
        } else {
            bytes += static_cast<char>(byte);
        }
        ++column;
    }
    if (unfit > kNamedUnfit)
        firstUnfit += " and " + std::to_string(unfit - kNamedUnfit) + " more";
    return unfit ? std::string() : bytes;
}

PracticeEditor::PracticeEditor(ProgramState& state, Dialogs& dialogs)
    : m_state(state), m_dialogs(dialogs)
{}

bool PracticeEditor::TextOfFile(std::string_view fileBytes, std::string& text)
{
    text.clear();
    const std::size_t headerEnd = fileBytes.find_first_of("\r\n");
    if (headerEnd == std::string_view::npos)
        return false;
    std::size_t at = headerEnd + (fileBytes.compare(headerEnd, 2, "\r\n") == 0 ? 2 : 1);
    while (at < fileBytes.size()) {
        std::size_t end = fileBytes.find_first_of("\r\n", at);
        if (end == std::string_view::npos)
            end = fileBytes.size();
        text.append(fileBytes.substr(at, end - at));
        text += "\r\n";
        at = end + (fileBytes.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    if (text.size() >= 2)
        text.resize(text.size() - 2); // the final line end
    return text.find_first_not_of("\r\n \t") != std::string::npos;
}

void PracticeEditor::Open()
{
    const std::string path = DataFilePath(m_state.appFolder, PracticeText::kFileName);
    const FileContents file = ReadPracticeFile(path);
    if (!TextOfFile(file.bytes, m_loaded)) {
        m_loaded.clear();
        ShowMessage(
            (file.status == ReadStatus::Ok
                 ? "The practice file \"" + std::string(PracticeText::kFileName) + "\" held no text"
                 : PracticeText::CannotRead(file.status)) +
            ". Type or paste your own sentences and choose Save Changes, or choose "
            "Restore Default.");
    }
    ++m_loadCount;
    m_unsaved = false;
    m_hovered.reset();
}

EditorAction PracticeEditor::PressOption(EditorOption option, std::u32string_view boxText)
{
    switch (option) {
    case EditorOption::Restore:
        return RestoreDefault();
    case EditorOption::Save:
        return Save(boxText);
    case EditorOption::Close:
        return ConfirmClose() ? EditorAction::Close : EditorAction::None;
    case EditorOption::Language:
        return EditorAction::ShowLanguageHelp;
    }
    return EditorAction::None;
}

EditorAction PracticeEditor::Save(std::u32string_view boxText)
{
    if (boxText.empty()) {
        ShowMessage(kEmptyRefusal);
        return EditorAction::None;
    }
    std::string unfit;
    const std::string bytes = ToPracticeBytes(boxText, unfit);
    if (!unfit.empty()) {
        ShowMessage("The practice text was not saved: it holds characters this program cannot "
                    "type or store (" +
                    unfit + "). Replace them and save again.");
        return EditorAction::None;
    }
    if (const int error = WriteText(bytes)) {
        ShowMessage(NotWrittenMessage(error));
        return EditorAction::None;
    }
    m_unsaved = false;
    return EditorAction::Saved;
}

EditorAction PracticeEditor::RestoreDefault()
{
    if (!m_dialogs.AskYesNo(kRestoreQuestion, kQuestionTitle, MessageIcon::Question,
                            DefaultAnswer::No))
        return EditorAction::None;
    const FileContents copy =
        ReadDataFile(DataFilePath(m_state.appFolder, PracticeText::kBackupFileName));
    std::string text;
    if (!TextOfFile(copy.bytes, text)) {
        ShowMessage("The supplied copy \"" + std::string(PracticeText::kBackupFileName) +
                    "\" holds no text, so there is nothing to restore. Your text is unchanged.");
        return EditorAction::None;
    }
    m_loaded = text;
    ++m_loadCount;
    if (const int error = WriteText(text)) {
        m_unsaved = true; // the box shows the supplied text, the file does not
        ShowMessage(NotWrittenMessage(error));
        return EditorAction::None;
    }
    m_unsaved = false;
    return EditorAction::Saved;
}

int PracticeEditor::WriteText(const std::string& text)
{
    const std::string path = DataFilePath(m_state.appFolder, PracticeText::kFileName);
    std::string file;
    file.reserve(kHeader.size() + text.size() + 4);
    file.append(kHeader).append("\r\n").append(text).append("\r\n");
    // Held while the temporary file exists, so that another copy starting up
    // does not take it for a leftover.
    const FileLock lock(path);
    if (!lock.Held())
        return lock.Error();
    if (const int error = ReplaceFile(path, file))
        return error;
    (void)m_state.profile.Write(m_state.user.UserSection, settings::kSentenceNumber, 1);
    // Counted like an activity for the first-use message of the session window.
    ++m_state.user.SessionNumber;
    m_practice.LoadFromBytes(file);
    return 0;
}

std::string PracticeEditor::NotWrittenMessage(int error) const
{
    const std::string path = DataFilePath(m_state.appFolder, PracticeText::kFileName);
    const std::string why = error == EWOULDBLOCK ? "another running copy of Tarvelo keeps it busy"
                                                 : WriteFailureReason(error);
    return "The practice file \"" + codepage::FromUtf8(path) + "\" could not be written: " + why +
           ". It is unchanged.";
}

bool PracticeEditor::ConfirmClose()
{
    return !m_unsaved || m_dialogs.AskYesNo(kDiscardQuestion, kQuestionTitle, MessageIcon::Question,
                                            DefaultAnswer::No);
}

std::string_view PracticeEditor::OptionCaption(EditorOption option)
{
    static constexpr std::string_view kCaptions[kOptionCount] = {"Restore Default", "Save Changes",
                                                                 "Close", "Language"};
    return kCaptions[static_cast<std::size_t>(option)];
}

std::int32_t PracticeEditor::OptionBorder(EditorOption option) const
{
    if (option == m_hovered)
        return palette::kHoverBorder;
    return option == EditorOption::Close ? kCloseBorder : palette::kBorder;
}

std::string PracticeEditor::SoundPath() const
{
    return DataFilePath(m_state.appFolder, kSoundFile);
}

void PracticeEditor::ShowMessage(std::string_view text)
{
    m_dialogs.ShowMessage(text, kAppTitle, MessageIcon::Exclamation);
}

} // namespace tarvelo
