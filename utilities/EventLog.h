// One line of text per Report, to a log file or the system's event log,
// through the application-logging service (utilities/LogService.h).
#pragma once

#include <string>

#include "core/ErrorLevel.h"

namespace kelpa {

class EventLog {
public:
    static constexpr const wchar_t* kDefaultFile = L"kelpa.log";

    EventLog() noexcept : m_errors(L"Kelpa.EventLog", 1, 1) {}

    ErrorLevel& Errors() noexcept { return m_errors; }
    const std::wstring& File() const noexcept { return m_file; }
    void SetFile(const std::wstring& file) { m_file = file; }
    // The service's mode number: 0 automatic, 2 file, 3 event log.
    short Mode() const noexcept { return m_mode; }
    // 0 automatic, 1 event log (stored as 3), 2 file; anything else fails.
    void SetMode(long mode);
    void Report(const std::wstring& text, long type);

    // The message-box icon numbers 16, 48, 64 as error, warning, information;
    // anything else passes no type (kLogDefaultType).
    static int EventTypeFor(long iconType) noexcept;

private:
    ErrorLevel m_errors;
    std::wstring m_file;
    short m_mode = 0;
};

}  // namespace kelpa
