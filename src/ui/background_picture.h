#pragma once

#include <QImage>
#include <QSize>
#include <string>

namespace tarvelo::ui {

// The windows' background picture (a JPEG file), read once and decoded at the
// size it is drawn: the file's bytes are kept, not a full-size image, and the
// windows drawn at one size share one decoded image.
class BackgroundPicture
{
public:
    // The picture in `path` covering `area` (keeping its proportions, so one
    // side may overflow it), at `pixelRatio` device pixels to a pixel; a null
    // image when the file is missing or no picture.
    static QImage Covering(const std::string& path, QSize area, qreal pixelRatio);
};

} // namespace tarvelo::ui
