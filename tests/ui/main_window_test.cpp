#include "app/application.h"
#include "menu/main_menu.h"
#include "menu/main_window.h"
#include "menu/new_user_dialog.h"
#include "profile/profile_store.h"
#include "session/session_window.h"
#include "state/program_state.h"
#include "support/fake_platform.h"
#include "support/scripted_dialogs.h"
#include "support/scripted_name_dialog.h"
#include "support/temp_folder.h"
#include "ui/focus_box.h"
#include "ui/option_frame.h"
#include "ui/text_codec.h"
#include "ui/twips.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <optional>

using namespace tarvelo;

namespace {

// An installation in a temporary folder and a main menu over it whose
// dialogs and session window are scripted.
struct Installation
{
    Installation()
    {
        for (const char* name : {"Tarvelo.INI", "Tarvelo Text1.txt", "Tarvelo Lessons.txt",
                                 "Tarvelo Letters.txt", "Tarvelo Lessonhelp.txt"})
            folder.CopyShipped(name);
    }

    void Write(std::string_view section, std::string_view key, std::string_view value)
    {
        QVERIFY(ProfileStore(folder.Path()).WriteProfile(section, key, value));
    }
    std::string Read(std::string_view section, std::string_view key) const
    {
        return ProfileStore(folder.Path()).ReadProfile(section, key, "<absent>");
    }

    std::unique_ptr<MainWindow> Start()
    {
        MenuServices services{&dialogs, &names, [this](ProgramState& state) {
                                  SessionWindow::Services s;
                                  s.dialogs = &sessionDialogs;
                                  s.beeper = &beeper;
                                  s.guide = &guide;
                                  s.endProgram = [] {};
                                  session = new SessionWindow(state, s);
                                  return session.data();
                              }};
        return StartApplication(folder.Path(), dialogs, std::move(services));
    }

    test::TempFolder folder;
    test::ScriptedDialogs dialogs;
    test::ScriptedNameDialog names;
    test::ScriptedDialogs sessionDialogs;
    test::CountingBeeper beeper;
    test::RecordingGuide guide;
    QPointer<SessionWindow> session;
};

void Press(MainWindow& window, Qt::Key key)
{
    QTest::keyClick(window.findChild<ui::FocusBox*>("ControlBox"), key);
}

ui::OptionFrame* Box(MainWindow& window, int box)
{
    return window.findChild<ui::OptionFrame*>(QString("lUser%1").arg(box));
}

ui::OptionFrame* Row(MainWindow& window, int row)
{
    return window.findChild<ui::OptionFrame*>(QString("lRow2%1").arg(row));
}

// Where the window differs from its menu's state; empty when it shows it all.
QStringList Differences(MainWindow& window)
{
    const MainMenu& menu = window.menu();
    QStringList differences;
    const auto check = [&](bool same, const QString& what) {
        if (!same)
            differences << what;
    };
    check(window.findChild<QLabel*>("lInfo")->text() == ui::ToQString(menu.Hint()), "hint");
    for (int box = 0; box < MainMenu::kBoxCount; ++box) {
        check(Box(window, box)->caption() == ui::ToQString(menu.BoxCaption(box)),
              QString("box %1 caption").arg(box));
        check(Box(window, box)->fill() == menu.BoxFill(box), QString("box %1 fill").arg(box));
        check(Box(window, box)->border() == menu.BoxBorder(box), QString("box %1 border").arg(box));
    }
    for (int row = 0; row < MainMenu::kRowCount; ++row) {
        check(Row(window, row)->caption() == ui::ToQString(MainMenu::RowCaption(row)),
              QString("row %1 caption").arg(row));
        check(Row(window, row)->fill() == menu.RowFill(row), QString("row %1 fill").arg(row));
        check(Row(window, row)->border() == menu.RowBorder(row), QString("row %1 border").arg(row));
    }
    return differences;
}

// Answers the modal name dialog once it is open.
void OnNameDialog(std::function<void(NewUserDialog&)> script)
{
    QTimer::singleShot(0, [script = std::move(script)] {
        auto* dialog = qobject_cast<NewUserDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        script(*dialog);
    });
}

QLineEdit* NameEdit(NewUserDialog& dialog)
{
    return dialog.findChild<QLineEdit*>("tName");
}

void Click(NewUserDialog& dialog, const char* button)
{
    dialog.findChild<QPushButton*>(button)->click();
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void keysReachTheMenuAndASessionWindowComesAndGoes()
    {
        Installation install;
        install.Write("users", "user1", "Ann");
        install.Write("users", "lastuser", "1");
        const auto window = install.Start();
        window->show();
        QCOMPARE(Differences(*window), QStringList());
        install.names.answers = {std::optional<std::string>("Zo\xEB")};

        Press(*window, Qt::Key_Down);
        Press(*window, Qt::Key_Right);
        QCOMPARE(install.names.asked, std::vector<std::string>{""});
        QCOMPARE(Box(*window, 2)->caption(), QString::fromUtf8("Zoë"));
        QCOMPARE(Differences(*window), QStringList());

        Press(*window, Qt::Key_Down);
        Press(*window, Qt::Key_Return);
        QCOMPARE(install.Read("users", "user2"), std::string("Zo\xEB"));
        QVERIFY(install.session);
        QVERIFY(install.session->isVisible());
        QVERIFY(!window->isVisible());

        emit install.session->leftToMenu();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!install.session);
        QVERIFY(window->isVisible());
        QCOMPARE(window->menu().FocusedRow(), MainMenu::kPracticeRow);
        QCOMPARE(Differences(*window), QStringList());
    }

    void pointerReachesTheMenuAndTheWindowFollows()
    {
        Installation install;
        install.Write("users", "user3", "Kim");
        const auto window = install.Start();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));

        emit Row(*window, 6)->hovered();
        QCOMPARE(window->menu().HoveredRow(), 6);
        QCOMPARE(Differences(*window), QStringList());
        emit Box(*window, 3)->hovered();
        QCOMPARE(window->menu().HoveredBox(), 3);
        QCOMPARE(Differences(*window), QStringList());
        QTest::mouseMove(window.get(), QPoint(3, 3));
        QCOMPARE(window->menu().HoveredBox(), MainMenu::kNone);
        QCOMPARE(Differences(*window), QStringList());

        QTest::mouseClick(Box(*window, 3), Qt::LeftButton);
        QCOMPARE(window->menu().MenuFocus(), MainMenu::kMenuColumn);
        QCOMPARE(Differences(*window), QStringList());
        QTest::mouseClick(Row(*window, 4), Qt::LeftButton);
        QCOMPARE(install.names.asked, std::vector<std::string>{"Kim"});
        QCOMPARE(Differences(*window), QStringList());
    }

    void positionIsKeptAcrossARestart()
    {
        Installation install;
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QPoint wanted = screen.topLeft() + QPoint(40, 30);
        {
            const auto window = install.Start();
            window->show();
            window->move(wanted);
            QSignalSpy quit(window.get(), &MainWindow::quitRequested);
            Press(*window, Qt::Key_Escape);
            QCOMPARE(quit.count(), 1);
            QVERIFY(!window->isVisible());
        }
        const QPoint twips = ui::PixelsToTwips(wanted, nullptr);
        QCOMPARE(install.Read("users", "left"), std::to_string(twips.x()));
        QCOMPARE(install.Read("users", "top"), std::to_string(twips.y()));
        const auto again = install.Start();
        QCOMPARE(again->pos(), wanted);
        QCOMPARE(again->state().WindowLeft, twips.x());
    }

    void stalePositionOpensOnScreen()
    {
        Installation install;
        install.Write("users", "left", "300000");
        install.Write("users", "top", "-5000");
        const auto window = install.Start();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY2(screen.contains(window->frameGeometry().topLeft()),
                 qPrintable(QString("at %1,%2").arg(window->x()).arg(window->y())));
        const QPoint shared =
            ui::TwipsToPixels(window->state().WindowLeft, window->state().WindowTop, window.get());
        QCOMPARE(shared, window->pos());
    }

    void nameConversion_data()
    {
        QTest::addColumn<QString>("entered");
        QTest::addColumn<std::optional<std::string>>("stored");
        const auto kept = [](const char* bytes) { return std::optional<std::string>(bytes); };
        QTest::newRow("plain") << QString("Ann") << kept("Ann");
        QTest::newRow("western_accents_kept")
            << QString::fromUtf8("Zoë Ørsted Œil") << kept("Zo\xEB \xD8rsted \x8Cil");
        QTest::newRow("polish") << QString::fromUtf8("Łukasz Żółć") << kept("Lukasz Z\xF3lc");
        QTest::newRow("hungarian") << QString::fromUtf8("Erdős") << kept("Erdos");
        QTest::newRow("romanian") << QString::fromUtf8("Ștefan Țara") << kept("Stefan Tara");
        QTest::newRow("turkish") << QString::fromUtf8("Ağrı İzmir") << kept("Agri Izmir");
        QTest::newRow("latvian") << QString::fromUtf8("Ādams Ķēniņš") << kept("Adams Kenin\x9A");
        QTest::newRow("croatian") << QString::fromUtf8("Đurđa") << kept("Durda");
        QTest::newRow("maltese") << QString::fromUtf8("Ħamrun") << kept("Hamrun");
        QTest::newRow("separate_accent_composes")
            << QString::fromUtf8("Rene\u0301") << kept("Ren\xE9");
        QTest::newRow("stray_accent_dropped") << QString::fromUtf8("q\u0301x") << kept("qx");
        QTest::newRow("empty") << QString() << kept("");
        QTest::newRow("chinese") << QString::fromUtf8("漢") << std::optional<std::string>();
        QTest::newRow("cyrillic") << QString::fromUtf8("Йоан") << std::optional<std::string>();
        QTest::newRow("greek") << QString::fromUtf8("Ώρα") << std::optional<std::string>();
        QTest::newRow("emoji") << QString::fromUtf8("Ann 😀") << std::optional<std::string>();
        QTest::newRow("symbol") << QString::fromUtf8("a≠b") << std::optional<std::string>();
    }

    void nameConversion()
    {
        QFETCH(QString, entered);
        QFETCH(std::optional<std::string>, stored);
        const auto name = NameInCodePage(entered);
        QCOMPARE(name.has_value(), stored.has_value());
        if (stored)
            QCOMPARE(ui::ToQString(*name), ui::ToQString(*stored));
    }

    void nameDialogPreselectsReturnsTheEntryAndRefusesWhatTheCodePageCannotHold()
    {
        test::TempFolder folder;
        test::ScriptedDialogs dialogs;
        NewUserDialog dialog(folder.Path(), dialogs);
        QString selected;
        OnNameDialog([&](NewUserDialog& d) {
            selected = NameEdit(d)->selectedText();
            QTest::keyClicks(NameEdit(d), "Bo");
            Click(d, "bOK");
        });
        QCOMPARE(dialog.AskName("Ann"), std::optional<std::string>("Bo"));
        QCOMPARE(selected, QString("Ann"));

        OnNameDialog([](NewUserDialog& d) {
            QTest::keyClicks(NameEdit(d), "Cy");
            Click(d, "bCancel");
        });
        QCOMPARE(dialog.AskName("Bo"), std::optional<std::string>());
        QVERIFY(dialogs.shown.empty());

        // What the code page cannot hold is refused and the dialog stays open.
        bool stayedOpen = false;
        OnNameDialog([&](NewUserDialog& d) {
            NameEdit(d)->setText(QString::fromUtf8("Li 漢"));
            Click(d, "bOK");
            stayedOpen = d.isVisible();
            NameEdit(d)->setText(QString::fromUtf8("Łucja"));
            Click(d, "bOK");
        });
        QCOMPARE(dialog.AskName(""), std::optional<std::string>("Lucja"));
        QVERIFY(stayedOpen);
        QCOMPARE(dialogs.shown.size(), size_t{1}); // the refusal
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
