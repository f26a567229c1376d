#pragma once

// The letters of the code page, as the drills count them.
namespace tarvelo {

// Whether a code-page byte is a letter: A-Z, a-z and the accented Latin
// letters of Windows-1252 (not the ordinal marks, the micro sign or the
// florin, which no keyboard types as letters).
bool IsLetter(char code);

// The lower-case form of a code-page letter; other bytes come back unchanged.
// "ß" and "ÿ" have no capital in the code page and are their own forms.
char FoldLetter(char code);

} // namespace tarvelo
