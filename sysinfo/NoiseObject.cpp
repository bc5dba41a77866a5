// COM shim of Noise: converts arguments, nothing else.
#include "sysinfo/NoiseObject.h"

#include "runtime/Conversions.h"

namespace kelpa {

HRESULT NoiseObject::Ring(long freq, long dura) noexcept {
    return Call([&] { m_noise.Ring(freq, dura); });
}
HRESULT NoiseObject::MsgBeep(long mtype) noexcept {
    return Call([&] { m_noise.MsgBeep(mtype); });
}
HRESULT NoiseObject::Play(BSTR sound, long hmod, long flags) noexcept {
    return Call([&] { m_noise.Play(FromBstr(sound), hmod, flags); });
}
HRESULT NoiseObject::PlayFile(BSTR sound, long flags) noexcept {
    return Call([&] { m_noise.PlayFile(FromBstr(sound), flags); });
}
HRESULT NoiseObject::PlayEvent(BSTR sound, long flags) noexcept {
    return Call([&] { m_noise.PlayEvent(FromBstr(sound), flags); });
}

}  // namespace kelpa
