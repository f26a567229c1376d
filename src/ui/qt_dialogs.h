#pragma once

#include "platform/dialogs.h"

class QWidget;

namespace tarvelo::ui {

// Dialogs shown with Qt's message and input boxes over `parent`.
class QtDialogs : public Dialogs
{
public:
    explicit QtDialogs(QWidget* parent = nullptr) : m_parent(parent) {}

    void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
    bool AskYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                  DefaultAnswer defaultAnswer) override;
    std::optional<std::string> AskText(std::string_view prompt, std::string_view title,
                                       std::string_view initial) override;
    std::optional<std::size_t> AskChoice(std::string_view prompt, std::string_view title,
                                         const std::vector<std::string>& items,
                                         std::size_t current) override;

private:
    QWidget* m_parent;
};

} // namespace tarvelo::ui
