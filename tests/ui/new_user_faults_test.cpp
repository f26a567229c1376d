// What a new user ran into in the typing windows.
#include "app/application.h"
#include "material/lesson_guide.h"
#include "platform/beeper.h"
#include "profile/profile_store.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "support/window_helpers.h"
#include "ui/keyboard_view.h"
#include "ui/option_frame.h"
#include "windows/session/session_window.h"

#include <QPointer>
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

void SendKey(QWidget* target, int key, const QString& text) // as X11 gives it
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
}

} // namespace

class NewUserFaultsTest : public QObject
{
    Q_OBJECT

private slots:
    // A new user with a long name goes from the main menu to practice: the
    // name keeps the menu and titles narrow, and the first-use message comes
    // after the menu hides. The hover border goes when the pointer leaves;
    // Delete and control keys type nothing during a run.
    void longNameFirstUseHoverAndControlKeys()
    {
        const QString name = QString("abcdefghijklmnopqrstuvwxyz").repeated(6);
        test::TempFolder folder;
        test::CopyShippedData(folder);
        {
            ProfileStore store(folder.Path());
            store.WriteProfile("users", "user0", name.toStdString());
            store.WriteProfile("user0", "sessionnumber", "0");
            store.WriteProfile("users", "left", "150"); // the windows fit the 800 x 600 screen
            store.WriteProfile("users", "top", "150");
        }
        test::ScriptedDialogs dialogs;
        test::ScriptedNameDialog names;
        Fakes fakes;
        QPointer<SessionWindow> session;
        MenuServices services{
            &dialogs, &names, [&](ProgramState& state) {
                return session = new SessionWindow(state, {&fakes, &fakes, &fakes, [] {}});
            }};
        const auto menu = StartApplication(folder.Path(), dialogs, std::move(services));
        menu->show();
        fakes.menu = menu.get();
        for (const auto key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Return})
            QTest::keyClick(test::Keys(*menu), key);

        QVERIFY2(menu->width() < 1000, qPrintable(QString::number(menu->width())));
        auto* box = menu->findChild<ui::OptionFrame*>("lUser0");
        QVERIFY(box->shownCaption().endsWith(QChar(0x2026)));
        QCOMPARE(box->toolTip(), name);
        QVERIFY(session->windowTitle().endsWith(QChar(0x2026)));
        QCOMPARE(fakes.menuVisible, std::vector<bool>{false});

        auto* keyboard = session->findChild<ui::KeyboardView*>();
        const QColor plain = keyboard->border(5);
        const QPointF over = keyboard->keyRect(5).center();
        QMouseEvent move(QEvent::MouseMove, over, keyboard->mapToGlobal(over), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(keyboard, &move);
        QVERIFY(keyboard->border(5) != plain);
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(keyboard, &leave);
        QCOMPARE(keyboard->border(5), plain);

        QWidget* keys = test::Keys(*session);
        QTest::keyClick(keys, Qt::Key_Return);
        SendKey(keys, Qt::Key_Delete, "\x7f");
        SendKey(keys, Qt::Key_unknown, QString(QChar(0x85))); // C1
        QCOMPARE(session->findChild<QWidget*>("picText2")->property("text").toString(), "");
        QCOMPARE(fakes.beeps, 0);
    }
};

QTEST_MAIN(NewUserFaultsTest)
#include "new_user_faults_test.moc"
