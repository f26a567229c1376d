#include "state/program_state.h"
#include "support/fake_platform.h"
#include "support/practice_state.h"
#include "support/scripted_dialogs.h"
#include "support/window_helpers.h"
#include "ui/keyboard_view.h"
#include "windows/help/donation_window.h"
#include "windows/session/session_window.h"
#include "windows/stats/statistics_window.h"

#include <QLineEdit>
#include <QPushButton>

using namespace tarvelo;

// Each window walked with the keyboard alone: every command reached and the
// window closed, as a user without a mouse would.
class KeyboardOnlyTest : public QObject
{
    Q_OBJECT

    test::TempFolder folder;
    test::ScriptedDialogs dialogs;

private slots:
    // Enter on Ignore, the option focused at first, and Escape close it
    // unanswered; Shift+Tab moves to Donate.
    void donationWindowClosesWithEnterAndEscape()
    {
        int donations = 0;
        const std::tuple<bool, int, int> ways[] = {
            {false, Qt::Key_Return, 0}, {false, Qt::Key_Escape, 0}, {true, Qt::Key_Return, 1}};
        for (const auto& [toDonate, key, after] : ways) {
            auto* window = new DonationWindow([&donations] { ++donations; });
            window->showOver(nullptr);
            const QPointer<DonationWindow> request(window);
            QVERIFY(QTest::qWaitForWindowActive(request));
            if (toDonate)
                test::PressAtFocus(Qt::Key_Tab, Qt::ShiftModifier);
            test::PressAtFocus(key);
            QTRY_VERIFY(!request);
            QCOMPARE(donations, after);
        }
    }

    // The commands beside the arrow keys' options: Alt+X exports the history,
    // Alt+R resets the keys, Alt+K chooses a key to edit.
    void mnemonicsReachTheButtonsBesideTheOptions()
    {
        test::CopyShippedData(folder);
        ProgramState state{folder.Path()};
        test::ReadyForPractice(state);

        int asked = 0;
        StatisticsServices services;
        services.chooseCsvFile = [&asked](const QString&) {
            ++asked;
            return QString();
        };
        {
            StatisticsWindow statistics(state, services);
            QSignalSpy loaded(&statistics, &StatisticsWindow::progressLoaded);
            statistics.show();
            QVERIFY(QTest::qWaitForWindowActive(&statistics));
            QVERIFY(!loaded.isEmpty() || loaded.wait(5000));
            test::Child<QPushButton>(statistics, "bExportHistory")->setEnabled(true);
            test::PressAtFocus(Qt::Key_X, Qt::AltModifier);
            QTRY_COMPARE(asked, 1); // a shortcut's click comes a moment later
        }

        test::CountingBeeper beeper;
        test::RecordingGuide guide;
        SessionWindow session(state, SessionWindow::Services{&dialogs, &beeper, &guide, [] {}});
        session.show();
        QVERIFY(QTest::qWaitForWindowActive(&session));
        dialogs.shown.clear();
        test::PressAtFocus(Qt::Key_R, Qt::AltModifier);
        QTRY_COMPARE(dialogs.shown.size(), size_t{1}); // "Reset Keys" asks first

        // Alt+K: the arrows choose an on-screen key, Enter edits it.
        auto* keyboard = test::Child<ui::KeyboardView>(session, "keyboard");
        test::PressAtFocus(Qt::Key_K, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), keyboard);
        test::PressAtFocus(Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), test::Keys(session));
        test::PressAtFocus(Qt::Key_K, Qt::AltModifier);
        keyboard->setCursorKey(1);
        test::PressAtFocus(Qt::Key_Right);
        test::PressAtFocus(Qt::Key_Down);
        QCOMPARE(keyboard->cursorKey(), 12); // the nearest key of the row below
        test::PressAtFocus(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), test::Child<QLineEdit>(session, "tEnter"));
        test::PressAtFocus(Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), test::Keys(session));
    }
};

QTEST_MAIN(KeyboardOnlyTest)
#include "keyboard_only_test.moc"
