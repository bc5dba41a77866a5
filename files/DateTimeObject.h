// "Kelpa.DateTime": the COM face of DateTime.
#pragma once

#include "files/DateTime.h"
#include "kelpa_h.h"
#include "runtime/DispatchObject.h"

namespace kelpa {

class DateTimeObject : public DispatchObject<DateTimeObject, _DateTime, ::DateTime> {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.DateTime";

    HRESULT STDMETHODCALLTYPE ConvertTime(DATE dt, VARIANT_BOOL IsUTC, DATE* result) noexcept override;
    HRESULT STDMETHODCALLTYPE TimeInfoRefresh() noexcept override;
    HRESULT STDMETHODCALLTYPE get_TimeZoneType(LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_TimeZoneName(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_TimeBias(LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_TimeBiasDST(LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_SysDate(DATE* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_SysTime(DATE* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_SysNow(DATE* result) noexcept override;

private:
    DateTime m_time;
};

}  // namespace kelpa
