#pragma once

#include <string>
#include <string_view>

namespace tarvelo {

class ProfileStore;

// The product's web site, named by the start-up error message.
inline constexpr std::string_view kWebSiteAddress = "https://www.tarvelo.example/";

// The folder the platform reports for the program, ending with exactly one
// separator and with doubled separators collapsed.
std::string NormaliseFolder(std::string_view folder);

// `folder` + `name`, with the separator between them single whatever either
// side brings.
std::string DataFilePath(std::string_view folder, std::string_view name);

// The data-file check of start-up: "lastuser" of "users" must be present.
bool DataFilesPresent(const ProfileStore& profile);

// The text of the box shown when the check fails.
std::string MissingDataFilesMessage();

} // namespace tarvelo
