// Conversions between automation types and the plain C++ types the logic
// uses. A null BSTR is the empty string; BSTR lengths are honoured, so
// embedded NULs survive.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <new>
#include <string>

namespace kelpa {

inline std::wstring FromBstr(BSTR text) {
    return text ? std::wstring(text, SysStringLen(text)) : std::wstring();
}

// A new BSTR for a [retval]; throws bad_alloc rather than hand out null for a
// non-empty string.
inline BSTR ToBstr(const std::wstring& text) {
    BSTR result = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    if (!result) throw std::bad_alloc();
    return result;
}

constexpr VARIANT_BOOL ToVariantBool(bool value) noexcept { return value ? VARIANT_TRUE : VARIANT_FALSE; }
constexpr bool FromVariantBool(VARIANT_BOOL value) noexcept { return value != VARIANT_FALSE; }

}  // namespace kelpa
