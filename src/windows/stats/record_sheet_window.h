#pragma once

#include "history/progress_days.h"
#include "stats/record_sheet.h"

#include <QString>
#include <functional>

class QPagedPaintDevice;
class QWidget;

namespace tarvelo {

class Dialogs;

// What printing uses from the platform; empty members use Qt's.
struct RecordSheetServices
{
    Dialogs* dialogs = nullptr;
    // Whether a default printer is configured.
    std::function<bool()> hasPrinter;
    // Asks where to save the PDF, offering `suggested`; empty: cancelled.
    std::function<QString(const QString& suggested)> choosePdfFile;
};

// The record sheet "Scoresheet": never shown, only painted on one page of a
// printer or a PDF file.
class RecordSheetWindow
{
public:
    RecordSheetWindow(RecordSheet sheet, QWidget* parent, RecordSheetServices services = {});

    // Paints the sheet on the first page of `device`; false when the device
    // could not be painted on.
    bool paint(QPagedPaintDevice& device) const;
    // Writes the sheet as a one-page PDF file.
    bool saveAsPdf(const QString& path) const;
    // Prints on the default printer. With none configured it offers a PDF
    // file instead; a failure is told to the user.
    void print();

    static QString suggestedPdfName(const QString& userName);

    // The progress chart drawn under the figures; none when empty.
    void setProgress(Progress progress) { m_progress = std::move(progress); }

private:
    void tell(const QString& text) const;

    RecordSheet m_sheet;
    Progress m_progress;
    QWidget* m_parent;
    RecordSheetServices m_services;
};

} // namespace tarvelo
