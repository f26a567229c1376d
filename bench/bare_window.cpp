// The yardsticks of bench/startup_bench.sh, built with the program's compiler
// and flags: one empty QWidget shown, or with --label one line of text in the
// application's default font, as the main menu's rows are drawn, so that the
// font set-up and the first glyphs are paid on both sides.

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const bool withLabel = QApplication::arguments().contains("--label");
    QWidget window;
    window.setWindowTitle(withLabel ? "Bare Qt window with a label" : "Bare Qt window");
    if (withLabel)
        (new QVBoxLayout(&window))->addWidget(new QLabel("Select your Options"));
    window.resize(640, 480);
    window.show();
    return QApplication::exec();
}
