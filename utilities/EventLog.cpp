// Log file object.
#include "utilities/EventLog.h"

#include "runtime/ScriptError.h"
#include "utilities/LogService.h"

namespace kelpa {

void EventLog::SetMode(long mode) {
    switch (mode) {
    case 0: m_mode = static_cast<short>(kLogAutomatic); break;
    case 1: m_mode = static_cast<short>(kLogToEventLog); break;
    case 2: m_mode = static_cast<short>(kLogToFile); break;
    default: m_errors.Report(ObjectError(822), L"Invalid log mode."); break;
    }
}

int EventLog::EventTypeFor(long iconType) noexcept {
    switch (iconType) {
    case 16: return kLogError;
    case 48: return kLogWarning;
    case 64: return kLogInformation;
    default: return kLogDefaultType;
    }
}

void EventLog::Report(const std::wstring& text, long type) {
    // Silenced, an empty text is still logged: the record shows that the
    // script reported something.
    if (text.empty()) m_errors.Report(ObjectError(821), L"Missing event log string.");
    LogService service(m_file.empty() ? kDefaultFile : m_file, m_mode, m_errors.Source());
    service.LogEvent(text, EventTypeFor(type));
}

}  // namespace kelpa
