// Characters from dead keys, compose sequences, AltGr and input methods are
// typed characters in every box that takes one.
#include "profile/key_codes.h"
#include "state/program_state.h"
#include "support/fake_platform.h"
#include "support/practice_state.h"
#include "support/scripted_dialogs.h"
#include "support/window_helpers.h"
#include "ui/focus_box.h"
#include "ui/text_codec.h"
#include "windows/editor/editor_window.h"
#include "windows/session/session_window.h"

#include <QInputMethodEvent>
#include <QPlainTextEdit>

using namespace tarvelo;
using test::Child;
using test::Keys;

namespace {

// One step of what the platform delivers: a key press ("key"), an
// input-method pre-edit ("pre") or commit ("commit").
struct Step
{
    QString kind;
    QString text;
    int key = 0;
};
using Steps = QList<Step>;

Step Press(int key, const QString& text = {})
{
    return {"key", text, key};
}
Step PreEdit(const QString& text)
{
    return {"pre", text};
}
Step Commit(const QString& text)
{
    return {"commit", text};
}

void Deliver(QWidget* target, const Steps& steps)
{
    for (const Step& step : steps) {
        if (step.kind == "key") {
            QKeyEvent press(QEvent::KeyPress, step.key, Qt::NoModifier, step.text);
            QCoreApplication::sendEvent(target, &press);
        } else if (step.kind == "pre") {
            QInputMethodEvent preEdit(step.text, {});
            QCoreApplication::sendEvent(target, &preEdit);
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(step.text);
            QCoreApplication::sendEvent(target, &commit);
        }
    }
}

// Types `text` as a user of a layout with dead keys does: plain letters on
// their keys, everything else as a commit after its dead key and pre-edit.
void TypeComposed(QWidget* target, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            Deliver(target, {Press(c.toUpper().unicode(), QString(c))});
        } else {
            Deliver(target, {Press(Qt::Key_Dead_Acute, QString(QChar(0xB4))), PreEdit("\u00b4"),
                             Commit(QString(c))});
        }
    }
}

QString U(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

} // namespace

Q_DECLARE_METATYPE(Steps)

class ComposedInputTest : public QObject
{
    Q_OBJECT

private slots:
    void focusBoxTypesEachComposedCharacter_data()
    {
        QTest::addColumn<Steps>("steps");
        QTest::addColumn<QList<int>>("codes");
        constexpr int outside = keycode::kOutsideCodePage;
        QTest::newRow("dead key and letter")
            << Steps{Press(Qt::Key_Dead_Acute, U("´")), PreEdit(U("´")), Commit(U("é"))}
            << QList<int>{0xE9};
        QTest::newRow("dead key alone")
            << Steps{Press(Qt::Key_Dead_Circumflex, "^")} << QList<int>{};
        QTest::newRow("dead key and a letter it does not take")
            << Steps{Press(Qt::Key_Dead_Grave), Commit("`q")} << QList<int>{'`', 'q'};
        QTest::newRow("compose sequence")
            << Steps{Press(Qt::Key_Multi_key), PreEdit("o"), PreEdit("o\""), Commit(U("ö"))}
            << QList<int>{0xF6};
        QTest::newRow("AltGr level") << Steps{Press(Qt::Key_E, U("€"))} << QList<int>{0x80};
        QTest::newRow("several characters in one commit")
            << Steps{Commit(U("fête"))} << QList<int>{'f', 0xEA, 't', 'e'};
        QTest::newRow("letter and separate accent")
            << Steps{Commit(U("e\u0301"))} << QList<int>{0xE9};
        QTest::newRow("outside the code page") << Steps{Commit(U("ło")), Press(Qt::Key_L, U("ł"))}
                                               << QList<int>{outside, 'o', outside};
        QTest::newRow("pre-edit withdrawn") << Steps{PreEdit("^"), PreEdit("")} << QList<int>{};
        QTest::newRow("keys that type no character stay keys")
            << Steps{Press(Qt::Key_Return, "\r"), Press(Qt::Key_Backspace, "\b"),
                     Press(Qt::Key_Escape, "\x1b"), Press(Qt::Key_Tab, "\t"), Press(Qt::Key_Left)}
            << QList<int>{13, 8, 27, 9};
    }
    void focusBoxTypesEachComposedCharacter()
    {
        QFETCH(Steps, steps);
        QFETCH(QList<int>, codes);
        QWidget window;
        auto* box = new ui::FocusBox(&window);
        QList<int> typed;
        connect(box, &ui::FocusBox::keyTyped, [&](int code) { typed.push_back(code); });
        QVERIFY(box->testAttribute(Qt::WA_InputMethodEnabled));
        Deliver(box, steps);
        QCOMPARE(typed, codes);
    }

    // Typed correctly with dead keys, a practice sentence has no error.
    void practiceSentenceWithComposedCharacters()
    {
        test::TempFolder folder;
        test::CopyShippedData(folder);
        const QString sentence = U("Müller sah été à la fête 5 €.");
        folder.Write(PracticeText::kFileName, "header\r\n" + ui::FromQString(sentence) + "\r\n" +
                                                  ui::FromQString(sentence) + "\r\n");
        ProgramState state(folder.Path());
        test::ReadyForPractice(state);
        test::ScriptedDialogs dialogs;
        test::CountingBeeper beeper;
        test::RecordingGuide guide;
        SessionWindow window(state, {&dialogs, &beeper, &guide, [] {}});
        window.show();

        QTest::keyClick(Keys(window), Qt::Key_Return); // Begin
        TypeComposed(Keys(window), sentence + " ");
        QCOMPARE(Child<QLabel>(window, "llerrors")->text(), QString("0"));
        QCOMPARE(beeper.beeps, 0);
    }

    // The editor is Qt's own box: commits land in it.
    void editorTakesCommits()
    {
        test::TempFolder folder;
        test::ScriptedDialogs dialogs;
        ProgramState state(folder.Path());
        folder.Write(PracticeText::kFileName, "header\r\n\r\n");
        EditorWindow editor(state, EditorServices{&dialogs, [](const std::string&) {}});
        editor.show();
        auto* text = editor.findChild<QPlainTextEdit*>("txtAllText");
        text->setFocus();
        Deliver(text, {Commit(U("Café")), PreEdit(U("´"))});
        QCOMPARE(text->toPlainText(), U("Café"));
    }
};

QTEST_MAIN(ComposedInputTest)
#include "composed_input_test.moc"
