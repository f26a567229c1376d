#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvelo {

// The modal window that asks for a user's name. Text is code-page bytes.
class NameDialog
{
public:
    static constexpr std::string_view kTitle = "Tarvelo";
    static constexpr std::string_view kPrompt = "Please enter your name:";

    virtual ~NameDialog() = default;

    // Opens with `currentName` filled in and selected. Returns the text as
    // entered on OK (possibly empty), nullopt on Cancel.
    virtual std::optional<std::string> AskName(std::string_view currentName) = 0;
};

} // namespace tarvelo
