#include "ui/labels.h"

namespace tarvelo::ui {

void SetUpLabel(QLabel& label, const QString& name, LabelFont font)
{
    label.setObjectName(name);
    label.setTextFormat(Qt::PlainText);
    if (font.pointSize <= 0 && font.larger == 0 && font.scale == 1.0 && !font.bold)
        return;
    QFont shown = label.font();
    if (font.pointSize > 0)
        shown.setPointSize(font.pointSize);
    if (font.larger != 0)
        shown.setPointSize(shown.pointSize() + font.larger);
    if (font.scale != 1.0)
        shown.setPointSizeF(shown.pointSizeF() * font.scale);
    shown.setBold(font.bold);
    label.setFont(shown);
}

} // namespace tarvelo::ui
