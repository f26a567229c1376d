// Under a Wayland compositor (scripts/check_wayland.sh runs this with
// QT_QPA_PLATFORM=wayland; elsewhere it is skipped): the windows open where
// the compositor puts them and no stored position is overwritten by what the
// platform reports.
#include "app/application.h"
#include "profile/profile_store.h"
#include "support/fake_platform.h"
#include "support/scripted_dialogs.h"
#include "support/window_helpers.h"
#include "windows/menu/main_window.h"
#include "windows/session/session_window.h"

#include <QPointer>

using namespace tarvelo;
using test::Keys;

class WaylandTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!QGuiApplication::platformName().startsWith("wayland"))
            QSKIP("needs a Wayland compositor: scripts/check_wayland.sh");
    }

    void anActivityLeavesTheStoredPositionAlone()
    {
        test::TempFolder folder;
        test::CopyShippedData(folder);
        {
            ProfileStore profile(folder.Path());
            for (const auto& [section, key, value] : {std::tuple{"users", "left", "3000"},
                                                      {"users", "top", "2000"},
                                                      {"users", "user0", "Ann"},
                                                      {"users", "lastuser", "0"},
                                                      {"user0", "sessionnumber", "3"}})
                QVERIFY(profile.WriteProfile(section, key, value));
        }
        test::ScriptedDialogs dialogs;
        test::ScriptedNameDialog names;
        test::CountingBeeper beeper;
        test::RecordingGuide guide;
        QPointer<SessionWindow> session;
        MenuServices services{
            &dialogs, &names, [&](ProgramState& state) {
                session = new SessionWindow(state, {&dialogs, &beeper, &guide, {}});
                return session.data();
            }};
        services.donationCheck = [](ProgramState&, QWidget*) {};
        auto menu = StartApplication(folder.Path(), dialogs, std::move(services));
        QVERIFY(menu);
        menu->show();
        QVERIFY(QTest::qWaitForWindowExposed(menu.get()));

        for (const auto key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Return}) // Typing Practice
            QTest::keyClick(Keys(*menu), key);
        QTRY_VERIFY(session && session->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(session));
        QTest::qWait(200);                               // the compositor's configure events
        QTest::keyClick(Keys(*session), Qt::Key_Escape); // back to the menu
        QTRY_VERIFY(menu->isVisible());
        QTest::keyClick(Keys(*menu), Qt::Key_Down);

        ProfileStore profile(folder.Path());
        QCOMPARE(profile.ReadProfile("users", "left", ""), std::string("3000"));
        QCOMPARE(profile.ReadProfile("users", "top", ""), std::string("2000"));
        QCOMPARE(profile.ReadProfile("user0", "sessionnumber", ""), std::string("4"));
    }
};

QTEST_MAIN(WaylandTest)
#include "wayland_test.moc"
