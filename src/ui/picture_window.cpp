#include "ui/picture_window.h"

#include <QFileInfo>
#include <QPainter>

namespace tarvelo::ui {
namespace {

// Opening a FIFO or a device in the picture's place would block before any
// window shows; anything but a regular file counts as no picture.
QPixmap LoadPicture(const QString& path)
{
    return QFileInfo(path).isFile() ? QPixmap(path) : QPixmap();
}

} // namespace

PictureWindow::PictureWindow(const QString& appFolder, QWidget* parent)
    : QWidget(parent), m_picture(LoadPicture(appFolder + kPictureName))
{}

void PictureWindow::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    if (m_picture.isNull()) {
        painter.fillRect(rect(), QColor(0xEE, 0xEE, 0xE8));
        return;
    }
    const QSize scaled = m_picture.size().scaled(size(), Qt::KeepAspectRatioByExpanding);
    const QRect target(QPoint((width() - scaled.width()) / 2, (height() - scaled.height()) / 2),
                       scaled);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, m_picture);
}

} // namespace tarvelo::ui
