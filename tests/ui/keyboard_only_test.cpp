#include "state/program_state.h"
#include "support/fake_platform.h"
#include "support/practice_state.h"
#include "support/scripted_dialogs.h"
#include "support/window_helpers.h"
#include "ui/keyboard_view.h"
#include "windows/editor/editor_window.h"
#include "windows/editor/language_help_window.h"
#include "windows/help/donation_window.h"
#include "windows/session/session_window.h"
#include "windows/stats/statistics_window.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace tarvelo;

// Each window walked with the keyboard alone: every command reached and the
// window closed, as a user without a mouse would.
class KeyboardOnlyTest : public QObject
{
    Q_OBJECT

    test::TempFolder folder;
    test::ScriptedDialogs dialogs;

    // Keys go where the window's focus is, as typed keys do.
    static void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, static_cast<Qt::Key>(key), modifiers);
    }
    static QWidget* focused() { return QApplication::focusWidget(); }
    static QWidget* window(const char* name)
    {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == name && top->isVisible())
                return top;
        }
        return nullptr;
    }

private slots:
    void editorSavesMovesOutOfTheTextAndClosesWithEscape()
    {
        folder.Write(PracticeText::kFileName, "header\r\nOne.\r\n");
        ProgramState state{folder.Path()};
        EditorWindow editor(state, EditorServices{&dialogs, {}});
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        auto* text = test::Child<QPlainTextEdit>(editor, "txtAllText");
        QCOMPARE(focused(), text);

        press(Qt::Key_Tab); // a Tab of the text
        press(Qt::Key_S, Qt::ControlModifier);
        QVERIFY(folder.Read(PracticeText::kFileName).ends_with("\r\n\tOne.\r\n"));

        press(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(focused(),
                 test::Frame(editor, "sOption", static_cast<int>(EditorOption::Restore)));
        press(Qt::Key_Tab);
        press(Qt::Key_Tab);
        QCOMPARE(focused(), test::Frame(editor, "sOption", static_cast<int>(EditorOption::Close)));
        press(Qt::Key_Tab, Qt::ShiftModifier);
        press(Qt::Key_Tab, Qt::ShiftModifier);
        press(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focused(), text);

        QTest::keyClicks(text, "x");
        dialogs.yesNoAnswers = {false};
        QSignalSpy left(&editor, &EditorWindow::leftToMenu);
        press(Qt::Key_Escape); // asks about the unsaved text: stay
        QCOMPARE(dialogs.shown.size(), size_t{1});
        QVERIFY(editor.isVisible());
        dialogs.yesNoAnswers = {true};
        press(Qt::Key_C, Qt::AltModifier);
        QVERIFY(left.wait(1000));
    }

    void languageHelpOpensWithAltLAndClosesWithEscapeOrEnter()
    {
        ProgramState state{folder.Path()};
        EditorWindow editor(state, EditorServices{&dialogs, {}});
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        press(Qt::Key_L, Qt::AltModifier);
        QWidget* language = window("Language");
        QVERIFY(language);
        QVERIFY(QTest::qWaitForWindowActive(language));
        press(Qt::Key_Escape);
        QVERIFY(!language->isVisible());

        LanguageHelpWindow help;
        help.show();
        QVERIFY(QTest::qWaitForWindowActive(&help));
        press(Qt::Key_Return);
        QVERIFY(!help.isVisible());
    }

    void donationWindowClosesWithEnterAndEscape()
    {
        int donations = 0;
        const auto open = [&donations] {
            auto* request = new DonationWindow([&donations] { ++donations; });
            request->showOver(nullptr);
            return QPointer<DonationWindow>(request);
        };
        QPointer<DonationWindow> request = open();
        QVERIFY(QTest::qWaitForWindowActive(request));
        press(Qt::Key_Return); // Ignore, the option focused at first
        QTRY_VERIFY(!request);
        QCOMPARE(donations, 0);

        request = open();
        QVERIFY(QTest::qWaitForWindowActive(request));
        press(Qt::Key_Escape);
        QTRY_VERIFY(!request);

        request = open();
        QVERIFY(QTest::qWaitForWindowActive(request));
        press(Qt::Key_Tab, Qt::ShiftModifier);
        press(Qt::Key_Return);
        QTRY_VERIFY(!request);
        QCOMPARE(donations, 1);
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
            press(Qt::Key_X, Qt::AltModifier);
            QTRY_COMPARE(asked, 1); // a shortcut's click comes a moment later
        }

        test::CountingBeeper beeper;
        test::RecordingGuide guide;
        SessionWindow session(state, SessionWindow::Services{&dialogs, &beeper, &guide, [] {}});
        session.show();
        QVERIFY(QTest::qWaitForWindowActive(&session));
        dialogs.shown.clear();
        press(Qt::Key_R, Qt::AltModifier);
        QTRY_COMPARE(dialogs.shown.size(), size_t{1}); // "Reset Keys" asks first

        // Alt+K: the arrows choose an on-screen key, Enter edits it.
        auto* keyboard = test::Child<ui::KeyboardView>(session, "keyboard");
        press(Qt::Key_K, Qt::AltModifier);
        QCOMPARE(focused(), keyboard);
        press(Qt::Key_Escape);
        QCOMPARE(focused(), test::Keys(session));
        press(Qt::Key_K, Qt::AltModifier);
        keyboard->setCursorKey(1);
        press(Qt::Key_Right);
        press(Qt::Key_Down);
        QCOMPARE(keyboard->cursorKey(), 12); // the nearest key of the row below
        press(Qt::Key_Return);
        QCOMPARE(focused(), test::Child<QLineEdit>(session, "tEnter"));
        press(Qt::Key_Escape);
        QCOMPARE(focused(), test::Keys(session));
    }
};

QTEST_MAIN(KeyboardOnlyTest)
#include "keyboard_only_test.moc"
