#include "menu/main_window.h"

namespace tarvelo {

MainWindow::MainWindow(QWidget* parent) : QWidget(parent)
{
    setObjectName("main");
    setWindowTitle("Tarvelo - Select your Options");
    resize(640, 480);
}

} // namespace tarvelo
