#pragma once

#include <iosfwd>
#include <string>

namespace tarvelo::probe {

// Each command returns the process exit code.
int RunSentences(const std::string& file, std::ostream& out);
int RunProfile(const std::string& folder, std::istream& in, std::ostream& out);

} // namespace tarvelo::probe
