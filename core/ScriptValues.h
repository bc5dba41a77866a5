// Shared checks on script values and small integer helpers that every class
// uses for range checks, clamping and array shapes. Script values arrive in
// three array shapes: a plain array (VT_ARRAY|VT_VARIANT, from Array(...)), a
// reference to a variant holding an array (a dynamic array variable) and a
// reference to an array (a fixed-size Dim a(2)).
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <optional>
#include <string>
#include <vector>

namespace kelpa {

// Follows VT_BYREF|VT_VARIANT references to the value they hold.
const VARIANT& Dereference(const VARIANT& value) noexcept;

// True when the value's own type word carries both the array and the
// by-reference flags (a fixed-size array variable passed by reference).
bool IsByRefArray(const VARIANT& value) noexcept;

// The array a value holds in any of the three shapes (after following
// references), or null when it holds none.
SAFEARRAY* ArrayOf(const VARIANT& value) noexcept;
// Its element type (VT_VARIANT, VT_UI1, ...), VT_EMPTY without an array.
VARTYPE ArrayElementType(const VARIANT& value) noexcept;

// Upper bound + 1 of an allocated array whose first dimension starts at 0, at
// most 32767; 0 for anything else.
short ElementCount(const VARIANT& value) noexcept;

// Numeric as the scripting languages see it: numbers, Booleans, Empty, and
// text that reads as a number. Null, dates, objects and arrays are not.
bool IsNumeric(const VARIANT& value) noexcept;
// The numeric value of such a value (0 when it is not numeric).
double NumericValue(const VARIANT& value) noexcept;

// True when the value is numeric and minimum <= value <= maximum.
bool InRange(const VARIANT& value, double minimum, double maximum) noexcept;
constexpr bool InRange(long value, long minimum, long maximum) noexcept {
    return minimum <= value && value <= maximum;
}
// Not numeric or below the minimum: the minimum; above the maximum: the
// maximum; otherwise the value.
double Clamp(const VARIANT& value, double minimum, double maximum) noexcept;

// The part before the first NUL, or the whole string.
std::wstring CutAtNul(const std::wstring& text);

// Bits 0-15 and 16-31 of a Long as signed 16-bit Integers, and back.
constexpr short LowWord(long value) noexcept { return static_cast<short>(value & 0xFFFF); }
constexpr short HighWord(long value) noexcept { return static_cast<short>((static_cast<unsigned long>(value) >> 16) & 0xFFFF); }
constexpr long MakeLong(short low, short high) noexcept {
    return static_cast<long>((static_cast<unsigned long>(static_cast<unsigned short>(high)) << 16) |
                             static_cast<unsigned short>(low));
}
// The number behind the "#" of an icon resource text ("#101"): blanks around
// it and a sign are allowed. Throws type mismatch (13) when it is not a
// number and overflow (6) beyond a Long, with this source.
long ResourceNumberText(const std::wstring& text, const std::wstring& source);

// The elements of a one-dimensional array (in any of the three shapes) as
// texts, from the lower to the upper bound, at most `limit` of them. Nothing
// when the value holds no such array with at least one element, or when
// zeroBased asks for a lower bound of 0 and it has another. An element
// without a text form (an array, Null, a record) throws type mismatch.
std::optional<std::vector<std::wstring>> ArrayTexts(const VARIANT& value, size_t limit, bool zeroBased,
                                                    const std::wstring& source);

// The low 16 bits of a Long as an integer resource identifier.
inline const wchar_t* ResourceNumber(long value) noexcept { return MAKEINTRESOURCEW(value & 0xFFFF); }

}  // namespace kelpa
