#include "session/typing_announcement.h"

#include "profile/key_names.h"
#include "profile/keyboard_layout.h"

#include <utility>

namespace tarvelo {

std::string TypingAnnouncement(const TypingMoment& moment, const KeyboardLayout& layout)
{
    std::string text;
    if (moment.wrongCode)
        text += "Wrong: typed " + CharacterName(*moment.wrongCode) + ". ";
    std::string_view line = moment.newLine;
    while (!line.empty() && line.back() == ' ')
        line.remove_suffix(1);
    if (!line.empty())
        text.append("Type: ").append(line).append(". ");
    std::string next;
    bool shiftNamed = false;
    for (const int key : moment.nextKeys) {
        const bool shift = key == KeyboardLayout::kLeftShift || key == KeyboardLayout::kRightShift;
        if (shift && std::exchange(shiftNamed, true))
            continue;
        next += (next.empty() ? "" : ", ") + KeyName(layout.Caption(key));
    }
    if (next.empty() && moment.nextCode > 0)
        next = CharacterName(moment.nextCode);
    if (!next.empty())
        text += "Next: " + next;
    while (!text.empty() && text.back() == ' ')
        text.pop_back();
    return text;
}

} // namespace tarvelo
