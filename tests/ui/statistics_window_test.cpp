#include "profile/profile_store.h"
#include "state/program_state.h"
#include "stats/statistics_window.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/option_frame.h"

#include <QLabel>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QtTest>

using namespace tarvelo;

namespace {

// The text of a PDF file as pdftotext reads it, blanks collapsed.
QString PdfText(const QString& path)
{
    QProcess tool;
    tool.start("pdftotext", {"-layout", path, "-"});
    if (!tool.waitForFinished(20000) || tool.exitCode() != 0)
        return "<pdftotext failed>";
    return QString::fromUtf8(tool.readAllStandardOutput()).simplified();
}

} // namespace

class StatisticsWindowTest : public QObject
{
    Q_OBJECT

    test::TempFolder folder;
    ProgramState state{folder.Path()};
    test::ScriptedDialogs dialogs;

    void pressOption(QWidget& window, int option)
    {
        auto* frame = window.findChild<ui::OptionFrame*>(QString("sOption%1").arg(option));
        QVERIFY(frame);
        QTest::mouseClick(frame, Qt::LeftButton);
    }

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext (poppler-utils) is not installed");
        state.layout.Load(state.profile);
        state.user.SelectSlot(0);
        state.user.UserName = "Ada";
        state.totals = {481, 960, 24};
    }

    void showsTheFiguresAndTintsTheTalliedKeys()
    {
        state.tallies.TallyLetterTyped(0, 'q');
        state.tallies.TallyLetterError(0, 'q');
        StatisticsWindow window(state);
        QCOMPARE(window.findChild<QLabel*>("lusername")->text(), QString("Ada"));
        QCOMPARE(window.findChild<QLabel*>("lctime")->text(), QString("4.0"));
        QCOMPARE(window.findChild<QLabel*>("lcwpm")->text(), QString("22"));
        QCOMPARE(window.findChild<QLabel*>("lcpercent")->text(), QString("95"));
        auto* keyboard = window.findChild<ui::KeyboardView*>("heatMap");
        const int q = state.layout.KeyOfChar('Q');
        const int w = state.layout.KeyOfChar('W');
        QCOMPARE(keyboard->fill(q), ui::FromBgr(Statistics::HeatColour(0)));
        QCOMPARE(keyboard->fill(w), ui::FromBgr(Statistics::HeatColour(100)));
    }

    void recordSheetPdfHoldsItsTexts()
    {
        StatisticsWindow window(state);
        const QString path = QString::fromStdString(folder.File("sheet.pdf"));
        QVERIFY(RecordSheetWindow(window.recordSheet(), &window).saveAsPdf(path));
        const QString text = PdfText(path);
        for (const char* expected :
             {"Tarvelo", "Typing Skills Record Sheet", "User: Ada", "Time Spent: 4.0 minutes",
              "Words per Minute: 22", "Accuracy: 95%"})
            QVERIFY2(text.contains(expected), qPrintable(expected + QString(" in: ") + text));
    }

    void noPrinterOffersAPdfAndTellsAFailedSave()
    {
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
        dialogs.yesNoAnswers = {true};
        pressOption(window, Statistics::kPrint);
        QVERIFY(offered.endsWith("Tarvelo record sheet Ada.pdf"));
        QVERIFY(PdfText(chosen).contains("User: Ada"));
        QVERIFY(dialogs.shown.size() == 1); // the question only

        chosen = QString::fromStdString(folder.File("no such folder/sheet.pdf"));
        dialogs.yesNoAnswers = {true};
        pressOption(window, Statistics::kPrint);
        QCOMPARE(dialogs.shown.size(), size_t{3});
        QVERIFY(dialogs.shown.back().text.find("could not be saved") != std::string::npos);
    }

    void escapeStoresThePositionAndLeaves()
    {
        StatisticsWindow window(state);
        window.show();
        QSignalSpy left(&window, &StatisticsWindow::leftToMenu);
        QTest::keyClick(window.findChild<ui::FocusBox*>(), Qt::Key_Escape);
        QVERIFY(left.wait(1000));
        QVERIFY(!window.isVisible());
        QCOMPARE(state.profile.Read(settings::kUsers, settings::kTop), state.WindowTop);
        QVERIFY(state.profile.StoredText(settings::kUsers, "top").has_value());
    }
};

QTEST_MAIN(StatisticsWindowTest)
#include "statistics_window_test.moc"
