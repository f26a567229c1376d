#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

enum class MessageIcon
{
    None,
    Information,
    Exclamation,
    Critical,
    Question,
};

enum class DefaultAnswer
{
    Yes,
    No,
};

// Modal questions and messages. All text is code-page bytes.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // A message box with one OK button.
    virtual void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) = 0;
    // A message box with Yes and No; true for Yes.
    virtual bool AskYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                          DefaultAnswer defaultAnswer) = 0;
    // An input box; nullopt when cancelled.
    virtual std::optional<std::string> AskText(std::string_view prompt, std::string_view title,
                                               std::string_view initial) = 0;
    // A list to pick one item from, `current` chosen at first; the index
    // picked, nullopt when cancelled (and where no list can be shown).
    virtual std::optional<std::size_t> AskChoice(std::string_view prompt, std::string_view title,
                                                 const std::vector<std::string>& items,
                                                 std::size_t current)
    {
        (void)prompt, (void)title, (void)items, (void)current;
        return std::nullopt;
    }
};

} // namespace tarvelo
