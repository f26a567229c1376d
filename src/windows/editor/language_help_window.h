#pragma once

#include <QWidget>

namespace tarvelo {

// "Language Help": the read-only text on adapting the program to another
// language. Not modal; it opens beside the window that asks for it.
class LanguageHelpWindow : public QWidget
{
    Q_OBJECT

public:
    explicit LanguageHelpWindow(QWidget* parent = nullptr);

    // Shows the window to the right of `beside` (or left, when the screen
    // ends there), leaving that window usable.
    void showBeside(const QWidget& beside);
};

} // namespace tarvelo
