// The application-logging service behind EventLog: start logging to a target
// in a mode, then log one text with an optional event type.
//
// Mode 2 appends one UTF-8 record per event to a file:
//   2024-05-01T12:34:56.789+02:00 TAB Warning TAB 1234 TAB 5678 TAB text CR LF
// (local time with its offset from UTC, the event type, the process and
// thread ids, the text with CR, LF and other control characters but TAB
// written as \r, \n and \xHH so that a record is always one line). The file
// is opened for appending on every call and each record goes out in one
// write, so records of concurrent writers never interleave and nothing
// written earlier is ever truncated. A target that is not a full path (the
// default "kelpa.log" for one) lies in the user's temporary folder.
//
// Modes 0 and 3 report to the system's application event log, source "Kelpa".
#pragma once

#include <windows.h>
#include <string>

namespace kelpa {

constexpr long kLogAutomatic = 0;
constexpr long kLogToFile = 2;
constexpr long kLogToEventLog = 3;

constexpr int kLogDefaultType = 0;  // the service's default: information
constexpr int kLogError = 1;
constexpr int kLogWarning = 2;
constexpr int kLogInformation = 4;

class LogService {
public:
    // source: who reports a failure of the service ("Kelpa.EventLog").
    LogService(std::wstring target, long mode, const wchar_t* source);

    // Failures (the file cannot be opened or written, the event log refuses)
    // are thrown as ScriptErrors carrying the system's error code.
    void LogEvent(const std::wstring& text, int type = kLogDefaultType) const;

    // Where a target lands: full paths (X:\..., \\server\...) as given,
    // anything else under the user's temporary folder.
    static std::wstring ResolvePath(const std::wstring& target);
    // One record, UTF-8, ending in CR LF. offsetMinutes: local time - UTC.
    static std::string FormatRecord(const SYSTEMTIME& local, long offsetMinutes, int type, DWORD processId,
                                    DWORD threadId, const std::wstring& text);

private:
    void AppendToFile(const std::string& record) const;
    void ReportToEventLog(const std::wstring& text, int type) const;

    std::wstring m_target;
    long m_mode;
    const wchar_t* m_source;
};

}  // namespace kelpa
