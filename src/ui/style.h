#pragma once

class QLabel;
class QWidget;

// The looks the windows share beyond the palette: headings over the
// background picture and the light panels that keep text readable on it.
namespace tarvelo::ui {

// Bold, `scale` times the default size, in the heading colour.
void MakeHeading(QLabel* label, double scale);
// A translucent white panel with rounded corners behind `widget`'s content.
void MakePanel(QWidget* widget);
// The frame around the typing lines, drawn while they take the keys.
void ShowFocusFrame(QWidget* frame, bool shown);

} // namespace tarvelo::ui
