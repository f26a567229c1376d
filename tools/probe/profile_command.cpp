#include "commands.h"
#include "json_bytes.h"
#include "profile/app_folder.h"
#include "profile/profile_store.h"

#include <iostream>

namespace tarvelo::probe {
namespace {

nlohmann::json Answer(ProfileStore& store, const nlohmann::json& command)
{
    if (!command.is_array() || command.size() != 4)
        throw std::invalid_argument("expected [verb, section, key, text]");
    const std::string verb = command[0].get<std::string>();
    const std::string section = JsonToBytes(command[1]);
    const std::string key = JsonToBytes(command[2]);
    const std::string text = JsonToBytes(command[3]);
    if (verb == "read")
        return BytesToJson(store.ReadProfile(section, key, text));
    if (verb == "write")
        return store.WriteProfile(section, key, text);
    throw std::invalid_argument("unknown verb " + verb);
}

} // namespace

int RunProfile(const std::string& folder, std::istream& in, std::ostream& out)
{
    ProfileStore store(NormaliseFolder(folder));
    return ForEachJsonLine(
        in, out, [&store](const nlohmann::json& command) { return Answer(store, command); });
}

int ForEachJsonLine(std::istream& in, std::ostream& out,
                    const std::function<nlohmann::json(const nlohmann::json&)>& answer)
{
    std::string line;
    int status = 0;
    while (std::getline(in, line)) {
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        try {
            out << answer(nlohmann::json::parse(line)).dump() << std::endl;
        } catch (const std::exception& error) {
            out << nlohmann::json{{"error", error.what()}}.dump() << std::endl;
            status = 1;
        }
    }
    return status;
}

} // namespace tarvelo::probe
