// COM shim of EventLog: converts arguments, nothing else.
#include "utilities/EventLogObject.h"

#include "runtime/Conversions.h"

namespace kelpa {

HRESULT EventLogObject::get_mode(short* result) noexcept {
    return Call([&] { *result = m_log.Mode(); });
}
HRESULT EventLogObject::put_mode(short mode) noexcept {
    return Call([&] { m_log.SetMode(mode); });
}
HRESULT EventLogObject::get_File(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_log.File()); });
}
HRESULT EventLogObject::put_File(BSTR file) noexcept {
    return Call([&] { m_log.SetFile(FromBstr(file)); });
}
HRESULT EventLogObject::get_ErrorLevel(short* result) noexcept {
    return Call([&] { *result = static_cast<short>(m_log.Errors().Get()); });
}
HRESULT EventLogObject::put_ErrorLevel(short level) noexcept {
    return Call([&] { m_log.Errors().Set(level); });
}
HRESULT EventLogObject::Report(BSTR estring, long etype) noexcept {
    return Call([&] { m_log.Report(FromBstr(estring), etype); });
}

}  // namespace kelpa
