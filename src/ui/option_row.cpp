#include "ui/option_row.h"

#include "ui/option_frame.h"

#include <QBoxLayout>

namespace tarvelo::ui {

void AddOptionRow(QBoxLayout& layout, std::span<OptionFrame*> frames, const QObject& context,
                  const OptionRow& row)
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
        layout.addWidget(frame);
        frames[static_cast<std::size_t>(i)] = frame;
    }
}

} // namespace tarvelo::ui
