#include "editor/editor_window.h"
#include "editor/language_help_window.h"
#include "state/program_state.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "ui/option_frame.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QtTest>

using namespace tarvelo;

class EditorWindowTest : public QObject
{
    Q_OBJECT

    test::TempFolder folder;
    ProgramState state{folder.Path()};
    test::ScriptedDialogs dialogs;
    std::vector<std::string> sounds;
    const std::string original = "header\r\nOne.\r\nTwo.\r\n";

    std::unique_ptr<EditorWindow> open()
    {
        folder.Write(PracticeText::kFileName, original);
        dialogs.shown.clear();
        EditorServices services{&dialogs,
                                [this](const std::string& path) { sounds.push_back(path); }};
        auto window = std::make_unique<EditorWindow>(state, services);
        window->show();
        return window;
    }
    static QPlainTextEdit* box(EditorWindow& window)
    {
        return window.findChild<QPlainTextEdit*>("txtAllText");
    }
    static void press(EditorWindow& window, int option)
    {
        QTest::mouseClick(window.findChild<ui::OptionFrame*>(QString("sOption%1").arg(option)),
                          Qt::LeftButton);
    }

private slots:
    void closeBoxAsksAboutUnsavedChanges()
    {
        auto window = open();
        QCOMPARE(box(*window)->toPlainText(), QString("One.\nTwo."));
        QTest::keyClicks(box(*window), "x");
        dialogs.yesNoAnswers = {false};
        window->close();
        QCOMPARE(dialogs.shown.size(), size_t{1});
        QCOMPARE(dialogs.shown[0].title, std::string("Double Check"));
        QVERIFY(window->isVisible());
        QVERIFY(box(*window)->toPlainText().contains("x"));

        QSignalSpy left(window.get(), &EditorWindow::leftToMenu);
        dialogs.yesNoAnswers = {true};
        window->close();
        QVERIFY(left.wait(1000));
        QCOMPARE(folder.Read(PracticeText::kFileName), original);
    }

    void unchangedTextClosesWithoutAQuestion()
    {
        auto window = open();
        QSignalSpy left(window.get(), &EditorWindow::leftToMenu);
        press(*window, PracticeEditor::kClose);
        QVERIFY(left.wait(1000));
        QVERIFY(dialogs.shown.empty());
    }

    void savingWritesAndPlaysTheSound()
    {
        auto window = open();
        box(*window)->setPlainText(QString::fromUtf8("Caf\u00e9.\n\u0141\u00f3d\u017a."));
        press(*window, PracticeEditor::kSave);
        QCOMPARE(dialogs.shown.size(), size_t{1});
        QVERIFY(dialogs.shown[0].text.find("U+0141 at line 2, column 1") != std::string::npos);
        QCOMPARE(folder.Read(PracticeText::kFileName), original);
        QVERIFY(sounds.empty());

        box(*window)->setPlainText(QString::fromUtf8("Caf\u00e9."));
        press(*window, PracticeEditor::kSave);
        QCOMPARE(folder.Read(PracticeText::kFileName),
                 std::string(PracticeEditor::kHeader) + "\r\nCaf\xE9.\r\n");
        QCOMPARE(sounds.size(), size_t{1});
        QVERIFY(sounds[0].ends_with("Dalmor_Done.wav"));
        QVERIFY(!window->editor().Unsaved());
    }

    void languageHelpOpensBesideAndLeavesTheEditorUsable()
    {
        auto window = open();
        press(*window, PracticeEditor::kLanguage);
        auto* help = qobject_cast<LanguageHelpWindow*>([] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (widget->objectName() == "Language" && widget->isVisible())
                    return widget;
            return static_cast<QWidget*>(nullptr);
        }());
        QVERIFY(help);
        QCOMPARE(help->windowTitle(), QString("Language Help"));
        QVERIFY(help->findChild<QPlainTextEdit*>()->toPlainText().endsWith("Enjoy!"));
        QVERIFY(help->findChild<QPlainTextEdit*>()->isReadOnly());
        QVERIFY(!QApplication::activeModalWidget());
        QTest::keyClicks(box(*window), "y");
        QVERIFY(window->editor().Unsaved());
    }
};

QTEST_MAIN(EditorWindowTest)
#include "editor_window_test.moc"
