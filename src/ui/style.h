#pragma once

#include <QColor>
#include <cstdint>

class QLabel;
class QWidget;

// The looks the windows share beyond the palette: headings over the
// background picture, the light panels that keep text readable on it, and
// the high-contrast look.
namespace tarvelo::ui {

// Bold, `scale` times the default size, in the heading colour.
void MakeHeading(QLabel* label, double scale);
// A translucent white panel with rounded corners behind `widget`'s content.
void MakePanel(QWidget* widget);
// The frame around the typing lines, drawn while they take the keys.
void ShowFocusFrame(QWidget* frame, bool shown);

// The high-contrast look of every window (palette::high_contrast), as the
// main menu's logic chooses it; it also sets the application's palette, so
// labels, buttons and message boxes follow. Windows opened afterwards take
// it as they build; widgets ask at each paint.
bool HighContrast();
void SetHighContrast(bool on);
// A fill (a key, the playfield), and text on the ground, of the standard
// look as the current look shows them (0x00BBGGRR in, the toolkit's colours
// out). Option frames map their own colours.
QColor ShownFill(std::int32_t fill);
// The width of the borders of option frames and the typing lines' frame.
int BorderWidth();
QColor ShownBorder(std::int32_t border);
QColor ShownText(std::int32_t text);
// Text colour on the ground of a picture window: `standard` over the
// picture, black in high contrast.
QColor GroundText(QColor standard);

} // namespace tarvelo::ui
