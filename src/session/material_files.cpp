#include "session/material_files.h"

#include "material/lesson_catalogue.h"
#include "material/practice_text.h"
#include "profile/app_folder.h"
#include "profile/code_page.h"
#include "profile/data_file.h"

namespace tarvelo {
namespace {

struct OptionalFile
{
    std::string_view name;
    std::string_view without; // what the lessons lack without it
};

constexpr OptionalFile kLessonExtras[] = {
    {LessonCatalogue::kLettersFileName, "the keys each lesson brings in are not highlighted"},
    {LessonCatalogue::kHelpFileName, "the lessons have no introductions"},
};

std::string Quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

} // namespace

MaterialFiles::MaterialFiles(std::string appFolder, bool practising)
    : m_folder(codepage::FromUtf8(appFolder)), m_practising(practising)
{
    const std::string_view material =
        practising ? PracticeText::kFileName : LessonCatalogue::kLessonsFileName;
    m_materialMissing = !FileExists(DataFilePath(appFolder, material));
    if (practising)
        return;
    for (const OptionalFile& file : kLessonExtras) {
        if (!FileExists(DataFilePath(appFolder, file.name)))
            m_missingExtras.push_back(file.name);
    }
}

std::optional<std::string> MaterialFiles::MissingAtStart() const
{
    if (m_missingExtras.empty())
        return std::nullopt;
    const bool one = m_missingExtras.size() == 1;
    std::string text = std::string("Tarvelo cannot find ") + (one ? "this file" : "these files") +
                       " in its folder " + Quoted(m_folder) + ":\n";
    for (const OptionalFile& file : kLessonExtras) {
        for (const std::string_view missing : m_missingExtras) {
            if (missing == file.name)
                text += "\n" + Quoted(file.name) + ": " + std::string(file.without) + ".";
        }
    }
    text += std::string("\n\nThe lessons go on without ") + (one ? "it" : "them") +
            ". Reinstalling Tarvelo brings " + (one ? "it" : "them") + " back.";
    return text;
}

void MaterialFiles::PracticeTextRead(ReadStatus status)
{
    m_unreadable.reset();
    if (m_practising && (status == ReadStatus::Unreadable || status == ReadStatus::TooLarge)) {
        m_unreadable = PracticeText::CannotRead(status) +
                       ". Write a new text with 'Edit Typing Text' from the main menu, or "
                       "choose Restore Default there.";
    }
}

std::string MaterialFiles::NothingToType(std::string_view otherwise) const
{
    if (m_unreadable)
        return *m_unreadable;
    if (!m_materialMissing)
        return std::string(otherwise);
    if (m_practising) {
        return "The practice text " + Quoted(PracticeText::kFileName) +
               " is missing from the folder " + Quoted(m_folder) +
               ". Reinstall Tarvelo to get it back, or write a new text with 'Edit Typing Text' "
               "from the main menu.";
    }
    return "The lessons file " + Quoted(LessonCatalogue::kLessonsFileName) +
           " is missing from the folder " + Quoted(m_folder) +
           ". Reinstall Tarvelo to get it back.";
}

} // namespace tarvelo
