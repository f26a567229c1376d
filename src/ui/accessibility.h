#pragma once

class QString;
class QWidget;

namespace tarvelo::ui {

// Makes the shared widgets known to assistive tools (AT-SPI through Qt): an
// option frame is a push button or list item named by its caption, each
// on-screen key a push button, a typing line a text, and a focus box is
// named after its window. Idempotent; the widgets call it when created.
void InstallAccessibility();

// Tells assistive tools that `widget` now stands for the keyboard focus,
// which a focus box keeps: a screen reader reads it as the focused object.
// Nothing happens while no assistive tool listens or the window is inactive.
void NotifyFocus(QWidget* widget);

// Makes `widget` one that announces (before assistive tools first ask for
// it): Announce then has its text read as the widget's description, which a
// screen reader speaks for the object it has as focus, sent again when the
// same text is announced twice.
void MakeAnnouncer(QWidget* widget);
void Announce(QWidget* widget, const QString& text);

// Whether an assistive tool listens; what only it would use is skipped
// otherwise.
bool AssistiveToolActive();

} // namespace tarvelo::ui
