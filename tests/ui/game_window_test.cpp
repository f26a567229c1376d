#include "state/program_state.h"
#include "support/game_fakes.h"
#include "support/scripted_dialogs.h"
#include "support/window_helpers.h"
#include "ui/keyboard_view.h"
#include "ui/option_frame.h"
#include "windows/game/game_window.h"
#include "windows/game/playfield_view.h"

#include <QScreen>

using namespace tarvelo;
using test::Tick;

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
        Open();
    }

    GameWindow::Services Services()
    {
        return {&dialogs,
                &sound,
                &random,
                &clock,
                [this] { ++ends; },
                [this] { ++rules; },
                [this](const GameWindow::ScoreRows&) { ++scores; }};
    }

    GameWindow& Open()
    {
        window = std::make_unique<GameWindow>(state, lastResult, Services());
        window->open();
        return *window;
    }

    template <typename T> T* Find(const QString& name) const
    {
        return test::Child<T>(*window, name);
    }
    ui::OptionFrame* Option(int i) const { return test::Frame(*window, "lOption", i); }
    void Key(Qt::Key key) const { QTest::keyClick(test::Keys(*window), key); }
    void Press(int option) const { QTest::mouseClick(Option(option), Qt::LeftButton); }

    test::TempFolder folder;
    ProgramState state{folder.Path()};
    std::optional<ScoreTexts> lastResult;
    test::ScriptedDialogs dialogs;
    test::RecordingSound sound;
    test::ScriptedRandom random;
    test::FixedClock clock;
    int ends = 0, rules = 0, scores = 0; // program ends, rules and score windows shown
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
    }

    void timersFollowTheGame()
    {
        Table table;
        QTimer* drop = table.Find<QTimer>("Timer1");
        QVERIFY(!drop->isActive());
        table.Press(GameMenu::kBegin);
        QVERIFY(drop->isActive() && table.Find<QTimer>("tmrMusic")->isActive());
        QVERIFY(drop->timerType() == Qt::PreciseTimer);
        QCOMPARE(drop->interval(), table.window->menu().Game().DropTimer().intervalMs);

        table.Key(Qt::Key_Space);
        QVERIFY(!drop->isActive());
        table.Key(Qt::Key_Space);
        QVERIFY(drop->isActive());
    }

    // Thirty letters placed and hit: the interlude, then the faster level
    // and the bonus flying in on its own timer.
    void levelRiseRetimesTheDropAndFliesTheBonus()
    {
        Table table;
        table.Press(GameMenu::kBegin);
        QTimer* drop = table.Find<QTimer>("Timer1");
        QTimer* bonus = table.Find<QTimer>("TimerScoreAdd");
        auto* raise = table.Find<QLabel>("lRaise");
        for (int i = 0; i < TypingGame::kSpawnsPerLevel; ++i) {
            table.random.Spawn(i % FallingBoard::kColumns, 'Q');
            Tick(drop);
            QTest::keyClicks(test::Keys(*table.window), "q");
        }
        QVERIFY(raise->isVisibleTo(table.window.get()));
        Tick(drop, TypingGame::kInterludeTicks);
        QVERIFY(!raise->isVisibleTo(table.window.get()));
        QCOMPARE(drop->interval(), table.window->menu().Game().DropTimer().intervalMs);
        QVERIFY(bonus->isActive());
        const int points = table.Find<QLabel>("lScoreAdd")->text().toInt();
        const int before = table.Find<QLabel>("lScore")->text().toInt();
        Tick(bonus, TypingGame::kBonusSteps);
        QVERIFY(!bonus->isActive());
        QCOMPARE(table.Find<QLabel>("lScore")->text().toInt(), before + points);
    }

    // Regression: a double-click as the system delivers it (press, release,
    // double-click, release) must count as two clicks.
    void levelOptionCountsDoubleClicks()
    {
        Table table;
        QTest::mouseClick(table.Option(6), Qt::LeftButton);
        QTest::mouseDClick(table.Option(6), Qt::LeftButton);
        QTest::mouseRelease(table.Option(6), Qt::LeftButton);
        QCOMPARE(table.Option(6)->caption(), QString("Level 3"));
    }

    // Escape with the key panel open closes only the panel; the close box
    // during a game records it without the scores window.
    void escapeClosesTheKeyPanelAndTheCloseBoxEndsTheProgram()
    {
        Table table;
        table.Press(GameMenu::kKeys);
        QWidget* panel = table.Find<QWidget>("KeyBox");
        QVERIFY(panel->isVisible());
        table.Key(Qt::Key_Escape);
        QVERIFY(!panel->isVisible() && table.window->isVisible());
        table.Press(GameMenu::kBegin);
        table.window->close();
        QCOMPARE(table.ends, 1);
        QCOMPARE(table.scores, 0);
        QVERIFY(table.lastResult.has_value());
    }

    // Regression: landed characters were black on a blue-grey pile area.
    void pileIsDarkBlueOnWhite()
    {
        Table table;
        table.Press(GameMenu::kBegin);
        table.random.Spawn(3, 'W');
        Tick(table.Find<QTimer>("Timer1"), 18);
        auto* playfield = table.Find<ui::PlayfieldView>("picGame");
        const QImage image = playfield->grab().toImage();
        const int bottom = ui::PlayfieldView::kRows - 1;
        QCOMPARE(playfield->character(3, bottom), 'W');
        const auto centre = [&](int column, int row) {
            return image.pixelColor(playfield->cellRect(column, row).center().toPoint());
        };
        QCOMPARE(centre(10, bottom), QColor(Qt::white));
        QCOMPARE(centre(10, 0), QColor(Qt::white));
        const QRect cell = playfield->cellRect(3, bottom).toAlignedRect();
        int blue = 0, other = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QColor pixel = image.pixelColor(x, y);
                if (pixel == QColor(0, 0, 192))
                    ++blue;
                else if (pixel.red() != pixel.green() || pixel.blue() < pixel.red())
                    ++other; // neither the ink, nor white blended towards it
            }
        }
        QVERIFY2(blue > 0 && other == 0, qPrintable(QString("%1 %2").arg(blue).arg(other)));
    }

    // Regression: a deselected key kept the outer half of its red ring, as
    // only the inside of the key was repainted. The partly repainted window
    // must match a fresh rendering around the key.
    void deselectedKeyLeavesNoRingBehind()
    {
        Table table;
        table.Press(GameMenu::kKeys);
        QVERIFY(QTest::qWaitForWindowExposed(table.window.get()));
        auto* keys = table.Find<ui::KeyboardView>("keys");
        const QRect key = keys->keyRect(1); // Q, in the pool
        QTest::mouseClick(keys, Qt::LeftButton, {}, key.center());
        QCOMPARE(keys->border(1), QColor(Qt::black));
        QCoreApplication::processEvents(); // paints what changed only

        const QRect around(keys->mapTo(table.window.get(), key.topLeft() - QPoint(4, 4)),
                           key.size() + QSize(8, 8));
        const QImage shown = table.window->screen()->grabWindow(table.window->winId()).toImage();
        const QImage fresh = table.window->grab().toImage();
        QCOMPARE(shown.copy(around), fresh.copy(around));
    }

    // Four Qs land in column 0: the fourth overflows and ends the game.
    void gameOverStopsTheTimersShowsTheScoresAndLeaves()
    {
        Table table;
        table.Press(GameMenu::kBegin);
        QTimer* drop = table.Find<QTimer>("Timer1");
        for (int i = 0; i < 4; ++i) {
            table.random.Spawn(0, 'Q');
            Tick(drop, 18);
        }
        QCOMPARE(table.Find<ui::PlayfieldView>("picGame")->character(0, FallingBoard::kRows - 1),
                 'Q');
        QVERIFY(!drop->isActive() && !table.Find<QTimer>("tmrMusic")->isActive());
        QCOMPARE(table.scores, 1);
        QCOMPARE(table.Find<QLabel>("lcIntelligence")->text(), QString("8"));

        QSignalSpy left(table.window.get(), &GameWindow::leftToMenu);
        table.Press(GameMenu::kLeave);
        QVERIFY(left.wait(1000) && !table.window->isVisible());
    }
};

QTEST_MAIN(GameWindowTest)
#include "game_window_test.moc"
