// The console server's logic in-process: what a line read gives, the break
// signal shared between threads, and a console that cannot be created
// because the process has one already (as this test program does).
#include <windows.h>
#include <atomic>
#include <thread>
#include <vector>

#include "catch.hpp"

#include "console/ConsoleWindow.h"
#include "console/consolefn.h"

using namespace kelpa;

namespace {
std::wstring Line(const std::wstring& typed, int n) { return LineResult(typed.data(), typed.size(), n); }
}  // namespace

TEST_CASE("a line read gives the typed line without its CR LF, cut to n", "[console]") {
    CHECK(Line(L"abcdefgh\r\n", 5) == L"abcde");
    CHECK(Line(L"abcd\r\n", 5) == L"abcd");
    CHECK(Line(L"\r\n", 5) == L"");
    CHECK(Line(L"abcd\r\n", 0) == L"");
    CHECK(Line(L"abcd\r\n", -3) == L"");
    // The rest of a line that did not fit the read: its CR LF was left over.
    CHECK(Line(L"\n", 80) == L"");
    // A full read without CR LF (the line goes on in the input buffer).
    const std::wstring full(1026, L'x');
    CHECK(Line(full, 1024) == std::wstring(1024, L'x'));
    CHECK(Line(std::wstring(1023, L'y') + L"\r\n", 1024) == std::wstring(1023, L'y'));
}

TEST_CASE("the break signal loses no break counted on other threads", "[console]") {
    TakeBreakSignal();
    constexpr int kThreads = 4, kBreaks = 20000;
    std::atomic<long> taken{0};
    std::atomic<bool> done{false};
    std::thread reader([&] {
        while (!done) taken += TakeBreakSignal();
    });
    std::vector<std::thread> handlers;
    for (int t = 0; t < kThreads; ++t)
        handlers.emplace_back([] {
            for (int i = 0; i < kBreaks; ++i) BreakHandler(CTRL_C_EVENT);
        });
    for (std::thread& handler : handlers) handler.join();
    done = true;
    reader.join();
    taken += TakeBreakSignal();
    CHECK(taken == kThreads * kBreaks);
    CHECK(BreakHandler(CTRL_BREAK_EVENT) == TRUE);
    CHECK(TakeBreakSignal() == 1);
    CHECK(TakeBreakSignal() == 0);
}

TEST_CASE("without a console of its own the object gives the empty results", "[console]") {
    AllocConsole();  // make sure the process has one, whatever started it
    ConsoleWindow console;
    console.Create(L"not mine");
    CHECK_FALSE(console.Created());
    CHECK(console.ConsoleInputMode() == -1);
    CHECK(console.ReadLine(80) == L"");
    CHECK(console.ReadChar() == 0);
    CHECK(console.ReadChars(3, true, true) == L"");
    console.SetTextColor(-1);
    CHECK(console.TextColor() == 0xFF);
}
