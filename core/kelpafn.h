// Start-up of kelpa.exe: the command line, the process-wide values other
// classes read (the OS version number), and the usage box.
#pragma once

#include <windows.h>
#include <string>

#include "runtime/CommandLine.h"

namespace kelpa {

// The true version of the running Windows: RtlGetVersion, which no
// compatibility shim bends, with the extended wide record (284 bytes).
bool QueryWindowsVersion(OSVERSIONINFOEXW& info) noexcept;

// Major * 100 + minor of the running Windows, 0 when unknown.
short OsVersionNumber() noexcept;
// Computed once at start-up; read by the classes that depend on the version.
void ComputeOsVersionNumber() noexcept;

// Both common-controls initialisations the dialogs rely on; failures ignored.
void InitialiseCommonControls() noexcept;

// What kelpa.exe prepares before it serves or shows its usage box: the
// common controls and the OS version number.
void PrepareProcess() noexcept;

extern const wchar_t kUsageTitle[];

}  // namespace kelpa
