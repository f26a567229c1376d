#include "menu/main_window.h"
#include "profile/profile_store.h"
#include "session/session_window.h"
#include "state/program_state.h"
#include "stats/statistics_window.h"
#include "support/fake_platform.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_name_dialog.h"
#include "support/temp_folder.h"
#include "ui/option_frame.h"

#include <QApplication>
#include <QLabel>
#include <QtTest>

using namespace tarvelo;

// The rows " View Stats", " Open Help File" and " Edit Typing Text" and the
// donation check, with the services the application would give scripted.
class MenuRowsWindowTest : public QObject
{
    Q_OBJECT

    test::TempFolder folder;
    test::ScriptedDialogs dialogs;
    test::ScriptedNameDialog names;
    std::vector<std::string> events;

    std::unique_ptr<MainWindow>
    start(std::function<SessionWindow*(ProgramState&)> sessionWindow = {})
    {
        folder.CopyShipped("Tarvelo.INI");
        ProfileStore profile(folder.Path());
        profile.WriteProfile("users", "user0", "Ada");
        profile.WriteProfile("user0", "completeposition", "481");
        profile.WriteProfile("user0", "completeqseconds", "960");
        profile.WriteProfile("user0", "completeerrors", "24");
        MenuServices services;
        services.dialogs = &dialogs;
        services.nameDialog = &names;
        services.sessionWindow = std::move(sessionWindow);
        services.openHelpPage = [this] { events.push_back("help page"); };
        services.editorWindow = [this](ProgramState&, std::function<void()> leftToMenu) {
            events.push_back("editor");
            auto* editor = new QWidget;
            QTimer::singleShot(0, editor, leftToMenu);
            return editor;
        };
        services.donationCheck = [this](ProgramState&) { events.push_back("donation check"); };
        auto window = std::make_unique<MainWindow>(folder.Path(), services);
        window->show();
        QTest::mouseClick(window->findChild<ui::OptionFrame*>("lUser0"), Qt::LeftButton);
        return window;
    }
    static void pressRow(MainWindow& window, int row)
    {
        QTest::mouseClick(window.findChild<ui::OptionFrame*>(QString("lRow2%1").arg(row)),
                          Qt::LeftButton);
    }

private slots:
    void viewStatsShowsTheSavedTotals()
    {
        auto window = start();
        pressRow(*window, 3);
        StatisticsWindow* stats = nullptr;
        QTRY_VERIFY(stats = [] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* found = qobject_cast<StatisticsWindow*>(widget);
                    found && found->isVisible())
                    return found;
            return static_cast<StatisticsWindow*>(nullptr);
        }());
        QVERIFY(!window->isVisible());
        QCOMPARE(stats->findChild<QLabel*>("lcwpm")->text(), QString("22"));
        stats->close();
        QTRY_VERIFY(window->isVisible());
    }

    void helpAndEditorRowsUseTheirServices()
    {
        events.clear();
        auto window = start();
        pressRow(*window, 6);
        QVERIFY(window->isVisible());
        pressRow(*window, 7);
        QVERIFY(!window->isVisible());
        QTRY_VERIFY(window->isVisible());
        QCOMPARE(events, (std::vector<std::string>{"help page", "editor"}));
    }

    // Regression: the check ran while the menu recorded the start, before the
    // typing window existed.
    void donationCheckComesAfterTheActivityWindow()
    {
        for (const char* name : {"Tarvelo Text1.txt", "Tarvelo Lessons.txt", "Tarvelo Letters.txt",
                                 "Tarvelo Lessonhelp.txt"})
            folder.CopyShipped(name);
        events.clear();
        test::CountingBeeper beeper;
        test::RecordingGuide guide;
        auto window = start([&](ProgramState& state) {
            SessionWindow::Services session{&dialogs, &beeper, &guide, [] {}};
            events.push_back("session window");
            return new SessionWindow(state, session);
        });
        pressRow(*window, 1);
        QTRY_COMPARE(events.size(), size_t{2});
        QCOMPARE(events, (std::vector<std::string>{"session window", "donation check"}));
    }
};

QTEST_MAIN(MenuRowsWindowTest)
#include "menu_rows_window_test.moc"
