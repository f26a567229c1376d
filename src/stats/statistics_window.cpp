#include "stats/statistics_window.h"

#include "state/program_state.h"
#include "stats/history_clock.h"
#include "stats/history_reader.h"
#include "stats/shared_history.h"
#include "ui/colours.h"
#include "ui/elided_label.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/navigation_keys.h"
#include "ui/option_frame.h"
#include "ui/progress_chart.h"
#include "ui/qt_dialogs.h"
#include "ui/style.h"
#include "ui/text_codec.h"
#include "ui/window_placement.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFutureWatcher>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>
#include <cmath>

namespace tarvelo {
namespace {

void MakeBold(QWidget* widget)
{
    QFont font = widget->font();
    font.setBold(true);
    widget->setFont(font);
}

QLabel* MakeLabel(std::string_view text, const char* name = nullptr, bool bold = false)
{
    auto* label = new QLabel(ui::ToQString(text));
    if (name)
        label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    if (bold)
        MakeBold(label);
    return label;
}

// A white, slightly see-through panel so text reads over the picture.
QFrame* MakePanel()
{
    auto* panel = new QFrame;
    panel->setObjectName("panel");
    panel->setStyleSheet("QFrame#panel { background: rgba(255, 255, 255, 225); border-radius: "
                         "6px; }");
    return panel;
}

} // namespace

// --- The letter chart ------------------------------------------------------

LetterChart::LetterChart(QWidget* parent) : QWidget(parent)
{
    setObjectName("StatBox");
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void LetterChart::setStatistics(const Statistics* statistics)
{
    m_statistics = statistics;
    update();
}

void LetterChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    if (!m_statistics)
        return;

    // Chart units: x 0..N+2, y 0..110 (the label row sits at 106.5). The left
    // margin holds the percentage scale.
    const QFontMetricsF metrics(font());
    const double margin = metrics.horizontalAdvance("100 %") + 8;
    const QRectF area(margin, 4, width() - margin - 4, height() - 8);
    const double xUnit = area.width() / m_statistics->ScaleWidth();
    const double yUnit = area.height() / 110.0;
    auto at = [&](double x, double y) {
        return QPointF(area.left() + x * xUnit, area.top() + y * yUnit);
    };

    painter.setPen(QColor(0xC8, 0xC8, 0xC8));
    for (int percent = 0; percent <= 100; percent += 25) {
        const QPointF from = at(0, Statistics::MarkerRow(percent));
        painter.drawLine(from, at(m_statistics->ScaleWidth(), Statistics::MarkerRow(percent)));
        painter.setPen(ui::ShownText(0x808080));
        painter.drawText(QRectF(0, from.y() - metrics.height() / 2, margin - 6, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString("%1 %").arg(percent));
        painter.setPen(QColor(0xC8, 0xC8, 0xC8));
    }

    // Letters shrink with their column so every one stays readable.
    QFont letterFont = font();
    letterFont.setBold(true);
    const double pixelSize = std::clamp(std::min(xUnit * 0.9, 7 * yUnit), 6.0, 20.0);
    letterFont.setPixelSize(static_cast<int>(pixelSize));
    painter.setFont(letterFont);
    const QSizeF cell(std::max(xUnit, pixelSize), pixelSize * 1.3);

    const auto& letters = m_statistics->Letters();
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const double x = static_cast<double>(i) + 1;
        const QString text = ui::ToQString(letters[i].letter);
        const QPointF marker = at(x, Statistics::MarkerRow(letters[i].percentage));
        const QPointF label = at(x, Statistics::kLabelRow);
        painter.setPen(QPen(QColor(0xE0, 0xE0, 0xE0), std::max(1.0, xUnit * 0.15)));
        painter.drawLine(at(x, Statistics::kZeroRow), marker);
        const std::int32_t heat = Statistics::HeatColour(letters[i].percentage);
        // In high contrast, the heat colour darkened until it reads on white.
        painter.setPen(ui::HighContrast() ? ui::ShownText(heat) : ui::FromBgr(heat).darker(130));
        painter.drawText(QRectF(marker - QPointF(cell.width() / 2, cell.height() / 2), cell),
                         Qt::AlignCenter, text);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(label - QPointF(cell.width() / 2, cell.height() / 2), cell),
                         Qt::AlignCenter, text);
    }
}

// --- The window ------------------------------------------------------------

StatisticsWindow::StatisticsWindow(ProgramState& state, StatisticsServices services,
                                   QWidget* parent)
    : ui::PictureWindow(state.appFolder, parent), m_state(state), m_services(std::move(services)),
      m_statistics(state.totals, state.layout, state.tallies, state.user.UserSlot,
                   state.user.UserName),
      m_placement(state, settings::kStatsMaximized)
{
    setObjectName("Stats");
    setWindowTitle(ui::ToQString(Statistics::kTitle));
    setMouseTracking(true);
    buildControls();
    loadProgress();
    refresh();
    ui::PlaceWindow(*this, m_state, QSize(860, 800), m_placement.OpensMaximized());
    m_focusBox->setFocus();
}

StatisticsWindow::~StatisticsWindow()
{
    for (QObject* watched : m_filtered)
        watched->removeEventFilter(this);
}

void StatisticsWindow::buildControls()
{
    m_focusBox = new ui::FocusBox(this);
    connect(m_focusBox, &ui::FocusBox::keyDown, this, [this](int key, Qt::KeyboardModifiers) {
        act(m_statistics.KeyDown(ui::ToNavigationKey(key)));
    });
    setFocusProxy(m_focusBox);

    auto* options = new QHBoxLayout;
    options->addStretch();
    for (int i = 0; i < Statistics::kOptionCount; ++i) {
        auto* frame = new ui::OptionFrame(ui::ToQString(Statistics::OptionCaption(i)));
        frame->setObjectName(QString("sOption%1").arg(i));
        frame->setMinimumWidth(110);
        connect(frame, &ui::OptionFrame::pressed, this,
                [this, i] { act(m_statistics.PressOption(i)); });
        connect(frame, &ui::OptionFrame::hovered, this, [this, i] { hoverOption(i); });
        options->addWidget(frame);
        m_options[static_cast<std::size_t>(i)] = frame;
    }
    options->addStretch();

    // The figures and charts scroll on a screen too small for them; the
    // options stay in view below.
    auto* content = new QWidget;
    content->setObjectName("statsContent");
    auto* contentLayout = new QVBoxLayout(content);
    contentLayout->setContentsMargins(0, 0, 0, 0);
    contentLayout->setSpacing(10);
    auto* top = new QHBoxLayout;
    top->addWidget(buildFigures());
    top->addWidget(buildProgress(), 1);
    contentLayout->addLayout(top);
    contentLayout->addWidget(buildLetters(), 1);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName("statsScroll");
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    // The picture shows through.
    scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    scroll->setWidget(content);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(10);
    layout->addWidget(scroll, 1);
    layout->addLayout(options);
}

QWidget* StatisticsWindow::buildProgress()
{
    QFrame* panel = MakePanel();
    panel->setObjectName("progressPanel");
    auto* layout = new QVBoxLayout(panel);
    layout->addWidget(MakeLabel("Your progress by day:", "lProgress", true));
    m_progress = new ui::ProgressChart(panel);
    m_progress->setObjectName("progressChart");
    m_progress->setMinimumSize(320, 230);
    layout->addWidget(m_progress, 1);
    m_export = new QPushButton("Export history.csv", panel);
    m_export->setObjectName("bExportHistory");
    m_export->setFocusPolicy(Qt::NoFocus);
    m_export->setEnabled(false); // until the history is read
    connect(m_export, &QPushButton::clicked, this, [this] { exportHistory(); });
    layout->addWidget(m_export, 0, Qt::AlignRight);
    return panel;
}

// The history is read on another thread, so a long one never holds up the
// window; the chart says so until it is filled in.
void StatisticsWindow::loadProgress()
{
    m_progress->showLoading();
    auto* reading = new QFutureWatcher<LoadedProgress>(this);
    connect(reading, &QFutureWatcher<LoadedProgress>::finished, this, [this, reading] {
        const LoadedProgress loaded = reading->result();
        reading->deleteLater();
        m_progress->setProgress(loaded.progress);
        m_export->setEnabled(loaded.hasRuns);
        emit progressLoaded();
    });
    reading->setFuture(QtConcurrent::run(
        [path = HistoryPath(m_state.appFolder), section = m_state.user.UserSection,
         now = HistoryClock().NowUtc()] { return LoadProgress(path, section, now); }));
}

void StatisticsWindow::exportHistory()
{
    const QString suggested = QDir::home().filePath(QStringLiteral("history.csv"));
    const QString chosen =
        m_services.chooseCsvFile
            ? m_services.chooseCsvFile(suggested)
            : QFileDialog::getSaveFileName(this, "Export history", suggested, "CSV files (*.csv)");
    m_focusBox->setFocus();
    if (chosen.isEmpty())
        return;
    // Written on another thread; the button waits for it.
    m_export->setEnabled(false);
    auto* writing = new QFutureWatcher<bool>(this);
    connect(writing, &QFutureWatcher<bool>::finished, this, [this, writing] {
        const bool written = writing->result();
        writing->deleteLater();
        m_export->setEnabled(true);
        if (!written) {
            ui::QtDialogs own(this);
            Dialogs& dialogs = m_services.printing.dialogs ? *m_services.printing.dialogs : own;
            dialogs.ShowMessage("The history could not be written to that file.", "Tarvelo",
                                MessageIcon::Exclamation);
        }
        emit historyExported();
    });
    writing->setFuture(QtConcurrent::run([path = HistoryPath(m_state.appFolder),
                                          section = m_state.user.UserSection,
                                          csv = QFile::encodeName(chosen).toStdString()] {
        return ExportUserHistory(path, section, csv);
    }));
}

QWidget* StatisticsWindow::buildFigures()
{
    QFrame* panel = MakePanel();
    watch(panel);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(10);
    grid->addWidget(MakeLabel("Records for:", "Label3", true), 0, 0);
    // A long name is elided in the room the figures leave, never widening them.
    auto* userName = new ui::ElidedLabel(ui::ToQString(m_statistics.UserName()));
    userName->setObjectName("lusername");
    MakeBold(userName);
    userName->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->addWidget(userName, 0, 1, 1, 2);
    grid->addWidget(MakeLabel("Your complete historical stats are:", "Label5"), 1, 0, 1, 3);
    const CompleteFigures& figures = m_statistics.Figures();
    const struct
    {
        std::string_view caption;
        const std::string& value;
        const char* name;
        std::string_view unit;
    } rows[] = {{"Time spent typing:", figures.lctime, "lctime", "minutes"},
                {"Complete WPM:", figures.lcwpm, "lcwpm", ""},
                {"Complete Percentage:", figures.lcpercent, "lcpercent", ""}};
    int row = 2;
    for (const auto& line : rows) {
        grid->addWidget(MakeLabel(line.caption), row, 0);
        QLabel* value = MakeLabel(line.value, line.name, true);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(value, row, 1);
        grid->addWidget(MakeLabel(line.unit, row == 2 ? "Label10" : nullptr), row, 2);
        ++row;
    }
    grid->addWidget(MakeLabel("(WPM = Words Per Minute)"), row, 0, 1, 3);
    grid->setColumnStretch(3, 1);
    return panel;
}

QWidget* StatisticsWindow::buildLetters()
{
    QFrame* panel = MakePanel();
    watch(panel);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(12, 10, 12, 10);
    layout->addWidget(MakeLabel("Your current percentage for each letter is:", "label1", true));
    m_chart = new LetterChart;
    m_chart->setStatistics(&m_statistics);
    layout->addWidget(m_chart, 3);

    m_keyboard = new ui::KeyboardView;
    m_keyboard->setObjectName("heatMap");
    m_keyboard->setMouseTracking(true);
    watch(m_keyboard);
    connect(m_keyboard, &ui::KeyboardView::keyHovered, this, [this](int key) { hoverKey(key); });
    layout->addWidget(m_keyboard, 2);

    auto* note = MakeLabel("Note: These letter percentages will not be meaningful ", "Label2");
    layout->addWidget(note);
    layout->addWidget(
        MakeLabel("without at least 20 sentences of typing. Also note that", "Label4"));
    layout->addWidget(
        MakeLabel("the letter percentages are for the current lesson only.", "Label7"));
    return panel;
}

void StatisticsWindow::watch(QObject* object)
{
    object->installEventFilter(this);
    m_filtered.push_back(object);
}

RecordSheet StatisticsWindow::recordSheet() const
{
    return MakeRecordSheet(m_statistics.UserName(), m_statistics.Figures());
}

void StatisticsWindow::act(StatsAction action)
{
    refresh();
    if (action == StatsAction::Print) {
        RecordSheetWindow sheet(recordSheet(), this, m_services.printing);
        sheet.setProgress(m_progress->progress());
        sheet.print();
    } else if (action == StatsAction::Close)
        closeStatistics();
}

void StatisticsWindow::hoverOption(int option)
{
    if (m_statistics.Hovered() == option)
        return;
    m_statistics.HoverOption(option);
    refresh();
}

void StatisticsWindow::hoverKey(int key)
{
    const QString tip = ui::ToQString(m_statistics.KeyTip(key));
    m_keyboard->setToolTip(tip);
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(QCursor::pos(), tip, m_keyboard, m_keyboard->keyRect(key));
    hoverOption(Statistics::kNone);
}

void StatisticsWindow::closeStatistics()
{
    if (m_left)
        return;
    m_left = true;
    m_placement.StoreOnExit(ui::PlacementOf(*this));
    hide();
    QMetaObject::invokeMethod(
        this, [this] { emit leftToMenu(); }, Qt::QueuedConnection);
}

void StatisticsWindow::refresh()
{
    for (int i = 0; i < Statistics::kOptionCount; ++i) {
        ui::OptionFrame* frame = m_options[static_cast<std::size_t>(i)];
        frame->setFill(m_statistics.OptionFill(i));
        frame->setBorder(m_statistics.OptionBorder(i));
    }
    for (int key = 1; key <= ui::KeyboardView::kKeyCount; ++key) {
        m_keyboard->setCaption(key, ui::ToQString(m_state.layout.Caption(key)));
        const std::optional<float> percentage = m_statistics.KeyPercentage(key);
        m_keyboard->setFill(key, ui::ShownFill(percentage ? Statistics::HeatColour(*percentage)
                                                          : palette::kKeyFill));
    }
}

void StatisticsWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_left)
        return;
    m_left = true;
    m_placement.StoreOnClose(ui::PlacementOf(*this));
    QMetaObject::invokeMethod(
        this, [this] { emit leftToMenu(); }, Qt::QueuedConnection);
}

void StatisticsWindow::mouseMoveEvent(QMouseEvent* event)
{
    hoverOption(Statistics::kNone);
    ui::PictureWindow::mouseMoveEvent(event);
}

bool StatisticsWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_keyboard && event->type() == QEvent::Leave)
        QToolTip::hideText();
    else if (event->type() == QEvent::Enter)
        hoverOption(Statistics::kNone); // a panel is window background
    return ui::PictureWindow::eventFilter(watched, event);
}

} // namespace tarvelo
