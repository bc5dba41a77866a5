// Functions looked up by name at run time. Anything that older systems or
// Wine may lack (GetFirmwareType is missing from Wine 8's kernel32) must be
// reached this way: a direct import stops the program from loading at all.
#pragma once

#include <windows.h>

namespace kelpa {

// The function `name` of an already loaded module, or null.
template <class Function>
Function LoadedFunction(const wchar_t* module, const char* name) noexcept {
    HMODULE handle = GetModuleHandleW(module);
    return handle ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}

}  // namespace kelpa
