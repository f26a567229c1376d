#include "game/game_keys.h"
#include "game/game_window.h"
#include "menu/main_window.h"
#include "profile/profile_store.h"
#include "state/program_state.h"
#include "support/game_fakes.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_name_dialog.h"
#include "support/temp_folder.h"
#include "ui/option_frame.h"
#include "ui/playfield_view.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>

using namespace tarvelo;

namespace {

// A game window for user "Tester" over a fresh profile, with scripted random
// numbers, a recording sound and recorded modal windows.
struct Table
{
    explicit Table(bool playedBefore = true)
    {
        folder.Write("dw1_kng.mid", "MThd");
        state.user.SelectSlot(0);
        state.user.UserName = "Tester";
        state.layout.Load(state.profile);
        if (playedBefore)
            state.profile.Write(state.user.UserSection, settings::kPlayedGame, true);
    }

    GameWindow& Open()
    {
        GameWindow::Services services;
        services.dialogs = &dialogs;
        services.sound = &sound;
        services.random = &random;
        services.clock = &clock;
        services.endProgram = [this] { ++ends; };
        services.showRules = [this] { ++rules; };
        services.showScores = [this](const GameWindow::ScoreRows& rows) { scores.push_back(rows); };
        window = std::make_unique<GameWindow>(state, lastResult, services);
        window->open();
        return *window;
    }

    template <typename T> T* Find(const QString& name) const { return window->findChild<T*>(name); }
    ui::OptionFrame* Option(int i) const
    {
        return Find<ui::OptionFrame>(QString("lOption%1").arg(i));
    }
    QTimer* Timer(const char* name) const { return Find<QTimer>(name); }
    void Key(Qt::Key key) const { QTest::keyClick(Find<QWidget>("ControlBox"), key); }
    void Press(int option) const { QTest::mouseClick(Option(option), Qt::LeftButton); }
    static void Tick(QTimer* timer, int n = 1)
    {
        for (int i = 0; i < n; ++i)
            QMetaObject::invokeMethod(timer, "timeout");
    }
    std::string Stored(const settings::BooleanKey& key) const
    {
        return ProfileStore(folder.Path()).ReadProfile("users", key.name, "<absent>");
    }

    test::TempFolder folder;
    ProgramState state{folder.Path()};
    std::optional<ScoreTexts> lastResult;
    test::ScriptedDialogs dialogs;
    test::RecordingSound sound;
    test::ScriptedRandom random;
    test::FixedClock clock;
    int ends = 0;
    int rules = 0;
    std::vector<GameWindow::ScoreRows> scores;
    std::unique_ptr<GameWindow> window;
};

} // namespace

class GameWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void firstVisitShowsTheRulesOnce()
    {
        Table table(false);
        table.Open();
        QCOMPARE(table.rules, 1);
        QVERIFY(table.state.profile.Read(table.state.user.UserSection, settings::kPlayedGame));
        QCOMPARE(table.window->windowTitle(), QString("Dalmor's Typing Game - Welcome Tester"));
        table.Open();
        QCOMPARE(table.rules, 1);
    }

    void keyboardCyclesHighlightOnlyUsableOptions()
    {
        Table table;
        table.Open();
        table.Key(Qt::Key_Down);
        QCOMPARE(table.Option(2)->fill(), GameMenu::kSelectedFill);
        QCOMPARE(table.Option(1)->fill(), GameMenu::kFill);
        table.Key(Qt::Key_Up);
        table.Key(Qt::Key_Return); // Begin
        QVERIFY(table.window->menu().Game().Running());
        QVERIFY(table.Option(6)->isHidden());
        QCOMPARE(table.Option(2)->caption(), QString("End Game"));
        for (int i = 0; i < 6; ++i) {
            table.Key(Qt::Key_Up);
            QVERIFY(table.window->menu().Selected() != GameMenu::kBegin);
            QVERIFY(table.window->menu().Selected() != GameMenu::kLevel);
        }
    }

    void timersFollowTheGame()
    {
        Table table;
        table.state.profile.Write(table.state.user.UserSection, settings::kGameLevel, 3);
        table.Open();
        QTimer* drop = table.Timer("Timer1");
        QVERIFY(!drop->isActive());
        table.Press(GameMenu::kBegin);
        const TypingGame& game = table.window->menu().Game();
        QVERIFY(drop->isActive());
        QVERIFY(drop->timerType() == Qt::PreciseTimer);
        QCOMPARE(drop->interval(), game.DropTimer().intervalMs);
        QVERIFY(drop->interval() < TypingGame::kBaseIntervalMs); // level 3 is faster
        QVERIFY(table.Timer("tmrMusic")->isActive());

        QTest::keyClick(table.Find<QWidget>("ControlBox"), Qt::Key_Space);
        QVERIFY(!drop->isActive());
        QCOMPARE(table.Option(1)->caption(), QString("UnPause"));
        QTest::keyClick(table.Find<QWidget>("ControlBox"), Qt::Key_Space);
        QVERIFY(drop->isActive());

        // A "$" slows the drop: the running timer takes the new interval.
        const int before = drop->interval();
        QTest::keyClicks(table.Find<QWidget>("ControlBox"), "$");
        QVERIFY(drop->interval() > before);
        QCOMPARE(drop->interval(), game.DropTimer().intervalMs);
    }

    // Thirty letters placed and hit: the interlude, then the faster level
    // and the bonus flying in on its own timer.
    void levelRiseRetimesTheDropAndFliesTheBonus()
    {
        Table table;
        table.Open();
        table.Press(GameMenu::kBegin);
        QTimer* drop = table.Timer("Timer1");
        QTimer* bonus = table.Timer("TimerScoreAdd");
        auto* raise = table.Find<QLabel>("lRaise");
        for (int i = 0; i < TypingGame::kSpawnsPerLevel; ++i) {
            table.random.Spawn(i % FallingBoard::kColumns, 'Q');
            Table::Tick(drop);
            QTest::keyClicks(table.Find<QWidget>("ControlBox"), "q");
        }
        QVERIFY(raise->isVisibleTo(table.window.get()));
        QCOMPARE(drop->interval(), TypingGame::kBaseIntervalMs);
        Table::Tick(drop, TypingGame::kInterludeTicks);
        QVERIFY(!raise->isVisibleTo(table.window.get()));
        QVERIFY(drop->interval() < TypingGame::kBaseIntervalMs);
        QCOMPARE(drop->interval(), table.window->menu().Game().DropTimer().intervalMs);
        QVERIFY(bonus->isActive());
        auto* flying = table.Find<QLabel>("lScoreAdd");
        const QString points = flying->text();
        QVERIFY(!points.isEmpty());
        const int before = table.Find<QLabel>("lScore")->text().toInt();
        Table::Tick(bonus, TypingGame::kBonusSteps);
        QVERIFY(!bonus->isActive());
        QVERIFY(flying->text().isEmpty());
        QCOMPARE(table.Find<QLabel>("lScore")->text().toInt(), before + points.toInt());
    }

    void levelOptionClicksAndDoubleClicks()
    {
        Table table;
        table.Open();
        QTest::mouseClick(table.Option(6), Qt::LeftButton);
        QCOMPARE(table.Option(6)->caption(), QString("Level 2"));
        // A double-click as the system delivers it: press, release, double-click, release.
        QTest::mouseClick(table.Option(6), Qt::LeftButton);
        QTest::mouseDClick(table.Option(6), Qt::LeftButton);
        QTest::mouseRelease(table.Option(6), Qt::LeftButton);
        QCOMPARE(table.Option(6)->caption(), QString("Level 4"));
    }

    void endGameShowsScoresThenLeaves()
    {
        Table table;
        table.Open();
        table.Press(GameMenu::kBegin);
        table.Press(GameMenu::kLeave); // "End Game"
        QCOMPARE(table.scores.size(), size_t{1});
        QVERIFY(table.window->isVisible());
        QVERIFY(!table.Timer("Timer1")->isActive());
        QVERIFY(!table.Timer("tmrMusic")->isActive());
        QCOMPARE(table.Option(2)->caption(), QString("Main Menu"));

        QSignalSpy left(table.window.get(), &GameWindow::leftToMenu);
        table.window->move(300, 200);
        table.Press(GameMenu::kLeave);
        QVERIFY(left.wait(1000));
        QVERIFY(!table.window->isVisible());
        QCOMPARE(table.Stored(settings::kGameMaximized), std::string("False"));
        QVERIFY(ProfileStore(table.folder.Path()).ReadProfile("users", "left", "") != "");
    }

    void leavingMaximizedStoresOnlyTheFlag()
    {
        Table table;
        table.Open();
        table.window->showMaximized();
        QVERIFY(table.window->isMaximized());
        table.Key(Qt::Key_Escape);
        QCOMPARE(table.Stored(settings::kGameMaximized), std::string("True"));
        QCOMPARE(ProfileStore(table.folder.Path()).ReadProfile("users", "left", "<absent>"),
                 std::string("<absent>"));
    }

    void closingDuringAGameRecordsWithoutTheScoresWindow()
    {
        Table table;
        table.Open();
        table.Press(GameMenu::kBegin);
        table.window->close();
        QCOMPARE(table.ends, 1);
        QVERIFY(table.scores.empty());
        QCOMPARE(ProfileStore(table.folder.Path()).ReadProfile("scores", "numscores", ""),
                 std::string("1"));
        QVERIFY(table.lastResult.has_value());
    }

    void escapeWithTheKeyPanelOpenClosesOnlyThePanel()
    {
        Table table;
        table.Open();
        table.Press(GameMenu::kKeys);
        QWidget* panel = table.Find<QWidget>("KeyBox");
        QVERIFY(panel->isVisible());
        QCOMPARE(table.Option(7)->caption(), QString("Done"));
        table.Key(Qt::Key_Escape);
        QVERIFY(!panel->isVisible());
        QVERIFY(table.window->isVisible());
        QCOMPARE(table.Option(7)->caption(), QString("Modify Keys"));
    }

    // Four Qs land in column 0: the fourth overflows and ends the game.
    void scriptedGamePlaysToItsOverflow()
    {
        Table table;
        table.Open();
        table.Press(GameMenu::kBegin);
        QTimer* drop = table.Timer("Timer1");
        for (int i = 0; i < 3; ++i) {
            table.random.Spawn(0, 'Q');
            Table::Tick(drop, 18);
        }
        auto* field = table.Find<ui::PlayfieldView>("picGame");
        QCOMPARE(field->character(0, ui::PlayfieldView::kRows - 1), 'Q');
        QCOMPARE(field->character(0, ui::PlayfieldView::kRows - 3), 'Q');
        QVERIFY(table.scores.empty());
        table.random.Spawn(0, 'Q');
        Table::Tick(drop, 18);
        QVERIFY(!table.window->menu().Game().Running());
        QVERIFY(!drop->isActive());
        QCOMPARE(field->character(0, FallingBoard::kRows - 1), 'Q'); // the overflow letter
        QCOMPARE(table.scores.size(), size_t{1});
        QCOMPARE(table.scores[0][0].scores, std::string("Tester:  0  @ 26 letters"));
        QCOMPARE(table.scores[0][1].scores, std::string("1 ) Tester:  0  @ 26 letters"));
        QCOMPARE(table.Find<QLabel>("lcIntelligence")->text(), QString("8"));
    }

    void playGameRowOpensTheGameAndRecordsTheStart()
    {
        test::TempFolder folder;
        folder.CopyShipped("Tarvelo.INI");
        ProfileStore(folder.Path()).WriteProfile("users", "user0", "Ann");
        ProfileStore(folder.Path()).WriteProfile("users", "lastuser", "0");
        test::ScriptedDialogs dialogs;
        test::ScriptedNameDialog names;
        test::RecordingSound sound;
        test::ScriptedRandom random;
        test::FixedClock clock;
        QPointer<GameWindow> opened;
        MenuServices services;
        services.dialogs = &dialogs;
        services.nameDialog = &names;
        MainWindow menu(folder.Path(), services);
        menu.setGameWindowFactory([&](ProgramState& state, std::optional<ScoreTexts>& last) {
            GameWindow::Services game;
            game.dialogs = &dialogs;
            game.sound = &sound;
            game.random = &random;
            game.clock = &clock;
            game.showRules = [] {};
            opened = new GameWindow(state, last, game);
            return opened.data();
        });
        menu.show();
        auto* box = menu.findChild<QWidget*>("ControlBox");
        QTest::keyClick(box, Qt::Key_Right); // Ann
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_Down);
        QTest::keyClick(box, Qt::Key_Right); // Play Game
        QVERIFY(opened);
        QVERIFY(!menu.isVisible());
        QCOMPARE(ProfileStore(folder.Path()).ReadProfile("user0", "sessionnumber", ""),
                 std::string("1"));
        QTest::keyClick(opened->findChild<QWidget*>("ControlBox"), Qt::Key_Escape);
        QTRY_VERIFY(menu.isVisible());
        QTRY_VERIFY(!opened);
    }
};

QTEST_MAIN(GameWindowTest)
#include "game_window_test.moc"
