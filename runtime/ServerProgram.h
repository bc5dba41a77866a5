// The start-up shared by both server programs: registration switches first,
// then the program's own preparation, then serving objects on one
// single-threaded apartment or showing the usage box.
#pragma once

#include <windows.h>
#include <string>

#include "runtime/Server.h"

namespace kelpa {

struct ServerProgram {
    const ServerDescription& server;
    // How long a server with multi-use classes waits for a next object.
    DWORD lingerMilliseconds;
    // Process-wide values the classes read; runs before serving and before
    // the usage box, never for the registration switches.
    void (*prepare)() noexcept;
    const wchar_t* usageTitle;   // the usage box's title
    const wchar_t* programName;  // named in its text: "kelpa.exe"
};

// The whole life of the process; the result is its exit code.
int RunServerProgram(const ServerProgram& program) noexcept;

// The usage box's text: the switches, ending in two line breaks.
std::wstring UsageText(const wchar_t* programName);

}  // namespace kelpa
