#pragma once

#include "platform/url_opener.h"

namespace tarvelo::ui {

// Opens addresses with the desktop's default handler.
class QtUrlOpener : public UrlOpener
{
public:
    bool Open(std::string_view url) override;
};} // namespace tarvelo::ui
