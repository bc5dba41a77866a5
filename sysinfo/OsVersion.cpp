// OS version record.
#include "sysinfo/OsVersion.h"

#include <windows.h>

#include "runtime/DynamicImport.h"
#include "core/kelpafn.h"

namespace kelpa {
OsVersionRecord ReadOsVersion() noexcept {
    OsVersionRecord record;
    OSVERSIONINFOEXW info;
    if (!QueryWindowsVersion(info) || info.dwPlatformId != VER_PLATFORM_WIN32_NT) return record;

    record.major = static_cast<long>(info.dwMajorVersion);
    record.minor = static_cast<long>(info.dwMinorVersion);
    record.build = static_cast<long>(info.dwBuildNumber);
    record.servicePackMajor = static_cast<short>(info.wServicePackMajor);
    record.servicePackMinor = static_cast<short>(info.wServicePackMinor);
    record.productType = info.wProductType;
    record.suiteMask = static_cast<short>(info.wSuiteMask);

#ifdef _WIN64
    // A 64-bit server runs only on a 64-bit system.
    record.is64Bit = 1;
#else
    // Only a 32-bit process under the 64-bit emulation layer learns here that
    // the system is 64-bit; the function is missing before XP SP2.
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, BOOL*);
    const auto isWow64 = LoadedFunction<IsWow64ProcessFn>(L"kernel32.dll", "IsWow64Process");
    BOOL wow64 = FALSE;
    record.is64Bit = isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64 ? 1 : 0;
#endif

    if (record.major >= 6) {
        DWORD edition = 0;
        if (GetProductInfo(info.dwMajorVersion, info.dwMinorVersion, info.wServicePackMajor,
                           info.wServicePackMinor, &edition))
            record.edition = static_cast<long>(edition);
    }
    return record;
}

short OsVersion::Number() noexcept {
    if (OsVersionNumber() == 0) ComputeOsVersionNumber();
    return OsVersionNumber();
}

}  // namespace kelpa
