#pragma once

#include "platform/dialogs.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace tarvelo::test {

// Records every dialog and answers from scripts; an unscripted question is
// answered No / Cancel.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        std::string text;
        std::string title;
        MessageIcon icon = MessageIcon::None;
        DefaultAnswer defaultAnswer = DefaultAnswer::Yes;
    };

    void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
    bool AskYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                  DefaultAnswer defaultAnswer) override;
    std::optional<std::string> AskText(std::string_view prompt, std::string_view title,
                                       std::string_view initial) override;

    std::vector<Shown> shown;
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> textAnswers;
};

} // namespace tarvelo::test
