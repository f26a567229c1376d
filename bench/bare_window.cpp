// The yardstick of bench/startup_bench.sh: one empty QWidget shown, built
// with the program's compiler and flags.

#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle("Bare Qt window");
    window.resize(640, 480);
    window.show();
    return QApplication::exec();
}
