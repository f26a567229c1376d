#pragma once

#include "ui/picture_window.h"

class QEventLoop;

namespace tarvelo::ui {

// A picture window shown modally over the application: exec() returns when
// done() is called or the window is closed. Timers of the other windows keep
// running meanwhile.
class ModalPictureWindow : public PictureWindow
{
    Q_OBJECT

public:
    ModalPictureWindow(const std::string& appFolder, QWidget* parent = nullptr);

    void exec();
    void done();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QEventLoop* m_wait = nullptr;
};

} // namespace tarvelo::ui
