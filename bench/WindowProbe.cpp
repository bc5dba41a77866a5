// Measures the script windows through the registered server:
//   window_probe lines N S   Window2 (scrolling) WriteLine rate over the first
//                            and the last S of N lines: "START END" lines/s,
//                            then the seconds all N took
//   window_probe repaint S   the longest time a ProgressWindow takes to repaint
//                            (update region emptied) and to answer a message,
//                            while another thread calls Progress in a tight
//                            loop for S seconds and then while nothing calls
//                            for S seconds: "BUSYPAINT BUSYMSG IDLEPAINT IDLEMSG" ms
#include <windows.h>
#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "tests/programs/ComClient.h"

using namespace comclient;

namespace {

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    return id;
}

// One call with a cached identifier, as a compiled client makes it.
HRESULT CallWith(IDispatch* object, DISPID id, WORD flags, VARIANT argument) {
    DISPID put = DISPID_PROPERTYPUT;
    DISPPARAMS params = {&argument, flags == DISPATCH_PROPERTYPUT ? &put : nullptr, 1,
                         flags == DISPATCH_PROPERTYPUT ? 1u : 0u};
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, nullptr, nullptr, nullptr);
}

double Rate(long count, ULONGLONG milliseconds) { return count * 1000.0 / (milliseconds ? milliseconds : 1); }

int Lines(long total, long sample) {
    Object window = Object::Create(L"Kelpa.Window2");
    if (!window) return 1;
    window.SetProperty(L"Scroll", Bool(true));
    window.Call(L"Create");
    const DISPID writeLine = IdOf(window.Get(), L"WriteLine");
    kelpa::unique_bstr line(SysAllocString(L"a line of text as a script would write it while working, 0123456789"));
    VARIANT argument;
    V_VT(&argument) = VT_BSTR;
    V_BSTR(&argument) = line.get();
    const ULONGLONG first = GetTickCount64();
    ULONGLONG start = 0, end = 0, began = first;
    ULONGLONG stretch = first;
    for (long i = 0; i < total; ++i) {
        if (i == sample) start = GetTickCount64() - began;
        if (i && i % sample == 0) {
            // Every stretch's rate, for a look at how the rate runs between the two figures.
            const double rate = Rate(sample, GetTickCount64() - stretch);
            std::fprintf(stderr, "lines %ld-%ld: %.0f/s\n", i - sample + 1, i, rate);
            stretch = GetTickCount64();
        }
        if (i == total - sample) began = GetTickCount64();
        // A failing call would make the rate meaningless.
        const HRESULT hr = CallWith(window.Get(), writeLine, DISPATCH_METHOD, argument);
        if (FAILED(hr)) {
            std::fprintf(stderr, "WriteLine %ld failed: 0x%08lX\n", i + 1, static_cast<unsigned long>(hr));
            return 1;
        }
    }
    end = GetTickCount64() - began;
    std::printf("%.0f %.0f %.1f\n", Rate(sample, start), Rate(sample, end), (GetTickCount64() - first) / 1000.0);
    return 0;
}

struct Latency {
    DWORD paint = 0;
    DWORD message = 0;
};

// Invalidates the window every 100 ms and waits for its update region to
// empty (the server's thread painted it) and for a message round trip.
Latency Watch(HWND window, DWORD seconds) {
    Latency worst;
    const ULONGLONG end = GetTickCount64() + seconds * 1000ull;
    while (GetTickCount64() < end) {
        ULONGLONG asked = GetTickCount64();
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        while (GetUpdateRect(window, nullptr, FALSE) && GetTickCount64() - asked < 5000) Sleep(1);
        worst.paint = std::max<DWORD>(worst.paint, static_cast<DWORD>(GetTickCount64() - asked));
        asked = GetTickCount64();
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
        worst.message = std::max<DWORD>(worst.message, static_cast<DWORD>(GetTickCount64() - asked));
        Sleep(100);
    }
    return worst;
}

int Repaint(DWORD seconds) {
    std::atomic<HWND> window{nullptr};
    std::atomic<bool> busy{true}, done{false};
    std::thread caller([&] {
        Apartment apartment;
        Object progress = Object::Create(L"Kelpa.ProgressWindow");
        if (!progress) {
            done = true;
            return;
        }
        progress.Call(L"Create");
        const DISPID position = IdOf(progress.Get(), L"Progress");
        window = FindWindowW(L"KelpaProgressWindow", L"KELPA ProgressWindow");
        for (long i = 0; busy; ++i) CallWith(progress.Get(), position, DISPATCH_PROPERTYPUT, Long(i % 101));
        while (!done) Sleep(20);
    });
    while (!window && !done) Sleep(20);
    if (!window) {
        caller.join();
        return 1;
    }
    const Latency loaded = Watch(window, seconds);
    busy = false;
    const Latency idle = Watch(window, seconds);
    done = true;
    caller.join();
    std::printf("%lu %lu %lu %lu\n", loaded.paint, loaded.message, idle.paint, idle.message);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    Apartment apartment;
    const std::string mode = argv[1];
    if (mode == "lines") {
        // The two samples may not overlap.
        const long total = std::max(2L, atol(argv[2]));
        const long sample = std::clamp(argc > 3 ? atol(argv[3]) : total / 10, 1L, total / 2);
        return Lines(total, sample);
    }
    if (mode == "repaint") return Repaint(static_cast<DWORD>(atol(argv[2])));
    return 2;
}
