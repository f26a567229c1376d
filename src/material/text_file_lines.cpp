#include "material/text_file_lines.h"

#include <algorithm>

namespace tarvelo {

std::vector<std::string> LinesAfterHeader(std::string_view fileBytes)
{
    std::vector<std::string> lines;
    bool header = true;
    std::size_t pos = 0;
    while (pos < fileBytes.size()) {
        std::size_t end = fileBytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = fileBytes.size();
        std::string line(fileBytes.substr(pos, end - pos));
        pos = end;
        if (pos < fileBytes.size() && fileBytes[pos] == '\r')
            ++pos;
        if (pos < fileBytes.size() && fileBytes[pos] == '\n')
            ++pos;
        if (header) {
            header = false;
            continue;
        }
        std::replace(line.begin(), line.end(), '\0', ' ');
        lines.push_back(std::move(line));
    }
    return lines;
}

} // namespace tarvelo
