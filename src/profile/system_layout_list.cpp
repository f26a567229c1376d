#include "profile/system_layout_list.h"

#include "profile/code_page.h"

#include <algorithm>

namespace tarvelo {
namespace {

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

} // namespace

std::vector<SystemLayoutEntry> ParseLayoutList(std::string_view text)
{
    std::vector<SystemLayoutEntry> layouts;
    std::vector<SystemLayoutEntry> variants;
    std::string_view section;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty())
            continue;
        if (line.front() == '!') {
            section = Trim(line.substr(1));
            continue;
        }
        if (section != "layout" && section != "variant")
            continue;
        const auto gap = line.find_first_of(" \t");
        if (gap == std::string_view::npos)
            continue;
        const std::string name(line.substr(0, gap));
        std::string_view description = Trim(line.substr(gap));
        if (section == "layout") {
            layouts.push_back({{name, ""}, codepage::FromUtf8(description)});
            continue;
        }
        const auto colon = description.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string layout(description.substr(0, colon));
        description = Trim(description.substr(colon + 1));
        variants.push_back({{layout, name}, codepage::FromUtf8(description)});
    }

    std::vector<SystemLayoutEntry> list;
    list.reserve(layouts.size() + variants.size());
    for (const SystemLayoutEntry& layout : layouts) {
        list.push_back(layout);
        for (const SystemLayoutEntry& variant : variants) {
            if (variant.name.layout == layout.name.layout)
                list.push_back(variant);
        }
    }
    return list;
}

} // namespace tarvelo
