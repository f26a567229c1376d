#include "ui/background_picture.h"

#include "profile/data_file.h"

#include <QBuffer>
#include <QImageReader>
#include <algorithm>
#include <deque>

namespace tarvelo::ui {
namespace {

// A few sizes at once: the menu and the open activity window, a resize.
constexpr std::size_t kKeptImages = 3;

struct Shared
{
    std::string path;
    QByteArray bytes;
    QByteArray format;
    QSize size; // the picture's own; invalid when it cannot be read
    std::deque<QImage> decoded;
};

// With a format named, only that format's reader loads; otherwise Qt loads
// every reader that comes before it in its list to ask whether it reads it.
void NameTheReader(QImageReader& reader, const QByteArray& format)
{
    if (!format.isEmpty())
        reader.setAutoDetectImageFormat(false);
}

Shared& ReadOnce(const std::string& path)
{
    static Shared shared;
    if (shared.path == path && !shared.bytes.isNull())
        return shared;
    shared = Shared{path, QByteArray(""), "jpeg", QSize(), {}};
    const FileContents file = ReadDataFile(path);
    if (file.status != ReadStatus::Ok)
        return shared;
    shared.bytes = QByteArray(file.bytes.data(), static_cast<qsizetype>(file.bytes.size()));
    // A picture of another kind under the name is still found by probing.
    for (const QByteArray& format : {QByteArray("jpeg"), QByteArray()}) {
        QBuffer buffer(&shared.bytes);
        QImageReader reader(&buffer, format);
        NameTheReader(reader, format);
        shared.size = reader.size();
        if (shared.size.isValid()) {
            shared.format = reader.format();
            break;
        }
    }
    return shared;
}

QImage Decode(const Shared& shared, QSize size)
{
    QByteArray bytes = shared.bytes; // shared, not copied: QBuffer wants a pointer
    QBuffer buffer(&bytes);
    QImageReader reader(&buffer, shared.format);
    NameTheReader(reader, shared.format);
    // JPEG decodes straight to a fraction of its size; the rest is smoothed.
    reader.setScaledSize(size);
    return reader.read();
}

} // namespace

QImage BackgroundPicture::Covering(const std::string& path, QSize area, qreal pixelRatio)
{
    Shared& shared = ReadOnce(path);
    if (!shared.size.isValid() || area.isEmpty())
        return {};
    const QSize pixels = shared.size.scaled(area * pixelRatio, Qt::KeepAspectRatioByExpanding);
    const auto kept =
        std::find_if(shared.decoded.begin(), shared.decoded.end(), [&](const QImage& image) {
            return image.size() == pixels && image.devicePixelRatio() == pixelRatio;
        });
    if (kept != shared.decoded.end())
        return *kept;
    QImage image = Decode(shared, pixels);
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(pixelRatio);
    shared.decoded.push_front(image);
    if (shared.decoded.size() > kKeptImages)
        shared.decoded.pop_back();
    return image;
}

} // namespace tarvelo::ui
