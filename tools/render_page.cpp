// Renders the first screen of an HTML page with Qt's text browser into a
// PNG file, for the screenshot script: tarvelo-render-page PAGE.htm OUT.png
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    QFile page(QString::fromLocal8Bit(argv[1]));
    if (!page.open(QIODevice::ReadOnly))
        return 1;
    QTextBrowser browser;
    browser.setSearchPaths({QFileInfo(page).absolutePath()});
    browser.setHtml(QString::fromUtf8(page.readAll()));
    browser.resize(900, 700);
    browser.show();
    app.processEvents();
    return browser.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
