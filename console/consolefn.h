// Process-wide values of kelpac.exe: the program's own path, whose first
// icon the console window shows, and the break signal that the console
// control handler shares with the object's thread.
#pragma once

#include <windows.h>
#include <string>

namespace kelpa {

// Start-up of kelpac.exe: the module path, and the break signal at 0.
void PrepareConsoleProcess() noexcept;
const std::wstring& ServerModulePath() noexcept;

// The system calls the control handler on a thread of its own for every
// Ctrl+C, Ctrl+Break or close, while the object's thread may be reading or
// resetting the signal: every access is one atomic operation, so no event
// is lost or counted twice.
BOOL WINAPI BreakHandler(DWORD controlType) noexcept;
// Installs BreakHandler once per process; it stays installed.
void InstallBreakHandler() noexcept;
void SetBreakSignal(long value) noexcept;
// The count of breaks (or the mark a read left), reset to 0 in one step.
long TakeBreakSignal() noexcept;

extern const wchar_t kConsoleUsageTitle[];

}  // namespace kelpa
