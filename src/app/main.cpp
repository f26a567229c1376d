#include "app/application.h"
#include "menu/main_window.h"
#include "profile/app_folder.h"
#include "ui/qt_dialogs.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("Tarvelo");

    const std::string appFolder =
        tarvelo::NormaliseFolder(QCoreApplication::applicationDirPath().toStdString());
    tarvelo::ui::QtDialogs dialogs;
    const auto window = tarvelo::StartApplication(appFolder, dialogs);
    if (!window)
        return 1;
    QObject::connect(window.get(), &tarvelo::MainWindow::quitRequested, &app,
                     &QCoreApplication::quit, Qt::QueuedConnection);
    window->show();
    return QApplication::exec();
}
