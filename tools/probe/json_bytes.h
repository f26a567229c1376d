#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

// The probe's strings: each character U+0001..U+00FF stands for the
// code-page byte of the same number.
namespace tarvelo::probe {

nlohmann::json BytesToJson(std::string_view bytes);
// Throws std::invalid_argument for a character above U+00FF.
std::string JsonToBytes(const nlohmann::json& value);

} // namespace tarvelo::probe
