#include "help/outside_links.h"

#include "platform/dialogs.h"
#include "platform/url_opener.h"
#include "profile/app_folder.h"
#include "profile/data_file.h"

namespace tarvelo {

std::string FileUrl(std::string_view path)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                           (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                           byte == '_' || byte == '~' || byte == '/';
        if (plain) {
            url += c;
        } else {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 0xF];
        }
    }
    return url;
}

bool OutsideLinks::OpenHelpPage()
{
    const std::string path = DataFilePath(m_appFolder, kHelpPageName);
    if (!FileExists(path)) {
        m_dialogs.ShowMessage("The help page \"" + std::string(kHelpPageName) +
                                  "\" is missing from the folder " + m_appFolder +
                                  ". Reinstall the program to get it back.",
                              "Tarvelo", MessageIcon::Exclamation);
        return false;
    }
    return Open(FileUrl(path), "the help page");
}

bool OutsideLinks::OpenWebSite()
{
    return Open(std::string(kWebSiteAddress), "the web site");
}

bool OutsideLinks::OpenDonationPage()
{
    return Open(std::string(kDonationPageAddress), "the donation page");
}

bool OutsideLinks::Open(const std::string& url, std::string_view what)
{
    if (m_opener.Open(url))
        return true;
    m_dialogs.ShowMessage("No program on this computer would open " + std::string(what) + " (" +
                              url + "). Install a web browser, or open the address in one.",
                          "Tarvelo", MessageIcon::Exclamation);
    return false;
}

} // namespace tarvelo
