#include "material/practice_text.h"
#include "session/session_options.h"
#include "session/session_window.h"
#include "state/program_state.h"
#include "stats/typing_stats.h"
#include "support/fake_platform.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "ui/colours.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/option_frame.h"
#include "ui/text_codec.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

using namespace tarvelo;

namespace {

// A folder with the shipped data.
struct Shipped : test::TempFolder
{
    Shipped()
    {
        for (const char* name : {"Tarvelo.INI", "Tarvelo Text1.txt", "Tarvelo Lessons.txt",
                                 "Tarvelo Letters.txt", "Tarvelo Lessonhelp.txt"})
            CopyShipped(name);
    }
};

// A user's start of an activity on `folder`, as the main menu prepares it.
struct Activity
{
    explicit Activity(const test::TempFolder& folder,
                      std::int16_t typeMode = CurrentUser::kPractice)
        : state(folder.Path())
    {
        ProfileStore& profile = state.profile;
        state.WindowTop = profile.Read(settings::kUsers, settings::kTop);
        state.WindowLeft = profile.Read(settings::kUsers, settings::kLeft);
        state.layout.Load(profile);
        state.user.SelectSlot(0);
        state.user.UserName = "Ann";
        state.user.SessionNumber = 3;
        state.user.TypeMode = typeMode;
        state.totals = CompleteTotals::Load(profile, state.user.UserSection);
    }

    std::unique_ptr<SessionWindow> Open()
    {
        SessionWindow::Services services;
        services.dialogs = &dialogs;
        services.beeper = &beeper;
        services.guide = &guide;
        services.endProgram = [this] { ++programEnds; };
        return std::make_unique<SessionWindow>(state, std::move(services));
    }

    std::string Users(std::string_view key) const
    {
        return state.profile.ReadProfile(settings::kUsers, key, "<absent>");
    }

    ProgramState state;
    test::ScriptedDialogs dialogs;
    test::CountingBeeper beeper;
    test::RecordingGuide guide;
    int programEnds = 0;
};

template <typename T> T* Child(QWidget& window, const QString& name)
{
    T* child = window.findChild<T*>(name);
    if (!child)
        qFatal("no child %s", qPrintable(name));
    return child;
}

QString Text(QWidget& window, const char* label)
{
    return Child<QLabel>(window, label)->text();
}

// What a typing line shows: "picText1" expected, "picText2" typed.
QString Line(QWidget& window, const char* name)
{
    return Child<QWidget>(window, name)->property("text").toString();
}

ui::OptionFrame* Option(QWidget& window, int option)
{
    return Child<ui::OptionFrame>(window, QString("sOption%1").arg(option));
}

ui::KeyboardView* Keyboard(QWidget& window)
{
    return Child<ui::KeyboardView>(window, "keyboard");
}

ui::FocusBox* Keys(QWidget& window)
{
    return Child<ui::FocusBox>(window, "ControlBox");
}

void Tick(QWidget& window, const char* timer)
{
    QVERIFY(QMetaObject::invokeMethod(Child<QTimer>(window, timer), "timeout"));
}

std::vector<std::string> ShippedSentences(const test::TempFolder& folder)
{
    PracticeText text;
    text.LoadPracticeText(folder.File(PracticeText::kFileName));
    return text.PracticeSentences();
}

const QColor kLit = ui::FromBgr(0x80FF80);
const QColor kUnlit = ui::FromBgr(0xE0E0E0);

} // namespace

class SessionWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTheFirstUseMessageOnlyOnTheFirstSession()
    {
        Shipped folder;
        for (int session : {0, 1}) {
            Activity activity(folder);
            activity.state.user.SessionNumber = session;
            const auto window = activity.Open();
            QCOMPARE(window->windowTitle(), ui::ToQString(SessionWindowTitle(activity.state.user)));
            QCOMPARE(Text(*window, "lMode"), QString("Practice Mode"));
            QCOMPARE(Keyboard(*window)->caption(5), QString("T"));
            QCOMPARE(activity.dialogs.shown.size(), std::size_t(session == 0 ? 1 : 0));
        }
    }

    void ownServicesCreateTheGuidanceWindowHidden()
    {
        Shipped folder;
        Activity activity(folder, CurrentUser::kLessons);
        SessionWindow window(activity.state);
        auto* guidance = Child<QWidget>(window, "LessonHelp");
        QVERIFY(guidance->isWindow());
        QVERIFY(!guidance->isVisible());
    }

    // Keys and statistics ticks reach the engine; the lines, the panel and
    // the statistics timer follow it.
    void typedSentenceIsShownAndCounted()
    {
        Shipped folder;
        const auto sentences = ShippedSentences(folder);
        QVERIFY(sentences.size() >= 2);
        const QString first = QString::fromStdString(sentences[0]);
        Activity activity(folder);
        const auto window = activity.Open();
        auto* statsTimer = Child<QTimer>(*window, "Timer");

        QTest::keyClick(Keys(*window), Qt::Key_Return);
        QCOMPARE(Option(*window, 0)->caption(), QString("Next"));
        QCOMPARE(Line(*window, "picText1"), first);
        QCOMPARE(Text(*window, "lsentnum"), QString("1"));
        QVERIFY(!statsTimer->isActive());

        // One wrong first letter, the rest right; eight ticks before the last key.
        const QString typed = "x" + first.mid(1, first.size() - 2);
        QTest::keyClicks(Keys(*window), typed);
        QCOMPARE(Line(*window, "picText2"), typed);
        QCOMPARE(activity.beeper.beeps, 1);
        QVERIFY(statsTimer->isActive());
        for (int i = 0; i < 8; ++i)
            Tick(*window, "Timer");
        QTest::keyClicks(Keys(*window), first.right(1));

        const auto length = static_cast<double>(first.size());
        const QString accuracy = QString::number(TypingStats::Accuracy(length, 1));
        QCOMPARE(Text(*window, "llerrors"), QString("1"));
        QCOMPARE(Text(*window, "llpercent"), accuracy);
        QCOMPARE(Text(*window, "llwpm"),
                 QString::number(TypingStats::WordsPerMinute(length, 1, 8)));
        QCOMPARE(Text(*window, "lterrors"), QString("1"));
        QCOMPARE(Text(*window, "ltpercent"), accuracy);
        QCOMPARE(Text(*window, "lsentnum"), QString("2"));
        QCOMPARE(Line(*window, "picText1"), QString::fromStdString(sentences[1]));
        QCOMPARE(Line(*window, "picText2"), QString());
        QVERIFY(!statsTimer->isActive());
    }

    void optionKeysAndClicksReachTheOptions()
    {
        Shipped folder;
        Activity activity(folder);
        const auto window = activity.Open();
        window->show();
        const std::int32_t plain = Option(*window, 1)->fill();
        QTest::keyClick(Keys(*window), Qt::Key_Down);
        QVERIFY(Option(*window, 1)->fill() != plain);
        QCOMPARE(Text(*window, "lInfo"), QString("Stop typing."));
        QTest::keyClick(Keys(*window), Qt::Key_Up);
        QTest::keyClick(Keys(*window), Qt::Key_Up);
        QTest::keyClick(Keys(*window), Qt::Key_Right);
        QCOMPARE(Option(*window, 5)->caption(), QString("Sound Off"));

        // A click on a typing line begins; one on AI stops the run.
        QTest::mouseClick(Child<QWidget>(*window, "picText2"), Qt::LeftButton);
        QCOMPARE(Option(*window, 0)->caption(), QString("Next"));
        QTest::keyClicks(Keys(*window), "Th");
        QTest::mouseClick(Option(*window, 3), Qt::LeftButton);
        QCOMPARE(Option(*window, 3)->caption(), QString("AI On"));
        QCOMPARE(Option(*window, 0)->caption(), QString("Begin"));
        QCOMPARE(Line(*window, "picText2"), QString());
    }

    void refusedBackspaceFlashesUntilTheFlashTimerFires()
    {
        Shipped folder;
        Activity activity(folder);
        const auto window = activity.Open();
        auto* flashTimer = Child<QTimer>(*window, "genTimer");
        const std::int32_t plain = Option(*window, 4)->fill();
        QTest::keyClick(Keys(*window), Qt::Key_Return);
        QTest::keyClicks(Keys(*window), "Tx");
        QTest::keyClick(Keys(*window), Qt::Key_Backspace); // off in practice
        QCOMPARE(Line(*window, "picText2"), QString("Tx"));
        QVERIFY(Option(*window, 4)->fill() != plain);
        QVERIFY(flashTimer->isActive());
        const std::int32_t flash = Option(*window, 4)->fill();
        Tick(*window, "genTimer");
        QVERIFY(Option(*window, 4)->fill() != flash);
        QVERIFY(!flashTimer->isActive());

        // Switched on, Backspace takes the last position back.
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(Keys(*window), Qt::Key_Down);
        QTest::keyClick(Keys(*window), Qt::Key_Right);
        QTest::keyClick(Keys(*window), Qt::Key_Backspace);
        QCOMPARE(Line(*window, "picText2"), QString("T"));
    }

    void keysOutsideTheCodePageCountAsWrong()
    {
        Shipped folder;
        Activity activity(folder);
        const auto window = activity.Open();
        QTest::keyClick(Keys(*window), Qt::Key_Return);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x0142)));
        QCoreApplication::sendEvent(Keys(*window), &press);
        QCOMPARE(Line(*window, "picText2"), QString("?"));
        QCOMPARE(activity.beeper.beeps, 1);
    }

    void emptyPracticeTextSaysSoInsteadOfStarting()
    {
        test::TempFolder folder;
        folder.CopyShipped("Tarvelo.INI");
        folder.Write("Tarvelo Text1.txt", "Header line\r\n");
        Activity activity(folder);
        const auto window = activity.Open();
        QTest::keyClick(Keys(*window), Qt::Key_Return);
        QCOMPARE(activity.dialogs.shown.size(), std::size_t{1});
        QCOMPARE(Option(*window, 0)->caption(), QString("Begin"));
        QTest::keyClicks(Keys(*window), "abc");
        QCOMPARE(activity.beeper.beeps, 0);
    }

    void lessonBeginIntroducesTheLessonAndLightsItsFirstKey()
    {
        Shipped folder;
        Activity activity(folder, CurrentUser::kLessons);
        const auto window = activity.Open();
        QCOMPARE(Text(*window, "lMode"), QString("Lesson Mode"));
        QTest::keyClick(Keys(*window), Qt::Key_Return);
        QCOMPARE(activity.guide.shown, std::vector<int>{1});
        QVERIFY(Line(*window, "picText1").startsWith("fff jjj"));
        QCOMPARE(Keyboard(*window)->fill(14), kLit); // f, plain: Shift stays unlit
        QCOMPARE(Keyboard(*window)->fill(32), kUnlit);
    }

    void relabelledKeyKeepsItsSymbolThroughARestart()
    {
        Shipped folder;
        {
            Activity activity(folder);
            const auto window = activity.Open();
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            auto* keyboard = Keyboard(*window);
            QTest::keyClick(Keys(*window), Qt::Key_Return); // "The ...": T and Shift lit
            QCOMPARE(keyboard->fill(5), kLit);

            QTest::mouseClick(keyboard, Qt::LeftButton, {}, keyboard->keyRect(5).center());
            auto* edit = Child<QLineEdit>(*window, "tEnter");
            QVERIFY(edit->isVisible());
            QCOMPARE(edit->geometry().topLeft(), keyboard->keyRect(5).topLeft());
            QTest::keyClick(edit, 'a');
            QVERIFY(!edit->isVisible());
            QCOMPARE(keyboard->caption(5), QString("A"));
            QCOMPARE(keyboard->caption(11), QString());
            // "T" has no key any more: nothing is lit.
            QCOMPARE(keyboard->fill(5), kUnlit);
            QCOMPARE(keyboard->fill(32), kUnlit);

            // Escape in the box changes nothing; Shift-key clicks are refused.
            QTest::mouseClick(keyboard, Qt::LeftButton, {}, keyboard->keyRect(6).center());
            QTest::keyClick(edit, Qt::Key_Escape);
            QVERIFY(!edit->isVisible());
            QCOMPARE(keyboard->caption(6), QString("Y"));
            QTest::mouseClick(keyboard, Qt::LeftButton, {}, keyboard->keyRect(32).center());
            QVERIFY(!edit->isVisible());
        }
        Activity restarted(folder);
        const auto window = restarted.Open();
        QCOMPARE(Keyboard(*window)->caption(5), QString("A"));

        // Reset Keys, after a Yes, puts T back.
        restarted.dialogs.yesNoAnswers.push_back(true);
        Child<QPushButton>(*window, "lResetKeys")->click();
        QCOMPARE(Keyboard(*window)->caption(5), QString("T"));
        QCOMPARE(Keyboard(*window)->caption(11), QString("A"));
    }

    void placementIsKeptAcrossRestarts()
    {
        Shipped folder;
        {
            Activity activity(folder);
            const auto window = activity.Open();
            QVERIFY(!window->isMaximized());
            window->showMaximized();
            QSignalSpy left(window.get(), &SessionWindow::leftToMenu);
            QTest::keyClick(Keys(*window), Qt::Key_Escape); // stopped: leaves
            QVERIFY(!window->isVisible());
            QCOMPARE(left.count(), 0); // queued, so the menu may delete the window
            QTRY_COMPARE(left.count(), 1);
            QCOMPARE(activity.Users("mainmaximized"), std::string("True"));
            QCOMPARE(activity.programEnds, 0);
        }
        QPoint placed;
        {
            Activity activity(folder);
            const auto window = activity.Open();
            QVERIFY(window->windowState().testFlag(Qt::WindowMaximized));
            window->showNormal();
            window->move(40, 30);
            placed = window->pos();
            QTest::keyClick(Keys(*window), Qt::Key_Escape);
            QCOMPARE(activity.Users("mainmaximized"), std::string("False"));
            QCOMPARE(activity.state.WindowLeft, placed.x() * 15);
        }
        Activity activity(folder);
        const auto window = activity.Open();
        QVERIFY(!window->windowState().testFlag(Qt::WindowMaximized));
        QCOMPARE(window->pos(), placed);
    }

    void closeBoxEndsTheProgramStoringOnlyTheFlagWhenMaximized()
    {
        Shipped folder;
        Activity activity(folder);
        const auto window = activity.Open();
        window->showMaximized();
        window->close();
        QCOMPARE(activity.programEnds, 1);
        QCOMPARE(activity.Users("mainmaximized"), std::string("True"));
        QCOMPARE(activity.Users("top"), std::string("<absent>"));
    }

    void typingLinesGrowWithTheWindow()
    {
        Shipped folder;
        Activity activity(folder);
        const auto window = activity.Open();
        window->show();
        auto* line = Child<QWidget>(*window, "picText1");
        window->resize(760, 560);
        QCoreApplication::processEvents();
        const int small = line->height();
        window->resize(1500, 1000);
        QCoreApplication::processEvents();
        // The font, and with it the line's height, keeps pace with the width.
        QVERIFY(line->width() > 1300);
        QVERIFY2(line->height() * 30 > line->width(), qPrintable(QString("%1 -> %2 high, %3 wide")
                                                                     .arg(small)
                                                                     .arg(line->height())
                                                                     .arg(line->width())));
    }

    void dedicationAnswersOnlyTheRightPhrase()
    {
        Shipped folder;
        Activity activity(folder);
        const auto window = activity.Open();
        auto* label = Child<QLabel>(*window, "amarel");
        activity.dialogs.textAnswers = {std::string("quartz"), std::string("quartzfeatherlumens")};
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(activity.dialogs.shown.size(), std::size_t{1}); // the question only
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(activity.dialogs.shown.size(), std::size_t{3});
        QCOMPARE(activity.dialogs.shown[2].title, std::string("My Dear Amarel"));
    }
};

QTEST_MAIN(SessionWindowTest)
#include "session_window_test.moc"
