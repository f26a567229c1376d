#pragma once

#include "platform/navigation_key.h"

namespace tarvelo::ui {

// The navigation key of a Qt key code; Other for every key that is none.
NavigationKey ToNavigationKey(int qtKey);

} // namespace tarvelo::ui
