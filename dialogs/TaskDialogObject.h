// "Kelpa.TaskDialog": the COM face of TaskDialogSettings.
#pragma once

#include "dialogs/TaskDialogSettings.h"
#include "kelpa_h.h"
#include "runtime/DispatchObject.h"

namespace kelpa {

class TaskDialogObject : public DispatchObject<TaskDialogObject, _TaskDialog, ::TaskDialog> {
public:
    static constexpr const wchar_t* kSource = TaskDialogSettings::kSource;

    HRESULT STDMETHODCALLTYPE Show(BSTR prompt, long buttons, BSTR title, short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE ShowEx(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ErrorCode(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_CustomButtons(VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_CustomButtons(VARIANT* value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_RadioButtons(VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_RadioButtons(VARIANT* value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Buttons(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Buttons(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Icon(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Icon(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_IconResFile(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_IconResFile(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_IconResID(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_IconResID(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_SubText(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_SubText(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Text(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Text(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Title(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Title(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_CustomButtonStyle(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_CustomButtonStyle(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_DefaultButton(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_DefaultButton(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ExpandText(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ExpandText(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ExpandLabelCo(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ExpandLabelCo(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ExpandLabelEx(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ExpandLabelEx(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_FooterIcon(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_FooterIcon(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_FooterIconResID(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_FooterIconResID(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_FooterText(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_FooterText(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Options(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Options(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_RadioButtonSelected(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_RadioButtonSelected(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_VerificationLabel(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_VerificationLabel(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_VerificationChecked(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_VerificationChecked(VARIANT_BOOL value) noexcept override;

private:
    TaskDialogSettings m_settings;
};

}  // namespace kelpa
