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
    // Records the prompt; answers from choiceAnswers, else cancels.
    std::optional<std::size_t> AskChoice(std::string_view prompt, std::string_view title,
                                         const std::vector<std::string>& items,
                                         std::size_t current) override;

    std::vector<Shown> shown;
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> textAnswers;
    std::deque<std::optional<std::size_t>> choiceAnswers;
    std::vector<std::string> lastChoices; // the items of the last list
    std::size_t lastCurrent = 0;          // and the one chosen at first
};

} // namespace tarvelo::test
