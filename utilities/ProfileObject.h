// "Kelpa.Profile": the COM face of Profile.
#pragma once

#include "kelpa_h.h"
#include "runtime/DispatchObject.h"
#include "utilities/Profile.h"

namespace kelpa {

class ProfileObject : public DispatchObject<ProfileObject, _Profile, ::Profile> {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.Profile";

    HRESULT STDMETHODCALLTYPE get_ErrorLevel(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ErrorLevel(short level) noexcept override;
    HRESULT STDMETHODCALLTYPE get_File(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_File(BSTR path) noexcept override;
    HRESULT STDMETHODCALLTYPE GetValue(BSTR section, BSTR key, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE GetSection(BSTR section, VARIANT_BOOL cvt, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE GetSectionNames(VARIANT_BOOL cvt, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE SetValue(BSTR section, BSTR key, BSTR entry, VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE SetSection(BSTR section, BSTR entries, VARIANT_BOOL cvt,
                                         VARIANT_BOOL* result) noexcept override;

private:
    Profile m_profile;
};

}  // namespace kelpa
