// Loads the embedded type library once (Wine's get_typeinfo pattern: load,
// keep) and caches per-interface dispatch facts.
#include "runtime/TypeLibrary.h"

#include <map>
#include <mutex>
#include <oleauto.h>

namespace kelpa {
namespace {

struct GuidLess {
    bool operator()(const GUID& a, const GUID& b) const { return memcmp(&a, &b, sizeof(GUID)) < 0; }
};

std::mutex g_lock;
ITypeLib* g_library = nullptr;
std::map<GUID, InterfaceInfo, GuidLess> g_interfaces;

ITypeLib* LoadLibraryOnce() {
    if (!g_library) {
        wchar_t path[MAX_PATH * 2];
        const DWORD length = GetModuleFileNameW(nullptr, path, ARRAYSIZE(path));
        if (length == 0 || length >= ARRAYSIZE(path)) return nullptr;
        LoadTypeLibEx(path, REGKIND_NONE, &g_library);
    }
    return g_library;
}

bool IsVariantPointer(const TYPEDESC& t) {
    return t.vt == VT_PTR && t.lptdesc && t.lptdesc->vt == VT_VARIANT;
}

void CollectInOutVariants(ITypeInfo* typeInfo, InterfaceInfo& info) {
    TYPEATTR* attr = nullptr;
    if (FAILED(typeInfo->GetTypeAttr(&attr))) return;
    const WORD functionCount = attr->cFuncs;
    typeInfo->ReleaseTypeAttr(attr);
    for (UINT i = 0; i < functionCount; ++i) {
        FUNCDESC* func = nullptr;
        if (FAILED(typeInfo->GetFuncDesc(i, &func))) continue;
        for (SHORT p = 0; p < func->cParams; ++p) {
            const ELEMDESC& param = func->lprgelemdescParam[p];
            const USHORT flags = param.paramdesc.wParamFlags;
            if (IsVariantPointer(param.tdesc) && (flags & PARAMFLAG_FIN) && (flags & PARAMFLAG_FOUT) &&
                !(flags & PARAMFLAG_FRETVAL)) {
                info.inOutVariantParams[func->memid].push_back(static_cast<unsigned>(p));
            }
        }
        typeInfo->ReleaseFuncDesc(func);
    }
}

}  // namespace

ITypeLib* KelpaTypeLib() noexcept {
    std::lock_guard<std::mutex> guard(g_lock);
    return LoadLibraryOnce();
}

const InterfaceInfo* FindInterfaceInfo(REFGUID guid) noexcept {
    try {
        std::lock_guard<std::mutex> guard(g_lock);
        auto found = g_interfaces.find(guid);
        if (found != g_interfaces.end()) return &found->second;
        ITypeLib* library = LoadLibraryOnce();
        if (!library) return nullptr;
        ITypeInfo* typeInfo = nullptr;
        if (FAILED(library->GetTypeInfoOfGuid(guid, &typeInfo))) return nullptr;
        InterfaceInfo info;
        info.typeInfo = typeInfo;
        CollectInOutVariants(typeInfo, info);
        return &g_interfaces.emplace(guid, std::move(info)).first->second;
    } catch (...) {
        return nullptr;
    }
}

}  // namespace kelpa
