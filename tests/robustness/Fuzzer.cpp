// kelpa_fuzz: calls every member of every class in-process through
// IDispatch::Invoke with generated arguments (right and wrong types, too
// many and too few), and reports calls made, crashes and the slowest members.
//   kelpa_fuzz [--seconds N] [--calls N] [--seed S] [--server PROGRAM]
// Exit code 0 when it ran to its end; a crash ends the process with the
// member named on stderr, which is the point. With --server the classes of
// that server program (kelpac.exe) are called through the registered server,
// a server process per object: a server that dies, or one left running after
// its object was released, fails the run.
#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <algorithm>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <map>
#include <string>
#include <wrl/client.h>

#include "runtime/UniqueHandle.h"
#include "tests/robustness/InvokeTarget.h"
#include "tests/robustness/ValueFactory.h"

using Microsoft::WRL::ComPtr;
using namespace kelpa::robustness;

namespace {

// What is being called, for the crash report.
char g_current[512] = "nothing yet";

LONG WINAPI ReportCrash(EXCEPTION_POINTERS* info) {
    fprintf(stderr, "CRASH: exception 0x%08lX in %s\n", info->ExceptionRecord->ExceptionCode, g_current);
    fflush(stderr);
    return EXCEPTION_EXECUTE_HANDLER;
}

std::string Narrow(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

struct Timing {
    double total = 0;
    double slowest = 0;
    unsigned long long calls = 0;
};

struct Options {
    double seconds = 60;
    unsigned long long calls = 0;  // 0: no limit
    unsigned seed = 1;
    bool trace = false;  // name every call on stderr before making it
    std::wstring server;  // a server program whose classes are called out of process
};

// What a call answers when the server process serving the object is gone.
bool ServerGone(HRESULT hr) {
    return hr == RPC_E_DISCONNECTED || hr == RPC_E_SERVERFAULT || hr == HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE) ||
           hr == HRESULT_FROM_WIN32(RPC_S_CALL_FAILED) || hr == CO_E_OBJNOTCONNECTED;
}

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string name = argv[i];
        if (name == "--seconds") options.seconds = atof(argv[i + 1]);
        else if (name == "--calls") options.calls = strtoull(argv[i + 1], nullptr, 10);
        else if (name == "--trace") options.trace = atoi(argv[i + 1]) != 0;
        else if (name == "--seed") options.seed = static_cast<unsigned>(strtoul(argv[i + 1], nullptr, 10));
        else if (name == "--server") options.server = WindowsPath(argv[i + 1]);
    }
    return options;
}

// A short description of an argument, for --trace.
std::string Describe(const VARIANT& value) {
    char text[96];
    const VARIANT* v = &value;
    std::string prefix;
    if (V_VT(v) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(v)) {
        prefix = "ref ";
        v = V_VARIANTREF(v);
    }
    switch (V_VT(v)) {
    case VT_BSTR: snprintf(text, sizeof(text), "BSTR(len %u)", V_BSTR(v) ? SysStringLen(V_BSTR(v)) : 0); break;
    case VT_I2: snprintf(text, sizeof(text), "I2 %d", V_I2(v)); break;
    case VT_I4: snprintf(text, sizeof(text), "I4 %ld", V_I4(v)); break;
    case VT_R8: snprintf(text, sizeof(text), "R8 %g", V_R8(v)); break;
    case VT_DATE: snprintf(text, sizeof(text), "DATE %g", V_DATE(v)); break;
    case VT_CY: snprintf(text, sizeof(text), "CY %lld", V_CY(v).int64); break;
    default: snprintf(text, sizeof(text), "vt 0x%X", V_VT(v)); break;
    }
    return prefix + text;
}

// One call of one member with generated arguments; its HRESULT.
HRESULT CallOnce(IDispatch* object, const Member& member, ValueFactory& values, bool trace) {
    const size_t declared = member.parameterTypes.size();
    const size_t required = declared - static_cast<size_t>(member.optionalCount);
    size_t count = declared;
    switch (values.Next(8)) {
    case 0: count = declared + 1 + values.Next(2); break;           // too many
    case 1: count = required > 0 ? values.Next(static_cast<unsigned>(required)) : 0; break;  // too few
    case 2: count = required + (declared > required ? values.Next(static_cast<unsigned>(declared - required + 1)) : 0); break;
    default: break;
    }
    std::vector<VARIANT> arguments(count);
    for (size_t i = 0; i < count; ++i) {
        const VARTYPE type = i < declared ? member.parameterTypes[i] : static_cast<VARTYPE>(VT_VARIANT);
        arguments[count - 1 - i] = values.MakeFor(type);  // rgvarg is in reverse order
    }

    if (trace) {
        std::string line = "  args:";
        for (size_t i = count; i-- > 0;) line += " [" + Describe(arguments[i]) + "]";
        fprintf(stderr, "%s\n", line.c_str());
    }
    WORD flags = DISPATCH_METHOD;
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params = {arguments.data(), nullptr, static_cast<UINT>(count), 0};
    if (member.invokeKind == INVOKE_PROPERTYGET) {
        flags = DISPATCH_PROPERTYGET | (values.Next(4) == 0 ? DISPATCH_METHOD : 0);
    } else if (member.invokeKind & (INVOKE_PROPERTYPUT | INVOKE_PROPERTYPUTREF)) {
        flags = static_cast<WORD>(member.invokeKind == INVOKE_PROPERTYPUT ? DISPATCH_PROPERTYPUT
                                                                          : DISPATCH_PROPERTYPUTREF);
        if (count > 0) {  // the value travels as the named argument
            params.rgdispidNamedArgs = &putId;
            params.cNamedArgs = 1;
        }
    }
    VARIANT result;
    VariantInit(&result);
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    const HRESULT hr =
        object->Invoke(member.id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, &result, &exception, &argumentError);
    VariantClear(&result);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
    for (VARIANT& argument : arguments) values.Release(argument);
    values.ReleaseReferences();
    return hr;
}

// Pumps what the objects posted (timers, window messages) so they run too.
void Pump() {
    MSG message;
    for (int i = 0; i < 50 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++i) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = ParseOptions(argc, argv);
    SetUnhandledExceptionFilter(ReportCrash);
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    // Files that members create with relative names land in a private folder.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"kelpa-fuzz-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    SetCurrentDirectoryW(folder.c_str());
    // An existing file under a name the generated strings use, so members
    // that need one (a profile, a binary file) get past their checks.
    kelpa::unique_hfile(CreateFileW(L"kelpa-fuzz.tmp", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));

    std::vector<ClassMembers> classes =
        options.server.empty() ? ReadCatalogueMembers() : ReadServerMembers(options.server);
    const std::wstring serverName = options.server.substr(options.server.find_last_of(L"\\/") + 1);
    if (!options.server.empty() && classes.empty()) {
        fprintf(stderr, "fuzz: no class in the type library of %s\n", Narrow(options.server).c_str());
        return 1;
    }
    size_t memberCount = 0;
    for (const ClassMembers& cls : classes) memberCount += cls.members.size();
    printf("fuzz: seed %u, %zu classes, %zu members\n", options.seed, classes.size(), memberCount);
    fflush(stdout);

    ValueFactory values(options.seed);
    std::map<std::string, Timing> timings;
    unsigned long long calls = 0;
    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };

    bool finished = false;
    while (!finished) {
        for (const ClassMembers& cls : classes) {
            if (cls.members.empty()) continue;
            // A fresh object per round, so state from one round's calls
            // (an open file, a window) meets every member in the next.
            ComPtr<IDispatch> object;
            if (FAILED(CreateObject(cls, &object))) continue;
            values.SetObject(object.Get());
            for (int round = 0; round < 200; ++round) {
                const Member& member = cls.members[values.Next(static_cast<unsigned>(cls.members.size()))];
                const char* kind = member.invokeKind == INVOKE_PROPERTYGET ? " get"
                                   : member.invokeKind == INVOKE_FUNC ? "" : " let";
                const std::string name = Narrow(cls.entry->name) + "." + Narrow(member.name) + kind;
                snprintf(g_current, sizeof(g_current), "%s (call %llu)", name.c_str(), calls + 1);
                if (options.trace) fprintf(stderr, "call %s\n", g_current);
                const auto before = std::chrono::steady_clock::now();
                if (ServerGone(CallOnce(object.Get(), member, values, options.trace)) && !options.server.empty()) {
                    fprintf(stderr, "CRASH: the server died in %s\n", g_current);
                    return 1;
                }
                const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count();
                Timing& timing = timings[name];
                timing.total += took;
                timing.slowest = std::max(timing.slowest, took);
                ++timing.calls;
                ++calls;
                if ((calls & 63) == 0) Pump();
            }
            values.SetObject(nullptr);
            object.Reset();
            Pump();
            if ((options.calls && calls >= options.calls) || elapsed() >= options.seconds) {
                finished = true;
                break;
            }
        }
    }

    std::vector<std::pair<std::string, Timing>> slowest(timings.begin(), timings.end());
    std::sort(slowest.begin(), slowest.end(),
              [](const auto& a, const auto& b) { return a.second.slowest > b.second.slowest; });
    printf("fuzz: %llu calls in %.1f s (%.0f calls/s), %zu members reached, 0 crashes\n", calls, elapsed(),
           calls / std::max(elapsed(), 0.001), timings.size());
    printf("fuzz: slowest members (longest single call, mean):\n");
    for (size_t i = 0; i < slowest.size() && i < 8; ++i)
        printf("  %-36s %8.2f ms %8.3f ms  (%llu calls)\n", slowest[i].first.c_str(), slowest[i].second.slowest * 1000,
               slowest[i].second.total * 1000 / slowest[i].second.calls, slowest[i].second.calls);
    SetCurrentDirectoryW(temp);
    CoUninitialize();
    if (!options.server.empty()) {
        // Every object had a process of its own, which its release ended.
        const ULONGLONG end = GetTickCount64() + 10000;
        while (!ProgramProcesses(serverName).empty() && GetTickCount64() < end) Sleep(100);
        const size_t left = ProgramProcesses(serverName).size();
        printf("fuzz: %zu %s processes left after the last release\n", left, Narrow(serverName).c_str());
        if (left != 0) return 1;
    }
    return 0;
}
