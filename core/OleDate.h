// Conversion between an OLE Automation Date and the platform's SYSTEMTIME,
// in whole seconds. File times, the time-zone conversions and the date picker
// all go through these two functions so they agree to the second.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <optional>

namespace kelpa {

// Year, month, day, hour, minute and second of the Date in the proleptic
// Gregorian calendar; milliseconds and day of week 0. A fraction of a second is
// dropped, not rounded (12:00:00.750 is 12:00:00). Nothing for Dates outside
// 1 January 100 .. 31 December 9999 and for NaN or infinities.
std::optional<SYSTEMTIME> DateToSystemTime(DATE date) noexcept;

// The Date of the record's day plus its time of day; milliseconds are dropped.
// Nothing when a field is out of its range (month 13, 30 February, hour 24).
std::optional<DATE> SystemTimeToDate(const SYSTEMTIME& time) noexcept;

// The Date of a day alone (time 00:00:00) and of a time of day alone (on
// 30 December 1899, the Date 0), as the clock members report them.
std::optional<DATE> DateOfDay(const SYSTEMTIME& time) noexcept;
std::optional<DATE> DateOfTimeOfDay(const SYSTEMTIME& time) noexcept;

}  // namespace kelpa
