#pragma once

#include "platform/clock.h"
#include "state/palette.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tarvelo {

class ProfileStore;

// "begindate" is stored as YYYY-MM-DD; the default "9/29/80" and the date
// 1980-09-29 in any form mean that no date is stored.
std::string FormatDate(const CalendarDate& date);
// A YYYY-MM-DD date, or the default "9/29/80"; nullopt for anything else.
std::optional<CalendarDate> ParseDate(std::string_view text);
// Days from 1970-01-01.
long DayNumber(const CalendarDate& date);

// The one-time donation request, checked at the end of every activity
// start: the first start stores its date; from three days later the request
// is due until RecordDonationShown says it was seen. True when it is due.
bool RunDonationCheck(ProfileStore& profile, const Clock& clock);
// The request has been shown over the activity window: never again.
void RecordDonationShown(ProfileStore& profile);

// The donation window's options, left to right.
enum class DonationOption
{
    Donate,
    Ignore,
};

// The donation window's texts and the hover of its two options.
class DonationRequest
{
public:
    static constexpr std::string_view kTitle = "Donation - Tarvelo";
    static constexpr std::string_view kHeading = "A Friendly Request";
    static std::string_view Text();
    static std::string_view OptionCaption(DonationOption option);

    // Nothing: the pointer is over no option. True when the hover changed:
    // the window redraws only then.
    bool HoverOption(std::optional<DonationOption> option)
    {
        return std::exchange(m_hovered, option) != option;
    }
    std::optional<DonationOption> Hovered() const { return m_hovered; }
    std::int32_t OptionBorder(DonationOption option) const
    {
        return option == m_hovered ? palette::kHoverBorder : palette::kBorder;
    }

private:
    std::optional<DonationOption> m_hovered;
};

} // namespace tarvelo
