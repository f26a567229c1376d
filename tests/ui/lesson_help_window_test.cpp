#include "material/lesson_catalogue.h"
#include "material/lesson_guidance.h"
#include "material/lesson_help_window.h"
#include "state/program_state.h"
#include "support/temp_folder.h"
#include "ui/colours.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/option_frame.h"
#include "ui/text_codec.h"
#include "ui/twips.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

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

// Where the window differs from what the guidance logic shows for the
// catalogue's lesson with `selected` and `hovered`; empty when it shows it all.
QStringList Differences(LessonHelpWindow& window, Folder& data,
                        int selected = LessonGuidance::kBegin,
                        int hovered = LessonGuidance::kNoOption)
{
    LessonGuidance logic;
    logic.LoadLessonLabels(data.state.layout);
    logic.HighlightLessonKeys(data.catalogue);
    logic.ShowIntro(data.catalogue.LessonNumber(), data.catalogue);
    logic.SelectOption(selected);
    logic.HoverOption(hovered);

    QStringList differences;
    const auto check = [&](bool same, const QString& what) {
        if (!same)
            differences << what;
    };
    check(window.shownLesson() == logic.ShownLesson(), "lesson");
    check(window.findChild<QLabel*>("lLesson")->text() == ui::ToQString(logic.Heading()),
          "heading");
    check(window.findChild<QPlainTextEdit*>("txtIntro")->toPlainText() ==
              ui::ToQString(logic.Introduction()),
          "introduction");
    for (int i = 0; i < LessonGuidance::kOptionCount; ++i) {
        check(Option(window, i)->caption() == ui::ToQString(logic.OptionCaption(i)),
              QString("option %1 caption").arg(i));
        check(Option(window, i)->fill() == logic.OptionFill(i), QString("option %1 fill").arg(i));
        check(Option(window, i)->border() == logic.OptionBorder(i),
              QString("option %1 border").arg(i));
    }
    auto* keyboard = window.findChild<ui::KeyboardView*>("keyboard");
    for (int key = 1; key <= LessonGuidance::kPictureKeys; ++key) {
        check(keyboard->caption(key) == ui::ToQString(logic.KeyLabel(key)),
              QString("key %1 caption").arg(key));
        check(keyboard->fill(key) == ui::FromBgr(logic.KeyColour(key)),
              QString("key %1 fill").arg(key));
    }
    return differences;
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
    void opensModalShowingTheLessonAndEscapeCloses()
    {
        Folder data;
        LessonHelpWindow window(data.state);
        QVERIFY(!window.isVisible()); // created hidden
        const bool closed = RunOpen(window, data.catalogue, [&] {
            QVERIFY(window.isVisible());
            QVERIFY(window.isModal());
            QCOMPARE(window.shownLesson(), 1);
            QCOMPARE(Differences(window, data), QStringList());
            // Only the picture's keys can be pointed at.
            auto* keyboard = window.findChild<ui::KeyboardView*>("keyboard");
            QCOMPARE(keyboard->keyAt(keyboard->keyRect(49).center()), 0);
            QCOMPARE(keyboard->keyAt(keyboard->keyRect(35).center()), 35);
            QTest::keyClick(Keys(window), Qt::Key_Escape);
        });
        QVERIFY(closed);
        QCOMPARE(data.catalogue.LessonNumber(), 1);
    }

    void keysAndClicksStepLessonsAndTheWindowFollows()
    {
        Folder data;
        LessonHelpWindow window(data.state);
        std::vector<int> shown;
        QStringList differences;
        const auto record = [&](int selected) {
            shown.push_back(window.shownLesson());
            differences << Differences(window, data, selected);
        };
        const bool closed = RunOpen(window, data.catalogue, [&] {
            QTest::mouseClick(Option(window, LessonGuidance::kPrevious), Qt::LeftButton);
            record(LessonGuidance::kBegin);
            QTest::keyClick(Keys(window), Qt::Key_Down);
            QTest::keyClick(Keys(window), Qt::Key_Return); // the level option: next lesson
            record(LessonGuidance::kLevel);
            QTest::mouseClick(Option(window, LessonGuidance::kLevel), Qt::LeftButton);
            record(LessonGuidance::kLevel);
            QTest::keyClick(Keys(window), Qt::Key_Left);
            record(LessonGuidance::kLevel);
            QVERIFY(window.isVisible());
            QTest::mouseClick(Option(window, LessonGuidance::kBegin), Qt::LeftButton);
        });
        QVERIFY(closed);
        QCOMPARE(shown, (std::vector<int>{13, 14, 2, 1}));
        QCOMPARE(differences, QStringList());
        QCOMPARE(data.state.profile.ReadProfile(kUser, "lesson", ""), std::string("1"));
    }

    void hoverFollowsThePointerUntilItLeaves()
    {
        Folder data;
        LessonHelpWindow window(data.state);
        RunOpen(window, data.catalogue, [&] {
            QTest::mouseMove(Option(window, LessonGuidance::kNext));
            QCOMPARE(Differences(window, data, LessonGuidance::kBegin, LessonGuidance::kNext),
                     QStringList());
            QTest::mouseMove(window.findChild<QPlainTextEdit*>("txtIntro")->viewport());
            QCOMPARE(Differences(window, data), QStringList());
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
        RunOpen(window, data.catalogue,
                [&] { QCOMPARE(Differences(window, data), QStringList()); });
    }

    void lessonStartOpensTheWindowAndTypingGoesOnWithTheChosenLesson()
    {
        Folder data;
        LessonHelpWindow window(data.state);
        bool opened = false;
        QTimer::singleShot(0, &window, [&] {
            opened = window.isVisible();
            QTest::mouseClick(Option(window, LessonGuidance::kNext), Qt::LeftButton);
            QTest::keyClick(Keys(window), Qt::Key_Escape);
        });
        const std::string line = data.catalogue.NextLessonLine(window);
        QVERIFY(opened);
        QCOMPARE(line, data.catalogue.DrillLines(2).front());
    }

    // Without an owner it opens at the shared position (kept on screen by the
    // shared placement, tested with the main window); with one, at the owner's
    // top left, as the session window may have moved since.
    void opensAtTheSharedPositionOrOverItsOwner()
    {
        Folder data;
        data.state.WindowLeft = 1500;
        data.state.WindowTop = 1200;
        LessonHelpWindow alone(data.state);
        RunOpen(alone, data.catalogue,
                [&] { QCOMPARE(alone.pos(), ui::TwipsToPixels(1500, 1200, &alone)); });

        QWidget owner;
        owner.resize(300, 200);
        owner.move(140, 90);
        owner.show();
        LessonHelpWindow owned(data.state, &owner);
        RunOpen(owned, data.catalogue, [&] { QCOMPARE(owned.pos(), owner.pos()); });
    }
};

QTEST_MAIN(LessonHelpWindowTest)
#include "lesson_help_window_test.moc"
