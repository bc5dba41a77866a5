// Date <-> SYSTEMTIME in whole seconds, by calendar arithmetic of our own:
// the runtime's VariantTimeToSystemTime rounds to the nearest second, which
// would turn 23:59:59.6 into the next day.
#include "core/OleDate.h"

#include <cmath>

namespace kelpa {
namespace {

constexpr long long kSecondsPerDay = 86400;
constexpr long long kMillisecondsPerDay = kSecondsPerDay * 1000;
constexpr double kFirstDate = -657434.0;  // 1 January 100
constexpr double kLastDate = 2958466.0;   // the day after 31 December 9999

// Days since 1 January 1970 of a civil date and back (H. Hinnant's algorithms
// for the proleptic Gregorian calendar, exact for every year we accept).
long long DaysFromCivil(long long year, unsigned month, unsigned day) noexcept {
    year -= month <= 2;
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

void CivilFromDays(long long days, long long& year, unsigned& month, unsigned& day) noexcept {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const unsigned dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shifted = (5 * dayOfYear + 2) / 153;
    day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    month = shifted < 10 ? shifted + 3 : shifted - 9;
    year = static_cast<long long>(yearOfEra) + era * 400 + (month <= 2);
}

const long long kDateZero = DaysFromCivil(1899, 12, 30);

bool IsLeapYear(long long year) noexcept {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned DaysInMonth(long long year, unsigned month) noexcept {
    static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// An OLE Date counts whole days from the Date 0 with the sign, and the time of
// day as the absolute value of the fraction: -1.25 is 29 December 1899, 06:00.
DATE MakeDate(long long dayNumber, long long secondOfDay) noexcept {
    const double fraction = static_cast<double>(secondOfDay) / kSecondsPerDay;
    return dayNumber < 0 ? static_cast<double>(dayNumber) - fraction : static_cast<double>(dayNumber) + fraction;
}

}  // namespace

std::optional<SYSTEMTIME> DateToSystemTime(DATE date) noexcept {
    if (!std::isfinite(date) || date < kFirstDate || date >= kLastDate) return std::nullopt;
    long long dayNumber = static_cast<long long>(date);  // toward zero: the calendar day
    // The fraction holds at best milliseconds; snap to them first so that
    // 14:00 stored as 0.58333... is not cut to 13:59:59.
    long long millisecond = std::llround(std::fabs(date - static_cast<double>(dayNumber)) * kMillisecondsPerDay);
    if (millisecond >= kMillisecondsPerDay) {
        millisecond -= kMillisecondsPerDay;
        ++dayNumber;
    }
    const long long secondOfDay = millisecond / 1000;

    long long year = 0;
    unsigned month = 0, day = 0;
    CivilFromDays(dayNumber + kDateZero, year, month, day);
    if (year < 100 || year > 9999) return std::nullopt;
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(secondOfDay / 3600);
    time.wMinute = static_cast<WORD>(secondOfDay / 60 % 60);
    time.wSecond = static_cast<WORD>(secondOfDay % 60);
    return time;
}

std::optional<DATE> SystemTimeToDate(const SYSTEMTIME& time) noexcept {
    const std::optional<DATE> day = DateOfDay(time);
    if (!day || time.wHour > 23 || time.wMinute > 59 || time.wSecond > 59) return std::nullopt;
    const long long dayNumber = DaysFromCivil(time.wYear, time.wMonth, time.wDay) - kDateZero;
    return MakeDate(dayNumber, time.wHour * 3600LL + time.wMinute * 60LL + time.wSecond);
}

std::optional<DATE> DateOfDay(const SYSTEMTIME& time) noexcept {
    if (time.wYear < 100 || time.wYear > 9999 || time.wMonth < 1 || time.wMonth > 12 || time.wDay < 1 ||
        time.wDay > DaysInMonth(time.wYear, time.wMonth))
        return std::nullopt;
    return static_cast<DATE>(DaysFromCivil(time.wYear, time.wMonth, time.wDay) - kDateZero);
}

std::optional<DATE> DateOfTimeOfDay(const SYSTEMTIME& time) noexcept {
    if (time.wHour > 23 || time.wMinute > 59 || time.wSecond > 59) return std::nullopt;
    return MakeDate(0, time.wHour * 3600LL + time.wMinute * 60LL + time.wSecond);
}

}  // namespace kelpa
