// What a new user ran into in the typing windows, one regression test each.
#include "app/application.h"
#include "material/lesson_guide.h"
#include "menu/main_window.h"
#include "menu/new_user_dialog.h"
#include "platform/beeper.h"
#include "profile/profile_store.h"
#include "session/session_window.h"
#include "state/program_state.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_name_dialog.h"
#include "support/temp_folder.h"
#include "ui/colours.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/option_frame.h"
#include "ui/twips.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

using namespace tarvelo;

namespace {

constexpr const char* kShippedFiles[] = {"Tarvelo.INI", "Tarvelo Text1.txt", "Tarvelo Lessons.txt",
                                         "Tarvelo Letters.txt", "Tarvelo Lessonhelp.txt"};

struct CountingBeeper : Beeper
{
    void Beep() override { ++beeps; }
    int beeps = 0;
};

struct NoGuide : LessonGuide
{
    void IntroduceLesson(LessonCatalogue&) override {}
};

// Records, with each message, whether a given window was visible then.
struct WitnessedDialogs : test::ScriptedDialogs
{
    void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override
    {
        witnessVisible.push_back(witness && witness->isVisible());
        ScriptedDialogs::ShowMessage(text, title, icon);
    }
    QPointer<QWidget> witness;
    std::vector<bool> witnessVisible;
};

// A folder with the shipped data, less the files named.
struct Folder
{
    explicit Folder(std::initializer_list<std::string_view> without = {})
    {
        for (const char* name : kShippedFiles) {
            if (std::find(without.begin(), without.end(), name) == without.end())
                folder.CopyShipped(name);
        }
    }
    void Write(std::string_view section, std::string_view key, std::string_view value)
    {
        QVERIFY(ProfileStore(folder.Path()).WriteProfile(section, key, value));
    }
    test::TempFolder folder;
};

// The session window of user 0, as the main menu opens it.
struct Activity
{
    explicit Activity(const Folder& data, std::int16_t typeMode = CurrentUser::kPractice)
        : state(data.folder.Path())
    {
        state.WindowTop = state.profile.Read(settings::kUsers, settings::kTop);
        state.WindowLeft = state.profile.Read(settings::kUsers, settings::kLeft);
        state.layout.Load(state.profile);
        state.user.SelectSlot(0);
        state.user.UserName = "Ann";
        state.user.SessionNumber = 3;
        state.user.TypeMode = typeMode;
    }

    std::unique_ptr<SessionWindow> Open()
    {
        SessionWindow::Services services{&dialogs, &beeper, &guide, [] {}};
        return std::make_unique<SessionWindow>(state, std::move(services));
    }

    ProgramState state;
    test::ScriptedDialogs dialogs;
    CountingBeeper beeper;
    NoGuide guide;
};

// The main menu over a folder, its session windows made with scripted parts.
struct Menu
{
    std::unique_ptr<MainWindow> Start()
    {
        MenuServices services{
            &dialogs, &names, [this](ProgramState& state) {
                SessionWindow::Services s{&sessionDialogs, &beeper, &guide, [] {}};
                session = new SessionWindow(state, s);
                return session.data();
            }};
        return StartApplication(data.folder.Path(), dialogs, std::move(services));
    }

    Folder data;
    test::ScriptedDialogs dialogs;
    test::ScriptedNameDialog names;
    WitnessedDialogs sessionDialogs;
    CountingBeeper beeper;
    NoGuide guide;
    QPointer<SessionWindow> session;
};

template <typename T> T* Child(QWidget& window, const char* name)
{
    T* child = window.findChild<T*>(name);
    if (!child)
        qFatal("no child %s", name);
    return child;
}

ui::FocusBox* Keys(QWidget& window)
{
    return Child<ui::FocusBox>(window, "ControlBox");
}

QString TypedLine(QWidget& window)
{
    return Child<QWidget>(window, "picText2")->property("text").toString();
}

// A key press as X11 delivers it, text included.
void SendKey(QWidget* target, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &release);
}

// Leaves the session window by its "Main Menu" option and lets the menu
// take over.
void LeaveForTheMenu(SessionWindow& session)
{
    QTest::keyClick(Keys(session), Qt::Key_Down);
    QTest::keyClick(Keys(session), Qt::Key_Down);
    QTest::keyClick(Keys(session), Qt::Key_Right);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class NewUserFaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void deleteAndControlKeysTypeNothingDuringARun()
    {
        Folder data;
        Activity activity(data);
        const auto window = activity.Open();
        QTest::keyClick(Keys(*window), Qt::Key_Return);
        SendKey(Keys(*window), Qt::Key_Delete, QStringLiteral("\x7f"));
        SendKey(Keys(*window), Qt::Key_unknown, QString(QChar(0x85))); // a C1 control
        QCOMPARE(TypedLine(*window), QString());
        QCOMPARE(activity.beeper.beeps, 0);
        QVERIFY(activity.dialogs.shown.empty());
    }

    void keyEditRefusesACharacterOutsideTheCodePage()
    {
        Folder data;
        Activity activity(data);
        const auto window = activity.Open();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* keyboard = Child<ui::KeyboardView>(*window, "keyboard");
        const std::string fileBefore = data.folder.Read("Tarvelo.INI");
        QStringList captionsBefore;
        for (int key = 1; key <= ui::KeyboardView::kKeyCount; ++key)
            captionsBefore << keyboard->caption(key);

        QTest::mouseClick(keyboard, Qt::LeftButton, {}, keyboard->keyRect(5).center());
        auto* edit = Child<QLineEdit>(*window, "tEnter");
        QVERIFY(edit->isVisible());
        SendKey(edit, Qt::Key_unknown, QString(QChar(0x0142))); // l with stroke

        QCOMPARE(activity.dialogs.shown.size(), std::size_t{1});
        QCOMPARE(activity.dialogs.shown[0].icon, MessageIcon::Exclamation);
        QStringList captionsAfter;
        for (int key = 1; key <= ui::KeyboardView::kKeyCount; ++key)
            captionsAfter << keyboard->caption(key);
        QCOMPARE(captionsAfter, captionsBefore);
        QCOMPARE(activity.state.layout.KeyOfChar('?'), 31);
        QCOMPARE(activity.state.layout.KeyOfChar('/'), 31);
        QCOMPARE(activity.state.layout.KeyOfChar('T'), 5);
        QCOMPARE(data.folder.Read("Tarvelo.INI"), fileBefore);
    }

    void nameThatLosesAccentsIsShownBeforeItIsStored()
    {
        test::TempFolder folder;
        test::ScriptedDialogs dialogs;
        NewUserDialog dialog(folder.Path(), dialogs);
        QString shown;
        QTimer::singleShot(0, [&] {
            auto* edit = dialog.findChild<QLineEdit*>("tName");
            edit->setText(QString::fromUtf8("Łucja Wałęsa"));
            shown = edit->text();
            SendKey(edit, Qt::Key_unknown, QString::fromUtf8("ő"));
            shown += "|" + edit->text();
            dialog.findChild<QPushButton*>("bOK")->click();
        });
        const auto name = dialog.AskName("");
        QCOMPARE(shown, QString("Lucja Walesa|Lucja Walesao"));
        QCOMPARE(name, std::optional<std::string>("Lucja Walesao"));
        QVERIFY(dialogs.shown.empty());
    }

    void longNameKeepsTheMenuAndTitlesNarrow()
    {
        Menu menu;
        std::string name;
        for (int i = 0; i < 160; ++i) // as long as the settings file gives back
            name += static_cast<char>('a' + i % 26);
        menu.data.Write("users", "user0", name);
        menu.data.Write("users", "lastuser", "0");
        menu.data.Write("user0", "sessionnumber", "3");
        const auto window = menu.Start();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));

        QVERIFY2(window->width() < 1000, qPrintable(QString::number(window->width())));
        auto* box = Child<ui::OptionFrame>(*window, "lUser0");
        QCOMPARE(box->caption(), QString::fromLatin1(name));
        QVERIFY(box->shownCaption().endsWith(QChar(0x2026)));
        QVERIFY(box->shownCaption().size() < 100);
        QCOMPARE(box->toolTip(), QString::fromLatin1(name));
        QCOMPARE(Child<ui::OptionFrame>(*window, "lRow24")->toolTip(), QString());

        QTest::keyClick(Keys(*window), Qt::Key_Right);
        QTest::keyClick(Keys(*window), Qt::Key_Return);
        QVERIFY(menu.session);
        const QString title = menu.session->windowTitle();
        QVERIFY2(title.size() < 80, qPrintable(title));
        QVERIFY(title.endsWith(QChar(0x2026)));
        QVERIFY(title.contains(QString::fromLatin1(name.substr(0, 30))));
    }

    // The offscreen platform keeps the frame of a hidden window, so this
    // guards the round trip itself; a window manager that forgets the frame
    // of an unmapped window made the menu come back a title bar too high.
    void movedWindowReopensWhereItWasLeft()
    {
        Menu menu;
        menu.data.Write("users", "user0", "Ann");
        menu.data.Write("user0", "sessionnumber", "3");
        menu.data.Write("users", "left", "150"); // both windows fit the 800 x 600 screen
        menu.data.Write("users", "top", "150");
        const auto window = menu.Start();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTest::keyClick(Keys(*window), Qt::Key_Right);
        QTest::keyClick(Keys(*window), Qt::Key_Return);
        QVERIFY(menu.session && menu.session->isVisible());
        QCOMPARE(menu.session->frameGeometry().topLeft(), window->frameGeometry().topLeft());

        const QPoint left(37, 23);
        menu.session->move(left);
        QCOMPARE(menu.session->frameGeometry().topLeft(), left);
        LeaveForTheMenu(*menu.session);
        QVERIFY(window->isVisible());
        QCOMPARE(window->frameGeometry().topLeft(), left);
        const QPoint twips = ui::PixelsToTwips(left, window.get());
        const ProfileStore store(menu.data.folder.Path());
        QCOMPARE(store.ReadProfile("users", "left", ""), std::to_string(twips.x()));
        QCOMPARE(store.ReadProfile("users", "top", ""), std::to_string(twips.y()));

        QTest::keyClick(Keys(*window), Qt::Key_Right);
        QTest::keyClick(Keys(*window), Qt::Key_Return);
        QVERIFY(menu.session);
        QCOMPARE(menu.session->frameGeometry().topLeft(), left);
        LeaveForTheMenu(*menu.session);
        QCOMPARE(window->frameGeometry().topLeft(), left);
        QCOMPARE(store.ReadProfile("users", "top", ""), std::to_string(twips.y()));
    }

    void firstUseMessageComesAfterTheMenuHides()
    {
        Menu menu;
        menu.data.Write("users", "user0", "Ann");
        menu.data.Write("user0", "sessionnumber", "0");
        const auto window = menu.Start();
        window->show();
        menu.sessionDialogs.witness = window.get();
        QTest::keyClick(Keys(*window), Qt::Key_Right);
        QTest::keyClick(Keys(*window), Qt::Key_Return);
        QVERIFY(menu.session);
        QCOMPARE(menu.sessionDialogs.witnessVisible, std::vector<bool>{false});
    }

    void hoverBorderGoesWhenThePointerLeaves()
    {
        Folder data;
        Activity activity(data);
        const auto window = activity.Open();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto* keyboard = Child<ui::KeyboardView>(*window, "keyboard");
        const QColor plain = keyboard->border(5);
        const QPointF over = keyboard->keyRect(5).center();
        QMouseEvent move(QEvent::MouseMove, over, keyboard->mapToGlobal(over), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(keyboard, &move);
        QVERIFY(keyboard->border(5) != plain);

        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(keyboard, &leave);
        QCOMPARE(keyboard->border(5), plain);
    }

    void missingLessonFilesAreNamedOnceAtTheStart()
    {
        Folder data({"Tarvelo Letters.txt", "Tarvelo Lessonhelp.txt"});
        Activity activity(data, CurrentUser::kLessons);
        const auto window = activity.Open();
        QCOMPARE(activity.dialogs.shown.size(), std::size_t{1});
        const std::string& text = activity.dialogs.shown[0].text;
        QVERIFY2(text.find("\"Tarvelo Letters.txt\"") != std::string::npos, text.c_str());
        QVERIFY2(text.find("\"Tarvelo Lessonhelp.txt\"") != std::string::npos, text.c_str());

        QTest::keyClick(Keys(*window), Qt::Key_Return); // the lessons go on
        QVERIFY(!Child<QWidget>(*window, "picText1")->property("text").toString().isEmpty());
        QCOMPARE(activity.dialogs.shown.size(), std::size_t{1});
    }

    void missingPracticeTextIsNamedAtBegin()
    {
        Folder data({"Tarvelo Text1.txt"});
        Activity activity(data);
        const auto window = activity.Open();
        QVERIFY(activity.dialogs.shown.empty());
        QTest::keyClick(Keys(*window), Qt::Key_Return);
        QCOMPARE(activity.dialogs.shown.size(), std::size_t{1});
        const std::string& text = activity.dialogs.shown[0].text;
        QVERIFY2(text.find("\"Tarvelo Text1.txt\" is missing") != std::string::npos, text.c_str());
    }
};

QTEST_MAIN(NewUserFaultsTest)
#include "new_user_faults_test.moc"
