#include "help/donation.h"

#include "profile/profile_store.h"
#include "profile/settings_keys.h"

#include <charconv>
#include <cstdio>

namespace tarvelo {
namespace {

constexpr CalendarDate kNoDate{1980, 9, 29}; // "9/29/80", the stored default

bool SameDay(const CalendarDate& a, const CalendarDate& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

bool ReadNumber(std::string_view text, int& value)
{
    if (text.empty() || text.size() > 4)
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

int DaysInMonth(int year, int month)
{
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

} // namespace

std::string FormatDate(const CalendarDate& date)
{
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::optional<CalendarDate> ParseDate(std::string_view text)
{
    if (text == settings::kBeginDate.fallback)
        return kNoDate;
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    CalendarDate date;
    if (!ReadNumber(text.substr(0, 4), date.year) || !ReadNumber(text.substr(5, 2), date.month) ||
        !ReadNumber(text.substr(8, 2), date.day))
        return std::nullopt;
    if (date.year < 1 || date.month < 1 || date.month > 12 || date.day < 1 ||
        date.day > DaysInMonth(date.year, date.month))
        return std::nullopt;
    return date;
}

long DayNumber(const CalendarDate& date)
{
    // Days from the civil calendar (proleptic Gregorian), shifted to 1970.
    const long y = date.year - (date.month <= 2 ? 1 : 0);
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long yearOfEra = y - era * 400;
    const long m = date.month;
    const long dayOfYear = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + date.day - 1;
    const long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

bool RunDonationCheck(ProfileStore& profile, const Clock& clock)
{
    const CalendarDate today = clock.Today();
    const std::optional<CalendarDate> begin =
        ParseDate(profile.Read(settings::kUsers, settings::kBeginDate));
    // An unreadable date counts as none: the count starts again today.
    if (!begin || SameDay(*begin, kNoDate)) {
        (void)profile.Write(settings::kUsers, settings::kBeginDate, FormatDate(today));
        return false;
    }
    const long days = DayNumber(today) - DayNumber(*begin);
    return days >= 3 && !profile.Read(settings::kUsers, settings::kShowedDonate);
}

void RecordDonationShown(ProfileStore& profile)
{
    (void)profile.Write(settings::kUsers, settings::kShowedDonate, true);
}

std::string_view DonationRequest::Text()
{
    return "I will never make this request again, so you can really ignore this and go on "
           "typing as if nothing happened.\r\n\r\n"
           "Tarvelo is free, and it keeps growing because people who find it useful chip in. "
           "If it has helped you or your family type faster, please consider a small donation "
           "toward its continued development.\r\n\r\n"
           "Choosing \"Donate\" opens a secure payment page in your web browser, where you "
           "choose the amount yourself. Something between 5 and 20 dollars is plenty; any "
           "amount is welcome.\r\n\r\n"
           "Thank you for practising with Tarvelo, and thank you for reading this far.\r\n\r\n"
           "Dalmor, the author";
}

std::string_view DonationRequest::OptionCaption(DonationOption option)
{
    return option == DonationOption::Donate ? "Donate" : "Ignore";
}

} // namespace tarvelo
