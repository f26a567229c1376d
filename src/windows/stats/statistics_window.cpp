#include "windows/stats/statistics_window.h"

#include "history/history_clock.h"
#include "history/history_reader.h"
#include "history/shared_history.h"
#include "state/program_state.h"
#include "ui/colours.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/navigation_keys.h"
#include "ui/option_frame.h"
#include "ui/option_row.h"
#include "ui/qt_dialogs.h"
#include "ui/style.h"
#include "ui/text_codec.h"
#include "windows/stats/progress_chart.h"

#include <QDir>
#include <QFile>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QToolTip>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

namespace tarvelo {

StatisticsWindow::StatisticsWindow(ProgramState& state, StatisticsServices services,
                                   QWidget* parent)
    : ui::ActivityWindow(state, settings::kStatsMaximized, parent), m_state(state),
      m_services(std::move(services)), m_statistics(state.totals, state.layout, state.tallies,
                                                    state.user.UserSlot, state.user.UserName)
{
    if (m_services.speedReport)
        m_speeds = m_services.speedReport(state);
    setObjectName("Stats");
    setWindowTitle(ui::ToQString(Statistics::kTitle));
    setMouseTracking(true);
    buildControls();
    loadProgress();
    refresh();
    place(QSize(860, 800));
    m_focusBox->setFocus();
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
    ui::AddOptionRow(
        *options, m_options, *this,
        {.caption = ui::CaptionsOf(&Statistics::OptionCaption),
         .pressed = [this](int i) { act(m_statistics.PressOption(static_cast<StatsOption>(i))); },
         .hovered = [this](int i) { hoverOption(static_cast<StatsOption>(i)); },
         .minimumWidth = 110});
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
         now = m_state.history.Clock().NowUtc()] { return LoadProgress(path, section, now); }));
}

void StatisticsWindow::exportHistory()
{
    const QString suggested = QDir::home().filePath(QStringLiteral("history.csv"));
    const QString chosen =
        m_services.chooseCsvFile
            ? m_services.chooseCsvFile(suggested)
            : ui::QtDialogs(this).AskSaveFile("Export history", suggested, "CSV files (*.csv)");
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

void StatisticsWindow::switchKeyboardView()
{
    m_showSpeeds = !m_showSpeeds;
    refresh();
    m_focusBox->setFocus();
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
        leave();
}

void StatisticsWindow::hoverOption(std::optional<StatsOption> option)
{
    if (m_statistics.HoverOption(option))
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
    hoverOption(std::nullopt);
}

void StatisticsWindow::refresh()
{
    m_focusBox->setStandIn(m_options[static_cast<std::size_t>(m_statistics.Selected())]);
    for (int i = 0; i < Statistics::kOptionCount; ++i) {
        ui::OptionFrame* frame = m_options[static_cast<std::size_t>(i)];
        frame->setFill(m_statistics.OptionFill(static_cast<StatsOption>(i)));
        frame->setBorder(m_statistics.OptionBorder(static_cast<StatsOption>(i)));
    }
    for (int key = 1; key <= ui::KeyboardView::kKeyCount; ++key) {
        m_keyboard->setCaption(key, ui::ToQString(m_state.layout.Caption(key)));
        std::optional<std::int32_t> fill;
        if (m_showSpeeds) {
            if (const auto ms = KeyAverageMs(*m_speeds, m_state.layout, key))
                fill = SpeedColour(*ms, m_speeds->targetMs);
        } else if (const std::optional<float> percentage = m_statistics.KeyPercentage(key)) {
            fill = Statistics::HeatColour(*percentage);
        }
        m_keyboard->setFill(key, ui::ShownFill(fill.value_or(palette::kKeyFill)));
    }
    if (m_keyboardSwitch) {
        m_keyboardCaption->setText(m_showSpeeds ? QString("Keys by speed against %1 ms a letter:")
                                                      .arg(std::lround(m_speeds->targetMs))
                                                : QString("Keys by percentage:"));
        m_keyboardSwitch->setText(m_showSpeeds ? "Show percentage view (Alt+V)"
                                               : "Show speed view (Alt+V)");
    }
}

void StatisticsWindow::mouseMoveEvent(QMouseEvent* event)
{
    hoverOption(std::nullopt);
    ui::ActivityWindow::mouseMoveEvent(event);
}

} // namespace tarvelo
