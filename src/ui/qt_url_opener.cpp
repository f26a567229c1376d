#include "ui/qt_url_opener.h"

#include <QDate>
#include <QDesktopServices>
#include <QUrl>

namespace tarvelo::ui {

bool QtUrlOpener::Open(std::string_view url)
{
    // The logic percent-encodes file paths, so the bytes pass through as they are.
    const QUrl target =
        QUrl::fromEncoded(QByteArray(url.data(), static_cast<qsizetype>(url.size())));
    return target.isValid() && QDesktopServices::openUrl(target);
}

Date SystemClock::Today() const
{
    const QDate today = QDate::currentDate();
    return {today.year(), today.month(), today.day()};
}

} // namespace tarvelo::ui
