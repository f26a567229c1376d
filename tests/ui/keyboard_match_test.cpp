// "Match My Keyboard": the on-screen keys labelled from a system layout
// compiled with libxkbcommon, kept across a restart, and the next-key hint
// through dead keys.
#include "profile/keyboard_layout.h"
#include "profile/profile_store.h"
#include "state/program_state.h"
#include "support/fake_platform.h"
#include "support/practice_state.h"
#include "support/scripted_dialogs.h"
#include "support/window_helpers.h"
#include "ui/keyboard_view.h"
#include "ui/text_codec.h"
#include "ui/xkb_keyboards.h"
#include "windows/session/session_window.h"

#include <QPushButton>

using namespace tarvelo;
using test::Child;

namespace {

// The editable keys row by row, as the keyboard shows them.
constexpr int kRows[] = {49, 35, 37, 38, 39, 40, 41, 42, 43, 44, 45, 36, 46, // number row
                         1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 47, 48,     // upper letters
                         11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,         // middle
                         22, 23, 24, 25, 26, 27, 28, 29, 30, 31};            // lower

// Every caption of the 49 keys: the editable ones in row order, one
// character each ("_" for none), then the three fixed ones.
QString Captions(const KeyboardLayout& layout)
{
    QString shown;
    for (const int key : kRows) {
        const QString caption = ui::ToQString(layout.Caption(key));
        shown += caption.isEmpty() ? QString("_") : caption;
        if (key == 46 || key == 48 || key == 21)
            shown += ' ';
    }
    for (const int key :
         {KeyboardLayout::kLeftShift, KeyboardLayout::kRightShift, KeyboardLayout::kSpaceBar})
        shown += ' ' + ui::ToQString(layout.Caption(key));
    return shown;
}

QString Hint(const KeyboardLayout& layout, const QString& character)
{
    QStringList keys;
    for (const int key : layout.KeysFor(static_cast<unsigned char>(ui::FromQString(character)[0])))
        keys << QString::number(key);
    return keys.join(' ');
}

// A system with two layouts, "de" current, whose keys type fixed characters.
struct FakeKeyboards : SystemKeyboards
{
    std::optional<SystemLayoutName> Current() override { return SystemLayoutName{"de", "neo"}; }
    std::vector<SystemLayoutEntry> Available() override
    {
        return {{{"us", ""}, "English (US)"}, {{"de", ""}, "German"}};
    }
    std::optional<SystemKeys> KeysOf(const SystemLayoutName& name) override
    {
        asked.push_back(name);
        SystemKeys keys;
        keys[47] = {U'ü', U'Ü'};
        keys[46] = {U'\u00B4', U'`', true, true};
        keys[3] = {U'e', U'E'};
        return keys;
    }
    std::vector<SystemLayoutName> asked;
};

} // namespace

class KeyboardMatchTest : public QObject
{
    Q_OBJECT

private slots:
    void labelsFollowTheLayoutAndSurviveARestart_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("variant");
        QTest::addColumn<QString>("captions");
        QTest::addColumn<QStringList>("hints"); // "character: keys"
        const QString fixed = " SHIFT SHIFT SPACEBAR";
        QTest::newRow("us")
            << "us"
            << "" << QString::fromUtf8("~!@#$%^&*()_+ QWERTYUIOP{} ASDFGHJKL:\" ZXCVBNM<>?") + fixed
            << QStringList{"é: ", "A: 32 33 11", "^: 32 33 41"};
        QTest::newRow("de")
            << "de"
            << "" << QString::fromUtf8("°!\"§$%&/()=?` QWERTZUIOPÜ* ASDFGHJKLÖÄ YXCVBNM;:_") + fixed
            << QStringList{"é: 46 3", "È: 32 33 46 3", "ê: 49 3", "^: 49 34", "ü: 47"};
        QTest::newRow("de nodeadkeys")
            << "de"
            << "nodeadkeys"
            << QString::fromUtf8("°!\"§$%&/()=?` QWERTZUIOPÜ* ASDFGHJKLÖÄ YXCVBNM;:_") + fixed
            << QStringList{"é: ", "^: 49"};
        QTest::newRow("fr")
            << "fr"
            << "" << QString::fromUtf8("~1É3456È8ÇÀ°+ AZERTYUIOP¨£ QSDFGHJKLMÙ WXCVBN?./§") + fixed
            << QStringList{"ê: 47 3", "ë: 32 33 47 3", "é: 37"};
    }
    void labelsFollowTheLayoutAndSurviveARestart()
    {
        QFETCH(QString, layout);
        QFETCH(QString, variant);
        QFETCH(QString, captions);
        QFETCH(QStringList, hints);
        test::TempFolder folder;
        folder.CopyShipped("Tarvelo.INI");
        ui::XkbKeyboards system;
        const auto keys = system.KeysOf({layout.toStdString(), variant.toStdString()});
        QVERIFY(keys.has_value());
        {
            ProfileStore profile(folder.Path());
            KeyboardLayout matched;
            matched.Load(profile);
            matched.MatchSystemKeys(*keys, profile);
            QCOMPARE(Captions(matched), captions);
        }
        ProfileStore profile(folder.Path());
        KeyboardLayout restarted;
        restarted.Load(profile);
        QCOMPARE(Captions(restarted), captions);
        for (const QString& hint : hints)
            QCOMPARE(hint.section(": ", 0, 0) + ": " + Hint(restarted, hint.section(": ", 0, 0)),
                     hint);
    }

    // The first of the X server's comma-separated lists.
    void currentLayoutIsTheFirstOfTheLists()
    {
        QCOMPARE(ui::FirstLayout("de,us", "nodeadkeys,").value_or(SystemLayoutName{}),
                 (SystemLayoutName{"de", "nodeadkeys"}));
        QCOMPARE(ui::FirstLayout("fr,us", ",intl").value_or(SystemLayoutName{}),
                 (SystemLayoutName{"fr", ""}));
        QVERIFY(!ui::FirstLayout("", "").has_value());
    }

    // The button offers the system's layouts with the current one chosen;
    // the picked one relabels the keys on screen.
    void matchMyKeyboardButtonRelabelsTheKeys()
    {
        test::TempFolder folder;
        test::CopyShippedData(folder);
        ProgramState state(folder.Path());
        test::ReadyForPractice(state);
        test::ScriptedDialogs dialogs;
        test::CountingBeeper beeper;
        test::RecordingGuide guide;
        FakeKeyboards keyboards;
        SessionWindow window(state, {&dialogs, &beeper, &guide, [] {}, &keyboards});
        window.show();
        auto* keyboard = Child<ui::KeyboardView>(window, "keyboard");

        QTest::mouseClick(Child<QPushButton>(window, "lMatchKeyboard"), Qt::LeftButton);
        QCOMPARE(dialogs.lastChoices, (std::vector<std::string>{"English (US)", "German"}));
        QCOMPARE(dialogs.lastCurrent, std::size_t{1});
        QCOMPARE(keyboard->caption(1), QString("Q")); // cancelled: unchanged

        dialogs.choiceAnswers = {std::size_t{1}};
        QTest::mouseClick(Child<QPushButton>(window, "lMatchKeyboard"), Qt::LeftButton);
        QVERIFY(keyboards.asked == (std::vector<SystemLayoutName>{{"de", ""}}));
        QCOMPARE(keyboard->caption(47), QString::fromUtf8("Ü"));
        QCOMPARE(keyboard->caption(46), QString("`"));
        QCOMPARE(keyboard->caption(1), QString());
    }
};

QTEST_MAIN(KeyboardMatchTest)
#include "keyboard_match_test.moc"
