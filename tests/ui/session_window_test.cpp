#include "material/lesson_catalogue.h"
#include "material/lesson_guide.h"
#include "material/practice_text.h"
#include "platform/beeper.h"
#include "session/session_options.h"
#include "session/session_window.h"
#include "state/program_state.h"
#include "stats/typing_stats.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "ui/colours.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/option_frame.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

using namespace tarvelo;

namespace {

class CountingBeeper : public Beeper
{
public:
    void Beep() override { ++beeps; }
    int beeps = 0;
};

class RecordingGuide : public LessonGuide
{
public:
    void IntroduceLesson(LessonCatalogue& catalogue) override
    {
        introduced.push_back(catalogue.LessonNumber());
    }
    std::vector<int> introduced;
};

// A user's start of an activity on a folder with the shipped data, as the
// main menu prepares it.
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

    ProgramState state;
    test::ScriptedDialogs dialogs;
    CountingBeeper beeper;
    RecordingGuide guide;
    int programEnds = 0;
};

test::TempFolder* ShippedFolder(std::unique_ptr<test::TempFolder>& holder)
{
    holder = std::make_unique<test::TempFolder>();
    for (const char* name : {"Tarvelo.INI", "Tarvelo Text1.txt", "Tarvelo Lessons.txt",
                             "Tarvelo Letters.txt", "Tarvelo Lessonhelp.txt"})
        holder->CopyShipped(name);
    return holder.get();
}

template <typename T> T* Child(QWidget& window, const char* name)
{
    T* child = window.findChild<T*>(name);
    if (!child)
        qFatal("no child %s", name);
    return child;
}

QString Text(QWidget& window, const char* label)
{
    return Child<QLabel>(window, label)->text();
}

QString Line(QWidget& window, const char* name)
{
    return Child<QWidget>(window, name)->property("text").toString();
}

ui::OptionFrame* Option(QWidget& window, int option)
{
    return Child<ui::OptionFrame>(window, QString("sOption%1").arg(option).toUtf8().constData());
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

std::string Stored(const ProgramState& state, std::string_view key)
{
    return state.profile.ReadProfile(state.user.UserSection, key, "<absent>");
}

std::string StoredUsers(const ProgramState& state, std::string_view key)
{
    return state.profile.ReadProfile(settings::kUsers, key, "<absent>");
}

} // namespace

class SessionWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void opensWithTheUsersTitleModeAndFirstUseMessage()
    {
        std::unique_ptr<test::TempFolder> holder;
        const test::TempFolder& folder = *ShippedFolder(holder);
        for (int session : {0, 1}) {
            Activity activity(folder);
            activity.state.user.SessionNumber = session;
            const auto window = activity.Open();
            QCOMPARE(window->windowTitle(), QString("Tarvelo - Welcome Ann"));
            QCOMPARE(Text(*window, "lMode"), QString("Practice Mode"));
            QCOMPARE(Option(*window, 0)->caption(), QString("Begin"));
            QCOMPARE(Option(*window, 0)->fill(), SessionOptions::kBeginFill);
            QCOMPARE(Option(*window, 4)->caption(), QString("Backspace Off"));
            QCOMPARE(Text(*window, "llpercent"), QString("100"));
            QCOMPARE(Text(*window, "lsentnum"), QString("0"));
            QCOMPARE(Child<ui::KeyboardView>(*window, "keyboard")->caption(5), QString("T"));
            if (session == 0) {
                QCOMPARE(activity.dialogs.shown.size(), std::size_t{1});
                QCOMPARE(activity.dialogs.shown[0].title,
                         std::string("Tarvelo - Relatively Important Message"));
                QCOMPARE(activity.dialogs.shown[0].text,
                         std::string(SessionOptions::kFirstUseText));
            } else {
                QVERIFY(activity.dialogs.shown.empty());
            }
        }
    }

    void ownServicesCreateTheGuidanceWindowHidden()
    {
        std::unique_ptr<test::TempFolder> holder;
        Activity activity(*ShippedFolder(holder), CurrentUser::kLessons);
        SessionWindow window(activity.state);
        auto* guidance = Child<QWidget>(window, "LessonHelp");
        QVERIFY(guidance->isWindow());
        QVERIFY(!guidance->isVisible());
    }

    void practiceSentenceTypedToItsEnd()
    {
        std::unique_ptr<test::TempFolder> holder;
        const test::TempFolder& folder = *ShippedFolder(holder);
        const auto sentences = ShippedSentences(folder);
        QVERIFY(sentences.size() >= 2);
        const QString first = QString::fromStdString(sentences[0]);
        Activity activity(folder);
        const auto window = activity.Open();

        QTest::keyClick(Keys(*window), Qt::Key_Return);
        QCOMPARE(Option(*window, 0)->caption(), QString("Next"));
        QCOMPARE(Line(*window, "picText1"), first);
        QCOMPARE(Text(*window, "lsentnum"), QString("1"));

        // One wrong first letter, the rest right; eight statistics ticks
        // before the last key.
        const QString typed = "x" + first.mid(1, first.size() - 2);
        QTest::keyClicks(Keys(*window), typed);
        QCOMPARE(Line(*window, "picText2"), typed);
        QCOMPARE(activity.beeper.beeps, 1);
        auto* statsTimer = Child<QTimer>(*window, "Timer");
        QVERIFY(statsTimer->isActive());
        QCOMPARE(statsTimer->interval(), 250);
        QCOMPARE(statsTimer->timerType(), Qt::PreciseTimer);
        for (int i = 0; i < 8; ++i)
            Tick(*window, "Timer");
        QCOMPARE(Text(*window, "lTimeSpent"), QString("0.0"));
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
        // Saved at the sentence's end, before its last character is counted.
        QCOMPARE(Stored(activity.state, "completeposition"), std::to_string(first.size()));
        QCOMPARE(Stored(activity.state, "completeqseconds"), std::string("9"));
        QCOMPARE(Stored(activity.state, "completeerrors"), std::string("1"));
        QVERIFY(!statsTimer->isActive());

        // The close box ends the program and keeps what was saved.
        window->close();
        QCOMPARE(activity.programEnds, 1);
        QCOMPARE(Stored(activity.state, "completeerrors"), std::string("1"));
        QCOMPARE(StoredUsers(activity.state, "mainmaximized"), std::string("False"));
    }

    void arrowsMoveTheSelectionAndShowItsHint()
    {
        std::unique_ptr<test::TempFolder> holder;
        Activity activity(*ShippedFolder(holder));
        const auto window = activity.Open();
        QTest::keyClick(Keys(*window), Qt::Key_Down);
        QCOMPARE(Option(*window, 1)->fill(), SessionOptions::kSelectedFill);
        QCOMPARE(Text(*window, "lInfo"), QString("Stop typing."));
        QTest::keyClick(Keys(*window), Qt::Key_Up);
        QTest::keyClick(Keys(*window), Qt::Key_Up);
        QCOMPARE(Option(*window, 5)->fill(), SessionOptions::kSelectedFill);
        QCOMPARE(Option(*window, 0)->fill(), SessionOptions::kBeginFill);
        QTest::keyClick(Keys(*window), Qt::Key_Right); // Sound Off
        QCOMPARE(Option(*window, 5)->caption(), QString("Sound Off"));
        QCOMPARE(Stored(activity.state, "beeponerror"), std::string("False"));
        QTest::keyClick(Keys(*window), 'q');
        QCOMPARE(Text(*window, "lInfo"),
                 QString("This toggles whether the program beeps when you make a mistake."));
    }

    void enterBeginsAndSkipsEscapeStopsThenLeaves()
    {
        std::unique_ptr<test::TempFolder> holder;
        const test::TempFolder& folder = *ShippedFolder(holder);
        const auto sentences = ShippedSentences(folder);
        Activity activity(folder);
        const auto window = activity.Open();
        window->show();
        QSignalSpy left(window.get(), &SessionWindow::leftToMenu);

        QTest::keyClick(Keys(*window), Qt::Key_Return);
        QTest::keyClicks(Keys(*window), "Th");
        QTest::keyClick(Keys(*window), Qt::Key_Return); // mid-line: Next
        QCOMPARE(Line(*window, "picText1"), QString::fromStdString(sentences[1]));
        QCOMPARE(Line(*window, "picText2"), QString());
        // A skipped sentence is not counted.
        QCOMPARE(Text(*window, "lsentnum"), QString("1"));

        QTest::keyClick(Keys(*window), Qt::Key_Escape);
        QCOMPARE(Option(*window, 0)->caption(), QString("Begin"));
        QCOMPARE(Line(*window, "picText1").trimmed(), QString());
        QVERIFY(window->isVisible());
        QCoreApplication::processEvents();
        QCOMPARE(left.count(), 0);

        QTest::keyClick(Keys(*window), Qt::Key_Escape);
        QVERIFY(!window->isVisible());
        QTRY_COMPARE(left.count(), 1);
        QCOMPARE(StoredUsers(activity.state, "mainmaximized"), std::string("False"));
        QCOMPARE(activity.programEnds, 0);
    }

    void leftOnMainMenuLeaves()
    {
        std::unique_ptr<test::TempFolder> holder;
        Activity activity(*ShippedFolder(holder));
        const auto window = activity.Open();
        QSignalSpy left(window.get(), &SessionWindow::leftToMenu);
        QTest::keyClick(Keys(*window), Qt::Key_Left);
        QTest::keyClick(Keys(*window), Qt::Key_Down);
        QTest::keyClick(Keys(*window), Qt::Key_Down);
        QCoreApplication::processEvents();
        QCOMPARE(left.count(), 0);
        QTest::keyClick(Keys(*window), Qt::Key_Left);
        QTRY_COMPARE(left.count(), 1);
    }

    void backspaceReachesTheEngineAndIsRefusedWithAFlash()
    {
        std::unique_ptr<test::TempFolder> holder;
        Activity activity(*ShippedFolder(holder));
        const auto window = activity.Open();
        QTest::keyClick(Keys(*window), Qt::Key_Return);
        QTest::keyClicks(Keys(*window), "Tx");
        QTest::keyClick(Keys(*window), Qt::Key_Backspace); // off in practice
        QCOMPARE(Line(*window, "picText2"), QString("Tx"));
        QCOMPARE(Option(*window, 4)->fill(), SessionOptions::kFlashFill);
        QVERIFY(Child<QTimer>(*window, "genTimer")->isActive());
        Tick(*window, "genTimer");
        QCOMPARE(Option(*window, 4)->fill(), SessionOptions::kAfterFlashFill);
        QVERIFY(!Child<QTimer>(*window, "genTimer")->isActive());

        // Switched on, Backspace takes the last position back.
        for (int i = 0; i < 4; ++i)
            QTest::keyClick(Keys(*window), Qt::Key_Down);
        QTest::keyClick(Keys(*window), Qt::Key_Right);
        QCOMPARE(Option(*window, 4)->caption(), QString("Backspace On"));
        QTest::keyClick(Keys(*window), Qt::Key_Backspace);
        QCOMPARE(Line(*window, "picText2"), QString("T"));
    }

    void keysOutsideTheCodePageCountAsWrong()
    {
        std::unique_ptr<test::TempFolder> holder;
        Activity activity(*ShippedFolder(holder));
        const auto window = activity.Open();
        QTest::keyClick(Keys(*window), Qt::Key_Return);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(QChar(0x0142)));
        QCoreApplication::sendEvent(Keys(*window), &press);
        QCOMPARE(Line(*window, "picText2"), QString("?"));
        QCOMPARE(activity.beeper.beeps, 1);
    }

    void togglingAiStopsTheRun()
    {
        std::unique_ptr<test::TempFolder> holder;
        Activity activity(*ShippedFolder(holder));
        const auto window = activity.Open();
        window->show();
        QTest::keyClick(Keys(*window), Qt::Key_Return);
        QTest::keyClicks(Keys(*window), "Th");
        QTest::mouseClick(Option(*window, 3), Qt::LeftButton);
        QCOMPARE(Option(*window, 3)->caption(), QString("AI On"));
        QCOMPARE(Option(*window, 0)->caption(), QString("Begin"));
        QCOMPARE(Line(*window, "picText2"), QString());
        QCOMPARE(Option(*window, 3)->fill(), SessionOptions::kSelectedFill);
        QCOMPARE(Stored(activity.state, "intelligent"), std::string("True"));

        // Backspace cannot be clicked now; Down from AI skips it.
        QTest::mouseClick(Option(*window, 4), Qt::LeftButton);
        QCOMPARE(Option(*window, 4)->caption(), QString("Backspace Off"));
        QTest::keyClick(Keys(*window), Qt::Key_Down);
        QCOMPARE(Option(*window, 5)->fill(), SessionOptions::kSelectedFill);
        QCOMPARE(Option(*window, 4)->fill(), SessionOptions::kFill);
    }

    void clickingATypingLineBegins()
    {
        std::unique_ptr<test::TempFolder> holder;
        Activity activity(*ShippedFolder(holder));
        const auto window = activity.Open();
        window->show();
        QTest::mouseClick(Child<QWidget>(*window, "picText2"), Qt::LeftButton);
        QCOMPARE(Option(*window, 0)->caption(), QString("Next"));
        QVERIFY(!Line(*window, "picText1").isEmpty());
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
        QCOMPARE(activity.dialogs.shown[0].text, std::string(SessionOptions::kNoSentences));
        QCOMPARE(Option(*window, 0)->caption(), QString("Begin"));
        QTest::keyClicks(Keys(*window), "abc");
        QCOMPARE(activity.beeper.beeps, 0);
    }

    void lessonBeginIntroducesTheLesson()
    {
        std::unique_ptr<test::TempFolder> holder;
        Activity activity(*ShippedFolder(holder), CurrentUser::kLessons);
        const auto window = activity.Open();
        QCOMPARE(Text(*window, "lMode"), QString("Lesson Mode"));
        QCOMPARE(Option(*window, 4)->caption(), QString("Backspace On"));
        QTest::keyClick(Keys(*window), Qt::Key_Return);
        QCOMPARE(activity.guide.introduced, std::vector<int>{1});
        QVERIFY(Line(*window, "picText1").startsWith("fff jjj"));
        // The next key lights up: f, plain.
        auto* keyboard = Child<ui::KeyboardView>(*window, "keyboard");
        QCOMPARE(keyboard->fill(14), ui::FromBgr(0x80FF80));
        QCOMPARE(keyboard->fill(32), ui::FromBgr(0xE0E0E0));
    }

    void relabelledKeyKeepsItsSymbolThroughARestart()
    {
        std::unique_ptr<test::TempFolder> holder;
        const test::TempFolder& folder = *ShippedFolder(holder);
        {
            Activity activity(folder);
            const auto window = activity.Open();
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window.get()));
            auto* keyboard = Child<ui::KeyboardView>(*window, "keyboard");
            QTest::keyClick(Keys(*window), Qt::Key_Return); // "The ...": T and Shift lit
            QCOMPARE(keyboard->fill(5), ui::FromBgr(0x80FF80));

            QTest::mouseClick(keyboard, Qt::LeftButton, {}, keyboard->keyRect(5).center());
            auto* edit = Child<QLineEdit>(*window, "tEnter");
            QVERIFY(edit->isVisible());
            QCOMPARE(edit->geometry().topLeft(), keyboard->keyRect(5).topLeft());
            QCOMPARE(edit->width(), keyboard->keyRect(5).width());
            QTest::keyClick(edit, 'a');
            QVERIFY(!edit->isVisible());
            QCOMPARE(keyboard->caption(5), QString("A"));
            QCOMPARE(keyboard->caption(11), QString());
            // "T" has no key any more: nothing is lit.
            QCOMPARE(keyboard->fill(5), ui::FromBgr(0xE0E0E0));
            QCOMPARE(keyboard->fill(32), ui::FromBgr(0xE0E0E0));

            // Escape in the box changes nothing; Shift-key clicks are refused.
            QTest::mouseClick(keyboard, Qt::LeftButton, {}, keyboard->keyRect(6).center());
            QTest::keyClick(edit, Qt::Key_Escape);
            QVERIFY(!edit->isVisible());
            QCOMPARE(keyboard->caption(6), QString("Y"));
            QTest::mouseClick(keyboard, Qt::LeftButton, {}, keyboard->keyRect(32).center());
            QVERIFY(!edit->isVisible());
        }
        Activity restarted(folder);
        QCOMPARE(restarted.state.layout.KeyOfChar('A'), 5);
        QCOMPARE(restarted.state.layout.KeyOfChar('T'), KeyboardLayout::kNoKey);
        const auto window = restarted.Open();
        auto* keyboard = Child<ui::KeyboardView>(*window, "keyboard");
        QCOMPARE(keyboard->caption(5), QString("A"));

        // Reset Keys, after a Yes, puts T back.
        restarted.dialogs.yesNoAnswers.push_back(true);
        Child<QPushButton>(*window, "lResetKeys")->click();
        QCOMPARE(restarted.dialogs.shown.back().title, std::string("Confirmation"));
        QCOMPARE(keyboard->caption(5), QString("T"));
        QCOMPARE(keyboard->caption(11), QString("A"));
    }

    void placementIsKeptAcrossRestarts()
    {
        std::unique_ptr<test::TempFolder> holder;
        const test::TempFolder& folder = *ShippedFolder(holder);
        {
            Activity activity(folder);
            const auto window = activity.Open();
            QVERIFY(!window->isMaximized());
            window->showMaximized();
            QTest::keyClick(Keys(*window), Qt::Key_Escape);
            QCOMPARE(StoredUsers(activity.state, "mainmaximized"), std::string("True"));
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
            QCOMPARE(StoredUsers(activity.state, "mainmaximized"), std::string("False"));
            QCOMPARE(activity.state.WindowLeft, placed.x() * 15);
            QCOMPARE(StoredUsers(activity.state, "top"), std::to_string(placed.y() * 15));
        }
        Activity activity(folder);
        const auto window = activity.Open();
        QVERIFY(!window->windowState().testFlag(Qt::WindowMaximized));
        QCOMPARE(window->pos(), placed);
    }

    void closeBoxOfAMaximizedWindowStoresOnlyTheFlag()
    {
        std::unique_ptr<test::TempFolder> holder;
        Activity activity(*ShippedFolder(holder));
        const auto window = activity.Open();
        window->showMaximized();
        window->close();
        QCOMPARE(activity.programEnds, 1);
        QCOMPARE(StoredUsers(activity.state, "mainmaximized"), std::string("True"));
        QCOMPARE(StoredUsers(activity.state, "top"), std::string("<absent>"));
    }

    void typingLinesGrowWithTheWindow()
    {
        std::unique_ptr<test::TempFolder> holder;
        Activity activity(*ShippedFolder(holder));
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
        std::unique_ptr<test::TempFolder> holder;
        Activity activity(*ShippedFolder(holder));
        const auto window = activity.Open();
        auto* label = Child<QLabel>(*window, "amarel");
        activity.dialogs.textAnswers = {std::string("quartz"), std::string("quartzfeatherlumens")};
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(activity.dialogs.shown.size(), std::size_t{1});
        QCOMPARE(activity.dialogs.shown[0].text, std::string("Password?"));
        QTest::mouseClick(label, Qt::LeftButton);
        QCOMPARE(activity.dialogs.shown.size(), std::size_t{3});
        QCOMPARE(activity.dialogs.shown[2].title, std::string("My Dear Amarel"));
        QCOMPARE(activity.dialogs.shown[2].text, std::string(SessionOptions::kDedicationText));
    }
};

QTEST_MAIN(SessionWindowTest)
#include "session_window_test.moc"
