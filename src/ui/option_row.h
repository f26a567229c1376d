#pragma once

#include "ui/text_codec.h"

#include <QString>
#include <functional>
#include <span>
#include <string_view>

class QBoxLayout;
class QGridLayout;
class QObject;

namespace tarvelo::ui {

class OptionFrame;

// A row of option frames `<name>0`, `<name>1`, … that report presses and
// hovers by their index; the window's refresh() gives their colours.
struct OptionRow
{
    QString name = QStringLiteral("sOption");
    std::function<QString(int)> caption{}; // empty: refresh() sets the captions
    std::function<void(int)> pressed{};
    std::function<void(int)> hovered{};
    int minimumWidth = 0;
    // For windows without a focus box: Tab reaches each frame, Alt and its
    // first letter press it.
    bool tabStops = false;
};

// The captions of a row from the logic's caption of each option, an enum
// numbered as the frames, in code-page text.
template <class Option> std::function<QString(int)> CaptionsOf(std::string_view (*caption)(Option))
{
    return [caption](int i) { return ToQString(caption(static_cast<Option>(i))); };
}

// Makes one frame for each element of `frames` and adds them to `layout`;
// `context` ends the connections when it goes.
void AddOptionRow(QBoxLayout& layout, std::span<OptionFrame*> frames, const QObject& context,
                  const OptionRow& row);
// The same down `column` of `grid`, frame i on line i.
void AddOptionRow(QGridLayout& grid, int column, std::span<OptionFrame*> frames,
                  const QObject& context, const OptionRow& row);

} // namespace tarvelo::ui
