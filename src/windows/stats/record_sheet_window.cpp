#include "windows/stats/record_sheet_window.h"

#include "platform/dialogs.h"
#include "ui/qt_dialogs.h"
#include "ui/text_codec.h"
#include "windows/stats/progress_chart.h"

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
    // Positions in points of the page, whatever the device's resolution;
    // fonts take their point sizes from the device itself.
    const double pt = device.logicalDpiY() / 72.0;
    const double left = 36 * pt;
    const double right = device.width() - 36 * pt;
    double y = 48 * pt;
    auto line = [&](const QString& text, double pointSize, bool bold, Qt::Alignment align,
                    double advance) {
        QFont font("Liberation Serif");
        font.setPointSizeF(pointSize);
        font.setBold(bold);
        painter.setFont(font);
        const double inset = align & Qt::AlignHCenter ? 0 : 24 * pt;
        painter.drawText(QRectF(left + inset, y, right - left - 2 * inset, 2 * pointSize * pt),
                         align | Qt::AlignTop, text);
        y += advance * pt;
    };
    line(ui::ToQString(RecordSheet::kProduct), 28, true, Qt::AlignHCenter, 48);
    line(ui::ToQString(RecordSheet::kTitle), 18, true, Qt::AlignHCenter, 64);
    painter.setPen(QPen(Qt::black, 0.75 * pt));
    for (std::size_t i = 0; i < m_sheet.lines.size(); ++i) {
        line(ui::ToQString(m_sheet.lines[i]), 14, false, Qt::AlignLeft, 40);
        if (i + 1 < m_sheet.lines.size()) {
            painter.drawLine(QPointF(left, y - 8 * pt), QPointF(right, y - 8 * pt));
            y += 16 * pt;
        }
    }
    if (!m_progress.Empty()) {
        // The window's chart, drawn at its own size and scaled to the page.
        ui::ProgressChart chart;
        chart.setProgress(m_progress);
        chart.resize(chart.sizeHint());
        const double scale = (right - left) / chart.width();
        painter.save();
        painter.translate(left, y + 16 * pt);
        painter.scale(scale, scale);
        chart.render(&painter, QPoint(), QRegion(), QWidget::DrawChildren);
        painter.restore();
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
    const QString suggested = suggestedPdfName(ui::ToQString(m_sheet.userName));
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
