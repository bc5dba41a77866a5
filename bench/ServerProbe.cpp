// A C++ client that times what a script would pay, for the server benchmarks:
//   server_probe coldstart PROGID MEMBER EXENAME RUNS  -> median ms of CreateObject + first call,
//                                                        each run against a freshly started server
//   server_probe idle PROGID MEMBER EXENAME           -> the server's private KiB with one object
//   server_probe growth PROGID MEMBER EXENAME CALLS COUNT...
//                                                     -> for each count of live objects of the class
//                                                        (ascending), "GROWTH count KiB one spread": the
//                                                        server's private KiB and the warm call rates to
//                                                        one object and spread over all
//   server_probe transfer FILE PIECE CALLS VTYPE      -> "TRANSFER bread_ms move_ms": median milliseconds
//                                                        of BinFile.BRead and of the minimal server's Move
//                                                        for PIECE bytes (VTYPE 8: Strings), calls taking
//                                                        turns so that both see the same load
#include <windows.h>
#include <objbase.h>
#include <dispex.h>
#include <psapi.h>
#include <tlhelp32.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>
#include <wrl/client.h>

#include "runtime/UniqueHandle.h"

using Microsoft::WRL::ComPtr;

namespace {

std::wstring Wide(const char* text) { return std::wstring(text, text + strlen(text)); }

DWORD FindProcess(const std::wstring& exeName) {
    kelpa::unique_hfile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return 0;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
        if (_wcsicmp(entry.szExeFile, exeName.c_str()) == 0) return entry.th32ProcessID;
    return 0;
}

bool WaitForExit(const std::wstring& exeName, int milliseconds) {
    for (int waited = 0; waited < milliseconds; waited += 50) {
        if (!FindProcess(exeName)) return true;
        Sleep(50);
    }
    return false;
}

// CreateObject, as a script makes it.
HRESULT Create(const std::wstring& progId, ComPtr<IDispatch>& object) {
    CLSID clsid;
    const HRESULT hr = CLSIDFromProgID(progId.c_str(), &clsid);
    if (FAILED(hr)) return hr;
    return CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, &object);
}

// CreateObject plus one late-bound call, as a script makes them.
HRESULT CreateAndCall(const std::wstring& progId, const std::wstring& member, ComPtr<IDispatch>& object) {
    HRESULT hr = Create(progId, object);
    if (FAILED(hr)) return hr;
    LPOLESTR names[] = {const_cast<LPOLESTR>(member.c_str())};
    DISPID id = 0;
    hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(hr)) return hr;
    DISPPARAMS none = {};
    VARIANT result;
    VariantInit(&result);
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, &result,
                        nullptr, nullptr);
    VariantClear(&result);
    return hr;
}

// The server's private bytes in KiB, or -1 when they cannot be read.
long PrivateKiB(const std::wstring& exeName) {
    kelpa::unique_handle server(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, FindProcess(exeName)));
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof(memory);
    if (!server ||
        !GetProcessMemoryInfo(server.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory)))
        return -1;
    // Wine reports PrivateUsage as 0 and keeps PagefileUsage, the same charge.
    const SIZE_T bytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    return static_cast<long>(bytes / 1024);
}

// Late-bound calls per second, each looking its member up as a script does:
// to the oldest object (the one a COM runtime that searches its newest
// objects first finds last), or spread over all of them in turn, so that
// each call has to find another one.
double CallRate(const std::vector<ComPtr<IDispatch>>& objects, bool spread, const std::wstring& member, int calls) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(member.c_str())};
    DISPPARAMS none = {};
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < calls; ++i) {
        IDispatch* object = objects[spread ? static_cast<size_t>(i) % objects.size() : 0].Get();
        DISPID id = 0;
        VARIANT result;
        VariantInit(&result);
        HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (SUCCEEDED(hr))
            hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none,
                                &result, nullptr, nullptr);
        VariantClear(&result);
        if (FAILED(hr)) {
            fprintf(stderr, "call failed: 0x%08lX\n", hr);
            return -1;
        }
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return calls / (seconds > 0 ? seconds : 1e-3);
}

// Grows the number of live objects through the counts, measuring the call
// rates and then memory (after the calls, so that what the first calls set
// up in the server is not counted as the objects') at each; then shrinks
// back and measures the rates again, keeping the better of the two, since
// the machine's load varies over a run.
int Growth(const std::wstring& progId, const std::wstring& member, const std::wstring& exeName, int calls,
           const std::vector<size_t>& counts) {
    std::vector<ComPtr<IDispatch>> objects(1);
    HRESULT hr = CreateAndCall(progId, member, objects[0]);
    CLSID clsid;
    ComPtr<IClassFactory> factory;
    if (SUCCEEDED(hr)) hr = CLSIDFromProgID(progId.c_str(), &clsid);
    if (SUCCEEDED(hr)) hr = CoGetClassObject(clsid, CLSCTX_LOCAL_SERVER, nullptr, IID_IClassFactory, &factory);
    if (FAILED(hr)) {
        fprintf(stderr, "cannot create: 0x%08lX\n", hr);
        return 1;
    }
    std::vector<long> kib(counts.size());
    std::vector<double> one(counts.size()), spread(counts.size());
    for (size_t step = 0; step < counts.size(); ++step) {
        while (objects.size() < counts[step]) {
            ComPtr<IDispatch> object;
            hr = factory->CreateInstance(nullptr, IID_IDispatch, &object);
            if (FAILED(hr)) {
                fprintf(stderr, "object %lu: 0x%08lX\n", static_cast<unsigned long>(objects.size() + 1), hr);
                return 1;
            }
            objects.push_back(object);
        }
        one[step] = CallRate(objects, false, member, calls);
        spread[step] = CallRate(objects, true, member, calls);
        Sleep(500);
        kib[step] = PrivateKiB(exeName);
        if (kib[step] < 0 || one[step] < 0 || spread[step] < 0) return 1;
    }
    for (size_t step = counts.size(); step-- > 0;) {
        objects.resize(counts[step]);
        one[step] = std::max(one[step], CallRate(objects, false, member, calls));
        spread[step] = std::max(spread[step], CallRate(objects, true, member, calls));
    }
    for (size_t step = 0; step < counts.size(); ++step)
        printf("GROWTH %lu %ld %.1f %.1f\n", static_cast<unsigned long>(counts[step]), kib[step], one[step],
               spread[step]);
    return 0;
}

// A late-bound call as a script engine makes it: the name looked up, then
// InvokeEx with the arguments (given in order; reversed here as COM wants).
HRESULT ScriptCall(IDispatchEx* object, const wchar_t* name, WORD flags, std::vector<VARIANT> arguments,
                   VARIANT* result) {
    DISPID id = 0;
    kelpa::unique_bstr member(SysAllocString(name));
    HRESULT hr = object->GetDispID(member.get(), fdexNameCaseInsensitive, &id);
    if (FAILED(hr)) return hr;
    std::reverse(arguments.begin(), arguments.end());
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params = {arguments.data(), flags == DISPATCH_PROPERTYPUT ? &put : nullptr,
                         static_cast<UINT>(arguments.size()), flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
    return object->InvokeEx(id, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

VARIANT Long(LONG value) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// BinFile.BRead against the minimal server's Move, piece by piece in turns.
// Each keeps its previous piece in its variable, as a script's read loop
// does, so the old piece travels to the server and back with every call.
int Transfer(const std::wstring& path, LONG piece, int calls, LONG type) {
    ComPtr<IDispatch> files, minimal;
    HRESULT hr = Create(L"Kelpa.File", files);
    if (SUCCEEDED(hr)) hr = CreateAndCall(L"KelpaBench.Minimal", L"Ping", minimal);
    ComPtr<IDispatchEx> filesEx, minimalEx, binary;
    if (SUCCEEDED(hr)) hr = files.As(&filesEx);
    if (SUCCEEDED(hr)) hr = minimal.As(&minimalEx);
    kelpa::unique_variant opened;
    if (SUCCEEDED(hr)) {
        VARIANT name;
        V_VT(&name) = VT_BSTR;
        V_BSTR(&name) = SysAllocString(path.c_str());
        VARIANT writable;
        V_VT(&writable) = VT_BOOL;
        V_BOOL(&writable) = VARIANT_FALSE;
        hr = ScriptCall(filesEx.Get(), L"OpenBinary", DISPATCH_METHOD, {name, writable}, opened.put());
        VariantClear(&name);
    }
    if (SUCCEEDED(hr) && (V_VT(opened.get()) != VT_DISPATCH || !V_DISPATCH(opened.get()))) hr = E_FAIL;
    if (SUCCEEDED(hr)) hr = V_DISPATCH(opened.get())->QueryInterface(IID_PPV_ARGS(&binary));
    if (FAILED(hr)) {
        fprintf(stderr, "cannot open %ls: 0x%08lX\n", path.c_str(), hr);
        return 1;
    }
    kelpa::unique_variant readData, movedData;
    std::vector<double> readTimes, moveTimes;
    for (int i = 0; i < calls; ++i) {
        // Who goes first alternates too: the first call after the other
        // server's may pay for waking its server up again.
        for (int step = 0; step < 2; ++step) {
            const int turn = (i + step) % 2;
            IDispatchEx* object = turn == 0 ? binary.Get() : minimalEx.Get();
            VARIANT data;
            V_VT(&data) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&data) = turn == 0 ? readData.get() : movedData.get();
            kelpa::unique_variant ok;
            const auto start = std::chrono::steady_clock::now();
            hr = ScriptCall(object, turn == 0 ? L"BRead" : L"Move", DISPATCH_METHOD, {data, Long(piece), Long(type)},
                            ok.put());
            const double ms =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            if (FAILED(hr) || V_VT(ok.get()) != VT_BOOL || V_BOOL(ok.get()) != VARIANT_TRUE) {
                fprintf(stderr, "%s %d failed: 0x%08lX\n", turn == 0 ? "BRead" : "Move", i + 1, hr);
                return 1;
            }
            (turn == 0 ? readTimes : moveTimes).push_back(ms);
        }
    }
    printf("TRANSFER %.3f %.3f\n", Median(readTimes), Median(moveTimes));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        fprintf(stderr, "usage: server_probe coldstart|idle|growth|transfer ... (see the source)\n");
        return 2;
    }
    const std::string mode = argv[1];
    const std::wstring progId = Wide(argv[2]), member = Wide(argv[3]), exeName = Wide(argv[4]);
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int status = 0;
    if (mode == "coldstart") {
        const int runs = argc > 5 ? atoi(argv[5]) : 5;
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            if (!WaitForExit(exeName, 20000)) {
                fprintf(stderr, "the server did not end\n");
                status = 1;
                break;
            }
            const auto start = std::chrono::steady_clock::now();
            ComPtr<IDispatch> object;
            const HRESULT hr = CreateAndCall(progId, member, object);
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            if (FAILED(hr)) {
                fprintf(stderr, "call failed: 0x%08lX\n", hr);
                status = 1;
                break;
            }
            times.push_back(ms);
        }
        if (!times.empty()) {
            std::sort(times.begin(), times.end());
            printf("%.2f\n", times[times.size() / 2]);
        }
    } else if (mode == "idle") {
        ComPtr<IDispatch> object;
        const HRESULT hr = CreateAndCall(progId, member, object);
        Sleep(500);
        const long kib = PrivateKiB(exeName);
        if (FAILED(hr) || kib < 0) {
            fprintf(stderr, "cannot measure: 0x%08lX\n", hr);
            status = 1;
        } else {
            printf("%ld\n", kib);
        }
    } else if (mode == "growth" && argc > 6) {
        std::vector<size_t> counts;
        for (int i = 6; i < argc; ++i) counts.push_back(static_cast<size_t>(std::max(1, atoi(argv[i]))));
        status = Growth(progId, member, exeName, std::max(1, atoi(argv[5])), counts);
    } else if (mode == "transfer" && argc > 5) {
        status = Transfer(Wide(argv[2]), atoi(argv[3]), std::max(1, atoi(argv[4])), atoi(argv[5]));
    } else {
        fprintf(stderr, "unknown mode %s\n", mode.c_str());
        status = 2;
    }
    CoUninitialize();
    return status;
}
