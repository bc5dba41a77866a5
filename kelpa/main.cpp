// kelpa.exe: the main server, composed of the class catalogue and the
// start-up routine of core/kelpafn.
#include <windows.h>

#include "core/kelpafn.h"
#include "kelpa/Catalogue.h"
#include "runtime/ServerProgram.h"

namespace {
// Long enough that back-to-back scripts reuse the running server, short
// enough that nothing seems to hang about.
constexpr DWORD kLingerMilliseconds = 3000;
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace kelpa;
    return RunServerProgram({KelpaServer(), kLingerMilliseconds, &PrepareProcess, kUsageTitle, L"kelpa.exe"});
}
