#pragma once

#include <QWidget>

namespace tarvelo {

// The main menu window. For now it only stands in for the menu that opens
// after the start-up checks.
class MainWindow : public QWidget
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget* parent = nullptr);
};

} // namespace tarvelo
