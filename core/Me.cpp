// Process facts from the kernel, the version resource and the COM library.
#include "core/Me.h"

#include <objbase.h>
#include <tlhelp32.h>
#include <winver.h>
#include <vector>

#include "core/ScriptValues.h"
#include "runtime/Server.h"
#include "runtime/UniqueHandle.h"

namespace kelpa {
namespace {

// One string of the first translation the resource lists (US English,
// Unicode when it lists none), cut at its NUL.
std::wstring VersionString(const std::vector<BYTE>& block, const wchar_t* name) {
    struct Translation {
        WORD language;
        WORD codePage;
    };
    Translation* translations = nullptr;
    UINT size = 0;
    Translation chosen = {0x0409, 1200};
    if (VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &size) &&
        size >= sizeof(Translation))
        chosen = translations[0];
    wchar_t path[64];
    wsprintfW(path, L"\\StringFileInfo\\%04x%04x\\%s", chosen.language, chosen.codePage, name);
    wchar_t* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path, reinterpret_cast<void**>(&value), &length) || !value) return {};
    return CutAtNul(std::wstring(value, length));
}

}  // namespace

VersionFacts ReadVersionFacts(HMODULE module) {
    VersionFacts facts;
    HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(VS_VERSION_INFO), MAKEINTRESOURCEW(16) /* RT_VERSION */);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return facts;
    // VerQueryValueW may write into the block it reads: work on a copy.
    const BYTE* bytes = static_cast<const BYTE*>(data);
    std::vector<BYTE> block(bytes, bytes + SizeofResource(module, resource));
    block.resize(block.size() * 2);

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    if (VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &size) && fixed &&
        size >= sizeof(VS_FIXEDFILEINFO)) {
        facts.major = HIWORD(fixed->dwFileVersionMS);
        facts.minor = LOWORD(fixed->dwFileVersionMS);
    }
    facts.description = VersionString(block, L"FileDescription");
    facts.company = VersionString(block, L"CompanyName");
    facts.legalNotice = VersionString(block, L"LegalCopyright");
    return facts;
}

std::wstring Me::About() {
    const VersionFacts facts = ReadVersionFacts(GetModuleHandleW(nullptr));
    return facts.description + L" by " + facts.company + L" " + facts.legalNotice;
}

long Me::InstanceHandle() noexcept {
    return static_cast<long>(reinterpret_cast<intptr_t>(GetModuleHandleW(nullptr)));
}

std::wstring Me::Path() {
    const std::wstring program = ModulePath();
    const size_t slash = program.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : program.substr(0, slash);
}

long Me::ProcessId() noexcept {
    return static_cast<long>(GetCurrentProcessId());
}

long Me::ThreadId() noexcept {
    // Every object lives on its apartment's one thread, which runs this call.
    return static_cast<long>(GetCurrentThreadId());
}

std::wstring Me::Version() {
    const VersionFacts facts = ReadVersionFacts(GetModuleHandleW(nullptr));
    return std::to_wstring(facts.major) + L"." + std::to_wstring(facts.minor);
}

long Me::ParentProcessId() noexcept {
    unique_hfile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return 0;
    const DWORD self = GetCurrentProcessId();
    DWORD parent = 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
        if (entry.th32ProcessID == self) parent = entry.th32ParentProcessID;
    return static_cast<long>(parent);
}

long Me::CallerThreadId() noexcept {
    DWORD thread = 0;
    return SUCCEEDED(CoGetCallerTID(&thread)) ? static_cast<long>(thread) : 0;
}

}  // namespace kelpa
