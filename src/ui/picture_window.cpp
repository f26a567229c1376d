#include "ui/picture_window.h"

#include "profile/app_folder.h"
#include "state/palette.h"
#include "ui/background_picture.h"
#include "ui/colours.h"
#include "ui/style.h"

#include <QPainter>

namespace tarvelo::ui {

PictureWindow::PictureWindow(const std::string& appFolder, QWidget* parent)
    : QWidget(parent), m_picturePath(DataFilePath(appFolder, kPictureName))
{}

void PictureWindow::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    if (HighContrast()) {
        painter.fillRect(rect(), FromBgr(palette::high_contrast::kGround));
        return;
    }
    // Decoded at the size drawn, on the first paint, not when the window is made.
    const QImage picture = BackgroundPicture::Covering(m_picturePath, size(), devicePixelRatioF());
    if (picture.isNull()) {
        painter.fillRect(rect(), QColor(0xEE, 0xEE, 0xE8));
        return;
    }
    const QSize scaled = picture.deviceIndependentSize().toSize();
    painter.drawImage(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2),
                      picture);
}

} // namespace tarvelo::ui
