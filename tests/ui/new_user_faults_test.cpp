// What a new user ran into in the typing windows, one regression test each.
#include "app/application.h"
#include "material/lesson_guide.h"
#include "menu/new_user_dialog.h"
#include "platform/beeper.h"
#include "profile/profile_store.h"
#include "session/session_window.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_name_dialog.h"
#include "support/temp_folder.h"
#include "ui/focus_box.h"
#include "ui/keyboard_view.h"
#include "ui/option_frame.h"

#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace tarvelo;

namespace {

struct Fakes : test::ScriptedDialogs, Beeper, LessonGuide
{
    void Beep() override { ++beeps; }
    void IntroduceLesson(LessonCatalogue&) override {}
    void ShowMessage(std::string_view text, std::string_view title, MessageIcon icon) override
    {
        menuVisible.push_back(menu && menu->isVisible());
        ScriptedDialogs::ShowMessage(text, title, icon);
    }
    int beeps = 0;
    QPointer<QWidget> menu;
    std::vector<bool> menuVisible; // with each message
};

ui::FocusBox* Keys(QWidget* window)
{
    return window->findChild<ui::FocusBox*>();
}

void SendKey(QWidget* target, int key, const QString& text) // as X11 gives it
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
}

// The main menu over the shipped data less `without`, user 0 entered and a
// session opened: practice, or lessons.
struct Run
{
    explicit Run(std::initializer_list<std::string_view> without = {}, bool practice = true,
                 const std::string& name = "Ann", const char* sessionNumber = "3")
    {
        for (const char* file : {"Tarvelo.INI", "Tarvelo Text1.txt", "Tarvelo Lessons.txt",
                                 "Tarvelo Letters.txt", "Tarvelo Lessonhelp.txt"})
            if (std::find(without.begin(), without.end(), file) == without.end())
                folder.CopyShipped(file);
        ProfileStore store(folder.Path());
        store.WriteProfile("users", "user0", name);
        store.WriteProfile("user0", "sessionnumber", sessionNumber);
        store.WriteProfile("users", "left", "150"); // the windows fit the 800 x 600 screen
        store.WriteProfile("users", "top", "150");
        MenuServices services{
            &dialogs, &names, [this](ProgramState& state) {
                return session = new SessionWindow(state, {&fakes, &fakes, &fakes, [] {}});
            }};
        menu = StartApplication(folder.Path(), dialogs, std::move(services));
        menu->show();
        fakes.menu = menu.get();
        QTest::keyClick(Keys(menu.get()), Qt::Key_Right);
        if (practice)
            QTest::keyClick(Keys(menu.get()), Qt::Key_Down);
        QTest::keyClick(Keys(menu.get()), Qt::Key_Return);
    }

    test::TempFolder folder;
    test::ScriptedDialogs dialogs;
    test::ScriptedNameDialog names;
    Fakes fakes;
    std::unique_ptr<MainWindow> menu;
    QPointer<SessionWindow> session;
};

} // namespace

class NewUserFaultsTest : public QObject
{
    Q_OBJECT

private slots:
    void deleteAndControlKeysTypeNothingDuringARun()
    {
        Run run;
        QTest::keyClick(Keys(run.session), Qt::Key_Return);
        SendKey(Keys(run.session), Qt::Key_Delete, "\x7f");
        SendKey(Keys(run.session), Qt::Key_unknown, QString(QChar(0x85))); // C1
        QCOMPARE(run.session->findChild<QWidget*>("picText2")->property("text").toString(), "");
        QCOMPARE(run.fakes.beeps, 0);
    }

    void keyEditRefusesACharacterOutsideTheCodePage()
    {
        Run run;
        auto* keyboard = run.session->findChild<ui::KeyboardView*>();
        const std::string before = run.folder.Read("Tarvelo.INI");
        QTest::mouseClick(keyboard, Qt::LeftButton, {}, keyboard->keyRect(5).center());
        SendKey(run.session->findChild<QLineEdit*>("tEnter"), Qt::Key_unknown, "ł");
        QCOMPARE(run.fakes.shown.size(), std::size_t{1});
        QCOMPARE(keyboard->caption(5) + keyboard->caption(31), QString("T?"));
        QCOMPARE(run.folder.Read("Tarvelo.INI"), before);
    }

    void nameThatLosesAccentsIsShownBeforeItIsStored()
    {
        test::ScriptedDialogs dialogs;
        NewUserDialog dialog(test::TempFolder().Path(), dialogs);
        QTimer::singleShot(0, [&] {
            auto* edit = dialog.findChild<QLineEdit*>("tName");
            edit->setText("Łucja Wałęsa");
            SendKey(edit, Qt::Key_unknown, "ő");
            QCOMPARE(edit->text(), QString("Lucja Walesao"));
            dialog.findChild<QPushButton*>("bOK")->click();
        });
        QCOMPARE(dialog.AskName(""), std::optional<std::string>("Lucja Walesao"));
    }

    void longNameKeepsTheMenuAndTitlesNarrow()
    {
        const QString name = QString("abcdefghijklmnopqrstuvwxyz").repeated(6);
        Run run({}, true, name.toStdString());
        QVERIFY2(run.menu->width() < 1000, qPrintable(QString::number(run.menu->width())));
        auto* box = run.menu->findChild<ui::OptionFrame*>("lUser0");
        QVERIFY(box->shownCaption().endsWith(QChar(0x2026)));
        QCOMPARE(box->toolTip(), name);
        QVERIFY(run.session->windowTitle().endsWith(QChar(0x2026)));
    }

    void firstUseMessageComesAfterTheMenuHides()
    {
        Run run({}, true, "Ann", "0");
        QCOMPARE(run.fakes.menuVisible, std::vector<bool>{false});
    }

    void hoverBorderGoesWhenThePointerLeaves()
    {
        Run run;
        auto* keyboard = run.session->findChild<ui::KeyboardView*>();
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

    void missingFilesAreNamed()
    {
        Run lessons({"Tarvelo Letters.txt", "Tarvelo Lessonhelp.txt"}, false);
        QCOMPARE(lessons.fakes.shown.size(), std::size_t{1}); // once, at the start
        QVERIFY(lessons.fakes.shown[0].text.find("\"Tarvelo Letters.txt\"") != std::string::npos);

        Run practice({"Tarvelo Text1.txt"});
        QTest::keyClick(Keys(practice.session), Qt::Key_Return);
        QVERIFY(practice.fakes.shown.at(0).text.find("\"Tarvelo Text1.txt\" is missing") !=
                std::string::npos);
    }
};

QTEST_MAIN(NewUserFaultsTest)
#include "new_user_faults_test.moc"
