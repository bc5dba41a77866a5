// The computer's time zone as the platform reports it, conversions of a Date
// between UTC and local time by the zone's rules for that date, and the UTC
// clock. Nothing here raises: failures give 0, "" or the Date 0.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <string>

namespace kelpa {

class DateTime {
public:
    // GetTimeZoneInformation's failure answer, kept as the zone state.
    static constexpr long kZoneFailed = -1;

    DateTime() noexcept { Refresh(); }

    // Takes a fresh copy of the zone facts; the properties report that copy.
    void Refresh() noexcept;
    long ZoneType() const noexcept { return m_state; }
    std::wstring ZoneName() const;
    // The name of a zone in a zone state: its daylight name only in daylight time.
    static std::wstring ZoneNameOf(long state, const TIME_ZONE_INFORMATION& zone);
    long Bias() const noexcept;
    long BiasDst() const noexcept;

    // A UTC Date to local time (isUtc) or back, whole seconds; 0 on failure.
    static DATE ConvertTime(DATE dt, bool isUtc) noexcept;
    // The current UTC date (time 0), time of day (date 0) and both.
    static DATE SysDate() noexcept;
    static DATE SysTime() noexcept;
    static DATE SysNow() noexcept;

private:
    TIME_ZONE_INFORMATION m_zone = {};
    long m_state = kZoneFailed;
};

}  // namespace kelpa
