#include "ui/qt_url_opener.h"

#include <QDesktopServices>
#include <QUrl>

namespace tarvelo::ui {

bool QtUrlOpener::Open(std::string_view url)
{
    // The logic percent-encodes file paths, so the bytes pass through as they are.
    const QUrl target =
        QUrl::fromEncoded(QByteArray(url.data(), static_cast<qsizetype>(url.size())));
    return target.isValid() && QDesktopServices::openUrl(target);
}} // namespace tarvelo::ui
