// Start-up routine of kelpa.exe.
#include "core/kelpafn.h"

#include <windows.h>
#include <commctrl.h>
#include <vector>

#include "runtime/DynamicImport.h"

namespace kelpa {
namespace {

short g_osVersionNumber = 0;

bool SwitchIs(const std::wstring& token, const wchar_t* name) {
    if (token.size() < 2 || (token[0] != L'/' && token[0] != L'-')) return false;
    return _wcsicmp(token.c_str() + 1, name) == 0;
}

std::vector<std::wstring> Tokens(const std::wstring& text) {
    std::vector<std::wstring> tokens;
    std::wstring current;
    for (wchar_t c : text) {
        if (c == L' ' || c == L'\t') {
            if (!current.empty()) tokens.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) tokens.push_back(std::move(current));
    return tokens;
}

}  // namespace

const wchar_t kUsageTitle[] = L"KELPA by OLMA";
const wchar_t kUsageText[] =
    L"kelpa.exe command line arguments:\r\n\r\n"
    L"/regserver\r\n\tregister this component (default arg.)\r\n"
    L"/unregserver\r\n\tunregister this component\r\n\r\n";

std::wstring ArgumentPart(const std::wstring& commandLine) {
    size_t i = 0;
    if (i < commandLine.size() && commandLine[i] == L'"') {
        const size_t close = commandLine.find(L'"', 1);
        i = close == std::wstring::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && commandLine[i] != L' ' && commandLine[i] != L'\t') ++i;
    }
    while (i < commandLine.size() && (commandLine[i] == L' ' || commandLine[i] == L'\t')) ++i;
    return commandLine.substr(i);
}

StartMode ParseStartMode(const std::wstring& arguments) {
    if (arguments == L"/?") return StartMode::Usage;
    const std::vector<std::wstring> tokens = Tokens(arguments);
    if (tokens.empty()) return StartMode::Register;
    for (const std::wstring& token : tokens) {
        if (SwitchIs(token, L"Embedding") || SwitchIs(token, L"Automation")) return StartMode::Serve;
    }
    if (tokens.size() == 1) {
        if (SwitchIs(tokens[0], L"regserver")) return StartMode::Register;
        if (SwitchIs(tokens[0], L"unregserver")) return StartMode::Unregister;
    }
    return StartMode::Nothing;
}

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

void ShowUsage() noexcept { MessageBoxW(nullptr, kUsageText, kUsageTitle, 0); }

}  // namespace kelpa
