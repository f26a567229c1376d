#pragma once

#include <QApplication>

#include "platform/beeper.h"

namespace tarvelo::ui {

class QtBeeper : public Beeper
{
public:
    void Beep() override { QApplication::beep(); }
};

} // namespace tarvelo::ui
