#include "state/palette.h"
#include "ui/colours.h"
#include "ui/elided_label.h"
#include "ui/keyboard_view.h"
#include "ui/labels.h"
#include "ui/style.h"
#include "ui/text_codec.h"
#include "windows/stats/progress_chart.h"
#include "windows/stats/statistics_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>
#include <algorithm>

// The window's panels: the progress chart, the figures, the letter chart and the
// keyboard view of speeds.

namespace tarvelo {
namespace {

QLabel* MakeLabel(std::string_view text, const char* name = "", bool bold = false)
{
    return ui::MakeLabel(ui::ToQString(text), name, {.bold = bold});
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

// A panel laid out by `Layout` with margins that keep the text off its
// rounded edge; the pointer over it is over the window's background.
template <class Layout> Layout* MakeFiguresPanel(ui::BackgroundHover& hover)
{
    QFrame* panel = MakePanel();
    hover.watch(panel);
    auto* layout = new Layout(panel);
    layout->setContentsMargins(12, 10, 12, 10);
    return layout;
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

    painter.setPen(ui::FromBgr(palette::kChart.scaleLine));
    for (int percent = 0; percent <= 100; percent += 25) {
        const QPointF from = at(0, Statistics::MarkerRow(percent));
        painter.drawLine(from, at(m_statistics->ScaleWidth(), Statistics::MarkerRow(percent)));
        painter.setPen(ui::ShownText(palette::kChart.scaleText));
        painter.drawText(QRectF(0, from.y() - metrics.height() / 2, margin - 6, metrics.height()),
                         Qt::AlignRight | Qt::AlignVCenter, QString("%1 %").arg(percent));
        painter.setPen(ui::FromBgr(palette::kChart.scaleLine));
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
        painter.setPen(QPen(ui::FromBgr(palette::kChart.stem), std::max(1.0, xUnit * 0.15)));
        painter.drawLine(at(x, Statistics::kZeroRow), marker);
        const std::int32_t heat = Statistics::HeatColour(letters[i].percentage);
        // In high contrast, the heat colour darkened until it reads on white.
        painter.setPen(ui::HighContrast() ? ui::ShownText(heat) : ui::FromBgr(heat).darker(130));
        painter.drawText(QRectF(marker - QPointF(cell.width() / 2, cell.height() / 2), cell),
                         Qt::AlignCenter, text);
        painter.setPen(ui::FromBgr(palette::kChart.letter));
        painter.drawText(QRectF(label - QPointF(cell.width() / 2, cell.height() / 2), cell),
                         Qt::AlignCenter, text);
    }
}

// --- The panels -----------------------------------------------------------

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
    // Alt+X, though the keys stay with the focus box.
    m_export = new QPushButton("E&xport history.csv", panel);
    m_export->setObjectName("bExportHistory");
    m_export->setFocusPolicy(Qt::NoFocus);
    m_export->setEnabled(false); // until the history is read
    connect(m_export, &QPushButton::clicked, this, [this] { exportHistory(); });
    layout->addWidget(m_export, 0, Qt::AlignRight);
    return panel;
}

QWidget* StatisticsWindow::buildFigures()
{
    auto* grid = MakeFiguresPanel<QGridLayout>(m_backgroundHover);
    grid->setHorizontalSpacing(10);
    grid->addWidget(MakeLabel("Records for:", "Label3", true), 0, 0);
    // A long name is elided in the room the figures leave, never widening them.
    auto* userName = ui::MakeLabel<ui::ElidedLabel>(ui::ToQString(m_statistics.UserName()),
                                                    "lusername", {.bold = true});
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
        QLabel* caption = MakeLabel(line.caption);
        grid->addWidget(caption, row, 0);
        QLabel* value = MakeLabel(line.value, line.name, true);
        // Read as "12.5, Time spent typing minutes".
        caption->setBuddy(value);
        value->setAccessibleDescription(
            (caption->text().chopped(1) + ' ' + ui::ToQString(line.unit)).trimmed());
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(value, row, 1);
        grid->addWidget(MakeLabel(line.unit, row == 2 ? "Label10" : ""), row, 2);
        ++row;
    }
    grid->addWidget(MakeLabel("(WPM = Words Per Minute)"), row, 0, 1, 3);
    grid->setColumnStretch(3, 1);
    return grid->parentWidget();
}

QWidget* StatisticsWindow::buildLetters()
{
    auto* layout = MakeFiguresPanel<QVBoxLayout>(m_backgroundHover);
    layout->addWidget(MakeLabel("Your current percentage for each letter is:", "label1", true));
    m_chart = new LetterChart;
    m_chart->setStatistics(&m_statistics);
    layout->addWidget(m_chart, 3);

    m_keyboard = new ui::KeyboardView;
    m_keyboard->setObjectName("heatMap");
    m_backgroundHover.watch(m_keyboard);
    connect(m_keyboard, &ui::KeyboardView::keyHovered, this, [this](int key) { hoverKey(key); });
    layout->addWidget(m_keyboard, 2);
    if (m_speeds)
        layout->addWidget(buildSpeedFigures());

    auto* note = MakeLabel("Note: These letter percentages will not be meaningful ", "Label2");
    layout->addWidget(note);
    layout->addWidget(
        MakeLabel("without at least 20 sentences of typing. Also note that", "Label4"));
    layout->addWidget(
        MakeLabel("the letter percentages are for the current lesson only.", "Label7"));
    return layout->parentWidget();
}

// The switch between the percentage heat-map and the speed view, and the
// keystroke figures beside it.
QWidget* StatisticsWindow::buildSpeedFigures()
{
    auto* box = new QWidget;
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 4, 0, 4);
    auto* switchColumn = new QVBoxLayout;
    m_keyboardCaption = MakeLabel("", "lKeyboardView", true);
    m_keyboardSwitch = new QPushButton(box);
    m_keyboardSwitch->setObjectName("bKeyboardView");
    m_keyboardSwitch->setFocusPolicy(Qt::NoFocus);
    connect(m_keyboardSwitch, &QPushButton::clicked, this, [this] { switchKeyboardView(); });
    auto* switchKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_V), this);
    connect(switchKey, &QShortcut::activated, this, [this] { switchKeyboardView(); });
    switchColumn->addWidget(m_keyboardCaption);
    switchColumn->addWidget(m_keyboardSwitch);
    QLabel* outlook = MakeLabel(m_speeds->focusOutlook, "lFocusOutlook");
    switchColumn->addWidget(outlook);
    switchColumn->addStretch();
    row->addLayout(switchColumn);
    const auto list = [](std::string_view title, const std::vector<std::string>& lines,
                         const char* name) {
        std::string text(title);
        for (const std::string& line : lines)
            text += "\n" + line;
        if (lines.empty())
            text += "\n(not enough typing yet)";
        QLabel* label = MakeLabel(text, name);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return label;
    };
    row->addWidget(list("Slowest letter pairs:", m_speeds->slowestPairs, "lSlowPairs"));
    row->addWidget(list("Most frequent confusions:", m_speeds->confusions, "lConfusions"));
    return box;
}

} // namespace tarvelo
