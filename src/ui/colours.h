#pragma once

#include <QColor>
#include <cstdint>

namespace tarvelo::ui {

// The one conversion of the logic's 0x00BBGGRR colours.
inline QColor FromBgr(std::int32_t bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}
// A QRgb is 0xAARRGGBB: passing one here would swap red and blue.
QColor FromBgr(QRgb) = delete;

} // namespace tarvelo::ui
