// Time-zone facts and conversions through the kernel's zone functions.
#include "files/DateTime.h"

#include <optional>

#include "core/OleDate.h"
#include "core/ScriptValues.h"

namespace kelpa {
namespace {

template <size_t N>
std::wstring ZoneText(const WCHAR (&name)[N]) {
    return CutAtNul(std::wstring(name, N));
}

SYSTEMTIME UtcNow() noexcept {
    SYSTEMTIME now = {};
    GetSystemTime(&now);
    return now;
}

}  // namespace

void DateTime::Refresh() noexcept {
    m_zone = TIME_ZONE_INFORMATION{};
    m_state = static_cast<long>(GetTimeZoneInformation(&m_zone));
}

std::wstring DateTime::ZoneName() const {
    return ZoneNameOf(m_state, m_zone);
}

std::wstring DateTime::ZoneNameOf(long state, const TIME_ZONE_INFORMATION& zone) {
    if (state == kZoneFailed) return {};
    // Only a zone in daylight time goes by its daylight name. A zone without
    // daylight time (TIME_ZONE_ID_UNKNOWN) keeps standard time all year, yet
    // the system still carries a daylight name for it ("Arabian Daylight
    // Time"), which would name a time that never applies.
    const std::wstring standard = ZoneText(zone.StandardName);
    const std::wstring daylight = ZoneText(zone.DaylightName);
    if (state == TIME_ZONE_ID_DAYLIGHT) return daylight.empty() ? standard : daylight;
    return standard.empty() ? daylight : standard;
}

long DateTime::Bias() const noexcept {
    return m_state == kZoneFailed ? 0 : m_zone.Bias + m_zone.StandardBias;
}

long DateTime::BiasDst() const noexcept {
    return m_state == kZoneFailed ? 0 : m_zone.Bias + m_zone.DaylightBias;
}

DATE DateTime::ConvertTime(DATE dt, bool isUtc) noexcept {
    const std::optional<SYSTEMTIME> given = DateToSystemTime(dt);
    if (!given) return 0;
    // No zone argument: the current zone, with the daylight rule in force at
    // the given date rather than today's.
    SYSTEMTIME converted = {};
    const BOOL ok = isUtc ? SystemTimeToTzSpecificLocalTime(nullptr, &*given, &converted)
                          : TzSpecificLocalTimeToSystemTime(nullptr, &*given, &converted);
    if (!ok) return 0;
    return SystemTimeToDate(converted).value_or(0);
}

DATE DateTime::SysDate() noexcept {
    return DateOfDay(UtcNow()).value_or(0);
}

DATE DateTime::SysTime() noexcept {
    return DateOfTimeOfDay(UtcNow()).value_or(0);
}

DATE DateTime::SysNow() noexcept {
    // One reading for both parts: a time read just before midnight and a date
    // read just after it would make a Date a whole day late.
    return SystemTimeToDate(UtcNow()).value_or(0);
}

}  // namespace kelpa
