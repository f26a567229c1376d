#pragma once

#include "ui/picture_window.h"

class QEventLoop;

namespace tarvelo::ui {

class FocusBox;

// The one modal form of the windows: a picture window shown over the
// application until done() is called or the window is closed. Timers of the
// other windows keep running meanwhile.
class ModalPictureWindow : public PictureWindow
{
    Q_OBJECT

public:
    ModalPictureWindow(const std::string& appFolder, QWidget* parent = nullptr);
    ~ModalPictureWindow() override;

    // Shows the window, gives the keys to its focus proxy and waits; false
    // when the window was deleted meanwhile.
    bool exec();
    bool waiting() const { return m_wait != nullptr; }
    virtual void done();

protected:
    // The focus box of a window that Escape, Enter and the right arrow key
    // close; it holds the keys.
    FocusBox* makeClosingFocusBox();
    void closeEvent(QCloseEvent* event) override;

private:
    QEventLoop* m_wait = nullptr;
};

} // namespace tarvelo::ui
