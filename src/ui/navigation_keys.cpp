#include "ui/navigation_keys.h"

#include <Qt>

namespace tarvelo::ui {

NavigationKey ToNavigationKey(int qtKey)
{
    switch (qtKey) {
    case Qt::Key_Up:
        return NavigationKey::Up;
    case Qt::Key_Down:
        return NavigationKey::Down;
    case Qt::Key_Left:
        return NavigationKey::Left;
    case Qt::Key_Right:
        return NavigationKey::Right;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return NavigationKey::Enter;
    case Qt::Key_Escape:
        return NavigationKey::Escape;
    case Qt::Key_Delete:
        return NavigationKey::Delete;
    default:
        return NavigationKey::Other;
    }
}

} // namespace tarvelo::ui
