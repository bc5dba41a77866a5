// EventLog and its logging service, Clipboard, in-process: record layout,
// placing of bare names, appends from concurrent writers, the failure texts,
// and clipboard text through both formats.
#include <windows.h>
#include <fstream>
#include <sstream>
#include <vector>

#include "catch.hpp"
#include "runtime/ScriptError.h"
#include "runtime/UniqueHandle.h"
#include "tests/unit/TestFolder.h"
#include "utilities/Clipboard.h"
#include "utilities/EventLog.h"
#include "utilities/LogService.h"

using namespace kelpa;
using Log = kelpa::EventLog;  // ::EventLog is the coclass
using ClipboardText = kelpa::Clipboard;

namespace {

std::string ReadAll(const std::wstring& path) {
    std::string bytes;
    unique_hfile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    if (!file) return bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size()) lines.push_back(text.substr(start));  // an unfinished record
    return lines;
}

std::wstring TempFolder() {
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(ARRAYSIZE(folder), folder);
    return std::wstring(folder, length);
}

}  // namespace

TEST_CASE("a log record is one UTF-8 line with time, type, ids and text", "[eventlog]") {
    SYSTEMTIME time = {};
    time.wYear = 2024; time.wMonth = 3; time.wDay = 9;
    time.wHour = 7; time.wMinute = 5; time.wSecond = 4; time.wMilliseconds = 32;
    CHECK(LogService::FormatRecord(time, 120, kLogWarning, 12, 34, L"disk full") ==
          "2024-03-09T07:05:04.032+02:00\tWarning\t12\t34\tdisk full\r\n");
    CHECK(LogService::FormatRecord(time, -330, kLogError, 1, 2, L"x") ==
          "2024-03-09T07:05:04.032-05:30\tError\t1\t2\tx\r\n");
    CHECK(LogService::FormatRecord(time, 0, kLogDefaultType, 1, 2, L"") ==
          "2024-03-09T07:05:04.032+00:00\tInformation\t1\t2\t\r\n");
    // Line breaks and control characters cannot break a record; UTF-8 out.
    CHECK(LogService::FormatRecord(time, 0, kLogInformation, 1, 2, L"a\r\nb\tc\x01" + std::wstring(1, L'\0') + L"e\x20AC") ==
          "2024-03-09T07:05:04.032+00:00\tInformation\t1\t2\ta\\r\\nb\tc\\x01\\x00e\xE2\x82\xAC\r\n");
}

TEST_CASE("bare and relative log names land in the user's temporary folder", "[eventlog]") {
    const std::wstring temp = TempFolder();
    CHECK(LogService::ResolvePath(L"kelpa.log") == temp + L"kelpa.log");
    CHECK(LogService::ResolvePath(L"logs\\a.log") == temp + L"logs\\a.log");
    CHECK(LogService::ResolvePath(L"\\a.log") == temp + L"a.log");
    CHECK(LogService::ResolvePath(L"C:\\data\\a.log") == L"C:\\data\\a.log");
    CHECK(LogService::ResolvePath(L"\\\\server\\share\\a.log") == L"\\\\server\\share\\a.log");
}

TEST_CASE("EventLog modes, severities and failures", "[eventlog]") {
    Log log;
    CHECK(log.Mode() == 0);
    log.SetMode(1);
    CHECK(log.Mode() == 3);
    log.SetMode(2);
    CHECK(log.Mode() == 2);
    try {
        log.SetMode(5);
        FAIL("no error raised");
    } catch (const ScriptError& e) {
        CHECK(e.Number() == static_cast<HRESULT>(0x80040336));
        CHECK(e.Source() == L"Kelpa.EventLog");
        CHECK(e.Description() == L"Invalid log mode.");
    }
    CHECK(log.Mode() == 2);
    log.SetMode(0);
    CHECK(log.Mode() == 0);

    CHECK(Log::EventTypeFor(16) == kLogError);
    CHECK(Log::EventTypeFor(48) == kLogWarning);
    CHECK(Log::EventTypeFor(64) == kLogInformation);
    CHECK(Log::EventTypeFor(32) == kLogDefaultType);
    CHECK(Log::EventTypeFor(0) == kLogDefaultType);

    TestFolder folder;
    const std::wstring path = folder.Path() + L"\\app.log";
    log.SetFile(path);
    log.SetMode(2);
    try {
        log.Report(L"", 0);
        FAIL("no error raised");
    } catch (const ScriptError& e) {
        CHECK(e.Number() == static_cast<HRESULT>(0x80040335));
        CHECK(e.Description() == L"Missing event log string.");
    }
    CHECK(ReadAll(path).empty());  // raised: nothing written
    log.Errors().Set(0);
    log.SetMode(9);  // silent, mode kept
    CHECK(log.Mode() == 2);
    log.Report(L"", 0);
    log.Report(L"second", 48);
    const std::vector<std::string> lines = Lines(ReadAll(path));
    REQUIRE(lines.size() == 2);
    CHECK(lines[0].substr(lines[0].size() - 1) == "\t");  // the empty record
    CHECK(lines[1].find("\tWarning\t") != std::string::npos);
    CHECK(lines[1].find("\t" + std::to_string(GetCurrentProcessId()) + "\t") != std::string::npos);
    CHECK(lines[1].substr(lines[1].size() - 7) == "\tsecond");

    // A folder that does not exist is the service's failure, raised whatever ErrorLevel says.
    log.SetFile(folder.Path() + L"\\missing\\x.log");
    try {
        log.Report(L"x", 0);
        FAIL("no error raised");
    } catch (const ScriptError& e) {
        CHECK(e.Number() == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
        CHECK(e.Description() == L"Cannot open the log file: " + folder.Path() + L"\\missing\\x.log");
    }
}

TEST_CASE("the event log takes reports in modes 0 and 3", "[eventlog]") {
    // Wine's event log is a stub that accepts everything; on Windows the
    // records land in the Application log under the source "Kelpa".
    Log log;
    CHECK_NOTHROW(log.Report(L"kelpa unit test: automatic mode", 64));
    log.SetMode(1);
    CHECK_NOTHROW(log.Report(L"kelpa unit test: event log mode", 16));
}

namespace {

struct Writer {
    std::wstring path;
    int records;
    int id;
};

DWORD WINAPI WriteRecords(void* parameter) {
    const Writer& writer = *static_cast<Writer*>(parameter);
    LogService service(writer.path, kLogToFile, L"test");
    for (int i = 0; i < writer.records; ++i)
        service.LogEvent(L"writer " + std::to_wstring(writer.id) + L" record " + std::to_wstring(i) +
                         L" " + std::wstring(200, L'x'));
    return 0;
}

}  // namespace

TEST_CASE("concurrent writers append whole records and keep what was there", "[eventlog]") {
    TestFolder folder;
    const std::wstring path = folder.MakeFile(L"shared.log", "earlier content\r\n");
    constexpr int kWriters = 4, kRecords = 150;
    std::vector<Writer> writers;
    for (int i = 0; i < kWriters; ++i) writers.push_back({path, kRecords, i});
    std::vector<unique_handle> threads;
    for (Writer& writer : writers) threads.emplace_back(CreateThread(nullptr, 0, WriteRecords, &writer, 0, nullptr));
    for (unique_handle& thread : threads) WaitForSingleObject(thread.get(), INFINITE);

    const std::vector<std::string> lines = Lines(ReadAll(path));
    REQUIRE(lines.size() == 1 + kWriters * kRecords);
    CHECK(lines[0] == "earlier content");
    std::vector<int> next(kWriters, 0);
    for (size_t i = 1; i < lines.size(); ++i) {
        const size_t at = lines[i].find("writer ");
        REQUIRE(at != std::string::npos);
        std::istringstream fields(lines[i].substr(at + 7));
        int id = -1, record = -1;
        std::string word, tail;
        fields >> id >> word >> record >> tail;
        REQUIRE(id >= 0);
        REQUIRE(id < kWriters);
        CHECK(record == next[static_cast<size_t>(id)]++);  // each writer's records in order, none torn
        CHECK(tail == std::string(200, 'x'));
    }
}

TEST_CASE("clipboard text through the ANSI and the Unicode formats", "[clipboard]") {
    ClipboardText clipboard;
    clipboard.SetText(L"plain text");
    CHECK(clipboard.Text() == L"plain text");
    clipboard.SetUseUnicode(true);
    CHECK(clipboard.Text() == L"plain text");  // the system converts between the formats

    const std::wstring wide = L"Gr\x00FC\x00DF \x03A9 \x4E2D";
    clipboard.SetText(wide);
    CHECK(clipboard.Text() == wide);
    clipboard.SetUseUnicode(false);
    const std::wstring ansi = clipboard.Text();
    CHECK(ansi.substr(0, 5) == L"Gr\x00FC\x00DF ");  // in code page 1252
    CHECK(ansi != wide);                               // Omega and the CJK sign are not

    clipboard.SetUseUnicode(true);
    clipboard.SetText(L"");
    CHECK(clipboard.Text().empty());
    CHECK(IsClipboardFormatAvailable(CF_UNICODETEXT));

    // Nothing on the clipboard: both formats read the empty string.
    {
        REQUIRE(OpenClipboard(nullptr));
        EmptyClipboard();
        CloseClipboard();
    }
    CHECK(clipboard.Text().empty());
    clipboard.SetUseUnicode(false);
    CHECK(clipboard.Text().empty());
}

namespace {

struct ClipboardHolder {
    HANDLE opened, release;
};

DWORD WINAPI HoldClipboard(void* parameter) {
    auto& holder = *static_cast<ClipboardHolder*>(parameter);
    // Held through a window, as another program would hold it (Wine lets two
    // openings without a window share the clipboard).
    unique_hwnd window(CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
    const BOOL ok = OpenClipboard(window.get());
    SetEvent(holder.opened);
    WaitForSingleObject(holder.release, 5000);
    if (ok) CloseClipboard();
    return 0;
}

}  // namespace

TEST_CASE("a clipboard held by someone else reads empty and refuses writing", "[clipboard]") {
    ClipboardText clipboard;
    clipboard.SetText(L"before");
    // Another thread holds the clipboard open while this one asks.
    unique_handle opened(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    unique_handle release(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ClipboardHolder holder{opened.get(), release.get()};
    unique_handle thread(CreateThread(nullptr, 0, HoldClipboard, &holder, 0, nullptr));
    REQUIRE(WaitForSingleObject(opened.get(), 5000) == WAIT_OBJECT_0);
    clipboard.SetUseUnicode(true);
    CHECK(clipboard.Text().empty());
    try {
        clipboard.SetText(L"after");
        FAIL("no error raised");
    } catch (const ScriptError& e) {
        CHECK(e.Number() == static_cast<HRESULT>(0x800A0209));
        CHECK(e.Description() == L"Can't open Clipboard");
    }
    SetEvent(release.get());
    WaitForSingleObject(thread.get(), 5000);
    CHECK(clipboard.Text() == L"before");
}
