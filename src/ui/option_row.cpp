#include "ui/option_row.h"

#include "ui/option_frame.h"

#include <QBoxLayout>
#include <QGridLayout>

namespace tarvelo::ui {
namespace {

template <class Place>
void MakeOptions(std::span<OptionFrame*> frames, const QObject& context, const OptionRow& row,
                 Place place)
{
    for (int i = 0; i < static_cast<int>(frames.size()); ++i) {
        auto* frame = new OptionFrame(row.caption ? row.caption(i) : QString());
        frame->setObjectName(row.name + QString::number(i));
        if (row.minimumWidth > 0)
            frame->setMinimumWidth(row.minimumWidth);
        QObject::connect(frame, &OptionFrame::pressed, &context,
                         [pressed = row.pressed, i] { pressed(i); });
        QObject::connect(frame, &OptionFrame::hovered, &context,
                         [hovered = row.hovered, i] { hovered(i); });
        if (row.tabStops) {
            frame->setTabStop();
            frame->setMnemonic(frame->caption().at(0));
        }
        place(frame, i);
        frames[static_cast<std::size_t>(i)] = frame;
    }
}

} // namespace

void AddOptionRow(QBoxLayout& layout, std::span<OptionFrame*> frames, const QObject& context,
                  const OptionRow& row)
{
    MakeOptions(frames, context, row,
                [&layout](OptionFrame* frame, int) { layout.addWidget(frame); });
}

void AddOptionRow(QGridLayout& grid, int column, std::span<OptionFrame*> frames,
                  const QObject& context, const OptionRow& row)
{
    MakeOptions(frames, context, row, [&grid, column](OptionFrame* frame, int line) {
        grid.addWidget(frame, line, column);
    });
}

} // namespace tarvelo::ui
