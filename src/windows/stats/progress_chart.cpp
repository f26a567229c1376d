#include "windows/stats/progress_chart.h"

#include "state/palette.h"
#include "stats/value_axis.h"
#include "ui/colours.h"
#include "ui/text_codec.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <array>
#include <cmath>
#include <tuple>
#include <utility>
#include <vector>

namespace tarvelo::ui {
namespace {

constexpr int kMargin = 8;
constexpr int kAxisWidth = 40;
constexpr int kMostIntervals = 5;

// One measure's panel: the rectangle, the value range and the day range.
struct Panel
{
    QRectF area;
    ValueAxis axis;
    std::int64_t firstDay = 0;
    std::int64_t lastDay = 0;

    QPointF At(std::int64_t day, double value) const
    {
        const double span = static_cast<double>(std::max<std::int64_t>(lastDay - firstDay, 1));
        const double x =
            lastDay == firstDay
                ? area.center().x()
                : area.left() + area.width() * static_cast<double>(day - firstDay) / span;
        const double y =
            area.bottom() - area.height() * (value - axis.low) / (axis.high - axis.low);
        return {x, y};
    }
};

using Measure = double DayFigures::*;

// The axis over both series' values of `measure`.
ValueAxis AxisOf(const Progress& progress, Measure measure, double floor, double ceiling,
                 int intervals)
{
    double lowest = ceiling;
    double highest = floor;
    for (const auto* kind : {&progress.practice, &progress.lessons})
        for (const DayFigures& day : kind->days) {
            lowest = std::min(lowest, day.*measure);
            highest = std::max(highest, day.*measure);
        }
    return ValueAxisFor(lowest, highest, floor, ceiling, intervals);
}

void DrawPanel(QPainter& painter, const Panel& panel, const QString& title)
{
    const QFontMetrics metrics(painter.font());
    for (const double value : panel.axis.ticks) {
        const double y = panel.At(panel.firstDay, value).y();
        painter.setPen(FromBgr(palette::kChart.grid));
        painter.drawLine(QPointF(panel.area.left(), y), QPointF(panel.area.right(), y));
        painter.setPen(FromBgr(palette::kChart.text));
        const QRectF label(panel.area.left() - kAxisWidth, y - metrics.height() / 2.0,
                           kAxisWidth - 4, metrics.height());
        painter.drawText(label, Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(std::lround(value)));
    }
    painter.drawText(QPointF(panel.area.left(), panel.area.top() - 4), title);
}

// Practice: a solid line with round points; lessons: a dashed line with
// square points, so the two read apart without colour too.
void DrawSeries(QPainter& painter, const Panel& panel, const std::vector<DayFigures>& days,
                Measure measure, std::int32_t colour, bool lessons)
{
    if (days.empty())
        return;
    QPen pen(FromBgr(colour), 2);
    pen.setStyle(lessons ? Qt::DashLine : Qt::SolidLine);
    painter.setPen(pen);
    QPainterPath path(panel.At(days.front().dayNumber, days.front().*measure));
    for (const DayFigures& day : days)
        path.lineTo(panel.At(day.dayNumber, day.*measure));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(path);
    painter.setPen(Qt::NoPen);
    painter.setBrush(FromBgr(colour));
    const double radius = days.size() > 45 ? 2.0 : 3.5;
    for (const DayFigures& day : days) {
        const QPointF point = panel.At(day.dayNumber, day.*measure);
        if (lessons)
            painter.drawRect(
                QRectF(point.x() - radius, point.y() - radius, 2 * radius, 2 * radius));
        else
            painter.drawEllipse(point, radius, radius);
    }
}

void DrawLegend(QPainter& painter, QPointF at)
{
    const QFontMetrics metrics(painter.font());
    for (const auto& [name, colour, lessons] :
         {std::tuple{QStringLiteral("Practice"), palette::kChart.practice, false},
          std::tuple{QStringLiteral("Lessons"), palette::kChart.lessons, true}}) {
        QPen pen(FromBgr(colour), 2);
        pen.setStyle(lessons ? Qt::DashLine : Qt::SolidLine);
        painter.setPen(pen);
        const double y = at.y() - metrics.ascent() / 2.0;
        painter.drawLine(QPointF(at.x(), y), QPointF(at.x() + 24, y));
        painter.setPen(FromBgr(palette::kChart.text));
        painter.drawText(QPointF(at.x() + 30, at.y()), name);
        at.rx() += 40 + metrics.horizontalAdvance(name);
    }
}

// Best day and the last seven days, a row for each kind under a heading row,
// the columns as wide as their widest cell.
void DrawRows(QPainter& painter, const QRectF& area, const std::vector<ProgressRow>& rows)
{
    std::vector<std::array<QString, 3>> cells = {
        {QString(), QString::fromLatin1(kBestDayHeading), QString::fromLatin1(kRecentHeading)}};
    for (const ProgressRow& row : rows)
        cells.push_back({ToQString(row.kind), ToQString(row.bestDay), ToQString(row.recent)});
    const QFontMetrics metrics(painter.font());
    std::array<double, 3> left{area.left(), 0, 0};
    for (std::size_t column = 1; column < left.size(); ++column) {
        int widest = 0;
        for (const auto& line : cells)
            widest = std::max(widest, metrics.horizontalAdvance(line[column - 1]));
        left[column] = left[column - 1] + widest + metrics.averageCharWidth() * 2;
    }
    painter.setPen(FromBgr(palette::kChart.text));
    double y = area.top() + metrics.ascent();
    for (const auto& line : cells) {
        for (std::size_t column = 0; column < left.size(); ++column)
            painter.drawText(QPointF(left[column], y), line[column]);
        y += metrics.height();
    }
}

void DrawCentred(QPainter& painter, const QRectF& area, const QString& text)
{
    painter.setPen(FromBgr(palette::kChart.text));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap, text);
}

void DrawInvitation(QPainter& painter, const QRectF& area)
{
    QPen border(FromBgr(palette::kChart.grid), 2, Qt::DashLine);
    painter.setPen(border);
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(area.adjusted(1, 1, -1, -1), 12, 12);

    // A faint rising line: what the chart will show.
    QPen rising(FromBgr(palette::kChart.practice), 3);
    QColor faint = rising.color();
    faint.setAlpha(70);
    rising.setColor(faint);
    painter.setPen(rising);
    const QRectF sketch = area.adjusted(area.width() * 0.2, area.height() * 0.55,
                                        -area.width() * 0.2, -area.height() * 0.12);
    QPainterPath path(sketch.bottomLeft());
    path.cubicTo(sketch.center() + QPointF(-sketch.width() * 0.2, sketch.height() * 0.4),
                 sketch.center() + QPointF(sketch.width() * 0.1, -sketch.height() * 0.3),
                 sketch.topRight());
    painter.drawPath(path);

    QFont headline = painter.font();
    headline.setPointSizeF(headline.pointSizeF() * 1.5);
    headline.setBold(true);
    painter.setFont(headline);
    painter.setPen(FromBgr(palette::kChart.text));
    const QRectF top = area.adjusted(16, area.height() * 0.12, -16, -area.height() * 0.62);
    painter.drawText(top, Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap,
                     QStringLiteral("Your progress starts here"));
    painter.setFont(QFont());
    const QRectF text = area.adjusted(24, area.height() * 0.4, -24, -area.height() * 0.45);
    painter.drawText(text, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap,
                     QStringLiteral("Type a lesson or some practice, and every day you type "
                                    "will show here: your speed and your accuracy, growing "
                                    "week by week."));
}

} // namespace

ProgressChart::ProgressChart(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("progressChart"));
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void ProgressChart::setProgress(Progress progress)
{
    m_progress = std::move(progress);
    m_loading = false;
    update();
}

void ProgressChart::showLoading()
{
    m_progress = {};
    m_loading = true;
    update();
}

void ProgressChart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF whole = QRectF(rect()).adjusted(kMargin, kMargin, -kMargin, -kMargin);
    if (m_loading) {
        DrawCentred(painter, whole, QStringLiteral("Reading your history\u2026"));
        return;
    }
    if (m_progress.Empty()) {
        DrawInvitation(painter, whole);
        return;
    }

    const QFontMetrics metrics(painter.font());
    const double line = metrics.height();
    // Legend on top, two panels, then best days and the last seven days.
    const std::vector<ProgressRow> rows = ProgressRows(m_progress);
    const double wordsHeight = static_cast<double>(rows.size() + 1) * line + 6;
    const QRectF plots = whole.adjusted(kAxisWidth, line * 2 + 4, -4, -wordsHeight - line * 1.6);
    const double gap = line * 2.5;
    const double panelHeight = (plots.height() - gap) / 2;
    // No closer than a label and a half.
    const int intervals =
        std::clamp(static_cast<int>(panelHeight / (line * 1.5)), 1, kMostIntervals);

    DrawLegend(painter, QPointF(whole.left() + kAxisWidth, whole.top() + line));

    const std::int64_t firstDay = m_progress.first.dayNumber;
    const std::int64_t lastDay = m_progress.last.dayNumber;
    const Panel speed{QRectF(plots.left(), plots.top(), plots.width(), panelHeight),
                      AxisOf(m_progress, &DayFigures::wpm, 0, 1000, intervals), firstDay, lastDay};
    const Panel accuracy{
        QRectF(plots.left(), plots.top() + panelHeight + gap, plots.width(), panelHeight),
        AxisOf(m_progress, &DayFigures::accuracy, 0, 100, intervals), firstDay, lastDay};

    DrawPanel(painter, speed, QStringLiteral("Words per minute"));
    DrawPanel(painter, accuracy, QStringLiteral("Accuracy (%)"));
    for (const auto& [panel, measure] :
         {std::pair{&speed, &DayFigures::wpm}, std::pair{&accuracy, &DayFigures::accuracy}}) {
        DrawSeries(painter, *panel, m_progress.practice.days, measure, palette::kChart.practice,
                   false);
        DrawSeries(painter, *panel, m_progress.lessons.days, measure, palette::kChart.lessons,
                   true);
    }

    painter.setPen(FromBgr(palette::kChart.text));
    const double axisY = accuracy.area.bottom() + line;
    painter.drawText(QPointF(accuracy.area.left(), axisY),
                     ToQString(DateText(m_progress.first.date)));
    const QString last = ToQString(DateText(m_progress.last.date));
    painter.drawText(QPointF(accuracy.area.right() - metrics.horizontalAdvance(last), axisY), last);
    const QRectF words(whole.left(), whole.bottom() - wordsHeight, whole.width(), wordsHeight);
    DrawRows(painter, words, rows);
}

} // namespace tarvelo::ui
