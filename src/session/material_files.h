#pragma once

#include "profile/data_file.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

// The data files a typing session reads, looked for once when its window
// opens, and what the user is told about those that are missing. Without the
// letters or lesson-help file the lessons run on, quietly poorer, so the user
// hears of them at the start; without the practice text or the lessons file
// there is nothing to type, and Begin says which file it is. A practice text
// that is there but cannot be read is told at the start and by Begin.
class MaterialFiles
{
public:
    MaterialFiles(std::string appFolder, bool practising);

    // One message naming every missing file the session can do without;
    // nullopt when none is missing.
    std::optional<std::string> MissingAtStart() const;

    // How reading the practice text went; nothing is told in lessons.
    void PracticeTextRead(ReadStatus status);
    // The message for a practice text that could not be read; nullopt
    // otherwise.
    const std::optional<std::string>& Unreadable() const { return m_unreadable; }

    // What Begin says when there is nothing to type: that the file of the
    // mode is missing, or `otherwise` when it is present.
    std::string NothingToType(std::string_view otherwise) const;

private:
    std::string m_folder; // as the user reads it: code-page bytes
    bool m_practising;
    bool m_materialMissing = false;
    std::vector<std::string_view> m_missingExtras;
    std::optional<std::string> m_unreadable;
};

} // namespace tarvelo
