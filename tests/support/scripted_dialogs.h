#pragma once

#include "platform/dialogs.h"
#include "platform/name_dialog.h"

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::test {

// The next scripted answer; an unscripted question gets `none`.
template <typename T> T PopAnswer(std::deque<T>& answers, T none = {})
{
    if (answers.empty())
        return none;
    T answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}

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

    void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override
    {
        shown.push_back({std::string(text), std::string(title), icon});
    }
    bool AskYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                  DefaultAnswer defaultAnswer) override
    {
        shown.push_back({std::string(text), std::string(title), icon, defaultAnswer});
        return PopAnswer(yesNoAnswers, false);
    }
    std::optional<std::string> AskText(std::string_view prompt, std::string_view title,
                                       std::string_view) override
    {
        ShowMessage(prompt, title, MessageIcon::None);
        return PopAnswer(textAnswers);
    }
    std::optional<std::size_t> AskChoice(std::string_view prompt, std::string_view title,
                                         const std::vector<std::string>& items,
                                         std::size_t current) override
    {
        ShowMessage(prompt, title, MessageIcon::None);
        lastChoices = items;
        lastCurrent = current;
        return PopAnswer(choiceAnswers);
    }

    std::vector<Shown> shown;
    std::deque<bool> yesNoAnswers;
    std::deque<std::optional<std::string>> textAnswers;
    std::deque<std::optional<std::size_t>> choiceAnswers;
    std::vector<std::string> lastChoices; // the items of the last list
    std::size_t lastCurrent = 0;          // and the one chosen at first
};

// Records the name each dialog opened with and answers from a script; an
// unscripted dialog is cancelled.
class ScriptedNameDialog : public NameDialog
{
public:
    std::optional<std::string> AskName(std::string_view currentName) override
    {
        asked.emplace_back(currentName);
        return PopAnswer(answers);
    }

    std::vector<std::string> asked;
    std::deque<std::optional<std::string>> answers;
};

} // namespace tarvelo::test
