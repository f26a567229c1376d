#include "app/leave_on_signal.h"
#include "history/history_clock.h"
#include "history/run_history.h"
#include "state/program_state.h"
#include "support/fake_platform.h"
#include "support/practice_state.h"
#include "support/scripted_dialogs.h"
#include "support/window_helpers.h"
#include "windows/session/session_window.h"

#include <QProcess>
#include <csignal>
#include <cstdio>
#include <cstring>

using namespace tarvelo;
using test::Keys;

namespace {

QString ExpectedLine(const QWidget& window)
{
    return test::Child<QWidget>(window, "picText1")->property("text").toString();
}

// The child: practises in a session window under the program's signal
// handling, types two sentences and three letters of the next, says how many
// characters it typed and waits to be ended.
int PractiseUntilEnded(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ProgramState state(argv[2]);
    test::ReadyForPractice(state);
    test::ScriptedDialogs dialogs;
    test::CountingBeeper beeper;
    test::RecordingGuide guide;
    SessionWindow window(state, SessionWindow::Services{&dialogs, &beeper, &guide, {}});
    window.show();
    LeaveOnSignals();

    QTest::keyClick(Keys(window), Qt::Key_Return);
    qsizetype typed = 0;
    for (int line = 0; line < 2; ++line) {
        const QString sentence = ExpectedLine(window);
        QTest::keyClicks(Keys(window), sentence);
        typed += sentence.size();
    }
    QTest::keyClicks(Keys(window), ExpectedLine(window).left(3));
    std::printf("%lld\n", static_cast<long long>(typed + 3));
    std::fflush(stdout);
    return QApplication::exec();
}

} // namespace

class SignalExitTest : public QObject
{
    Q_OBJECT

private slots:
    // Ended by a signal, the program leaves as its close box does: the run
    // in progress is recorded up to the last key.
    void signalsEndTheProgramKeepingTheRun()
    {
        test::TempFolder folder;
        test::CopyShippedData(folder);
        for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {"--practise", QString::fromStdString(folder.Path())});
            QVERIFY(child.waitForReadyRead(30'000));
            const int typed = child.readLine().trimmed().toInt();
            QVERIFY(typed > 3);
            QCOMPARE(::kill(static_cast<pid_t>(child.processId()), signal), 0);
            QVERIFY(child.waitForFinished(30'000));
            QCOMPARE(child.exitStatus(), QProcess::NormalExit);
            QCOMPARE(child.exitCode(), 0);

            const SystemUtcClock clock;
            const RunHistory history(HistoryPath(folder.Path()), clock);
            const std::vector<RunRecord> runs = history.Runs("user0");
            QVERIFY(!runs.empty());
            QCOMPARE(runs.back().characters, typed);
        }
    }
};

int main(int argc, char* argv[])
{
    if (argc == 3 && std::strcmp(argv[1], "--practise") == 0)
        return PractiseUntilEnded(argc, argv);
    QApplication app(argc, argv);
    SignalExitTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "signal_exit_test.moc"
