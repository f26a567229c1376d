#include "ui/picture_window.h"

#include "profile/app_folder.h"
#include "profile/data_file.h"
#include "state/palette.h"
#include "ui/colours.h"
#include "ui/style.h"

#include <QPainter>

namespace tarvelo::ui {

PictureWindow::PictureWindow(const std::string& appFolder, QWidget* parent) : QWidget(parent)
{
    const FileContents picture = ReadDataFile(DataFilePath(appFolder, kPictureName));
    if (picture.status == ReadStatus::Ok)
        m_picture.loadFromData(reinterpret_cast<const uchar*>(picture.bytes.data()),
                               static_cast<uint>(picture.bytes.size()));
}

void PictureWindow::paintEvent(QPaintEvent* event)
{
    QWidget::paintEvent(event);
    QPainter painter(this);
    if (HighContrast()) {
        painter.fillRect(rect(), FromBgr(palette::high_contrast::kGround));
        return;
    }
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
