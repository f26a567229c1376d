#pragma once

#include "platform/system_keyboards.h"

#include <string>

namespace tarvelo::ui {

// The system's keyboard layouts through libxkbcommon: the current one from
// the XKB names the X server holds (else XKB_DEFAULT_LAYOUT, else the
// system's keyboard configuration), the list from xkeyboard-config, and
// each layout compiled to read what its keys type.
class XkbKeyboards : public SystemKeyboards
{
public:
    // `configRoot`: the xkeyboard-config folder; empty for XKB_CONFIG_ROOT
    // or the system's. `keyboardFile`: the keyboard configuration read when
    // neither the display nor the environment names a layout.
    explicit XkbKeyboards(std::string configRoot = {},
                          std::string keyboardFile = "/etc/default/keyboard");

    std::optional<SystemLayoutName> Current() override;
    std::vector<SystemLayoutEntry> Available() override;
    std::optional<SystemKeys> KeysOf(const SystemLayoutName& name) override;

private:
    std::string m_configRoot;
    std::string m_keyboardFile;
};

// The first layout and variant of comma-separated XKB lists ("de,us" and
// ",intl" give "de" with no variant); nullopt when no layout is named.
std::optional<SystemLayoutName> FirstLayout(std::string_view layouts, std::string_view variants);

} // namespace tarvelo::ui
