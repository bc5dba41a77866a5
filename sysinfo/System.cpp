// System facts. The firmware functions are looked up at run time (see
// runtime/DynamicImport.h).
#include "sysinfo/System.h"

#include <windows.h>
#include <lm.h>
#include <vector>

#include "runtime/DynamicImport.h"
#include "runtime/UniqueHandle.h"
#include "sysinfo/Volumes.h"

namespace kelpa {
namespace {

void FreeNetBuffer(LPWSTR buffer) { NetApiBufferFree(buffer); }
using unique_netbuffer = UniqueAny<LPWSTR, FreeNetBuffer>;

}  // namespace

System::System() noexcept {
    SYSTEM_INFO info = {};
    GetNativeSystemInfo(&info);
    m_architecture = info.wProcessorArchitecture;
    m_processorType = static_cast<long>(info.dwProcessorType);
}

std::wstring System::UserName() {
    wchar_t name[257];
    DWORD length = ARRAYSIZE(name);
    if (!GetUserNameW(name, &length) || length == 0) return std::wstring();
    return std::wstring(name, length - 1);  // the length counts the terminating NUL
}

std::wstring System::ComputerName(long format) {
    DWORD length = 0;
    const auto kind = static_cast<COMPUTER_NAME_FORMAT>(format);
    GetComputerNameExW(kind, nullptr, &length);
    if (length == 0) return std::wstring();
    std::vector<wchar_t> name(length + 1);
    length = static_cast<DWORD>(name.size());
    if (!GetComputerNameExW(kind, name.data(), &length)) return std::wstring();
    return std::wstring(name.data(), length < name.size() ? length : name.size() - 1);
}

std::wstring System::NetworkName() {
    unique_netbuffer name;
    NETSETUP_JOIN_STATUS status = NetSetupUnknownStatus;
    if (NetGetJoinInformation(nullptr, name.put(), &status) != NERR_Success || !name) return std::wstring();
    return name.get();
}

long System::NetworkType() noexcept {
    unique_netbuffer name;
    NETSETUP_JOIN_STATUS status = NetSetupUnknownStatus;
    if (NetGetJoinInformation(nullptr, name.put(), &status) != NERR_Success) return 0;
    return static_cast<long>(status);
}

long System::GetMetrics(long index) noexcept { return GetSystemMetrics(static_cast<int>(index)); }

std::wstring System::VolumeRoot(const std::wstring& drive) { return kelpa::VolumeRoot(drive); }

long System::VolumeGetSN(const std::wstring& drive) {
    VolumeFacts facts;
    return QueryVolume(drive, facts) ? facts.serial : 0;
}

std::wstring System::VolumeGetName(const std::wstring& drive) {
    VolumeFacts facts;
    return QueryVolume(drive, facts) ? facts.name : std::wstring();
}

std::wstring System::VolumeGetFileSys(const std::wstring& drive) {
    VolumeFacts facts;
    return QueryVolume(drive, facts) ? facts.fileSystem : std::wstring();
}

std::wstring System::VolumeGetGUID(const std::wstring& drive) {
    std::wstring mountPoint = drive;
    if (mountPoint.empty()) {
        wchar_t current[MAX_PATH];
        const DWORD length = GetCurrentDirectoryW(MAX_PATH, current);
        if (length == 0 || length >= MAX_PATH) return std::wstring();
        mountPoint.assign(current, length < 3 ? length : 3);
    }
    mountPoint = VolumeRoot(mountPoint);
    wchar_t name[128] = {};
    QuietCriticalErrors quiet;
    if (!GetVolumeNameForVolumeMountPointW(mountPoint.c_str(), name, ARRAYSIZE(name))) return std::wstring();
    name[ARRAYSIZE(name) - 1] = L'\0';
    return name;
}

long System::CurrentCodePage() noexcept { return static_cast<long>(GetACP()); }

short System::BiosMode(bool alternate) noexcept {
    if (!alternate) {
        using GetFirmwareTypeFn = BOOL(WINAPI*)(DWORD*);
        const auto getFirmwareType = LoadedFunction<GetFirmwareTypeFn>(L"kernel32.dll", "GetFirmwareType");
        DWORD type = 0;
        if (!getFirmwareType || !getFirmwareType(&type)) return 0;
        return static_cast<short>(type);
    }
    using GetFirmwareVariableFn = DWORD(WINAPI*)(LPCWSTR, LPCWSTR, PVOID, DWORD);
    const auto getVariable = LoadedFunction<GetFirmwareVariableFn>(L"kernel32.dll", "GetFirmwareEnvironmentVariableW");
    if (!getVariable) return 0;
    // Legacy BIOS has no firmware variables at all and says so with
    // ERROR_INVALID_FUNCTION; UEFI fails the empty name with another error.
    std::vector<wchar_t> buffer(1024);
    SetLastError(ERROR_SUCCESS);
    getVariable(L"", L"{00000000-0000-0000-0000-000000000000}", buffer.data(),
                static_cast<DWORD>(buffer.size() * sizeof(wchar_t)));
    return GetLastError() == ERROR_INVALID_FUNCTION ? 1 : 2;
}

}  // namespace kelpa
