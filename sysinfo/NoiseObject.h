// "Kelpa.Noise": the COM face of Noise.
#pragma once

#include "kelpa_h.h"
#include "runtime/DispatchObject.h"
#include "sysinfo/Noise.h"

namespace kelpa {

class NoiseObject : public DispatchObject<NoiseObject, _Noise, ::Noise> {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.Noise";

    HRESULT STDMETHODCALLTYPE Ring(long freq, long dura) noexcept override;
    HRESULT STDMETHODCALLTYPE MsgBeep(long mtype) noexcept override;
    HRESULT STDMETHODCALLTYPE Play(BSTR sound, long hmod, long flags) noexcept override;
    HRESULT STDMETHODCALLTYPE PlayFile(BSTR sound, long flags) noexcept override;
    HRESULT STDMETHODCALLTYPE PlayEvent(BSTR sound, long flags) noexcept override;

private:
    kelpa::Noise m_noise;
};

}  // namespace kelpa
