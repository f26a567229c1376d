#pragma once

#include <string>
#include <string_view>

namespace tarvelo::fuzz {

// A folder for the files a harness hands to the logic, on a RAM disk when
// there is one (each settings write syncs to disk). Made once per process.
const std::string& ScratchFolder();

void WriteScratchFile(std::string_view name, std::string_view bytes);

} // namespace tarvelo::fuzz
