#include "ui/text_codec.h"

#include "profile/code_page.h"

#include <QList>

namespace tarvelo::ui {

QString ToQString(std::string_view bytes)
{
    const std::u32string text = codepage::ToUnicode(bytes);
    return QString::fromUcs4(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQString(const QString& text)
{
    const QList<uint> ucs4 = text.toUcs4();
    const std::u32string unicode(ucs4.begin(), ucs4.end());
    return codepage::FromUnicode(unicode);
}

bool FitsCodePage(const QString& text)
{
    const QList<uint> ucs4 = text.toUcs4();
    return codepage::Fits(std::u32string(ucs4.begin(), ucs4.end()));
}

} // namespace tarvelo::ui
