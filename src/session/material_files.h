#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

// The data files a typing session reads, looked for once when its window
// opens, and what the user is told about those that are missing. Without the
// letters or lesson-help file the lessons run on, quietly poorer, so the user
// hears of them at the start; without the practice text or the lessons file
// there is nothing to type, and Begin says which file it is.
class MaterialFiles
{
public:
    MaterialFiles(std::string appFolder, bool practising);

    // One message naming every missing file the session can do without;
    // nullopt when none is missing.
    std::optional<std::string> MissingAtStart() const;

    // What Begin says when there is nothing to type: that the file of the
    // mode is missing, or `otherwise` when it is present.
    std::string NothingToType(std::string_view otherwise) const;

private:
    std::string m_folder; // as the user reads it: code-page bytes
    bool m_practising;
    bool m_materialMissing = false;
    std::vector<std::string_view> m_missingExtras;
};

} // namespace tarvelo
