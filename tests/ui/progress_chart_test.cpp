#include "history/progress_days.h"
#include "state/palette.h"
#include "ui/colours.h"
#include "windows/stats/progress_chart.h"

#include <QImage>
#include <QtTest>
#include <algorithm>
#include <cstdlib>
#include <ctime>

using namespace tarvelo;

namespace {

// 60 days of practice, and lessons every third day, speed rising.
Progress SixtyDays()
{
    std::vector<RunRecord> runs;
    const std::int64_t first = 1'773'100'800; // 2026-03-10 00:00 UTC
    for (int day = 0; day < 60; ++day) {
        RunRecord run;
        run.startUtc = first + day * 86400 + 18 * 3600;
        run.characters = 400;
        run.ticks = 400;
        run.wpm = 18 + day / 2 + day % 3;
        run.accuracy = 86 + day / 6;
        runs.push_back(run);
        run.mode = RunMode::Lesson;
        run.wpm -= 4;
        if (day % 3 == 0)
            runs.push_back(run);
    }
    return SummariseProgress(runs, first + 60 * 86400);
}

// Pixels near `colour`, so anti-aliased edges do not count.
int CountColour(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            count +=
                std::max({std::abs(p.red() - colour.red()), std::abs(p.green() - colour.green()),
                          std::abs(p.blue() - colour.blue())}) < 8;
        }
    return count;
}

QImage Render(ui::ProgressChart& chart)
{
    chart.resize(chart.sizeHint());
    QImage image(chart.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    chart.render(&image);
    return image;
}

} // namespace

class ProgressChartTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("TZ", "UTC");
        tzset();
    }

    // A new user sees the invitation, not axes; sixty days draw both series.
    void drawsTheInvitationThenBothSeries()
    {
        ui::ProgressChart chart;
        const QColor lesson = ui::FromBgr(palette::kChart.lessons);
        QImage image = Render(chart);
        QCOMPARE(CountColour(image, lesson), 0);
        QVERIFY(CountColour(image, ui::FromBgr(palette::kChart.text)) > 100);
        chart.setProgress(SixtyDays());
        image = Render(chart);
        QVERIFY(CountColour(image, ui::FromBgr(palette::kChart.practice)) > 300);
        QVERIFY(CountColour(image, lesson) > 150);
    }
};

QTEST_MAIN(ProgressChartTest)
#include "progress_chart_test.moc"
