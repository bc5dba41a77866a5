// kelpa.exe: registration switches first, then the start-up routine, then
// serving objects on one single-threaded apartment.
#include <windows.h>
#include <objbase.h>

#include "core/Catalogue.h"
#include "core/kelpafn.h"

namespace {
// Long enough that back-to-back scripts reuse the running server, short
// enough that nothing seems to hang about.
constexpr DWORD kLingerMilliseconds = 3000;

struct ComApartment {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComApartment() {
        if (SUCCEEDED(hr)) CoUninitialize();
    }
};
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace kelpa;
    const std::wstring arguments = ArgumentPart(GetCommandLineW());
    const StartMode mode = ParseStartMode(arguments);

    ComApartment apartment;
    if (FAILED(apartment.hr)) return 1;

    if (mode == StartMode::Register)
        return SUCCEEDED(RegisterServer(KelpaServer(), ModulePath())) ? 0 : 1;
    if (mode == StartMode::Unregister) return SUCCEEDED(UnregisterServer(KelpaServer())) ? 0 : 1;

    InitialiseCommonControls();
    ComputeOsVersionNumber();
    if (mode == StartMode::Serve) return RunServer(KelpaServer(), kLingerMilliseconds);
    if (mode == StartMode::Usage) ShowUsage();
    return 0;
}
