#pragma once

#include <QWidget>
#include <string>

namespace tarvelo::ui {

// A window with the background picture "Masada.jpg" of the application
// folder, scaled to cover it; a plain ground in the high-contrast look. The folder is the system's
// bytes: read by the logic, not through a QString path, any folder name works.
class PictureWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr const char* kPictureName = "Masada.jpg";

    PictureWindow(const std::string& appFolder, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string m_picturePath;
};

} // namespace tarvelo::ui
