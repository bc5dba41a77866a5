// Start-up of kelpa.exe: the command line, the process-wide values other
// classes read (the OS version number), and the usage box.
#pragma once

#include <windows.h>
#include <string>

namespace kelpa {

enum class StartMode { Serve, Register, Unregister, Usage, Nothing };

// The part of a command line after the program name and the blanks that
// follow it; the rest is kept exactly, trailing blanks included.
std::wstring ArgumentPart(const std::wstring& commandLine);

// What the program was asked to do. COM passes -Embedding (either switch
// character, any case); the registration switches are read the same way;
// an empty argument registers; only exactly "/?" shows the usage box.
StartMode ParseStartMode(const std::wstring& arguments);

// The true version of the running Windows: RtlGetVersion, which no
// compatibility shim bends, with the extended wide record (284 bytes).
bool QueryWindowsVersion(OSVERSIONINFOEXW& info) noexcept;

// Major * 100 + minor of the running Windows, 0 when unknown.
short OsVersionNumber() noexcept;
// Computed once at start-up; read by the classes that depend on the version.
void ComputeOsVersionNumber() noexcept;

// Both common-controls initialisations the dialogs rely on; failures ignored.
void InitialiseCommonControls() noexcept;

extern const wchar_t kUsageTitle[];
extern const wchar_t kUsageText[];
void ShowUsage() noexcept;

}  // namespace kelpa
