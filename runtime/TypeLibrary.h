// The type library embedded in the running module, loaded once per process,
// and what dispatch needs to know about each interface in it.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <unordered_map>
#include <vector>

namespace kelpa {

struct InterfaceInfo {
    ITypeInfo* typeInfo = nullptr;  // owned by the cache for the life of the process
    // Members with [in, out] VARIANT* parameters and the indices of those
    // parameters: arguments passed there by value need wrapping (see Dispatch).
    std::unordered_map<MEMBERID, std::vector<unsigned>> inOutVariantParams;
};

// The library of this module (resource 1 TYPELIB), or null when it is missing.
ITypeLib* KelpaTypeLib() noexcept;

// Type information of an interface or coclass of the library, or null.
const InterfaceInfo* FindInterfaceInfo(REFGUID guid) noexcept;

}  // namespace kelpa
