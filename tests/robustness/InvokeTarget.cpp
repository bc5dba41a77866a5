// Reads the members of every catalogue class from the embedded type library.
#include "tests/robustness/InvokeTarget.h"

#include <wrl/client.h>

#include "core/Catalogue.h"
#include "runtime/TypeLibrary.h"

namespace kelpa::robustness {

bool IsSkippedMember(const std::wstring& className, const std::wstring& member) {
    // Dialogs and blocking calls wait for a person; Ring waits for a sound.
    static const wchar_t* const kBlocking[] = {L"Show", L"ShowEx", L"Selection", L"InputS", L"InputM", L"Dialog", L"Ring",
                                               L"ReadLine", L"ReadKey", L"WaitKey"};
    for (const wchar_t* name : kBlocking)
        if (_wcsicmp(member.c_str(), name) == 0) return true;
    (void)className;
    return false;
}

std::vector<ClassMembers> ReadCatalogueMembers() {
    std::vector<ClassMembers> result;
    for (const ClassEntry& entry : KelpaServer().classes) {
        const InterfaceInfo* info = FindInterfaceInfo(entry.iid);
        if (!info) continue;
        ClassMembers cls;
        cls.entry = &entry;
        TYPEATTR* attr = nullptr;
        if (FAILED(info->typeInfo->GetTypeAttr(&attr))) continue;
        const WORD functionCount = attr->cFuncs;
        info->typeInfo->ReleaseTypeAttr(attr);
        for (UINT i = 0; i < functionCount; ++i) {
            FUNCDESC* func = nullptr;
            if (FAILED(info->typeInfo->GetFuncDesc(i, &func))) continue;
            // Only the members of the class's own interface, not IDispatch's.
            if ((func->wFuncFlags & FUNCFLAG_FRESTRICTED) == 0) {
                Member member;
                BSTR name = nullptr;
                UINT got = 0;
                info->typeInfo->GetNames(func->memid, &name, 1, &got);
                member.name = name ? name : L"";
                SysFreeString(name);
                member.id = func->memid;
                member.invokeKind = static_cast<WORD>(func->invkind);
                for (SHORT p = 0; p < func->cParams; ++p) {
                    const ELEMDESC& param = func->lprgelemdescParam[p];
                    if (param.paramdesc.wParamFlags & PARAMFLAG_FRETVAL) continue;
                    if (param.paramdesc.wParamFlags & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT)) ++member.optionalCount;
                    member.parameterTypes.push_back(param.tdesc.vt);
                }
                if (!IsSkippedMember(entry.name, member.name)) cls.members.push_back(std::move(member));
            }
            info->typeInfo->ReleaseFuncDesc(func);
        }
        result.push_back(std::move(cls));
    }
    return result;
}

}  // namespace kelpa::robustness
