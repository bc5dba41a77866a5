// DateTime in-process. The zone-dependent cases run as their own ctest entry
// with TZ=Europe/Berlin (tag [berlin], hidden from the plain run): Wine takes
// the time zone from TZ when the process starts.
#include <windows.h>
#include <cmath>

#include "catch.hpp"
#include "core/OleDate.h"
#include "files/DateTime.h"
#include "tests/unit/TestDates.h"

using namespace kelpa;

TEST_CASE("DateTime reports the zone the platform reports", "[datetime]") {
    TIME_ZONE_INFORMATION zone = {};
    const long state = static_cast<long>(GetTimeZoneInformation(&zone));
    DateTime time;
    CHECK(time.ZoneType() == state);
    CHECK(time.Bias() == zone.Bias + zone.StandardBias);
    CHECK(time.BiasDst() == zone.Bias + zone.DaylightBias);
    CHECK_FALSE(time.ZoneName().empty());
    CHECK(time.ZoneName().find(L'\0') == std::wstring::npos);
}

TEST_CASE("A zone goes by its daylight name in daylight time only", "[datetime]") {
    TIME_ZONE_INFORMATION zone = {};
    wcscpy(zone.StandardName, L"Arabian Standard Time");
    wcscpy(zone.DaylightName, L"Arabian Daylight Time");
    CHECK(DateTime::ZoneNameOf(TIME_ZONE_ID_UNKNOWN, zone) == L"Arabian Standard Time");
    CHECK(DateTime::ZoneNameOf(TIME_ZONE_ID_STANDARD, zone) == L"Arabian Standard Time");
    CHECK(DateTime::ZoneNameOf(TIME_ZONE_ID_DAYLIGHT, zone) == L"Arabian Daylight Time");
    CHECK(DateTime::ZoneNameOf(DateTime::kZoneFailed, zone).empty());
    zone.DaylightName[0] = L'\0';
    CHECK(DateTime::ZoneNameOf(TIME_ZONE_ID_DAYLIGHT, zone) == L"Arabian Standard Time");
}

TEST_CASE("ConvertTime goes both ways and keeps whole seconds", "[datetime]") {
    const DATE noon = MakeDate(2024, 7, 1, 12);
    const DATE local = DateTime::ConvertTime(noon, true);
    CHECK(DateTime::ConvertTime(local, false) == noon);
    // A fraction of a second is cut before converting.
    CHECK(DateTime::ConvertTime(noon + 0.9 / 86400, true) == local);
    CHECK(DateTime::ConvertTime(-700000.0, true) == 0);
}

TEST_CASE("The UTC clock reads date, time and both", "[datetime]") {
    SYSTEMTIME before = {};
    GetSystemTime(&before);
    const DATE date = DateTime::SysDate();
    const DATE time = DateTime::SysTime();
    const DATE now = DateTime::SysNow();
    CHECK(date == std::floor(date));
    CHECK(time >= 0.0);
    CHECK(time < 1.0);
    CHECK(*DateOfDay(before) <= date);
    // Whole seconds, and SysNow is the same moment as the two parts (give or
    // take the seconds between the calls).
    CHECK(std::fabs(now * 86400 - std::round(now * 86400)) < 1e-4);
    CHECK(std::fabs(now - (date + time)) < 5.0 / 86400);
}

TEST_CASE("Central European zone facts and conversions", "[.][berlin]") {
    DateTime time;
    // Not a Berlin process: nothing below would mean anything.
    REQUIRE(time.Bias() == -60);
    CHECK(time.BiasDst() == -120);
    CHECK((time.ZoneType() == TIME_ZONE_ID_STANDARD || time.ZoneType() == TIME_ZONE_ID_DAYLIGHT));
    CHECK(time.ZoneName().find(L"Europe") != std::wstring::npos);
    // The rule of the given date, whatever the season now.
    CHECK(DateTime::ConvertTime(MakeDate(2024, 7, 1, 12), true) == MakeDate(2024, 7, 1, 14));
    CHECK(DateTime::ConvertTime(MakeDate(2024, 1, 1, 12), true) == MakeDate(2024, 1, 1, 13));
    CHECK(DateTime::ConvertTime(MakeDate(2024, 7, 1, 14), false) == MakeDate(2024, 7, 1, 12));
    CHECK(DateTime::ConvertTime(MakeDate(2024, 1, 1, 13), false) == MakeDate(2024, 1, 1, 12));
    // Either side of the change to summer time on 31 March 2024 (01:00 UTC).
    CHECK(DateTime::ConvertTime(MakeDate(2024, 3, 31, 0, 59, 59), true) == MakeDate(2024, 3, 31, 1, 59, 59));
    CHECK(DateTime::ConvertTime(MakeDate(2024, 3, 31, 1), true) == MakeDate(2024, 3, 31, 3));
}
