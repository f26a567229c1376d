#include "material/lesson_catalogue.h"
#include "material/lesson_guidance.h"
#include "state/program_state.h"
#include "support/window_helpers.h"
#include "ui/colours.h"
#include "ui/keyboard_view.h"
#include "ui/option_frame.h"
#include "ui/text_codec.h"
#include "windows/material/lesson_help_window.h"

#include <QPlainTextEdit>
#include <functional>

using namespace tarvelo;
using test::Keys;

namespace {

// An installation with a loaded layout and a catalogue at lesson 1.
struct Folder
{
    Folder()
    {
        test::CopyShippedData(folder);
        state.layout.Load(state.profile);
        catalogue.LoadLessons("user0");
        catalogue.SetLesson(1);
    }

    test::TempFolder folder;
    ProgramState state{folder.Path()};
    LessonCatalogue catalogue{state.profile, folder.Path()};
};

ui::OptionFrame* Option(const QWidget& window, GuidanceOption option)
{
    return test::Frame(window, "sOption", static_cast<int>(option));
}

// Where the window differs from what the guidance logic shows for the
// catalogue's lesson with `selected` and `hovered`; empty when it shows it all.
QStringList Differences(LessonHelpWindow& window, Folder& data,
                        GuidanceOption selected = GuidanceOption::Begin,
                        std::optional<GuidanceOption> hovered = std::nullopt)
{
    LessonGuidance logic;
    logic.LoadLessonLabels(data.state.layout);
    logic.HighlightLessonKeys(data.catalogue);
    logic.ShowIntro(data.catalogue.LessonNumber(), data.catalogue);
    logic.SelectOption(selected);
    logic.HoverOption(hovered);

    QStringList differences;
    if (window.shownLesson() != logic.ShownLesson() ||
        window.findChild<QLabel*>("lLesson")->text() != ui::ToQString(logic.Heading()) ||
        window.findChild<QPlainTextEdit*>("txtIntro")->toPlainText() !=
            ui::ToQString(logic.Introduction()))
        differences << "lesson";
    for (int i = 0; i < LessonGuidance::kOptionCount; ++i) {
        const auto option = static_cast<GuidanceOption>(i);
        if (Option(window, option)->caption() != ui::ToQString(logic.OptionCaption(option)) ||
            Option(window, option)->fill() != logic.OptionFill(option) ||
            Option(window, option)->border() != logic.OptionBorder(option))
            differences << QString("option %1").arg(i);
    }
    auto* keyboard = window.findChild<ui::KeyboardView*>("keyboard");
    for (int key = 1; key <= LessonGuidance::kPictureKeys; ++key)
        if (keyboard->caption(key) != ui::ToQString(logic.KeyLabel(key)) ||
            keyboard->fill(key) != ui::FromBgr(logic.KeyColour(key)))
            differences << QString("key %1").arg(key);
    return differences;
}

// Introduces the lesson and runs `whileOpen` inside the modal wait; returns
// whether that closed the window. If not, it is closed so the test goes on.
bool RunOpen(LessonHelpWindow& window, LessonCatalogue& catalogue,
             const std::function<void()>& whileOpen)
{
    bool closed = false;
    QTimer::singleShot(0, &window, [&] {
        whileOpen();
        closed = !window.isVisible();
        if (!closed)
            window.close();
    });
    window.IntroduceLesson(catalogue);
    return closed;
}

} // namespace

class LessonHelpWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void opensModalFollowsThePointerStepsLessonsAndClosesByTheBox()
    {
        Folder data;
        LessonHelpWindow window(data.state);
        QVERIFY(!window.isVisible()); // created hidden
        const bool closed = RunOpen(window, data.catalogue, [&] {
            QVERIFY(window.isModal());
            QCOMPARE(Differences(window, data), QStringList());
            // Only the picture's keys can be pointed at.
            auto* keyboard = window.findChild<ui::KeyboardView*>("keyboard");
            QCOMPARE(keyboard->keyAt(keyboard->keyRect(49).center()), 0);
            QCOMPARE(keyboard->keyAt(keyboard->keyRect(35).center()), 35);
            QTest::mouseMove(Option(window, GuidanceOption::Next));
            QCOMPARE(Differences(window, data, GuidanceOption::Begin, GuidanceOption::Next),
                     QStringList());
            QTest::mouseMove(window.findChild<QPlainTextEdit*>("txtIntro")->viewport());
            QCOMPARE(Differences(window, data), QStringList());
            // Clicks and keys step the lessons (the level option: the next).
            QTest::mouseClick(Option(window, GuidanceOption::Previous), Qt::LeftButton);
            QTest::keyClick(Keys(window), Qt::Key_Down);
            QTest::keyClick(Keys(window), Qt::Key_Return);
            QCOMPARE(Differences(window, data, GuidanceOption::Level), QStringList());
            window.close(); // the close box
        });
        QVERIFY(closed);
        QCOMPARE(data.catalogue.LessonNumber(), 14); // 1, back to 13, on to 14

        // The next introduction starts afresh, with a key relabelled meanwhile
        // in the session keyboard.
        data.state.layout.AssignCharacter(1, 'J', false, data.state.profile);
        RunOpen(window, data.catalogue,
                [&] { QCOMPARE(Differences(window, data), QStringList()); });
    }

    // It opens over its owner, as the session window may have moved since.
    void opensOverItsOwner()
    {
        Folder data;
        QWidget owner;
        owner.move(140, 90);
        owner.show();
        LessonHelpWindow window(data.state, &owner);
        RunOpen(window, data.catalogue, [&] { QCOMPARE(window.pos(), owner.pos()); });
    }
};

QTEST_MAIN(LessonHelpWindowTest)
#include "lesson_help_window_test.moc"
