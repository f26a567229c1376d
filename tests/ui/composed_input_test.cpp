// Characters from dead keys, compose sequences, AltGr and input methods reach
// the focus box as typed characters, one code-page code each.
#include "profile/key_codes.h"
#include "support/window_helpers.h"
#include "ui/focus_box.h"

#include <QInputMethodEvent>

using namespace tarvelo;

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
};

QTEST_MAIN(ComposedInputTest)
#include "composed_input_test.moc"
