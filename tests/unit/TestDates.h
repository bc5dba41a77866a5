// System times and Dates for the tests, written as calendar fields.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "core/OleDate.h"

namespace kelpa {

inline SYSTEMTIME MakeSystemTime(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0,
                                 WORD millisecond = 0) {
    SYSTEMTIME t = {};
    t.wYear = year;
    t.wMonth = month;
    t.wDay = day;
    t.wHour = hour;
    t.wMinute = minute;
    t.wSecond = second;
    t.wMilliseconds = millisecond;
    return t;
}

// The Date of valid fields (the tests give only valid ones).
inline DATE MakeDate(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0) {
    return SystemTimeToDate(MakeSystemTime(year, month, day, hour, minute, second)).value_or(-1e9);
}

}  // namespace kelpa
