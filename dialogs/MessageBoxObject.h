// "Kelpa.MessageBox": the COM face of MessageBoxSettings.
#pragma once

#include "dialogs/MessageBoxSettings.h"
#include "kelpa_h.h"
#include "runtime/DispatchObject.h"

namespace kelpa {

class MessageBoxObject : public DispatchObject<MessageBoxObject, _MessageBox, ::MessageBox> {
public:
    static constexpr const wchar_t* kSource = MessageBoxSettings::kSource;

    HRESULT STDMETHODCALLTYPE Show(BSTR msg, long style, BSTR title, short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Buttons(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Buttons(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_DefButton(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_DefButton(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Icon(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Icon(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_IconResFile(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_IconResFile(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_IconResID(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_IconResID(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Language(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Language(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Options(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Options(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Precedence(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Precedence(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Text(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Text(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Title(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Title(BSTR value) noexcept override;

private:
    MessageBoxSettings m_settings;
};

}  // namespace kelpa
