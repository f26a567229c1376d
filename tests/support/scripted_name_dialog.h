#pragma once

#include "platform/name_dialog.h"

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelo::test {

// Records the name each dialog opened with and answers from a script; an
// unscripted dialog is cancelled.
class ScriptedNameDialog : public NameDialog
{
public:
    std::optional<std::string> AskName(std::string_view currentName) override
    {
        asked.emplace_back(currentName);
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::vector<std::string> asked;
    std::deque<std::optional<std::string>> answers;
};

} // namespace tarvelo::test
