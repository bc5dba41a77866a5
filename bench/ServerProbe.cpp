// A C++ client that times what a script would pay, for the server benchmarks:
//   server_probe coldstart PROGID MEMBER EXENAME RUNS  -> median ms of CreateObject + first call,
//                                                        each run against a freshly started server
//   server_probe idle PROGID MEMBER EXENAME           -> the server's private KiB with one object
#include <windows.h>
#include <objbase.h>
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

// CreateObject plus one late-bound call, as a script makes them.
HRESULT CreateAndCall(const std::wstring& progId, const std::wstring& member, ComPtr<IDispatch>& object) {
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(progId.c_str(), &clsid);
    if (FAILED(hr)) return hr;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, &object);
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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        fprintf(stderr, "usage: server_probe coldstart|idle PROGID MEMBER EXENAME [RUNS]\n");
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
        kelpa::unique_handle server(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, FindProcess(exeName)));
        PROCESS_MEMORY_COUNTERS_EX memory = {};
        memory.cb = sizeof(memory);
        if (FAILED(hr) || !server ||
            !GetProcessMemoryInfo(server.get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof(memory))) {
            fprintf(stderr, "cannot measure: 0x%08lX\n", hr);
            status = 1;
        } else {
            // Wine reports PrivateUsage as 0 and keeps PagefileUsage, the same charge.
            const SIZE_T bytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
            printf("%lu\n", static_cast<unsigned long>(bytes / 1024));
        }
    }
    CoUninitialize();
    return status;
}
