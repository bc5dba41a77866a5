// The binary and number members of Aux: the bytes of script values, byte
// order, array shapes and 64-bit integers carried as the raw pattern of a
// Currency. Nothing here raises for bad input: it reads as 0 or empty.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <string>

#include "runtime/UniqueHandle.h"

namespace kelpa {

// 1, 2 or 4 bytes (little-endian) at byte offset pos - 1 of the value's own
// bytes; positions stay inside an 8-byte field (pos 1..8, 1..7, 1..5), and
// bytes the value does not have (a short String, a 2-byte Integer) read as 0.
unsigned char ValueByte(const VARIANT& value, long pos) noexcept;
short ValueWord(const VARIANT& value, long pos) noexcept;
long ValueDWord(const VARIANT& value, long pos) noexcept;

// 2 or 4 bytes at byte offset pos - 1 of a String's bytes, anywhere in it;
// 0 when they are not all there.
short StringWord(const std::string& bytes, long pos) noexcept;
long StringDWord(const std::string& bytes, long pos) noexcept;

short ReverseBytes16(short value) noexcept;
long ReverseBytes32(long value) noexcept;
long long ReverseBytes64(long long value) noexcept;

// VarArray: dimension 1 of an array with at least one element, copied into
// an array of script values with the same bounds; empty without one. A
// multi-dimensional array raises "Subscript out of range".
unique_safearray CopyFirstDimension(const VARIANT& value);
// VarArray2: every element in storage order (first index fastest) into an
// array of script values from 0; empty without an allocated array or when an
// element cannot be copied. The caller's array is only read.
unique_safearray FlattenArray(const VARIANT& value);

short DimensionCount(const VARIANT& value) noexcept;
long TotalElementCount(const VARIANT& value) noexcept;

// "&H" or "0x" hexadecimal or signed decimal text to a 64-bit integer; 0 when
// the platform cannot read it.
long long ParseInt64(const std::wstring& text);
// Upper-case hexadecimal without prefix: the low half alone when the high
// half is 0, otherwise the high half and the low half in eight digits.
std::wstring Hex64Text(long long value);

}  // namespace kelpa
