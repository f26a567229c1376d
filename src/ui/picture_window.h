#pragma once

#include <QPixmap>
#include <QWidget>

namespace tarvelo::ui {

// A window with the background picture "Masada.jpg" of the application
// folder, scaled to cover it.
class PictureWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr const char* kPictureName = "Masada.jpg";

    PictureWindow(const QString& appFolder, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};

} // namespace tarvelo::ui
