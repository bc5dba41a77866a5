// Registration of the server's classes and the serving loop of a local server.
#pragma once

#include <windows.h>
#include <string>

#include "runtime/ClassEntry.h"

namespace kelpa {

struct ServerDescription {
    ClassTable classes;
    GUID libraryId;
    WORD libraryMajor;
    WORD libraryMinor;
    const wchar_t* progIdPrefix;  // "Kelpa."
};

// Writes the classes and the type library of the module at exePath. Falls
// back to the per-user hive when the machine-wide one is not writable
// (an unelevated user on Windows).
HRESULT RegisterServer(const ServerDescription& server, const std::wstring& exePath) noexcept;
// Removes everything RegisterServer may have written, from both hives.
HRESULT UnregisterServer(const ServerDescription& server) noexcept;

// Serves the classes on the calling single-threaded apartment until the last
// object is released and the linger time has passed with none created. A
// server of single-use classes ends as soon as its one object is released.
int RunServer(const ServerDescription& server, DWORD lingerMilliseconds) noexcept;

// The full path of the running program.
std::wstring ModulePath(HMODULE module = nullptr);

}  // namespace kelpa
