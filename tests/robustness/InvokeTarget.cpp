// Reads the members of every catalogue class from the embedded type library.
#include "tests/robustness/InvokeTarget.h"

#include <tlhelp32.h>
#include <cstring>
#include <deque>
#include <wrl/client.h>

#include "kelpa/Catalogue.h"
#include "runtime/TypeLibrary.h"
#include "runtime/UniqueHandle.h"

namespace kelpa::robustness {

bool IsSkippedMember(const std::wstring& className, const std::wstring& member) {
    // Dialogs and blocking calls wait for a person; Ring waits for a sound.
    static const wchar_t* const kBlocking[] = {L"Show", L"ShowEx", L"Selection", L"SelectionA", L"InputS",
                                               L"InputM", L"Dialog", L"Ring", L"ReadLine", L"ReadKey", L"WaitKey"};
    for (const wchar_t* name : kBlocking)
        if (_wcsicmp(member.c_str(), name) == 0) return true;
    // The console's key reads wait for keys as ReadLine does.
    if (_wcsicmp(className.c_str(), L"CWindow") == 0 && _wcsnicmp(member.c_str(), L"ReadChar", 8) == 0) return true;
    return false;
}

namespace {

// The members of every class of a table, as the library describes them (the
// program's own embedded library when it is null).
std::vector<ClassMembers> ReadMembers(ClassTable table, ITypeLib* library) {
    std::vector<ClassMembers> result;
    for (const ClassEntry& entry : table) {
        Microsoft::WRL::ComPtr<ITypeInfo> described;
        InterfaceInfo fromLibrary;
        if (library && SUCCEEDED(library->GetTypeInfoOfGuid(entry.iid, &described))) fromLibrary.typeInfo = described.Get();
        const InterfaceInfo* info = library ? &fromLibrary : FindInterfaceInfo(entry.iid);
        if (!info || !info->typeInfo) continue;
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

}  // namespace

std::vector<ClassMembers> ReadCatalogueMembers() { return ReadMembers(KelpaServer().classes, nullptr); }

std::vector<ClassMembers> ReadServerMembers(const std::wstring& programPath) {
    // Entries made up for the program's creatable classes; they last until
    // the next call (the robustness programs read one program once).
    static std::deque<std::wstring> names;
    static std::vector<ClassEntry> entries;
    Microsoft::WRL::ComPtr<ITypeLib> library;
    if (FAILED(LoadTypeLibEx(programPath.c_str(), REGKIND_NONE, &library))) return {};
    entries.clear();
    for (UINT i = 0; i < library->GetTypeInfoCount(); ++i) {
        Microsoft::WRL::ComPtr<ITypeInfo> coclass, defaultInterface;
        TYPEATTR* attr = nullptr;
        HREFTYPE reference = 0;
        if (FAILED(library->GetTypeInfo(i, &coclass)) || FAILED(coclass->GetTypeAttr(&attr))) continue;
        const bool creatable = attr->typekind == TKIND_COCLASS && (attr->wTypeFlags & TYPEFLAG_FCANCREATE);
        const CLSID clsid = attr->guid;
        coclass->ReleaseTypeAttr(attr);
        if (!creatable || FAILED(coclass->GetRefTypeOfImplType(0, &reference)) ||
            FAILED(coclass->GetRefTypeInfo(reference, &defaultInterface)) || FAILED(defaultInterface->GetTypeAttr(&attr)))
            continue;
        const IID iid = attr->guid;
        defaultInterface->ReleaseTypeAttr(attr);
        unique_bstr name;
        coclass->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr);
        names.push_back(name ? name.get() : L"");
        entries.push_back({names.back().c_str(), clsid, iid, Instancing::SingleUse, nullptr});
    }
    return ReadMembers({entries.data(), entries.data() + entries.size()}, library.Get());
}

HRESULT CreateObject(const ClassMembers& cls, IDispatch** object) {
    if (cls.entry->create) return cls.entry->create(IID_IDispatch, reinterpret_cast<void**>(object));
    return CoCreateInstance(cls.entry->clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                            reinterpret_cast<void**>(object));
}

std::wstring WindowsPath(const char* path) {
    std::wstring out(path, path + strlen(path));
    if (out.empty() || out[0] != L'/') return out;
    for (wchar_t& c : out)
        if (c == L'/') c = L'\\';
    return L"Z:" + out;
}

std::vector<DWORD> ProgramProcesses(const std::wstring& fileName) {
    std::vector<DWORD> found;
    unique_hfile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
        if (_wcsicmp(entry.szExeFile, fileName.c_str()) == 0) found.push_back(entry.th32ProcessID);
    return found;
}

}  // namespace kelpa::robustness
