#include "app/deferred_name_dialog.h"

#include "windows/menu/new_user_dialog.h"

#include <QWidget>

namespace tarvelo {

DeferredNameDialog::DeferredNameDialog(std::string appFolder) : m_appFolder(std::move(appFolder)) {}

std::optional<std::string> DeferredNameDialog::AskName(std::string_view currentName)
{
    if (!m_dialog) {
        auto* window = qobject_cast<QWidget*>(parent());
        m_dialogs.emplace(window);
        m_dialog = new NewUserDialog(m_appFolder, *m_dialogs, window);
    }
    return m_dialog->AskName(currentName);
}

} // namespace tarvelo
