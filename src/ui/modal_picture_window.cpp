#include "ui/modal_picture_window.h"

#include "platform/navigation_key.h"
#include "ui/focus_box.h"
#include "ui/navigation_keys.h"

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

FocusBox* ModalPictureWindow::makeClosingFocusBox()
{
    auto* box = new FocusBox(this);
    connect(box, &FocusBox::keyDown, this, [this](int key, Qt::KeyboardModifiers) {
        const NavigationKey navigation = ToNavigationKey(key);
        if (navigation == NavigationKey::Escape || navigation == NavigationKey::Enter ||
            navigation == NavigationKey::Right)
            done();
    });
    setFocusProxy(box);
    return box;
}

void ModalPictureWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    done();
}

} // namespace tarvelo::ui
