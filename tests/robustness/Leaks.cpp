// kelpa_leaks: creates, uses and releases every creatable class many times,
// in-process or through the registered server, and compares the hosting
// process's handles, GDI and USER objects and private bytes before and after.
//   kelpa_leaks [--inproc N] [--server N] [--class Name] [--window-every N]
//               [--program PATH] [--platform-handles-per-cycle N]
// Fails (exit 1) when any count grows beyond a small bound. With --program
// the classes of that single-use server program (kelpac.exe) are checked:
// N cycles within one object's process, and N / 10 objects, each of which
// must take its process with it when released.
#include <windows.h>
#include <objbase.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <algorithm>
#include <string>
#include <vector>
#include <wrl/client.h>

#include "runtime/UniqueHandle.h"
#include "tests/robustness/InvokeTarget.h"

using Microsoft::WRL::ComPtr;
using namespace kelpa;
using namespace kelpa::robustness;

namespace {

// Growth allowed over a whole run: caches that fill once (type information,
// the heap's own bookkeeping) but nothing per cycle.
constexpr long kHandleBound = 8;
constexpr long kGuiBound = 8;
constexpr long long kPrivateBytesBound = 2 * 1024 * 1024;

struct Counts {
    long handles = 0;
    long gdi = -1;  // -1: the platform does not count them (Wine)
    long user = 0;
    long long privateBytes = 0;
};

// Wine answers GetProcessHandleCount with 0; probing each handle value by
// duplicating it counts the same thing there and on Windows.
long ProbeHandles(HANDLE process) {
    long count = 0;
    for (ULONG_PTR value = 4; value < 0x10000; value += 4) {
        unique_handle copy;
        if (DuplicateHandle(process, reinterpret_cast<HANDLE>(value), GetCurrentProcess(), copy.put(), 0, FALSE,
                            DUPLICATE_SAME_ACCESS))
            ++count;
    }
    return count;
}

struct WindowCount {
    DWORD process;
    long count;
};

BOOL CALLBACK CountChild(HWND window, LPARAM state) {
    auto* counting = reinterpret_cast<WindowCount*>(state);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == counting->process) ++counting->count;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM state) {
    CountChild(window, state);
    EnumChildWindows(window, CountChild, state);
    return TRUE;
}

// Windows are the USER objects a leak would show first; Wine does not count
// USER objects (GetGuiResources gives 0), so count the windows themselves,
// message-only windows included.
long CountWindows(DWORD process) {
    WindowCount counting = {process, 0};
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&counting));
    for (HWND window = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExW(HWND_MESSAGE, window, nullptr, nullptr))
        CountChild(window, reinterpret_cast<LPARAM>(&counting));
    return counting.count;
}

Counts Measure(HANDLE process) {
    Counts counts;
    DWORD handles = 0;
    counts.handles = GetProcessHandleCount(process, &handles) && handles > 0 ? static_cast<long>(handles)
                                                                              : ProbeHandles(process);
    const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
    // A process with windows always has some GDI objects; 0 means "not counted".
    if (gdi > 0) counts.gdi = static_cast<long>(gdi);
    const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
    counts.user = user > 0 ? static_cast<long>(user) : CountWindows(GetProcessId(process));
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    // PrivateUsage is 0 under Wine; PagefileUsage is the same commit charge
    // on Windows and is kept up to date by Wine.
    if (GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory)))
        counts.privateBytes = static_cast<long long>(memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage);
    return counts;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The "use" of a cycle: one argument-free property, a different one each
// cycle, so every property is read many times over a run without the slow
// ones (a process snapshot) setting the pace.
void Use(IDispatch* object, const ClassMembers& cls, unsigned long cycle) {
    std::vector<const Member*> readable;
    for (const Member& member : cls.members)
        if (member.invokeKind == INVOKE_PROPERTYGET && member.parameterTypes.empty()) readable.push_back(&member);
    if (readable.empty()) return;
    const Member& member = *readable[cycle % readable.size()];
    DISPPARAMS none = {};
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception = {};
    object->Invoke(member.id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, &exception, nullptr);
    VariantClear(&result);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
}

// Classes that own a window (a Create whose arguments are all optional)
// make it, so the window, its controls, fonts and timers are part of what
// must come back.
void MakeWindow(IDispatch* object, const ClassMembers& cls) {
    for (const Member& member : cls.members) {
        if (member.name != L"Create" || member.invokeKind != INVOKE_FUNC) continue;
        if (member.optionalCount != static_cast<int>(member.parameterTypes.size())) return;
        DISPPARAMS none = {};
        EXCEPINFO exception = {};
        object->Invoke(member.id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, nullptr, &exception, nullptr);
        SysFreeString(exception.bstrSource);
        SysFreeString(exception.bstrDescription);
        SysFreeString(exception.bstrHelpFile);
        return;
    }
}

// Classes whose resources appear only after a call get that call in every
// cycle: a Notice puts a system icon into the tray, which its release takes
// away. False when that call did not succeed: the cycle then measured nothing.
bool Acquire(IDispatch* object, const ClassMembers& cls) {
    if (_wcsicmp(cls.entry->name, L"Notice") != 0) return true;
    const auto invoke = [object](const wchar_t* name, WORD flags, VARIANT* argument) {
        DISPID id = DISPID_UNKNOWN, put = DISPID_PROPERTYPUT;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return false;
        DISPPARAMS params = {argument, argument ? &put : nullptr, argument ? 1u : 0u, argument ? 1u : 0u};
        VARIANT result;
        VariantInit(&result);
        const HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                          argument ? nullptr : &result, nullptr, nullptr);
        const bool succeeded = SUCCEEDED(hr) && (argument || (V_VT(&result) == VT_BOOL && V_BOOL(&result)));
        VariantClear(&result);
        return succeeded;
    };
    VARIANT icon;
    VariantInit(&icon);
    V_VT(&icon) = VT_I4;
    V_I4(&icon) = 32516;  // IDI_INFORMATION
    return invoke(L"IconID", DISPATCH_PROPERTYPUT, &icon) && invoke(L"Add", DISPATCH_METHOD, nullptr);
}

// A Notice cycle creates a window here and the shell makes one for its icon:
// about 90 ms under Wine, where 100,000 cycles would take hours. A leak of a
// handle, window or kilobyte per cycle still shows within this many.
long CycleLimit(const ClassMembers& cls, long asked) {
    constexpr long kNoticeCycles = 500;
    return _wcsicmp(cls.entry->name, L"Notice") == 0 ? std::min(asked, kNoticeCycles) : asked;
}

void Pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// --plant makes every in-process cycle leak a handle and some memory, to show
// that the measurements see a real leak (the suite expects it to fail).
bool g_plantLeak = false;

// In-process cycles make a window only every this many cycles: a window
// costs milliseconds under Wine, and 100,000 of them per class would not
// fit the run's time. A handle, window or GDI object lost per window still
// shows: 2,000 windows per class against a bound of 8.
long g_windowEvery = 50;
// Through the server a window doubles a cycle's cost, and the classes
// without one already take most of the run's time on a loaded machine:
// 100 windows per class of 1,000 cycles, against the same bound.
constexpr unsigned long kServerWindowEvery = 10;

bool Cycle(const ClassMembers& cls, bool server, unsigned long cycle) {
    if (g_plantLeak && !server) {
        CreateEventW(nullptr, FALSE, FALSE, nullptr);
        memset(new char[4096], 1, 4096);  // touched, as a real object would be
    }
    ComPtr<IDispatch> object;
    const HRESULT hr = server ? CoCreateInstance(cls.entry->clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, &object)
                              : cls.entry->create(IID_IDispatch, &object);
    if (FAILED(hr)) return false;
    const unsigned long every = server ? kServerWindowEvery : static_cast<unsigned long>(g_windowEvery);
    if (cycle % every == 0) MakeWindow(object.Get(), cls);
    if (!Acquire(object.Get(), cls)) return false;
    Use(object.Get(), cls, cycle);
    return true;
}

DWORD FindServerProcess() {
    const std::vector<DWORD> found = ProgramProcesses(KELPA_SERVER_PROGRAM);
    return found.empty() ? 0 : found.back();
}

// platformHandles: handles the platform itself keeps per cycle, measured
// apart (a Wine console allocation keeps two), allowed on top of the bound.
bool Report(const char* where, const std::string& name, long cycles, const Counts& before, const Counts& after,
            double seconds, long platformHandles = 0) {
    const long handles = after.handles - before.handles;
    const long gdi = before.gdi < 0 || after.gdi < 0 ? 0 : after.gdi - before.gdi;
    const long user = after.user - before.user;
    const long long bytes = after.privateBytes - before.privateBytes;
    const bool ok = handles <= kHandleBound + platformHandles * cycles && gdi <= kGuiBound && user <= kGuiBound &&
                    bytes <= kPrivateBytesBound;
    char gdiText[32] = "n/a";
    if (before.gdi >= 0) snprintf(gdiText, sizeof(gdiText), "%ld%+ld", before.gdi, gdi);
    printf("%-6s %-16s %7ld cycles %6.1f s  handles %ld%+ld  gdi %s  user %ld%+ld  private KiB %lld%+lld  %s\n", where,
           name.c_str(), cycles, seconds, before.handles, handles, gdiText, before.user, user, before.privateBytes / 1024,
           bytes / 1024, ok ? "ok" : "GROWTH");
    fflush(stdout);
    return ok;
}

// One cycle within a single-use object: every method that needs no argument,
// starting at a different one each cycle, so that each meets the state every
// other leaves (a console created or removed, for one), and a property.
void UseAll(IDispatch* object, const ClassMembers& cls, unsigned long cycle) {
    std::vector<const Member*> callable;
    for (const Member& member : cls.members)
        if (member.invokeKind == INVOKE_FUNC && member.parameterTypes.size() == static_cast<size_t>(member.optionalCount))
            callable.push_back(&member);
    for (size_t i = 0; i < callable.size(); ++i) {
        DISPPARAMS none = {};
        unique_variant result;
        EXCEPINFO exception = {};
        object->Invoke(callable[(cycle + i) % callable.size()]->id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                       &none, result.get(), &exception, nullptr);
        const unique_bstr source(exception.bstrSource), text(exception.bstrDescription), help(exception.bstrHelpFile);
    }
    Use(object, cls, cycle);
}

bool CheckSingleUse(const ClassMembers& cls, long cycles, const std::wstring& programName, long platformHandles) {
    const std::string name = Narrow(cls.entry->name);
    const std::vector<DWORD> before = ProgramProcesses(programName);
    ComPtr<IDispatch> object;
    DWORD serverId = 0;
    if (SUCCEEDED(CreateObject(cls, &object)))
        for (DWORD id : ProgramProcesses(programName))
            if (std::find(before.begin(), before.end(), id) == before.end()) serverId = id;
    unique_handle server(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_DUP_HANDLE, FALSE, serverId));
    if (!server) {
        printf("server %s: no object in a server process of its own\n", name.c_str());
        return false;
    }
    // Both measurements after a cycle that starts at the first member, so the
    // object is in the same state each time.
    for (unsigned long i = 0; i < 20; ++i) UseAll(object.Get(), cls, i);
    UseAll(object.Get(), cls, 0);
    const Counts start = Measure(server.get());
    const ULONGLONG started = GetTickCount64();
    for (long i = 0; i < cycles; ++i) UseAll(object.Get(), cls, static_cast<unsigned long>(i));
    UseAll(object.Get(), cls, 0);
    bool ok = Report("server", name, cycles, start, Measure(server.get()), (GetTickCount64() - started) / 1000.0,
                     platformHandles);
    object.Reset();

    // Every object a process, every release the end of one.
    const long objects = std::max(1L, cycles / 10);
    long created = 0;
    for (long i = 0; i < objects; ++i) {
        ComPtr<IDispatch> another;
        const HRESULT hr = CreateObject(cls, &another);
        if (FAILED(hr)) {
            printf("server %s: object %ld not created: 0x%08lX\n", name.c_str(), i, static_cast<unsigned long>(hr));
            continue;
        }
        ++created;
        UseAll(another.Get(), cls, static_cast<unsigned long>(i));
    }
    const ULONGLONG end = GetTickCount64() + 10000;
    while (ProgramProcesses(programName).size() > before.size() && GetTickCount64() < end) Sleep(100);
    const size_t now = ProgramProcesses(programName).size();
    const size_t left = now > before.size() ? now - before.size() : 0;
    printf("server %-16s %7ld objects, %ld created, %zu processes left  %s\n", name.c_str(), objects, created, left,
           created == objects && left == 0 ? "ok" : "LEFT BEHIND");
    return ok && created == objects && left == 0;
}

}  // namespace

int main(int argc, char** argv) {
    long inprocCycles = 100000, serverCycles = 1000;
    std::wstring only;
    std::wstring program;  // a single-use server program, as a Windows path
    long platformHandles = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--inproc") inprocCycles = atol(argv[i + 1]);
        else if (name == "--server") serverCycles = atol(argv[i + 1]);
        else if (name == "--plant") g_plantLeak = atoi(argv[i + 1]) != 0;
        else if (name == "--window-every") g_windowEvery = std::max(1L, atol(argv[i + 1]));
        else if (name == "--class") only = std::wstring(argv[i + 1], argv[i + 1] + strlen(argv[i + 1]));
        else if (name == "--program") program = WindowsPath(argv[i + 1]);
        else if (name == "--platform-handles-per-cycle") platformHandles = atol(argv[i + 1]);
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool ok = true;
    if (!program.empty()) {
        const std::vector<ClassMembers> served = ReadServerMembers(program);
        ok = !served.empty();
        const std::wstring programName = program.substr(program.rfind(L'\\') + 1);
        for (const ClassMembers& cls : served) ok &= CheckSingleUse(cls, serverCycles, programName, platformHandles);
        CoUninitialize();
        printf("leaks: %s\n", ok ? "no growth beyond the bounds, no process left" : "GROWTH OR PROCESSES FOUND");
        return ok ? 0 : 1;
    }
    const std::vector<ClassMembers> classes = ReadCatalogueMembers();

    for (const ClassMembers& cls : classes) {
        if (cls.entry->instancing != Instancing::MultiUse) continue;
        if (!only.empty() && _wcsicmp(only.c_str(), cls.entry->name) != 0) continue;
        const std::string name = Narrow(cls.entry->name);
        const long inprocCount = CycleLimit(cls, inprocCycles);
        if (inprocCount > 0) {
            for (int i = 0; i < 200; ++i) Cycle(cls, false, i);  // warm-up: caches fill once
            Pump();
            const Counts before = Measure(GetCurrentProcess());
            const ULONGLONG started = GetTickCount64();
            long done = 0;
            for (long i = 0; i < inprocCount; ++i) {
                if (Cycle(cls, false, i)) ++done;
                if ((i & 255) == 0) Pump();
            }
            Pump();
            ok &= Report("inproc", name, done, before, Measure(GetCurrentProcess()),
                         (GetTickCount64() - started) / 1000.0);
            if (done != inprocCount) {
                printf("inproc %s: only %ld of %ld objects could be created and used\n", name.c_str(), done, inprocCount);
                ok = false;
            }
        }
        if (serverCycles > 0) {
            // An anchor object keeps the server alive between cycles.
            ComPtr<IDispatch> anchor;
            if (FAILED(CoCreateInstance(cls.entry->clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, &anchor))) {
                printf("server %s: cannot create the class through the server\n", name.c_str());
                ok = false;
                continue;
            }
            unique_handle server(
                OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ | PROCESS_DUP_HANDLE, FALSE, FindServerProcess()));
            if (!server) {
                printf("server %s: cannot open the server process\n", name.c_str());
                ok = false;
                continue;
            }
            for (int i = 0; i < 20; ++i) Cycle(cls, true, i);
            const Counts before = Measure(server.get());
            const ULONGLONG started = GetTickCount64();
            long done = 0;
            for (long i = 0; i < serverCycles; ++i)
                if (Cycle(cls, true, i)) ++done;
            ok &= Report("server", name, done, before, Measure(server.get()), (GetTickCount64() - started) / 1000.0);
            if (done != serverCycles) {
                printf("server %s: only %ld of %ld objects could be created and used\n", name.c_str(), done, serverCycles);
                ok = false;
            }
        }
    }
    CoUninitialize();
    printf("leaks: %s\n", ok ? "no growth beyond the bounds" : "GROWTH FOUND");
    return ok ? 0 : 1;
}
