#pragma once

#include <string_view>

namespace tarvelo {

// Hands a web address or a file:// URL to the desktop's default handler.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    // False when no handler took the address (no browser, nothing to open).
    virtual bool Open(std::string_view url) = 0;
};

} // namespace tarvelo
