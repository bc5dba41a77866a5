// Failures of the automation runtime's own services (VarFormat, conversions,
// SAFEARRAY calls) reach scripts as the scripting runtime's standard errors:
// type mismatch 13, overflow 6, invalid call 5, subscript out of range 9.
#pragma once

#include <windows.h>
#include <string>

#include "runtime/ScriptError.h"

namespace kelpa {

constexpr HRESULT kSubscriptOutOfRange = static_cast<HRESULT>(0x800A0009);

// Throws the standard error that corresponds to a failed HRESULT (bad_alloc
// for out of memory); an HRESULT without a counterpart passes as it is.
[[noreturn]] void ThrowAutomationFailure(HRESULT hr, const std::wstring& source);

// Throws when hr failed; otherwise does nothing.
inline void CheckAutomation(HRESULT hr, const std::wstring& source) {
    if (FAILED(hr)) ThrowAutomationFailure(hr, source);
}

}  // namespace kelpa
