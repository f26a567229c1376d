#pragma once

#include "platform/dialogs.h"

#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

namespace tarvelo::ui {

// Dialogs shown with Qt's message and input boxes over `parent`.
//
// A message box may come up while the user types: it ignores the keys typed
// in its first second, so that the next letter or Space of the line cannot
// answer it unread.
class QtDialogs : public Dialogs
{
public:
    static constexpr std::int64_t kKeyGuardMs = 1000;
    // Milliseconds on a steady clock; tests step their own.
    using Clock = std::function<std::int64_t()>;

    explicit QtDialogs(QWidget* parent = nullptr, Clock clock = {});

    void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override;
    bool AskYesNo(std::string_view text, std::string_view title, MessageIcon icon,
                  DefaultAnswer defaultAnswer) override;
    std::optional<std::string> AskText(std::string_view prompt, std::string_view title,
                                       std::string_view initial) override;
    std::optional<std::size_t> AskChoice(std::string_view prompt, std::string_view title,
                                         const std::vector<std::string>& items,
                                         std::size_t current) override;
    // Where to save a file, offering `suggested`; empty: cancelled.
    QString AskSaveFile(const QString& title, const QString& suggested, const QString& filter);

private:
    QWidget* m_parent;
    Clock m_clock;
};

} // namespace tarvelo::ui
