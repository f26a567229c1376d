#include "support/scripted_dialogs.h"

namespace tarvelo::test {

void ScriptedDialogs::ShowMessage(std::string_view text, std::string_view title, MessageIcon icon)
{
    shown.push_back({std::string(text), std::string(title), icon});
}

bool ScriptedDialogs::AskYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                               DefaultAnswer defaultAnswer)
{
    shown.push_back({std::string(text), std::string(title), icon, defaultAnswer});
    if (yesNoAnswers.empty())
        return false;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedDialogs::AskText(std::string_view prompt, std::string_view title,
                                                    std::string_view)
{
    shown.push_back({std::string(prompt), std::string(title), MessageIcon::None});
    if (textAnswers.empty())
        return std::nullopt;
    auto answer = textAnswers.front();
    textAnswers.pop_front();
    return answer;
}

std::optional<std::size_t> ScriptedDialogs::AskChoice(std::string_view prompt,
                                                      std::string_view title,
                                                      const std::vector<std::string>& items,
                                                      std::size_t current)
{
    shown.push_back({std::string(prompt), std::string(title), MessageIcon::None});
    lastChoices = items;
    lastCurrent = current;
    if (choiceAnswers.empty())
        return std::nullopt;
    auto answer = choiceAnswers.front();
    choiceAnswers.pop_front();
    return answer;
}

} // namespace tarvelo::test
