// Start-up of a server program.
#include "runtime/ServerProgram.h"

#include <objbase.h>

#include "runtime/CommandLine.h"

namespace kelpa {
namespace {

struct ComApartment {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComApartment() {
        if (SUCCEEDED(hr)) CoUninitialize();
    }
};

}  // namespace

int RunServerProgram(const ServerProgram& program) noexcept {
    StartMode mode = StartMode::Nothing;
    try {
        mode = ParseStartMode(ArgumentPart(GetCommandLineW()));
    } catch (...) {
        return 1;
    }

    ComApartment apartment;
    if (FAILED(apartment.hr)) return 1;

    if (mode == StartMode::Register) {
        try {
            return SUCCEEDED(RegisterServer(program.server, ModulePath())) ? 0 : 1;
        } catch (...) {
            return 1;
        }
    }
    if (mode == StartMode::Unregister) return SUCCEEDED(UnregisterServer(program.server)) ? 0 : 1;

    if (program.prepare) program.prepare();
    if (mode == StartMode::Serve) return RunServer(program.server, program.lingerMilliseconds);
    if (mode == StartMode::Usage) {
        try {
            MessageBoxW(nullptr, UsageText(program.programName).c_str(), program.usageTitle, 0);
        } catch (...) {
            return 1;
        }
    }
    return 0;
}

std::wstring UsageText(const wchar_t* programName) {
    return std::wstring(programName) +
           L" command line arguments:\r\n\r\n"
           L"/regserver\r\n\tregister this component (default arg.)\r\n"
           L"/unregserver\r\n\tunregister this component\r\n\r\n";
}

}  // namespace kelpa
