#include "material/lesson_catalogue.h"
#include "material/lesson_guidance.h"
#include "material/lesson_help_window.h"
#include "state/program_state.h"
#include "support/temp_folder.h"
#include "ui/colours.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/option_frame.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>
#include <set>

using namespace tarvelo;

namespace {

constexpr std::string_view kUser = "user0";

// An application folder with the shipped lesson files, a loaded layout and
// a catalogue at lesson 1.
struct Folder
{
    Folder()
    {
        for (const char* name : {"Tarvelo.INI", "Tarvelo Lessons.txt", "Tarvelo Letters.txt",
                                 "Tarvelo Lessonhelp.txt"})
            folder.CopyShipped(name);
        state.layout.Load(state.profile);
        catalogue.LoadLessons(kUser);
        catalogue.SetLesson(1);
    }

    test::TempFolder folder;
    ProgramState state{folder.Path()};
    LessonCatalogue catalogue{state.profile, folder.Path()};
};

ui::FocusBox* Keys(LessonHelpWindow& window)
{
    return window.findChild<ui::FocusBox*>("ControlBox");
}

ui::OptionFrame* Option(LessonHelpWindow& window, int option)
{
    return window.findChild<ui::OptionFrame*>(QString("sOption%1").arg(option));
}

ui::KeyboardView* Keyboard(LessonHelpWindow& window)
{
    return window.findChild<ui::KeyboardView*>("keyboard");
}

QString Heading(LessonHelpWindow& window)
{
    return window.findChild<QLabel*>("lLesson")->text();
}

QString Introduction(LessonHelpWindow& window)
{
    return window.findChild<QPlainTextEdit*>("txtIntro")->toPlainText();
}

// The character, Shift and number-row keys shown in the lesson colour.
std::set<int> LessonKeys(LessonHelpWindow& window)
{
    std::set<int> keys;
    for (int key = 1; key <= LessonGuidance::kPictureKeys; ++key) {
        if (Keyboard(window)->fill(key) == ui::FromBgr(LessonGuidance::kLessonKeyColour))
            keys.insert(key);
    }
    return keys;
}

// Introduces the catalogue's lesson and runs `whileOpen` inside the modal
// wait. Returns whether `whileOpen` closed the window and so ended the wait.
// If it did not, the window is closed, by Escape at last, so the test goes on.
bool RunOpen(LessonHelpWindow& window, LessonCatalogue& catalogue,
             const std::function<void()>& whileOpen)
{
    const auto returned = std::make_shared<bool>(false);
    const auto rescued = std::make_shared<bool>(false);
    bool closed = false;
    QTimer::singleShot(0, &window, [&, returned, rescued] {
        whileOpen();
        closed = !window.isVisible();
        if (!closed)
            window.close();
        QTimer::singleShot(0, &window, [&window, returned, rescued] {
            if (!*returned) {
                *rescued = true;
                QTest::keyClick(Keys(window), Qt::Key_Escape);
            }
        });
    });
    window.IntroduceLesson(catalogue);
    *returned = true;
    return closed && !*rescued;
}

} // namespace

class LessonHelpWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void lessonOneShowsItsIntroductionAndKeys()
    {
        Folder data;
        LessonHelpWindow window(data.state);
        QVERIFY(!window.isVisible()); // created hidden
        const bool closed = RunOpen(window, data.catalogue, [&] {
            QVERIFY(window.isVisible());
            QVERIFY(window.isModal());
            QCOMPARE(window.windowTitle(), QString("Lesson Introduction"));
            QCOMPARE(window.ShownLesson(), 1);
            QCOMPARE(Heading(window), QString("You are now beginning Lesson 1. "));
            QVERIFY(Introduction(window).startsWith("Lesson 1 places your hands on the home row."));
            QCOMPARE(Option(window, 0)->caption(), QString("Begin"));
            QCOMPARE(Option(window, 1)->caption(), QString("Level 1"));
            QCOMPARE(Option(window, 2)->caption(), QString("<"));
            QCOMPARE(Option(window, 3)->caption(), QString(">"));
            QCOMPARE(Option(window, 0)->fill(), LessonGuidance::kSelectedFill);
            QCOMPARE(Option(window, 1)->fill(), LessonGuidance::kUnselectedFill);

            ui::KeyboardView* keyboard = Keyboard(window);
            QCOMPARE(keyboard->caption(14), QString("F"));
            QCOMPARE(keyboard->caption(17), QString("J"));
            QCOMPARE(LessonKeys(window), (std::set<int>{14, 17}));
            const QColor grey = ui::FromBgr(LessonGuidance::kKeyColour);
            const QColor white = ui::FromBgr(LessonGuidance::kNumberKeyColour);
            for (int key : {1, 13, 15, 18, 31, 32, 33})
                QCOMPARE(keyboard->fill(key), grey);
            QCOMPARE(keyboard->fill(35), white);
            QCOMPARE(keyboard->fill(36), white);
            // Only the picture's keys can be pointed at.
            QCOMPARE(keyboard->keyAt(keyboard->keyRect(49).center()), 0);
            QCOMPARE(keyboard->keyAt(keyboard->keyRect(35).center()), 35);

            QTest::keyClick(Keys(window), Qt::Key_Escape);
        });
        QVERIFY(closed);
        QVERIFY(!window.isVisible());
        QCOMPARE(data.catalogue.LessonNumber(), 1);
    }

    void arrowsWrapThroughTheCompletionPage()
    {
        Folder data;
        LessonHelpWindow window(data.state);
        QStringList headings;
        QStringList levels;
        std::vector<std::set<int>> keys;
        const auto record = [&] {
            headings << Heading(window);
            levels << Option(window, 1)->caption();
            keys.push_back(LessonKeys(window));
        };
        const bool closed = RunOpen(window, data.catalogue, [&] {
            QTest::mouseClick(Option(window, 2), Qt::LeftButton); // "<" from 1
            record();
            QTest::mouseClick(Option(window, 3), Qt::LeftButton); // ">" from 13
            record();
            QVERIFY(Introduction(window).startsWith("Congratulations!"));
            QTest::mouseClick(Option(window, 3), Qt::LeftButton); // ">" from 14
            record();
            QTest::keyClick(Keys(window), Qt::Key_Return); // Begin is still selected
        });
        QVERIFY(closed);
        QCOMPARE(headings, QStringList({"You are now beginning Lesson 13. ",
                                        "You have now completed all lessons.",
                                        "You are now beginning Lesson 2. "}));
        QCOMPARE(levels, QStringList({"Level 13", "Level 1", "Level 2"}));
        QCOMPARE(keys[1], (std::set<int>{14, 17})); // the completion page shows lesson 1's keys
        QCOMPARE(keys[2], (std::set<int>{13, 18}));
        QCOMPARE(data.catalogue.LessonNumber(), 2);
        QCOMPARE(data.state.profile.ReadProfile(kUser, "lesson", ""), std::string("2"));
    }

    void keysMoveTheSelectionAndStepLessons()
    {
        Folder data;
        LessonHelpWindow window(data.state);
        std::vector<int> shown;
        const bool closed = RunOpen(window, data.catalogue, [&] {
            QTest::keyClick(Keys(window), Qt::Key_Left); // Begin selected: nothing
            shown.push_back(window.ShownLesson());
            QTest::keyClick(Keys(window), Qt::Key_Down);
            QCOMPARE(Option(window, 1)->fill(), LessonGuidance::kSelectedFill);
            QCOMPARE(Option(window, 0)->fill(), LessonGuidance::kUnselectedFill);
            QTest::keyClick(Keys(window), Qt::Key_Return); // the level option: next lesson
            shown.push_back(window.ShownLesson());
            QTest::keyClick(Keys(window), Qt::Key_Right);
            shown.push_back(window.ShownLesson());
            QTest::keyClick(Keys(window), Qt::Key_Left);
            shown.push_back(window.ShownLesson());
            QVERIFY(window.isVisible());
            QTest::keyClick(Keys(window), Qt::Key_Up);
            QTest::keyClick(Keys(window), Qt::Key_Right); // Begin
        });
        QVERIFY(closed);
        QCOMPARE(shown, (std::vector<int>{1, 2, 3, 2}));
        QCOMPARE(data.catalogue.LessonNumber(), 2);
    }

    void mouseOnTheOptions()
    {
        Folder data;
        LessonHelpWindow window(data.state);
        const bool closed = RunOpen(window, data.catalogue, [&] {
            QTest::mouseClick(Option(window, 1), Qt::LeftButton);
            QCOMPARE(window.ShownLesson(), 2);
            QCOMPARE(Option(window, 1)->fill(), LessonGuidance::kSelectedFill);
            QVERIFY(window.isVisible());
            QTest::mouseClick(Option(window, 0), Qt::LeftButton);
        });
        QVERIFY(closed);
        QCOMPARE(data.catalogue.LessonNumber(), 2);
    }

    void hoverTurnsTheBorderOrangeUntilThePointerLeaves()
    {
        Folder data;
        LessonHelpWindow window(data.state);
        RunOpen(window, data.catalogue, [&] {
            QTest::mouseMove(Option(window, 3));
            QCOMPARE(Option(window, 3)->border(), LessonGuidance::kHoverBorder);
            QCOMPARE(Option(window, 0)->border(), LessonGuidance::kBeginBorder);
            QTest::mouseMove(Option(window, 0));
            QCOMPARE(Option(window, 0)->border(), LessonGuidance::kHoverBorder);
            QCOMPARE(Option(window, 3)->border(), LessonGuidance::kOtherBorder);
            auto* text = window.findChild<QPlainTextEdit*>("txtIntro");
            QTest::mouseMove(text->viewport());
            QCOMPARE(Option(window, 0)->border(), LessonGuidance::kBeginBorder);
        });
    }

    void closeBoxEndsTheWaitAndTheNextIntroductionStartsAfresh()
    {
        Folder data;
        LessonHelpWindow window(data.state);
        QVERIFY(RunOpen(window, data.catalogue, [&] {
            QTest::keyClick(Keys(window), Qt::Key_Down);
            window.close();
        }));

        // A key relabelled meanwhile in the session keyboard.
        data.state.layout.AssignCharacter(1, 'J', false, data.state.profile);
        RunOpen(window, data.catalogue, [&] {
            QCOMPARE(Option(window, 0)->fill(), LessonGuidance::kSelectedFill);
            QCOMPARE(Keyboard(window)->caption(1), QString("J"));
            QVERIFY(LessonKeys(window).count(1));
        });
    }

    void lessonStartOpensTheWindowAndTypingGoesOnWithTheChosenLesson()
    {
        Folder data;
        LessonHelpWindow window(data.state);
        bool opened = false;
        QTimer::singleShot(0, &window, [&] {
            opened = window.isVisible();
            QTest::mouseClick(Option(window, 3), Qt::LeftButton);
            QTest::keyClick(Keys(window), Qt::Key_Escape);
        });
        const std::string line = data.catalogue.NextLessonLine(window);
        QVERIFY(opened);
        QCOMPARE(line, data.catalogue.DrillLines(2).front());
    }

    void opensAtTheSharedPositionOnScreen()
    {
        Folder data;
        LessonHelpWindow window(data.state);
        data.state.WindowLeft = 1500;
        data.state.WindowTop = 1200;
        RunOpen(window, data.catalogue,
                [&] { QCOMPARE(window.pos(), ui::TwipsToPixels(1500, 1200, &window)); });

        data.state.WindowLeft = 10'000'000;
        data.state.WindowTop = -10'000'000;
        RunOpen(window, data.catalogue, [&] {
            const QRect area = window.screen()->availableGeometry();
            QVERIFY2(area.contains(window.frameGeometry()),
                     qPrintable(QString("window at %1,%2").arg(window.x()).arg(window.y())));
        });
    }
};

QTEST_MAIN(LessonHelpWindowTest)
#include "lesson_help_window_test.moc"
