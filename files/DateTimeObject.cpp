// COM shim of DateTime: converts arguments, nothing else.
#include "files/DateTimeObject.h"

#include "runtime/Conversions.h"

namespace kelpa {

HRESULT DateTimeObject::ConvertTime(DATE dt, VARIANT_BOOL IsUTC, DATE* result) noexcept {
    return Call([&] { *result = DateTime::ConvertTime(dt, FromVariantBool(IsUTC)); });
}

HRESULT DateTimeObject::TimeInfoRefresh() noexcept {
    return Call([&] { m_time.Refresh(); });
}

HRESULT DateTimeObject::get_TimeZoneType(LONG* result) noexcept {
    return Call([&] { *result = m_time.ZoneType(); });
}

HRESULT DateTimeObject::get_TimeZoneName(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_time.ZoneName()); });
}

HRESULT DateTimeObject::get_TimeBias(LONG* result) noexcept {
    return Call([&] { *result = m_time.Bias(); });
}

HRESULT DateTimeObject::get_TimeBiasDST(LONG* result) noexcept {
    return Call([&] { *result = m_time.BiasDst(); });
}

HRESULT DateTimeObject::get_SysDate(DATE* result) noexcept {
    return Call([&] { *result = DateTime::SysDate(); });
}

HRESULT DateTimeObject::get_SysTime(DATE* result) noexcept {
    return Call([&] { *result = DateTime::SysTime(); });
}

HRESULT DateTimeObject::get_SysNow(DATE* result) noexcept {
    return Call([&] { *result = DateTime::SysNow(); });
}

}  // namespace kelpa
