// Application-logging service: log file records and event-log reports.
#include "utilities/LogService.h"

#include <cstdio>
#include <utility>

#include "runtime/ScriptError.h"
#include "runtime/UniqueHandle.h"

namespace kelpa {
namespace {

const wchar_t* TypeWord(int type) {
    switch (type) {
    case kLogError: return L"Error";
    case kLogWarning: return L"Warning";
    default: return L"Information";
    }
}

WORD EventLogType(int type) {
    switch (type) {
    case kLogError: return EVENTLOG_ERROR_TYPE;
    case kLogWarning: return EVENTLOG_WARNING_TYPE;
    default: return EVENTLOG_INFORMATION_TYPE;
    }
}

std::wstring OneLine(const std::wstring& text) {
    std::wstring line;
    line.reserve(text.size());
    for (wchar_t c : text) {
        if (c == L'\r') {
            line += L"\\r";
        } else if (c == L'\n') {
            line += L"\\n";
        } else if (c < 0x20 && c != L'\t') {
            wchar_t escape[8];
            swprintf(escape, 8, L"\\x%02X", static_cast<unsigned>(c));
            line += escape;
        } else {
            line += c;
        }
    }
    return line;
}

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &bytes[0], size, nullptr, nullptr);
    return bytes;
}

[[noreturn]] void ThrowSystemError(DWORD error, const wchar_t* source, const std::wstring& description) {
    throw ScriptError(HRESULT_FROM_WIN32(error ? error : ERROR_GEN_FAILURE), source, description);
}

bool IsFullPath(const std::wstring& path) {
    if (path.size() >= 2 && (path[0] == L'\\' || path[0] == L'/') && (path[1] == L'\\' || path[1] == L'/'))
        return true;  // UNC or \\?\ path
    return path.size() >= 3 && iswalpha(path[0]) && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
}

// Serialises the appends of every writer of one file, in any process or on
// any machine that shares it: Wine's FILE_APPEND_DATA finds the end of the
// file and writes there in two steps, so two unsynchronised writers can land
// on the same offset and one record overwrites the other. The locked byte
// lies far beyond any real end of file, so readers are never blocked.
class AppendLock {
public:
    explicit AppendLock(HANDLE file) noexcept : m_file(file) {
        m_overlapped.Offset = 0xFFFFFFF0;
        m_overlapped.OffsetHigh = 0x7FFFFFFF;
        m_locked = LockFileEx(m_file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &m_overlapped) != FALSE;
    }
    ~AppendLock() {
        if (m_locked) UnlockFileEx(m_file, 0, 1, 0, &m_overlapped);
    }
    AppendLock(const AppendLock&) = delete;
    AppendLock& operator=(const AppendLock&) = delete;

private:
    HANDLE m_file;
    OVERLAPPED m_overlapped = {};
    bool m_locked = false;
};

}  // namespace

LogService::LogService(std::wstring target, long mode, const wchar_t* source)
    : m_target(std::move(target)), m_mode(mode), m_source(source) {}

std::wstring LogService::ResolvePath(const std::wstring& target) {
    if (IsFullPath(target)) return target;
    // Never relative to the server's own current folder: a server that COM
    // starts runs in the system folder, where a user cannot (and should not) write.
    wchar_t folder[MAX_PATH + 1];
    const DWORD length = GetTempPathW(ARRAYSIZE(folder), folder);
    std::wstring path = length > 0 && length < ARRAYSIZE(folder) ? std::wstring(folder, length) : std::wstring();
    if (!path.empty() && path.back() != L'\\') path += L'\\';
    size_t start = 0;
    while (start < target.size() && (target[start] == L'\\' || target[start] == L'/')) ++start;
    return path + target.substr(start);
}

std::string LogService::FormatRecord(const SYSTEMTIME& local, long offsetMinutes, int type, DWORD processId,
                                     DWORD threadId, const std::wstring& text) {
    const long offset = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    wchar_t head[96];
    swprintf(head, ARRAYSIZE(head), L"%04u-%02u-%02uT%02u:%02u:%02u.%03u%lc%02ld:%02ld\t%ls\t%lu\t%lu\t",
             local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond,
             local.wMilliseconds, offsetMinutes < 0 ? L'-' : L'+', offset / 60, offset % 60, TypeWord(type),
             static_cast<unsigned long>(processId), static_cast<unsigned long>(threadId));
    return Utf8(head + OneLine(text) + L"\r\n");
}

void LogService::LogEvent(const std::wstring& text, int type) const {
    if (m_mode != kLogToFile) {
        ReportToEventLog(text, type);
        return;
    }
    FILETIME utc, localTime;
    GetSystemTimeAsFileTime(&utc);
    FileTimeToLocalFileTime(&utc, &localTime);
    SYSTEMTIME local;
    FileTimeToSystemTime(&localTime, &local);
    const auto ticks = [](const FILETIME& t) {
        return static_cast<long long>((static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime);
    };
    const long offsetMinutes = static_cast<long>((ticks(localTime) - ticks(utc)) / 600000000LL);
    AppendToFile(FormatRecord(local, offsetMinutes, type, GetCurrentProcessId(), GetCurrentThreadId(), text));
}

void LogService::AppendToFile(const std::string& record) const {
    const std::wstring path = ResolvePath(m_target);
    unique_hfile file;
    // Another program may hold the file for a moment (an editor saving it).
    for (int attempt = 0; attempt < 50; ++attempt) {
        file.reset(CreateFileW(path.c_str(), GENERIC_READ | FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file || GetLastError() != ERROR_SHARING_VIOLATION) break;
        Sleep(20);
    }
    if (!file) ThrowSystemError(GetLastError(), m_source, L"Cannot open the log file: " + path);
    AppendLock lock(file.get());
    DWORD written = 0;
    if (!WriteFile(file.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr) ||
        written != record.size())
        ThrowSystemError(GetLastError(), m_source, L"Cannot write the log file: " + path);
}

void LogService::ReportToEventLog(const std::wstring& text, int type) const {
    unique_eventsource source(RegisterEventSourceW(nullptr, L"Kelpa"));
    if (!source) ThrowSystemError(GetLastError(), m_source, L"Cannot open the application event log.");
    const wchar_t* strings[] = {text.c_str()};
    if (!ReportEventW(source.get(), EventLogType(type), 0, 0, nullptr, 1, 0, strings, nullptr))
        ThrowSystemError(GetLastError(), m_source, L"Cannot write to the application event log.");
}

}  // namespace kelpa
