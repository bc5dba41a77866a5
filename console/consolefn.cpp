// Process-wide values and the break handler of kelpac.exe.
#include "console/consolefn.h"

#include <atomic>

#include "runtime/Server.h"

namespace kelpa {
namespace {

std::wstring g_modulePath;
std::atomic<long> g_breakSignal{0};
std::atomic<bool> g_handlerInstalled{false};

}  // namespace

const wchar_t kConsoleUsageTitle[] = L"KELPA/KelpaC by OLMA";

void PrepareConsoleProcess() noexcept {
    try {
        g_modulePath = ModulePath();
    } catch (...) {
        g_modulePath.clear();  // no icon then, nothing worse
    }
    g_breakSignal = 0;
}

const std::wstring& ServerModulePath() noexcept { return g_modulePath; }

BOOL WINAPI BreakHandler(DWORD) noexcept {
    g_breakSignal.fetch_add(1);
    return TRUE;
}

void InstallBreakHandler() noexcept {
    // A second installation would only lengthen the system's handler list.
    if (!g_handlerInstalled.exchange(true)) SetConsoleCtrlHandler(BreakHandler, TRUE);
}

void SetBreakSignal(long value) noexcept { g_breakSignal.store(value); }

long TakeBreakSignal() noexcept { return g_breakSignal.exchange(0); }

}  // namespace kelpa
