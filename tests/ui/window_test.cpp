#include "app/application.h"
#include "menu/main_window.h"
#include "profile/data_file.h"
#include "support/scripted_dialogs.h"
#include "support/temp_folder.h"
#include "ui/picture_window.h"
#include "ui/qt_dialogs.h"
#include "ui/text_codec.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace tarvelo;

class WindowTest : public QObject
{
    Q_OBJECT

private slots:
    void emptyFolderShowsTheErrorAndNoWindow()
    {
        test::TempFolder folder;
        test::ScriptedDialogs dialogs;
        QVERIFY(!StartApplication(folder.Path(), dialogs));
        QCOMPARE(dialogs.shown.size(), size_t{1});
        QCOMPARE(dialogs.shown[0].title, std::string("Error"));
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
    }

    void shippedDataOpensTheMainWindow()
    {
        test::TempFolder folder;
        folder.CopyShipped("Tarvelo.INI");
        test::ScriptedDialogs dialogs;
        const auto window = StartApplication(folder.Path(), dialogs);
        QVERIFY(window);
        QVERIFY(dialogs.shown.empty());
        QCOMPARE(window->windowTitle(), QString("Tarvelo - Select your Options"));
    }

    // Regression: a folder name that is not UTF-8 lost the background picture.
    void pictureLoadsFromAFolderNameThatIsNotUtf8()
    {
        test::TempFolder home;
        const std::string odd = home.Path() + "caf\xe9-\xff/";
        QVERIFY(::mkdir(odd.c_str(), 0700) == 0);
        test::TempFolder data;
        data.CopyShipped(ui::PictureWindow::kPictureName);
        const std::string bytes = data.Read(ui::PictureWindow::kPictureName);
        QVERIFY(WriteFileAtomically(odd + ui::PictureWindow::kPictureName, bytes));

        ui::PictureWindow window(odd);
        window.resize(64, 48);
        const QImage shown = window.grab().toImage();
        // Without the picture the window is one flat colour.
        QVERIFY(shown.pixel(8, 8) != shown.pixel(56, 40) ||
                shown.pixel(32, 24) != shown.pixel(8, 40));
    }

    void fifoInPlaceOfThePictureDoesNotBlock()
    {
        test::TempFolder folder;
        folder.CopyShipped("Tarvelo.INI");
        QCOMPARE(::mkfifo(folder.File("Masada.jpg").c_str(), 0644), 0);
        ::alarm(10); // a blocking open would hang the run
        test::ScriptedDialogs dialogs;
        QVERIFY(StartApplication(folder.Path(), dialogs));
        ::alarm(0);
    }

    void messageBoxShowsTitleIconAndCodePageText()
    {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            box->button(QMessageBox::Ok)->click();
        });
        ui::QtDialogs dialogs;
        dialogs.ShowMessage("Caf\xE9 \x80", "Error", MessageIcon::Critical);
        QCOMPARE(title, QString("Error"));
        QCOMPARE(text, QString::fromUtf8("Café €"));
        QCOMPARE(icon, QMessageBox::Critical);
    }

    void yesNoReturnsTheAnswer()
    {
        for (const auto button : {QMessageBox::Yes, QMessageBox::No}) {
            QTimer::singleShot(0, [button] {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                QVERIFY(box);
                box->button(button)->click();
            });
            ui::QtDialogs dialogs;
            QCOMPARE(dialogs.AskYesNo("Sure?", "Confirmation", MessageIcon::Exclamation,
                                      DefaultAnswer::No),
                     button == QMessageBox::Yes);
        }
    }

    // A user name holding markup is shown as the characters typed, in every
    // kind of box: no heading, no image loaded from disk.
    void userNameWithMarkupStaysPlainText()
    {
        const std::string name = "<h1>Big</h1><img src=\"/etc/x.png\">";
        QList<Qt::TextFormat> formats;
        const auto inspect = [&formats] {
            QWidget* modal = QApplication::activeModalWidget();
            QVERIFY(modal);
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                formats << box->textFormat();
            else
                for (QLabel* label : modal->findChildren<QLabel*>())
                    formats << label->textFormat();
            qobject_cast<QDialog*>(modal)->done(0);
        };
        ui::QtDialogs dialogs;
        QTimer::singleShot(0, inspect);
        dialogs.ShowMessage(name, "Warning", MessageIcon::Exclamation);
        QTimer::singleShot(0, inspect);
        dialogs.AskYesNo("Are you sure you would like to delete user " + name + "?", "Confirmation",
                         MessageIcon::Question, DefaultAnswer::No);
        QTimer::singleShot(0, inspect);
        dialogs.AskText(name, "Rename", name);
        QVERIFY(formats.size() >= 3);
        for (const Qt::TextFormat format : formats)
            QCOMPARE(format, Qt::PlainText);
    }

    void textOutsideTheCodePageBecomesQuestionMarks()
    {
        QCOMPARE(ui::FromQString(QString::fromUtf8("Łódź €")), std::string("?\xF3"
                                                                           "d? \x80"));
        QCOMPARE(ui::ToQString(ui::FromQString(QString::fromUtf8("naïve ‘x’"))),
                 QString::fromUtf8("naïve ‘x’"));
    }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
