#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tarvelo {

// The lines of a text data file after its header line. Lines end with CR LF,
// a lone CR or a lone LF; a final line needs no ending. Code 0 is no
// character and reads as a space.
std::vector<std::string> LinesAfterHeader(std::string_view fileBytes);

} // namespace tarvelo
