#include "app/application.h"
#include "profile/data_file.h"
#include "state/program_state.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "support/window_helpers.h"
#include "ui/after_first_paint.h"
#include "ui/option_frame.h"
#include "ui/picture_window.h"
#include "ui/qt_dialogs.h"
#include "ui/text_codec.h"

#include <QAbstractButton>
#include <QBuffer>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <sys/stat.h>

using namespace tarvelo;

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    // Regression: a folder name that is not UTF-8 lost the background
    // picture. Only the JPEG reader is asked for it, but a picture of another
    // kind under its name still shows.
    void pictureLoadsFromAFolderNameThatIsNotUtf8AndOfAnotherKind()
    {
        test::TempFolder home;
        const std::string odd = home.Path() + "caf\xe9-\xff/";
        QVERIFY(::mkdir(odd.c_str(), 0700) == 0);
        QImage halves(64, 48, QImage::Format_RGB32);
        halves.fill(Qt::white);
        QPainter(&halves).fillRect(0, 24, 64, 24, QColor(0, 0, 160));
        QByteArray png;
        QBuffer buffer(&png);
        QVERIFY(halves.save(&buffer, "PNG"));
        QVERIFY(WriteFileAtomically(odd + ui::PictureWindow::kPictureName, png.toStdString()));

        ui::PictureWindow window(odd);
        window.resize(64, 48);
        const QImage shown = window.grab().toImage();
        QVERIFY(shown.pixel(32, 8) != shown.pixel(32, 40));
    }

    // Work put off until the window first painted runs then, once.
    void workAfterTheFirstPaintRunsOnceAfterIt()
    {
        QWidget window;
        int runs = 0;
        ui::AfterFirstPaint(window, [&] { ++runs; });
        QCoreApplication::processEvents();
        QCOMPARE(runs, 0);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(runs, 1);
        window.update();
        QTest::qWait(20);
        QCOMPARE(runs, 1);
    }

    // The menu's name dialog is built when a name is first asked for; it
    // then opens over the menu and the name reaches the box.
    void nameDialogIsBuiltOnFirstNeedOverTheMenu()
    {
        test::TempFolder folder;
        folder.CopyShipped("Tarvelo.INI");
        test::ScriptedDialogs dialogs;
        const auto window = StartApplication(folder.Path(), dialogs);
        QVERIFY(window);
        QVERIFY(window->findChildren<QDialog*>().isEmpty());
        QWidget* over = nullptr;
        QTimer::singleShot(0, [&] {
            QWidget* dialog = QApplication::activeModalWidget();
            QVERIFY(dialog);
            over = dialog->parentWidget();
            QTest::keyClicks(dialog->findChild<QLineEdit*>("tName"), "Bo");
            dialog->findChild<QPushButton*>("bOK")->click();
        });
        emit window->findChild<ui::OptionFrame*>("lUser0")->pressed();
        QCOMPARE(over, window.get());
        QCOMPARE(window->state().user.UserName, std::string("Bo"));
    }

    // A settings file that cannot be saved is told at start, and not again
    // by the first write that fails for the same reason.
    void unsavableSettingsAreToldOnce()
    {
        test::TempFolder folder;
        folder.CopyShipped("Tarvelo.INI");
        test::ScriptedDialogs dialogs;
        test::FileSizeLimit diskFull(0);
        const auto window = StartApplication(folder.Path(), dialogs);
        QVERIFY(window);
        QVERIFY(!window->state().profile.WriteProfile("users", "probe", "1"));
        QCOMPARE(dialogs.shown.size(), std::size_t(1));
    }

    // Every kind of box shows code-page text as the characters typed: a user
    // name holding markup gives no heading and loads no image from disk.
    // A box raised while the user types: the keys of its first second are not
    // its answer. Space on its default button at 0, 999 and 1000 ms after it
    // came up.
    void boxesShowPlainCodePageTextAndIgnoreTheKeysOfTheirFirstSecond()
    {
        std::int64_t now = 50'000;
        ui::QtDialogs dialogs(nullptr, [&now] { return now; });
        const std::string name = "<h1>Big</h1><img src=\"/etc/x.png\"> Caf\xE9 \x80";
        QStringList shown;
        QList<Qt::TextFormat> formats;
        const auto answer = [&](QMessageBox::StandardButton button) {
            QTimer::singleShot(0, [&, button] {
                QWidget* modal = QApplication::activeModalWidget();
                if (auto* box = qobject_cast<QMessageBox*>(modal)) {
                    shown << box->text();
                    formats << box->textFormat();
                    return box->button(button)->click();
                }
                for (QLabel* label : modal->findChildren<QLabel*>())
                    formats << label->textFormat();
                qobject_cast<QDialog*>(modal)->done(0);
            });
        };
        answer(QMessageBox::Ok);
        dialogs.ShowMessage(name, "Error", MessageIcon::Critical);
        QCOMPARE(shown,
                 QStringList{QString::fromUtf8("<h1>Big</h1><img src=\"/etc/x.png\"> Café €")});
        for (const auto button : {QMessageBox::Yes, QMessageBox::No}) {
            answer(button);
            QCOMPARE(
                dialogs.AskYesNo(name, "Confirmation", MessageIcon::Question, DefaultAnswer::No),
                button == QMessageBox::Yes);
        }
        answer(QMessageBox::Cancel);
        dialogs.AskText(name, "Rename", name);
        QVERIFY(formats.size() >= 4);
        for (const Qt::TextFormat format : formats)
            QCOMPARE(format, Qt::PlainText);

        for (const bool question : {false, true}) {
            int closedAt = -1;
            QTimer::singleShot(0, [&] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QAbstractButton* button = box->defaultButton();
                if (!button)
                    button = box->buttons().constFirst();
                const std::int64_t raised = now;
                for (const int after : {0, 999, 1000}) {
                    now = raised + after;
                    QTest::keyClick(button, Qt::Key_Space);
                    if (!box->isVisible()) {
                        closedAt = after;
                        return;
                    }
                }
                box->done(0);
            });
            if (question)
                dialogs.AskYesNo("Sure?", "Confirmation", MessageIcon::Question, DefaultAnswer::No);
            else
                dialogs.ShowMessage("The disk is full.", "Warning", MessageIcon::Exclamation);
            QCOMPARE(closedAt, 1000);
        }
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
