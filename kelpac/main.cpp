// kelpac.exe: the console server, composed of its one-class catalogue and
// the start-up routine of console/consolefn.
#include <windows.h>

#include "console/consolefn.h"
#include "kelpac/Catalogue.h"
#include "runtime/ServerProgram.h"

namespace {
// Only for a client that starts the server and never creates its object
// (once the object has been served the process ends with its release): the
// client's request may come late on a loaded machine, and a server that gave
// up on it would fail the activation.
constexpr DWORD kLingerMilliseconds = 30000;
}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    using namespace kelpa;
    return RunServerProgram({KelpacServer(), kLingerMilliseconds, &PrepareConsoleProcess, kConsoleUsageTitle,
                             L"kelpac.exe"});
}
