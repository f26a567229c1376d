#include "stats/record_sheet_window.h"

#include "platform/dialogs.h"
#include "ui/qt_dialogs.h"
#include "ui/text_codec.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

namespace tarvelo {

RecordSheetWindow::RecordSheetWindow(RecordSheet sheet, QWidget* parent,
                                     RecordSheetServices services)
    : m_sheet(std::move(sheet)), m_parent(parent), m_services(std::move(services))
{}

bool RecordSheetWindow::paint(QPagedPaintDevice& device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    // Lay the sheet out in points on the printable area, whatever its resolution.
    const double scale = device.logicalDpiX() / 72.0;
    painter.scale(scale, device.logicalDpiY() / 72.0);
    const double width = device.width() / scale;
    const double left = 36;
    const double right = width - 36;
    double y = 48;

    QFont font("Liberation Serif");
    font.setPointSizeF(28);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(left, y, right - left, 40), Qt::AlignHCenter | Qt::AlignTop,
                     ui::ToQString(RecordSheet::kProduct));
    y += 48;
    font.setPointSizeF(18);
    painter.setFont(font);
    painter.drawText(QRectF(left, y, right - left, 30), Qt::AlignHCenter | Qt::AlignTop,
                     ui::ToQString(RecordSheet::kTitle));
    y += 64;

    font.setPointSizeF(14);
    font.setBold(false);
    painter.setFont(font);
    painter.setPen(QPen(Qt::black, 0.75));
    for (std::size_t i = 0; i < m_sheet.lines.size(); ++i) {
        painter.drawText(QRectF(left + 24, y, right - left - 48, 24), Qt::AlignLeft | Qt::AlignTop,
                         ui::ToQString(m_sheet.lines[i]));
        y += 40;
        if (i + 1 < m_sheet.lines.size()) {
            painter.drawLine(QPointF(left, y - 8), QPointF(right, y - 8));
            y += 16;
        }
    }
    return painter.end();
}

bool RecordSheetWindow::saveAsPdf(const QString& path) const
{
    QPdfWriter writer(path);
    writer.setTitle(ui::ToQString(RecordSheet::kTitle));
    writer.setCreator("Tarvelo");
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setResolution(300);
    return paint(writer) && QFileInfo(path).size() > 0;
}

QString RecordSheetWindow::suggestedPdfName(const QString& userName)
{
    QString name = userName;
    name.replace(QRegularExpression(R"([/\\:*?"<>|\s]+)"), "-");
    return QDir::home().filePath(
        QString("Tarvelo record sheet%1.pdf").arg(name.isEmpty() ? QString() : " " + name));
}

void RecordSheetWindow::print()
{
    const bool printer =
        m_services.hasPrinter ? m_services.hasPrinter() : !QPrinterInfo::defaultPrinter().isNull();
    if (printer) {
        QPrinter device(QPrinterInfo::defaultPrinter());
        device.setDocName(ui::ToQString(RecordSheet::kTitle));
        if (!paint(device))
            tell("The record sheet could not be printed. Check the printer and try again.");
        return;
    }

    ui::QtDialogs own(m_parent);
    Dialogs& dialogs = m_services.dialogs ? *m_services.dialogs : own;
    if (!dialogs.AskYesNo("No printer is set up on this computer. Would you like to save the "
                          "record sheet as a PDF file instead?",
                          "Tarvelo", MessageIcon::Question, DefaultAnswer::Yes))
        return;
    const QString user = ui::ToQString(m_sheet.lines[0]).section("  ", 1);
    const QString suggested = suggestedPdfName(user);
    const QString path = m_services.choosePdfFile
                             ? m_services.choosePdfFile(suggested)
                             : QFileDialog::getSaveFileName(m_parent, "Save Record Sheet",
                                                            suggested, "PDF files (*.pdf)");
    if (path.isEmpty())
        return;
    if (!saveAsPdf(path))
        tell(QString("The record sheet could not be saved as %1. Choose another folder or "
                     "name and try again.")
                 .arg(QDir::toNativeSeparators(path)));
}

void RecordSheetWindow::tell(const QString& text) const
{
    ui::QtDialogs own(m_parent);
    Dialogs& dialogs = m_services.dialogs ? *m_services.dialogs : own;
    dialogs.ShowMessage(ui::FromQString(text), "Tarvelo", MessageIcon::Exclamation);
}

} // namespace tarvelo
