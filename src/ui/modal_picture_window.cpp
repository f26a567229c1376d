#include "ui/modal_picture_window.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QPointer>

namespace tarvelo::ui {

ModalPictureWindow::ModalPictureWindow(const std::string& appFolder, QWidget* parent)
    : PictureWindow(appFolder, parent)
{
    setWindowFlags(Qt::Dialog);
    setWindowModality(Qt::ApplicationModal);
}

ModalPictureWindow::~ModalPictureWindow()
{
    if (m_wait)
        m_wait->quit();
}

bool ModalPictureWindow::exec()
{
    show();
    raise();
    activateWindow();
    if (focusProxy())
        setFocus();
    QEventLoop wait;
    m_wait = &wait;
    const QPointer<ModalPictureWindow> alive(this);
    wait.exec(QEventLoop::DialogExec);
    if (!alive)
        return false;
    m_wait = nullptr;
    return true;
}

void ModalPictureWindow::done()
{
    hide();
    if (m_wait)
        m_wait->quit();
}

void ModalPictureWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    done();
}

} // namespace tarvelo::ui
