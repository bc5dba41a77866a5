// "Kelpa.System": the COM face of System.
#pragma once

#include "kelpa_h.h"
#include "runtime/DispatchObject.h"
#include "sysinfo/System.h"

namespace kelpa {

class SystemObject : public DispatchObject<SystemObject, _System, ::System> {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.System";

    HRESULT STDMETHODCALLTYPE get_CurrentCodePage(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ProcessorInfo(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ProcessorArchitecture(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_NetworkType(NetworkStatus* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_NetworkName(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ComputerName(ComputerNameFormat f, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_UserName(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE GetMetrics(long n, long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE VolumeGetSN(BSTR drv, long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE VolumeGetName(BSTR drv, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE VolumeGetFileSys(BSTR drv, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE VolumeGetGUID(BSTR drv, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE BiosMode(short fAlt, short* result) noexcept override;

private:
    kelpa::System m_system;
};

}  // namespace kelpa
