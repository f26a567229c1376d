#pragma once

#include <functional>
#include <iosfwd>
#include <nlohmann/json.hpp>
#include <string>

namespace tarvelo::probe {

// Each command returns the process exit code.
int RunSentences(const std::string& file, std::ostream& out);
int RunProfile(const std::string& folder, std::istream& in, std::ostream& out);
int RunType(std::istream& in, std::ostream& out);
int RunGame(std::istream& in, std::ostream& out);
int RunDrill(std::istream& in, std::ostream& out);

// Answers each JSON line of `in` with one JSON line; a line that cannot be
// answered gets {"error": ...} and makes the exit code 1.
int ForEachJsonLine(std::istream& in, std::ostream& out,
                    const std::function<nlohmann::json(const nlohmann::json&)>& answer);

} // namespace tarvelo::probe
