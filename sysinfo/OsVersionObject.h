// "Kelpa.OsVersion": the COM face of OsVersion.
#pragma once

#include "kelpa_h.h"
#include "runtime/DispatchObject.h"
#include "sysinfo/OsVersion.h"

namespace kelpa {

class OsVersionObject : public DispatchObject<OsVersionObject, _OsVersion, ::OsVersion> {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.OsVersion";

    HRESULT STDMETHODCALLTYPE get_Bitness(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Product2(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Product(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Suite(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_SPMinor(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_SPMajor(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Build(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Minor(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Major(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Number(short* result) noexcept override;

private:
    kelpa::OsVersion m_version;
};

}  // namespace kelpa
