// "Kelpa.EventLog": the COM face of EventLog.
#pragma once

#include "kelpa_h.h"
#include "runtime/DispatchObject.h"
#include "utilities/EventLog.h"

namespace kelpa {

class EventLogObject : public DispatchObject<EventLogObject, _EventLog, ::EventLog> {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.EventLog";

    HRESULT STDMETHODCALLTYPE get_mode(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_mode(short mode) noexcept override;
    HRESULT STDMETHODCALLTYPE get_File(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_File(BSTR file) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ErrorLevel(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ErrorLevel(short level) noexcept override;
    HRESULT STDMETHODCALLTYPE Report(BSTR estring, long etype) noexcept override;

private:
    kelpa::EventLog m_log;
};

}  // namespace kelpa
