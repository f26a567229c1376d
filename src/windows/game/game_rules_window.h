#pragma once

#include "ui/modal_picture_window.h"

namespace tarvelo {

namespace ui {
class FocusBox;
}

// "Game Help": the rules of the game, closed by "Continue", Escape, Enter or
// the right arrow key.
class GameRulesWindow : public ui::ModalPictureWindow
{
    Q_OBJECT

public:
    explicit GameRulesWindow(const std::string& appFolder, QWidget* parent = nullptr);

private:
    void buildControls();

    ui::FocusBox* m_focusBox = nullptr;
};

} // namespace tarvelo
