// "Kelpa.DTPick": the COM face of DTPickSelection.
#pragma once

#include "dialogs/DTPickSelection.h"
#include "kelpa_h.h"
#include "runtime/DispatchObject.h"

namespace kelpa {

class DTPickObject : public DispatchObject<DTPickObject, _DTPick, ::DTPick> {
public:
    static constexpr const wchar_t* kSource = DTPickSelection::kSource;

    HRESULT STDMETHODCALLTYPE Selection(VARIANT* vdt, VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ControlMode(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ControlMode(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Info(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Info(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Title(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Title(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Topmost(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Topmost(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ButtonText(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ButtonText(BSTR value) noexcept override;

private:
    DTPickSelection m_picker;
};

}  // namespace kelpa
