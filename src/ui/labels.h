#pragma once

#include <QLabel>

namespace tarvelo::ui {

// A label's font: `pointSize` > 0 sets the size, `larger` adds points to the
// default size, `scale` multiplies it.
struct LabelFont
{
    int pointSize = 0;
    int larger = 0;
    double scale = 1.0;
    bool bold = false;
};

// Names `label` for the tests and shows its text as plain text (names and
// captions are never markup) in `font`.
void SetUpLabel(QLabel& label, const QString& name, LabelFont font = {});

// The one label factory of the windows; `Label` is QLabel or a subclass.
template <class Label = QLabel>
Label* MakeLabel(const QString& text, const QString& name, LabelFont font = {})
{
    auto* label = new Label(text);
    SetUpLabel(*label, name, font);
    return label;
}

} // namespace tarvelo::ui
