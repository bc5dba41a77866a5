// Date <-> SYSTEMTIME: whole seconds, the sign convention of dates before
// 1899, and the limits of both types.
#include <windows.h>
#include <oleauto.h>
#include <cmath>
#include <optional>

#include "catch.hpp"
#include "core/OleDate.h"
#include "tests/unit/TestDates.h"

using namespace kelpa;

namespace {

bool Same(const SYSTEMTIME& a, const SYSTEMTIME& b) {
    return a.wYear == b.wYear && a.wMonth == b.wMonth && a.wDay == b.wDay && a.wHour == b.wHour &&
           a.wMinute == b.wMinute && a.wSecond == b.wSecond && a.wMilliseconds == b.wMilliseconds &&
           a.wDayOfWeek == b.wDayOfWeek;
}

}  // namespace

TEST_CASE("Dates become system times in whole seconds", "[date]") {
    CHECK(Same(*DateToSystemTime(0.0), MakeSystemTime(1899, 12, 30)));
    CHECK(Same(*DateToSystemTime(2.5), MakeSystemTime(1900, 1, 1, 12)));
    // 1 July 2024 14:00 as a script writes it: the fraction is not exact.
    const DATE afternoon = 45474.0 + 14.0 / 24.0;
    CHECK(Same(*DateToSystemTime(afternoon), MakeSystemTime(2024, 7, 1, 14)));
    // A fraction of a second is dropped, even close to the next second or day.
    CHECK(Same(*DateToSystemTime(45474.5 + 0.75 / 86400), MakeSystemTime(2024, 7, 1, 12, 0, 0)));
    CHECK(Same(*DateToSystemTime(45474.0 + 86399.6 / 86400), MakeSystemTime(2024, 7, 1, 23, 59, 59)));
    // Before 30 December 1899 the fraction still counts forward from midnight.
    CHECK(Same(*DateToSystemTime(-1.25), MakeSystemTime(1899, 12, 29, 6)));
    CHECK(Same(*DateToSystemTime(-0.5), MakeSystemTime(1899, 12, 30, 12)));
    // Leap days of the Gregorian calendar.
    CHECK(Same(*DateToSystemTime(36585.0), MakeSystemTime(2000, 2, 29)));
    CHECK(Same(*DateToSystemTime(-657434.0), MakeSystemTime(100, 1, 1)));
    CHECK(Same(*DateToSystemTime(2958465.0 + 86399.0 / 86400), MakeSystemTime(9999, 12, 31, 23, 59, 59)));
    CHECK_FALSE(DateToSystemTime(-657435.0));
    CHECK_FALSE(DateToSystemTime(2958466.0));
    CHECK_FALSE(DateToSystemTime(std::nan("")));
}

TEST_CASE("System times become Dates, milliseconds dropped", "[date]") {
    CHECK(*SystemTimeToDate(MakeSystemTime(1899, 12, 30)) == 0.0);
    CHECK(*SystemTimeToDate(MakeSystemTime(2024, 7, 1, 12, 0, 0, 750)) == 45474.5);
    CHECK(*SystemTimeToDate(MakeSystemTime(1899, 12, 29, 6)) == -1.25);
    CHECK(*SystemTimeToDate(MakeSystemTime(1900, 3, 1)) == 61.0);
    CHECK_FALSE(SystemTimeToDate(MakeSystemTime(2023, 2, 29)));
    CHECK_FALSE(SystemTimeToDate(MakeSystemTime(2024, 13, 1)));
    CHECK_FALSE(SystemTimeToDate(MakeSystemTime(2024, 1, 1, 24)));
    CHECK_FALSE(SystemTimeToDate(MakeSystemTime(99, 12, 31)));
    CHECK(*DateOfDay(MakeSystemTime(2024, 7, 1, 23, 59, 59)) == 45474.0);
    CHECK(*DateOfTimeOfDay(MakeSystemTime(2024, 7, 1, 18)) == 0.75);
}

TEST_CASE("Date conversions agree with the runtime's calendar", "[date]") {
    // Whole-second Dates across four centuries: the runtime's own conversion
    // (which rounds) and ours (which cuts) agree on them.
    for (DATE date = -36522.0; date < 80000.0; date += 1234.56789) {
        SYSTEMTIME runtime = {};
        const DATE whole = std::floor(date * 86400.0 + 0.5) / 86400.0;
        REQUIRE(VariantTimeToSystemTime(whole, &runtime));
        runtime.wDayOfWeek = 0;
        runtime.wMilliseconds = 0;
        INFO("Date " << whole);
        const std::optional<SYSTEMTIME> ours = DateToSystemTime(whole);
        REQUIRE(ours);
        CHECK(Same(*ours, runtime));
        CHECK(*SystemTimeToDate(*ours) == Approx(whole).epsilon(1e-12));
    }
}
