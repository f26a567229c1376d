#include "ui/xkb_keyboards.h"

#include "profile/data_file.h"
#include "profile/keyboard_layout.h"
#include "profile/system_layout_list.h"

#include <QGuiApplication>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>
#include <xkbcommon/xkbcommon.h>

namespace tarvelo::ui {
namespace {

// The spacing accent a dead key is labelled with; 0 for one the code page
// cannot show.
char32_t AccentOf(xkb_keysym_t keysym)
{
    switch (keysym) {
    case XKB_KEY_dead_grave:
        return U'`';
    case XKB_KEY_dead_acute:
        return U'\u00B4';
    case XKB_KEY_dead_circumflex:
        return U'^';
    case XKB_KEY_dead_tilde:
        return U'~';
    case XKB_KEY_dead_diaeresis:
        return U'\u00A8';
    case XKB_KEY_dead_cedilla:
        return U'\u00B8';
    case XKB_KEY_dead_abovering:
        return U'\u00B0'; // the ring, as the degree sign the code page has
    default:
        return 0;
    }
}

bool IsDead(xkb_keysym_t keysym)
{
    return keysym >= XKB_KEY_dead_grave && keysym <= XKB_KEY_dead_greek;
}

std::string_view FirstItem(std::string_view list)
{
    return list.substr(0, list.find(','));
}

// The value of `name` in a shell-style assignment file (XKBLAYOUT="de").
std::string ShellValue(std::string_view text, std::string_view name)
{
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        const auto start = line.find_first_not_of(" \t");
        if (start == std::string_view::npos)
            continue;
        line.remove_prefix(start);
        if (!line.starts_with(name) || line.substr(name.size(), 1) != "=")
            continue;
        std::string_view value = line.substr(name.size() + 1);
        while (!value.empty() && (value.back() == '\r' || value.back() == ' '))
            value.remove_suffix(1);
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return {};
}

// _XKB_RULES_NAMES of the X server's root window: rules, model, layouts,
// variants and options, each ended by a NUL.
std::optional<SystemLayoutName> FromXServer()
{
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    xcb_connection_t* connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return std::nullopt;
    static constexpr char kAtomName[] = "_XKB_RULES_NAMES";
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
        xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 1, sizeof kAtomName - 1, kAtomName), nullptr),
        &std::free);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return std::nullopt;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(
            connection, xcb_get_property(connection, 0, root, atom->atom, XCB_ATOM_STRING, 0, 1024),
            nullptr),
        &std::free);
    if (!reply)
        return std::nullopt;
    const std::string_view names(
        static_cast<const char*>(xcb_get_property_value(reply.get())),
        static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
    std::string_view fields[5];
    std::size_t from = 0;
    for (std::string_view& field : fields) {
        const auto nul = names.find('\0', from);
        field = names.substr(std::min(from, names.size()),
                             nul == std::string_view::npos ? std::string_view::npos : nul - from);
        from = nul == std::string_view::npos ? names.size() : nul + 1;
    }
    return FirstLayout(fields[2], fields[3]);
}

} // namespace

std::optional<SystemLayoutName> FirstLayout(std::string_view layouts, std::string_view variants)
{
    const std::string_view layout = FirstItem(layouts);
    if (layout.empty())
        return std::nullopt;
    return SystemLayoutName{std::string(layout), std::string(FirstItem(variants))};
}

XkbKeyboards::XkbKeyboards(std::string configRoot, std::string keyboardFile)
    : m_configRoot(std::move(configRoot)), m_keyboardFile(std::move(keyboardFile))
{
    if (m_configRoot.empty()) {
        const char* root = std::getenv("XKB_CONFIG_ROOT");
        m_configRoot = root && *root ? root : "/usr/share/X11/xkb";
    }
}

std::optional<SystemLayoutName> XkbKeyboards::Current()
{
    if (auto fromServer = FromXServer())
        return fromServer;
    // What Wayland compositors read, then the system's configuration.
    if (const char* layout = std::getenv("XKB_DEFAULT_LAYOUT"); layout && *layout) {
        const char* variant = std::getenv("XKB_DEFAULT_VARIANT");
        return FirstLayout(layout, variant ? variant : "");
    }
    const FileContents file = ReadDataFile(m_keyboardFile);
    if (file.status != ReadStatus::Ok)
        return std::nullopt;
    return FirstLayout(ShellValue(file.bytes, "XKBLAYOUT"), ShellValue(file.bytes, "XKBVARIANT"));
}

std::vector<SystemLayoutEntry> XkbKeyboards::Available()
{
    const FileContents list = ReadDataFile(m_configRoot + "/rules/evdev.lst");
    if (list.status != ReadStatus::Ok)
        return {};
    return ParseLayoutList(list.bytes);
}

std::optional<SystemKeys> XkbKeyboards::KeysOf(const SystemLayoutName& name)
{
    std::unique_ptr<xkb_context, decltype(&xkb_context_unref)> context(
        xkb_context_new(static_cast<xkb_context_flags>(XKB_CONTEXT_NO_DEFAULT_INCLUDES |
                                                       XKB_CONTEXT_NO_ENVIRONMENT_NAMES)),
        &xkb_context_unref);
    if (!context || !xkb_context_include_path_append(context.get(), m_configRoot.c_str()))
        return std::nullopt;
    xkb_context_set_log_level(context.get(), XKB_LOG_LEVEL_CRITICAL);
    const xkb_rule_names names{"evdev", "pc105", name.layout.c_str(), name.variant.c_str(), ""};
    std::unique_ptr<xkb_keymap, decltype(&xkb_keymap_unref)> keymap(
        xkb_keymap_new_from_names(context.get(), &names, XKB_KEYMAP_COMPILE_NO_FLAGS),
        &xkb_keymap_unref);
    if (!keymap)
        return std::nullopt;

    SystemKeys keys;
    for (int key = 1; key <= KeyboardLayout::kKeyCount; ++key) {
        const std::string position(KeyboardLayout::Position(key));
        const xkb_keycode_t code = xkb_keymap_key_by_name(keymap.get(), position.c_str());
        if (code == XKB_KEYCODE_INVALID)
            continue;
        const auto read = [&](xkb_level_index_t level, char32_t& character, bool& dead) {
            const xkb_keysym_t* syms = nullptr;
            if (xkb_keymap_key_get_syms_by_level(keymap.get(), code, 0, level, &syms) != 1)
                return;
            dead = IsDead(syms[0]);
            character = dead ? AccentOf(syms[0]) : xkb_keysym_to_utf32(syms[0]);
        };
        SystemKey& system = keys[static_cast<std::size_t>(key)];
        read(0, system.plain, system.plainDead);
        read(1, system.shifted, system.shiftedDead);
    }
    return keys;
}

} // namespace tarvelo::ui
