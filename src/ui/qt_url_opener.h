#pragma once

#include "platform/clock.h"
#include "platform/url_opener.h"

namespace tarvelo::ui {

// Opens addresses with the desktop's default handler.
class QtUrlOpener : public UrlOpener
{
public:
    bool Open(std::string_view url) override;
};

// Today from the system's local time.
class SystemClock : public Clock
{
public:
    Date Today() const override;
};

} // namespace tarvelo::ui
