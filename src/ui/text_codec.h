#pragma once

#include <QString>
#include <string>
#include <string_view>

// Conversion between the logic's code-page text and Qt's Unicode strings.
namespace tarvelo::ui {

QString ToQString(std::string_view bytes);
// Characters outside the code page become "?".
std::string FromQString(const QString& text);

// Whether every character of `text` has a code-page byte.
bool FitsCodePage(const QString& text);

} // namespace tarvelo::ui
