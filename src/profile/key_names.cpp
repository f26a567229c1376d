#include "profile/key_names.h"

#include "profile/key_codes.h"

namespace tarvelo {

std::string KeyName(std::string_view caption)
{
    if (caption == "SHIFT")
        return "Shift";
    if (caption == "SPACEBAR")
        return "Space";
    if (caption.empty())
        return "Blank key";
    return std::string(caption);
}

std::string CharacterName(int code)
{
    switch (code) {
    case keycode::kSpace:
        return "space";
    case keycode::kTab:
        return "Tab";
    case keycode::kEnter:
        return "Enter";
    case keycode::kBackspace:
        return "Backspace";
    default:
        return std::string(1, static_cast<char>(code));
    }
}

} // namespace tarvelo
