// "Kelpa.Me": the COM face of Me.
#pragma once

#include "core/Me.h"
#include "kelpa_h.h"
#include "runtime/DispatchObject.h"

namespace kelpa {

class MeObject : public DispatchObject<MeObject, _Me, ::Me> {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.Me";

    HRESULT STDMETHODCALLTYPE get_About(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_hInstance(LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Path(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ProcessID(LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ThreadID(LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Version(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ParentProcessID(LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_CallerTID(LONG* result) noexcept override;
};

}  // namespace kelpa
