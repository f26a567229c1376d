#include "history/shared_history.h"
#include "material/practice_text.h"
#include "state/program_state.h"
#include "support/fake_platform.h"
#include "support/practice_state.h"
#include "support/scripted_dialogs.h"
#include "support/window_helpers.h"
#include "ui/keyboard_view.h"
#include "ui/speed_bars.h"
#include "windows/session/session_window.h"

#include <QInputMethodEvent>
#include <QLineEdit>

using namespace tarvelo;
using test::Child;
using test::Keys;

namespace {

// An installation and a user's start of practice on it, as the main menu
// prepares it; each Open() is a fresh start of the program.
struct Activity
{
    Activity() { test::CopyShippedData(folder); }

    SessionWindow& Open(RunMode mode = RunMode::Practice)
    {
        window.reset();
        state = std::make_unique<ProgramState>(folder.Path());
        state->WindowTop = state->profile.Read(settings::kUsers, settings::kTop);
        state->WindowLeft = state->profile.Read(settings::kUsers, settings::kLeft);
        test::ReadyForPractice(*state);
        state->user.TypeMode = mode;
        window = std::make_unique<SessionWindow>(
            *state, SessionWindow::Services{&dialogs, &beeper, &guide, [this] { ++programEnds; }});
        window->show();
        return *window;
    }

    test::TempFolder folder;
    std::unique_ptr<ProgramState> state;
    test::ScriptedDialogs dialogs;
    test::CountingBeeper beeper;
    test::RecordingGuide guide;
    int programEnds = 0;
    std::unique_ptr<SessionWindow> window;
};

QString Text(QWidget& window, const char* name)
{
    if (auto* label = window.findChild<QLabel*>(name))
        return label->text();
    return Child<QWidget>(window, name)->property("text").toString();
}

// The typing lines and counters as one line: expected | typed | sentence | errors.
QString Shown(QWidget& window)
{
    return QStringList{Text(window, "picText1"), Text(window, "picText2"), Text(window, "lsentnum"),
                       Text(window, "llerrors")}
        .join(" | ");
}

// Types what is left of the expected line, which ends it.
void FinishLine(QWidget& window)
{
    QTest::keyClicks(Keys(window), Text(window, "picText1").mid(Text(window, "picText2").size()));
    QCoreApplication::processEvents(); // the line end's saves follow its repaint
}

} // namespace

class SessionWindowTest : public QObject
{
    Q_OBJECT

private slots:
    // Keys and statistics ticks reach the engine; the lines, the panel and
    // the statistics timer follow it. Clicks reach the options and the typing
    // lines; the flash timer of a refused Backspace follows the options.
    void typedSentenceIsShownAndCountedAndClicksReachTheSession()
    {
        Activity activity;
        SessionWindow* window = &activity.Open();
        auto* statsTimer = Child<QTimer>(*window, "Timer");
        QTest::keyClick(Keys(*window), Qt::Key_Return);
        const QString first = Text(*window, "picText1");
        QVERIFY(first.size() > 10 && !statsTimer->isActive());
        const QString typed = "x" + first.mid(1, first.size() - 2);
        QTest::keyClicks(Keys(*window), typed);
        QCOMPARE(Shown(*window), QString("%1 | %2 | 1 | 0").arg(first, typed));
        QCOMPARE(activity.beeper.beeps, 1);
        QVERIFY(statsTimer->isActive());
        test::Tick(statsTimer, 8);
        QTest::keyClicks(Keys(*window), first.right(1));

        QVERIFY(Text(*window, "picText1") != first);
        QCOMPARE(Shown(*window).section(" | ", 1), QString(" | 2 | 1"));
        QVERIFY(Text(*window, "llwpm").toInt() > 0);
        QVERIFY(!statsTimer->isActive());

        auto* flashTimer = Child<QTimer>(*window, "genTimer");
        const auto stop = [&] {
            QTest::mouseClick(test::Frame(*window, "sOption", 1), Qt::LeftButton);
        };
        stop();
        QTest::mouseClick(Child<QWidget>(*window, "picText2"), Qt::LeftButton); // begins
        QTest::keyClicks(Keys(*window), "Tx");
        QTest::keyClick(Keys(*window), Qt::Key_Backspace); // off in practice
        QCOMPARE(Text(*window, "picText2"), QString("Tx"));
        QVERIFY(flashTimer->isActive());
        test::Tick(flashTimer);
        QVERIFY(!flashTimer->isActive());
        stop();
        QCOMPARE(Text(*window, "picText2"), QString());
    }

    // The edit box opens over the clicked key and takes a typed or composed
    // character; a pre-edit keeps it open. A character outside the code page
    // is refused with a message.
    void keyIsRelabelledInPlace()
    {
        Activity activity;
        SessionWindow* window = &activity.Open();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        auto* keyboard = Child<ui::KeyboardView>(*window, "keyboard");
        auto* edit = Child<QLineEdit>(*window, "tEnter");
        const auto clickKey = [&](int key) {
            QTest::mouseClick(keyboard, Qt::LeftButton, {}, keyboard->keyRect(key).center());
        };

        clickKey(5);
        QVERIFY(edit->isVisible());
        QCOMPARE(edit->geometry().topLeft(), keyboard->keyRect(5).topLeft());
        QTest::keyClick(edit, 'a');
        QVERIFY(!edit->isVisible());
        QCOMPARE(keyboard->caption(5), QString("A"));
        clickKey(47);
        QInputMethodEvent preEdit(QString::fromUtf8("¨"), {});
        QCoreApplication::sendEvent(edit, &preEdit);
        QVERIFY(edit->isVisible());
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8("ü"));
        QCoreApplication::sendEvent(edit, &commit);
        QCOMPARE(keyboard->caption(47), QString::fromUtf8("Ü"));
        QVERIFY(!edit->isVisible());

        clickKey(5);
        const std::size_t told = activity.dialogs.shown.size();
        QKeyEvent outside(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier,
                          QString::fromUtf8("ł"));
        QCoreApplication::sendEvent(edit, &outside);
        QCOMPARE(activity.dialogs.shown.size(), told + 1);
        QCOMPARE(keyboard->caption(5), QString("A"));
    }

    // Leaving is queued, so the menu may delete the window; the placement
    // is kept for the next start. The close box ends the program and keeps
    // the window maximized for the next start.
    void leavingAndTheCloseBoxKeepThePlacementForTheNextStart()
    {
        Activity activity;
        SessionWindow* window = &activity.Open();
        window->move(40, 30);
        const QPoint placed = window->pos();
        QSignalSpy left(window, &SessionWindow::leftToMenu);
        QTest::keyClick(Keys(*window), Qt::Key_Escape); // stopped: leaves
        QVERIFY(!window->isVisible() && left.count() == 0);
        QTRY_COMPARE(left.count(), 1);
        QCOMPARE(activity.Open().pos(), placed);

        activity.window->showMaximized();
        activity.window->close();
        QCOMPARE(activity.programEnds, 1);
        QVERIFY(activity.Open().windowState().testFlag(Qt::WindowMaximized));
    }

    // While the settings cannot be written a notice stays in the window, where
    // no key closes it, until a write works again; the history's failure is
    // told once.
    void failingSavesKeepANoticeUntilASaveWorks()
    {
        Activity activity;
        SessionWindow* window = &activity.Open();
        auto* notice = Child<QLabel>(*window, "lSaveNotice");
        QVERIFY(!notice->isVisibleTo(window));
        QTest::keyClick(Keys(*window), Qt::Key_Return);
        {
            const test::FileSizeLimit diskFull(0);
            FinishLine(*window);
            QVERIFY(notice->isVisibleTo(window));
            QVERIFY(notice->text().contains("the disk is full"));
            FinishLine(*window);
            QVERIFY(notice->isVisibleTo(window));
        }
        QCOMPARE(activity.dialogs.shown.size(), std::size_t{1});
        QVERIFY(activity.dialogs.shown[0].text.find("history") != std::string::npos);
        FinishLine(*window);
        QVERIFY(!notice->isVisibleTo(window));
    }

    // Drill mode shows the open letters' bars beside the typing lines; a
    // click on the target, or Alt+T, asks for a new one.
    void drillModeShowsTheLettersAndAsksForTheTarget()
    {
        Activity activity;
        SessionWindow* window = &activity.Open(RunMode::Drill);
        QCOMPARE(Text(*window, "lMode"), QString("Drill Mode"));
        QVERIFY(Child<QWidget>(*window, "drillPanel")->isVisible());
        const auto& bars = Child<ui::SpeedBars>(*window, "drillBars")->bars();
        QCOMPARE(bars.size(), std::size_t{6}); // no figures yet: the six first letters

        auto* target = Child<QLabel>(*window, "lDrillTarget");
        activity.dialogs.textAnswers = {std::string("60"), std::string("6")};
        QTest::mouseClick(target, Qt::LeftButton);
        QVERIFY(target->text().contains("target 60 wpm"));
        QVERIFY(QTest::qWaitForWindowActive(window));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_T, Qt::AltModifier);
        QCOMPARE(activity.dialogs.shown.back().text, std::string(DrillLines::kTargetRefused));

        SessionWindow& practice = activity.Open();
        QVERIFY(!Child<QWidget>(practice, "drillPanel")->isVisibleTo(&practice));
    }
};

QTEST_MAIN(SessionWindowTest)
#include "session_window_test.moc"
