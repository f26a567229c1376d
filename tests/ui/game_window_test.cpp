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

    void Open()
    {
        const auto showScores = [this](const GameWindow::ScoreRows&) { ++scores; };
        window = std::make_unique<GameWindow>(
            state, lastResult,
            GameWindow::Services{&dialogs, &sound, &random, &clock, [this] { ++ends; },
                                 [this] { ++rules; }, showScores});
        window->open();
    }

    template <typename T> T* Find(const QString& name) const
    {
        return test::Child<T>(*window, name);
    }
    ui::OptionFrame* Option(GameOption option) const
    {
        return test::Frame(*window, "lOption", GameMenu::Index(option));
    }
    void Key(Qt::Key key) const { QTest::keyClick(test::Keys(*window), key); }
    void Press(GameOption option) const { QTest::mouseClick(Option(option), Qt::LeftButton); }

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
    // The rules come on the first visit only. Regression: a double-click on
    // the level as the system delivers it (press, release, double-click,
    // release) must count as two clicks. Each timer follows its own state;
    // Space pauses and resumes the drop. The close box during a game ends the
    // program.
    void rulesLevelClicksAndTimersFollowTheGame()
    {
        Table table(false);
        table.Open();
        QCOMPARE(table.rules, 1);
        ui::OptionFrame* level = table.Option(GameOption::Level);
        QTest::mouseClick(level, Qt::LeftButton);
        QTest::mouseDClick(level, Qt::LeftButton);
        QTest::mouseRelease(level, Qt::LeftButton);
        QCOMPARE(level->caption(), QString("Level 3"));

        QTimer* drop = table.Find<QTimer>("Timer1");
        QVERIFY(!drop->isActive());
        table.Press(GameOption::Begin);
        QVERIFY(drop->isActive());
        QVERIFY(table.Find<QTimer>("tmrMusic")->isActive());
        QVERIFY(!table.Find<QTimer>("TimerScoreAdd")->isActive());
        QVERIFY(drop->timerType() == Qt::PreciseTimer);
        table.Key(Qt::Key_Space);
        QVERIFY(!drop->isActive());
        table.Key(Qt::Key_Space);
        QVERIFY(drop->isActive());

        table.window->close(); // records the game without the scores window
        QCOMPARE(table.ends, 1);
        QCOMPARE(table.scores, 0);
    }

    // Regression: landed characters were black on a blue-grey pile area.
    void pileIsDarkBlueOnWhite()
    {
        Table table;
        table.Press(GameOption::Begin);
        table.random.Spawn(3, 'W');
        Tick(table.Find<QTimer>("Timer1"), 18);
        auto* playfield = table.Find<ui::PlayfieldView>("picGame");
        const QImage image = playfield->grab().toImage();
        const int bottom = ui::PlayfieldView::kRows - 1;
        QCOMPARE(playfield->character(3, bottom), 'W');
        const QPoint pileArea = playfield->cellRect(10, bottom).center().toPoint();
        QCOMPARE(image.pixelColor(pileArea), QColor(Qt::white));
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
        QVERIFY(blue > 0);
        QCOMPARE(other, 0);
    }

    // Regression: a deselected key kept the outer half of its red ring, as
    // only the inside of the key was repainted. The partly repainted window
    // must match a fresh rendering around the key.
    void deselectedKeyLeavesNoRingBehind()
    {
        Table table;
        table.Press(GameOption::Keys);
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

    // "$" misses and adds 3000; "Scores" ends the game, stops its timers and
    // shows the scores; "Main Menu" then leaves.
    void scoresEndTheGameAndMainMenuLeaves()
    {
        Table table;
        table.Press(GameOption::Begin);
        QTest::keyClicks(test::Keys(*table.window), "$");
        QCOMPARE(table.Find<QLabel>("lScore")->text(), QString("2999"));
        table.Press(GameOption::Scores);
        QVERIFY(!table.Find<QTimer>("Timer1")->isActive());
        QVERIFY(!table.Find<QTimer>("tmrMusic")->isActive());
        QCOMPARE(table.scores, 1);

        QSignalSpy left(table.window.get(), &GameWindow::leftToMenu);
        table.Press(GameOption::Leave);
        QVERIFY(left.wait(1000));
        QVERIFY(!table.window->isVisible());
    }
};

QTEST_MAIN(GameWindowTest)
#include "game_window_test.moc"
