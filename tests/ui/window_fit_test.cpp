#include "state/program_state.h"
#include "support/fake_platform.h"
#include "support/game_fakes.h"
#include "support/scripted_dialogs.h"
#include "support/window_helpers.h"
#include "windows/editor/editor_window.h"
#include "windows/editor/language_help_window.h"
#include "windows/game/game_rules_window.h"
#include "windows/game/game_window.h"
#include "windows/game/high_scores_window.h"
#include "windows/help/donation_window.h"
#include "windows/material/lesson_help_window.h"
#include "windows/menu/main_window.h"
#include "windows/menu/new_user_dialog.h"
#include "windows/session/session_window.h"
#include "windows/stats/statistics_window.h"

#include <QAbstractScrollArea>
#include <QScreen>
#include <functional>

using namespace tarvelo;

namespace {

QString Text(const QRect& r)
{
    return QString("%1,%2 %3x%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// The widgets of `window` that are shown but cut off by its edges; those in
// a scrolling area count as shown, as scrolling brings them in.
QStringList CutOff(QWidget& window)
{
    QStringList cut;
    const QRect inside = window.rect();
    for (QWidget* child : window.findChildren<QWidget*>()) {
        if (!child->isVisibleTo(&window) || child->isWindow() || child->size().isEmpty())
            continue;
        bool scrolled = false;
        for (QWidget* up = child->parentWidget(); up && up != &window; up = up->parentWidget())
            scrolled = scrolled || qobject_cast<QAbstractScrollArea*>(up);
        if (scrolled)
            continue;
        const QRect shown(child->mapTo(&window, QPoint(0, 0)), child->size());
        if (!inside.contains(shown) || child->width() < child->minimumSizeHint().width() ||
            child->height() < child->minimumSizeHint().height())
            cut << QString("%1 %2 at %3")
                       .arg(child->metaObject()->className(), child->objectName(), Text(shown));
    }
    return cut;
}

} // namespace

class WindowFitTest : public QObject
{
    Q_OBJECT

    test::TempFolder folder;
    test::ScriptedDialogs dialogs;
    test::ScriptedNameDialog names;
    test::CountingBeeper beeper;
    test::RecordingGuide guide;
    test::RecordingSound sound;
    test::ScriptedRandom random;
    test::FixedClock clock;
    std::unique_ptr<ProgramState> state;
    std::optional<ScoreTexts> lastResult;

    void check(QWidget& window, const char* what)
    {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QRect available = window.screen()->availableGeometry();
        const QRect frame = window.frameGeometry();
        QVERIFY2(available.contains(frame),
                 qPrintable(QString("%1: %2 on %3").arg(what, Text(frame), Text(available))));
        QCOMPARE(CutOff(window), QStringList());
    }

private slots:
    void init()
    {
        test::CopyShippedData(folder);
        folder.CopyShipped("Masada.jpg");
        state = std::make_unique<ProgramState>(folder.Path());
        state->user.SelectSlot(0);
        state->user.UserName = "Tester";
        state->layout.Load(state->profile);
    }

    // A run shows the main menu first; its frame tells the later windows what
    // the window manager adds around them.
    void initTestCase()
    {
        init();
        MenuServices services;
        services.dialogs = &dialogs;
        services.nameDialog = &names;
        MainWindow menu(folder.Path(), services);
        menu.show();
        QVERIFY(QTest::qWaitForWindowExposed(&menu));
    }

    void theScreenIsTheOneConfigured()
    {
        const QSize available = QGuiApplication::primaryScreen()->availableGeometry().size();
        QVERIFY2(available == QSize(1280, 720) || available == QSize(1366, 768) ||
                     available == QSize(640, 450),
                 qPrintable(QString("%1x%2").arg(available.width()).arg(available.height())));
    }

    // The main menu, the session window and the game need more than the
    // smallest screen, 640x450, and are left out there.
    void everyWindowFits()
    {
        const bool smallest = QGuiApplication::primaryScreen()->availableGeometry().height() < 600;
        MenuServices menu;
        menu.dialogs = &dialogs;
        menu.nameDialog = &names;
        EditorServices editor;
        editor.dialogs = &dialogs;
        const GameWindow::Services game{&dialogs, &sound, &random, &clock, {}, [] {}, {}};
        const SessionWindow::Services session{&dialogs, &beeper, &guide, {}};
        const std::tuple<const char*, bool, std::function<QWidget*()>> windows[] = {
            {"main menu", true, [&] { return new MainWindow(folder.Path(), menu); }},
            {"session", true, [&] { return new SessionWindow(*state, session); }},
            {"game", true, [&] { return new GameWindow(*state, lastResult, game); }},
            {"statistics", false, [&] { return new StatisticsWindow(*state); }},
            {"lesson help", false, [&] { return new LessonHelpWindow(*state); }},
            {"game rules", false, [&] { return new GameRulesWindow(folder.Path()); }},
            {"high scores", false, [&] { return new HighScoresWindow(folder.Path(), {}); }},
            {"editor", false, [&] { return new EditorWindow(*state, editor); }},
            {"language help", false, [] { return new LanguageHelpWindow; }},
            {"donation", false, [] { return new DonationWindow([] {}); }},
            {"new user", false, [&] { return new NewUserDialog(folder.Path(), dialogs); }},
        };
        for (const auto& [what, needsMore, make] : windows) {
            if (needsMore && smallest)
                continue;
            const std::unique_ptr<QWidget> window(make());
            check(*window, what);
        }
    }
};

QTEST_MAIN(WindowFitTest)
#include "window_fit_test.moc"
