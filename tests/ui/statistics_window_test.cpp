#include "history/history_clock.h"
#include "history/history_csv.h"
#include "history/run_history.h"
#include "history/shared_history.h"
#include "state/program_state.h"
#include "support/scripted_dialogs.h"
#include "support/window_helpers.h"
#include "ui/keyboard_view.h"
#include "windows/stats/progress_chart.h"
#include "windows/stats/statistics_window.h"

#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>

using namespace tarvelo;

class StatisticsWindowTest : public QObject
{
    Q_OBJECT

    test::TempFolder folder;
    ProgramState state{folder.Path()};
    test::ScriptedDialogs dialogs;

    // The text of a PDF file as pdftotext reads it, blanks collapsed.
    static QString PdfText(const QString& path)
    {
        QProcess tool;
        tool.start("pdftotext", {"-layout", path, "-"});
        if (!tool.waitForFinished(20000) || tool.exitCode() != 0)
            return "<pdftotext failed>";
        return QString::fromUtf8(tool.readAllStandardOutput()).simplified();
    }

private slots:
    void initTestCase()
    {
        state.layout.Load(state.profile);
        state.user.SelectSlot(0);
        state.user.UserName = "Ada";
        state.totals = {481, 960, 24};
    }

    // The history is read and exported away from the window's thread: the
    // chart fills in when it is read, the file appears when it is written.
    void fillsInTheChartAndExportsTheHistory()
    {
        RunRecord run;
        run.userSection = state.user.UserSection;
        run.userName = "Ada";
        run.startUtc = state.history.Clock().NowUtc() - 3600;
        run.endUtc = run.startUtc + 600;
        run.characters = 900;
        run.ticks = 2400;
        run.wpm = 45;
        QVERIFY(state.history.Get().Record(run));
        const QString csv = QString::fromStdString(folder.File("export.csv"));
        StatisticsServices services;
        services.chooseCsvFile = [&](const QString&) { return csv; };
        StatisticsWindow window(state, services);
        auto* chart = window.findChild<ui::ProgressChart*>("progressChart");
        auto* exportButton = window.findChild<QPushButton*>("bExportHistory");
        QSignalSpy loaded(&window, &StatisticsWindow::progressLoaded);
        QVERIFY(loaded.wait(5000));
        QCOMPARE(chart->progress().practice.days.size(), size_t{1});
        QVERIFY(exportButton->isEnabled());

        QSignalSpy exported(&window, &StatisticsWindow::historyExported);
        exportButton->click();
        QVERIFY(exported.wait(5000));
        QCOMPARE(folder.Read("export.csv"),
                 HistoryCsv(state.history.Get().Runs(state.user.UserSection)));
    }

    // Without a printer the sheet goes to a PDF file the user chooses.
    void noPrinterOffersAPdfAndTellsAFailedSave()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        QString offered;
        QString chosen = QString::fromStdString(folder.File("chosen.pdf"));
        StatisticsServices services;
        services.printing.dialogs = &dialogs;
        services.printing.hasPrinter = [] { return false; };
        services.printing.choosePdfFile = [&](const QString& suggested) {
            offered = suggested;
            return chosen;
        };
        StatisticsWindow window(state, services);
        auto* print = test::Frame(window, "sOption", static_cast<int>(StatsOption::Print));
        dialogs.yesNoAnswers = {true};
        QTest::mouseClick(print, Qt::LeftButton);
        QVERIFY(offered.endsWith("Tarvelo record sheet Ada.pdf"));
        const QString text = PdfText(chosen);
        QVERIFY2(text.contains("User: Ada"), qPrintable(text));

        chosen = QString::fromStdString(folder.File("no such folder/sheet.pdf"));
        dialogs.yesNoAnswers = {true};
        QTest::mouseClick(print, Qt::LeftButton);
        QCOMPARE(dialogs.shown.size(), size_t{3}); // two questions and the failure
    }

    // The figures and the tallied keys' tint; with keystroke figures the
    // keyboard switches to speeds, and the pairs, confusions and the focus
    // outlook are shown beside it; Escape leaves.
    void showsTheFiguresTheKeyboardEitherWayAndTheNameAndLeavesOnEscape()
    {
        state.tallies.TallyLetterTyped(0, 'q');
        state.tallies.TallyLetterError(0, 'q');
        StatisticsServices services;
        services.speedReport = [](ProgramState&) {
            SpeedReport report;
            report.targetMs = 300;
            report.averageMs['f'] = 900; // slow
            report.averageMs['j'] = 200; // fast
            report.slowestPairs = {"fj: 800 ms"};
            report.focusOutlook = "f: about 9 more lines to target";
            return report;
        };
        StatisticsWindow window(state, services);
        QStringList shown;
        for (const char* label : {"lusername", "lctime", "lcwpm", "lcpercent"})
            shown << window.findChild<QLabel*>(label)->text();
        QCOMPARE(shown.join(' '), QString("Ada 4.0 22 95"));
        auto* keyboard = window.findChild<ui::KeyboardView*>("heatMap");
        auto* toggle = window.findChild<QPushButton*>("bKeyboardView");
        const auto fill = [&](char c) { return keyboard->fill(state.layout.KeyOfChar(c)); };
        QVERIFY(fill('Q') != fill('W'));
        QVERIFY(toggle && fill('f') == fill('j'));
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(fill('f') != fill('j') && fill('j') != fill('k'));
        QVERIFY(window.findChild<QLabel*>("lSlowPairs")->text().contains("fj: 800 ms"));
        QVERIFY(window.findChild<QLabel*>("lConfusions")->text().contains("not enough"));
        QCOMPARE(window.findChild<QLabel*>("lFocusOutlook")->text(),
                 QString("f: about 9 more lines to target"));
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::AltModifier);
        QVERIFY(fill('f') == fill('j'));
        QSignalSpy left(&window, &StatisticsWindow::leftToMenu);
        QTest::keyClick(test::Keys(window), Qt::Key_Escape);
        QVERIFY(left.wait(1000));
        QVERIFY(!window.isVisible());
        const StatisticsWindow plain(state);
        QVERIFY(!plain.findChild<QPushButton*>("bKeyboardView"));

        // A 160-character name is shown shortened, whole in its tooltip, and
        // leaves the window as wide as a short one does.
        const QString name = QString("Wilhelmina ").repeated(15).left(160);
        state.user.UserName = name.toStdString();
        StatisticsWindow named(state);
        state.user.UserName = "Ada";
        const int usual = plain.sizeHint().width();
        QVERIFY2(named.sizeHint().width() <= usual,
                 qPrintable(QString("%1 > %2").arg(named.sizeHint().width()).arg(usual)));
        named.show();
        auto* shownName = named.findChild<QLabel*>("lusername");
        QVERIFY(shownName->text().endsWith(QChar(0x2026)));
        QCOMPARE(shownName->toolTip(), name);
    }
};

QTEST_MAIN(StatisticsWindowTest)
#include "statistics_window_test.moc"
