#include "state/program_state.h"
#include "support/scripted_dialogs.h"
#include "support/window_helpers.h"
#include "windows/editor/editor_window.h"

#include <QPlainTextEdit>

using namespace tarvelo;

class EditorWindowTest : public QObject
{
    Q_OBJECT

    test::TempFolder folder;
    ProgramState state{folder.Path()};
    test::ScriptedDialogs dialogs;
    int sounds = 0;
    const std::string original = "header\r\nOne.\r\nTwo.\r\n";

    std::unique_ptr<EditorWindow> open()
    {
        folder.Write(PracticeText::kFileName, original);
        dialogs.shown.clear();
        auto window = std::make_unique<EditorWindow>(
            state, EditorServices{&dialogs, [this](const std::string&) { ++sounds; }});
        window->show();
        return window;
    }
    static QPlainTextEdit* box(EditorWindow& window)
    {
        return window.findChild<QPlainTextEdit*>("txtAllText");
    }

private slots:
    void closeBoxAsksAboutUnsavedChanges()
    {
        auto window = open();
        QCOMPARE(box(*window)->toPlainText(), QString("One.\nTwo."));
        QTest::keyClicks(box(*window), "x");
        dialogs.yesNoAnswers = {false};
        window->close();
        QVERIFY(dialogs.shown.size() == 1 && window->isVisible());

        QSignalSpy left(window.get(), &EditorWindow::leftToMenu);
        dialogs.yesNoAnswers = {true};
        window->close();
        QVERIFY(left.wait(1000));
        QCOMPARE(folder.Read(PracticeText::kFileName), original);
    }

    void savingWritesAndPlaysTheSound()
    {
        auto window = open();
        box(*window)->setPlainText(QString::fromUtf8("Caf\u00e9."));
        QTest::mouseClick(test::Frame(*window, "sOption", static_cast<int>(EditorOption::Save)),
                          Qt::LeftButton);
        QVERIFY(folder.Read(PracticeText::kFileName).ends_with("\r\nCaf\xE9.\r\n"));
        QCOMPARE(sounds, 1);
    }
};

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
