// Start-up routine of kelpa.exe.
#include "core/kelpafn.h"

#include <windows.h>
#include <commctrl.h>

#include "runtime/DynamicImport.h"

namespace kelpa {
namespace {

short g_osVersionNumber = 0;

}  // namespace

const wchar_t kUsageTitle[] = L"KELPA by OLMA";

short OsVersionNumber() noexcept { return g_osVersionNumber; }

bool QueryWindowsVersion(OSVERSIONINFOEXW& info) noexcept {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    const auto getVersion = LoadedFunction<RtlGetVersionFn>(L"ntdll.dll", "RtlGetVersion");
    info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    return getVersion && getVersion(&info) == 0;
}

void ComputeOsVersionNumber() noexcept {
    OSVERSIONINFOEXW info;
    g_osVersionNumber =
        QueryWindowsVersion(info) ? static_cast<short>(info.dwMajorVersion * 100 + info.dwMinorVersion) : 0;
}

void InitialiseCommonControls() noexcept {
    InitCommonControls();
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES;
    InitCommonControlsEx(&controls);
}

void PrepareProcess() noexcept {
    InitialiseCommonControls();
    ComputeOsVersionNumber();
}

}  // namespace kelpa
