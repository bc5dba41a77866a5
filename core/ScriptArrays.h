// One-dimensional, zero-based arrays handed back to scripts: of Strings or
// Bytes, either typed (String(), Byte()) or as arrays of script values whose
// elements carry the same values, which every script language can index.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <string>
#include <vector>

namespace kelpa {

// Replaces what target holds (cleared first) with the array. An empty list
// gives an allocated array with bounds 0 to -1. Throws bad_alloc.
void PutStringArray(VARIANT* target, const std::vector<std::wstring>& items, bool asScriptValues);
void PutByteArray(VARIANT* target, const std::vector<BYTE>& bytes, bool asScriptValues);

// The variant that an [in, out] VARIANT* really names: a reference to a
// variant (VT_BYREF|VT_VARIANT) is followed to the caller's own variant.
VARIANT* OutTarget(VARIANT* value) noexcept;

// Element index (of dimension 1) of an array of any element type, copied into
// target as a script value. False for element types a script value cannot
// carry (records, DECIMAL arrays) and for an index outside the bounds.
bool ArrayElement(SAFEARRAY* array, LONG index, VARIANT* target) noexcept;

}  // namespace kelpa
