#include "temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>

namespace tarvelo::probe {

ScratchFolder::ScratchFolder()
{
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tarvelo-probe-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a scratch folder");
    m_path = pattern + "/";
}

ScratchFolder::~ScratchFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

} // namespace tarvelo::probe
