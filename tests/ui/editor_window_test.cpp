#include "state/program_state.h"
#include "support/scripted_dialogs.h"
#include "support/window_helpers.h"
#include "windows/editor/editor_window.h"
#include "windows/editor/language_help_window.h"

#include <QPlainTextEdit>

using namespace tarvelo;

class EditorWindowTest : public QObject
{
    Q_OBJECT

private slots:
    // The editor walked with the keyboard alone, as a user without a mouse
    // would: it saves, moves out of the text and back, opens the language
    // help and asks about unsaved text however it is closed.
    void keysSaveMoveOutOfTheTextAndEveryCloseAsksAboutUnsavedText()
    {
        test::TempFolder folder;
        folder.Write(PracticeText::kFileName, "header\r\nOne.\r\n");
        ProgramState state{folder.Path()};
        test::ScriptedDialogs dialogs;
        int sounds = 0;
        EditorWindow editor(state, EditorServices{&dialogs, [&](const std::string&) { ++sounds; }});
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        auto* text = test::Child<QPlainTextEdit>(editor, "txtAllText");
        QCOMPARE(text->toPlainText(), QString("One."));
        QCOMPARE(QApplication::focusWidget(), text);

        test::PressAtFocus(Qt::Key_Tab); // a Tab of the text
        text->insertPlainText(QString::fromUtf8("Caf\u00e9 "));
        test::PressAtFocus(Qt::Key_S, Qt::ControlModifier);
        const std::string saved = folder.Read(PracticeText::kFileName);
        QVERIFY(saved.ends_with("\r\n\tCaf\xE9 One.\r\n"));
        QCOMPARE(sounds, 1);

        test::PressAtFocus(Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(),
                 test::Frame(editor, "sOption", static_cast<int>(EditorOption::Restore)));
        test::PressAtFocus(Qt::Key_Tab);
        test::PressAtFocus(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(),
                 test::Frame(editor, "sOption", static_cast<int>(EditorOption::Close)));
        for (int back = 0; back < 3; ++back)
            test::PressAtFocus(Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), text);

        // Alt+L opens the language help; Escape or Enter closes it.
        for (const int key : {Qt::Key_Escape, Qt::Key_Return}) {
            test::PressAtFocus(Qt::Key_L, Qt::AltModifier);
            QTRY_VERIFY(qobject_cast<LanguageHelpWindow*>(QApplication::activeWindow()));
            QWidget* language = QApplication::activeWindow();
            test::PressAtFocus(key);
            QVERIFY(!language->isVisible());
            editor.activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&editor));
        }

        // Escape, Alt+C and the close box ask; unscripted, the answer is to stay.
        QTest::keyClicks(text, "x");
        test::PressAtFocus(Qt::Key_Escape);
        test::PressAtFocus(Qt::Key_C, Qt::AltModifier);
        QTRY_COMPARE(dialogs.shown.size(), size_t{2});
        editor.close();
        QCOMPARE(dialogs.shown.size(), size_t{3});
        QVERIFY(editor.isVisible());
        QSignalSpy left(&editor, &EditorWindow::leftToMenu);
        dialogs.yesNoAnswers = {true};
        editor.close();
        QVERIFY(left.wait(1000));
        QCOMPARE(folder.Read(PracticeText::kFileName), saved);
    }
};

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
