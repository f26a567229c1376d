#pragma once

#include <QWidget>
#include <functional>

namespace tarvelo::ui {

// Runs `action` once, from the event loop just after `window` first painted:
// for work the first picture need not wait for. Nothing runs if the window
// goes first.
void AfterFirstPaint(QWidget& window, std::function<void()> action);

} // namespace tarvelo::ui
