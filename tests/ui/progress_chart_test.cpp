#include "stats/progress_days.h"
#include "ui/colours.h"
#include "ui/progress_chart.h"

#include <QImage>
#include <QtTest>
#include <cstdlib>
#include <ctime>

using namespace tarvelo;

namespace {

// 60 days of practice and lessons, speed and accuracy rising.
Progress SixtyDays()
{
    std::vector<RunRecord> runs;
    const std::int64_t first = 1'773'100'800; // 2026-03-10 00:00 UTC
    for (int day = 0; day < 60; ++day) {
        RunRecord run;
        run.startUtc = first + day * 86400 + 18 * 3600;
        run.characters = 400;
        run.wpm = 18 + day / 2 + day % 3;
        run.accuracy = 86 + day / 6;
        runs.push_back(run);
        if (day % 3 == 0) {
            run.mode = RunMode::Lesson;
            run.startUtc += 3600;
            run.wpm -= 4;
            run.accuracy = 92 + day / 10;
            runs.push_back(run);
        }
    }
    return SummariseProgress(runs, first + 60 * 86400);
}

// Pixels near `colour`, so anti-aliased edges do not count.
int CountColour(const QImage& image, const QColor& colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (std::abs(pixel.red() - colour.red()) < 8 &&
                std::abs(pixel.green() - colour.green()) < 8 &&
                std::abs(pixel.blue() - colour.blue()) < 8)
                ++count;
        }
    return count;
}

QImage Render(ui::ProgressChart& chart)
{
    chart.resize(chart.sizeHint());
    QImage image(chart.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    chart.render(&image);
    // The demo: TARVELO_SHOTS=<folder> keeps the pictures.
    if (const char* folder = std::getenv("TARVELO_SHOTS"))
        image.save(QString::fromLocal8Bit(folder) + QLatin1Char('/') + chart.objectName() +
                   (chart.progress().Empty() ? "-empty.png" : "-60-days.png"));
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

    void sixtyDaysDrawBothSeriesInTheirColours()
    {
        ui::ProgressChart chart;
        chart.setProgress(SixtyDays());
        QCOMPARE(chart.progress().all.size(), std::size_t{60});
        const QImage image = Render(chart);
        QVERIFY(CountColour(image, ui::FromBgr(ui::ProgressChart::kPracticeColour)) > 300);
        QVERIFY(CountColour(image, ui::FromBgr(ui::ProgressChart::kLessonColour)) > 150);
    }

    void newUserSeesTheInvitationNotAxes()
    {
        ui::ProgressChart chart;
        const QImage image = Render(chart);
        QVERIFY(CountColour(image, ui::FromBgr(ui::ProgressChart::kLessonColour)) == 0);
        QVERIFY(CountColour(image, ui::FromBgr(ui::ProgressChart::kTextColour)) > 100);
    }
};

QTEST_MAIN(ProgressChartTest)
#include "progress_chart_test.moc"
