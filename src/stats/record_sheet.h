#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tarvelo {

struct CompleteFigures;

// The one-page record sheet: the product name, the title and four lines,
// with a ruled line between each two of them. Text is code-page bytes.
struct RecordSheet
{
    static constexpr std::string_view kProduct = "Tarvelo";
    static constexpr std::string_view kTitle = "Typing Skills Record Sheet";

    std::string userName;
    // lUser, lTime, lWPM, lAccuracy.
    std::array<std::string, 4> lines;
};

RecordSheet MakeRecordSheet(std::string_view userName, const CompleteFigures& figures);

} // namespace tarvelo
