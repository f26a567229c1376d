#pragma once

#include <string>
#include <string_view>

namespace tarvelo {

class Dialogs;
class UrlOpener;

inline constexpr std::string_view kHelpPageName = "Dalmor_help.htm";
inline constexpr std::string_view kDonationPageAddress = "https://www.tarvelo.example/donate/";

// A file:// URL for a path of the system's bytes; every byte outside the
// unreserved set is percent-encoded, so a name that is not UTF-8 survives.
std::string FileUrl(std::string_view path);

// The help page, the product's web site and the donation page, handed to
// the desktop. A failure is told to the user: a missing page or no browser.
class OutsideLinks
{
public:
    OutsideLinks(std::string appFolder, UrlOpener& opener, Dialogs& dialogs)
        : m_appFolder(std::move(appFolder)), m_opener(opener), m_dialogs(dialogs)
    {}

    bool OpenHelpPage();
    bool OpenWebSite();
    bool OpenDonationPage();

private:
    bool Open(const std::string& url, std::string_view what);

    std::string m_appFolder;
    UrlOpener& m_opener;
    Dialogs& m_dialogs;
};

} // namespace tarvelo
