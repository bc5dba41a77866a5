// COM shim of ClockTimer.
#include "windows/ClockObject.h"

#include "runtime/Conversions.h"

namespace kelpa {

HRESULT ClockObject::SetTimer(long milliseconds, VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_timer.Start(milliseconds)); });
}

HRESULT ClockObject::RemoveTimer() noexcept {
    return Call([&] { m_timer.Stop(); });
}

}  // namespace kelpa
