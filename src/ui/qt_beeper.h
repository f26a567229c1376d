#pragma once

#include "platform/beeper.h"

#include <QApplication>

namespace tarvelo::ui {

class QtBeeper : public Beeper
{
public:
    void Beep() override { QApplication::beep(); }
};

} // namespace tarvelo::ui
