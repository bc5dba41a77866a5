// "Kelpa.Clock": a one-shot timer that raises Buzz on the __Clock event
// interface when it expires.
#pragma once

#include "kelpa_h.h"
#include "runtime/ConnectionPoint.h"
#include "runtime/DispatchObject.h"
#include "windows/ClockTimer.h"

namespace kelpa {

class ClockObject : public DispatchObject<ClockObject, _Clock, ::Clock> {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.Clock";
    static constexpr DISPID kBuzz = 1;

    HRESULT STDMETHODCALLTYPE SetTimer(long milliseconds, VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE RemoveTimer() noexcept override;

    HRESULT QueryExtra(REFIID iid, void** result) noexcept { return m_events.Query(iid, result); }
    static const IID* SourceInterface() noexcept { return &DIID___Clock; }

private:
    EventSource m_events{static_cast<_Clock*>(this), DIID___Clock};
    // Declared last, so it stops before the event source goes away.
    ClockTimer m_timer{[this] { m_events.Fire(kBuzz); }};
};

}  // namespace kelpa
