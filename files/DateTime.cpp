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
    switch (m_state) {
    case kZoneFailed:
        return {};
    case TIME_ZONE_ID_STANDARD:
        return ZoneText(m_zone.StandardName);
    default: {
        // Daylight time in force, or a zone without it: the daylight name
        // when the system gives one.
        const std::wstring daylight = ZoneText(m_zone.DaylightName);
        return daylight.empty() ? ZoneText(m_zone.StandardName) : daylight;
    }
    }
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
