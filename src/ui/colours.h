#pragma once

#include <QColor>
#include <cstdint>

namespace tarvelo::ui {

// Colours are given as 0x00BBGGRR numbers.
inline QColor FromBgr(std::int32_t bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

} // namespace tarvelo::ui
