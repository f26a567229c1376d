#include "ui/navigation_keys.h"

#include <Qt>
#include <algorithm>
#include <utility>

namespace tarvelo::ui {

NavigationKey ToNavigationKey(int qtKey)
{
    static constexpr std::pair<int, NavigationKey> kKeys[] = {
        {Qt::Key_Up, NavigationKey::Up},         {Qt::Key_Down, NavigationKey::Down},
        {Qt::Key_Left, NavigationKey::Left},     {Qt::Key_Right, NavigationKey::Right},
        {Qt::Key_Return, NavigationKey::Enter},  {Qt::Key_Enter, NavigationKey::Enter},
        {Qt::Key_Escape, NavigationKey::Escape}, {Qt::Key_Delete, NavigationKey::Delete},
    };
    const auto* found = std::find_if(std::begin(kKeys), std::end(kKeys),
                                     [qtKey](const auto& key) { return key.first == qtKey; });
    return found == std::end(kKeys) ? NavigationKey::Other : found->second;
}

} // namespace tarvelo::ui
