// "Kelpa.MInputBox": the COM face of MInputBox.
#pragma once

#include "dialogs/MInputBox.h"
#include "kelpa_h.h"
#include "runtime/DispatchObject.h"

namespace kelpa {

class MInputBoxObject : public DispatchObject<MInputBoxObject, _MInputBox, ::MInputBox> {
    using Base = DispatchObject<MInputBoxObject, _MInputBox, ::MInputBox>;

public:
    static constexpr const wchar_t* kSource = kelpa::MInputBox::kSource;

    // A call that waits in its dialog holds a reference of its own, so the
    // object outlives a client that lets go meanwhile; when only those
    // references are left, the dialogs end as cancelled and the calls return.
    ULONG STDMETHODCALLTYPE Release() noexcept override;

    HRESULT STDMETHODCALLTYPE InputS(BSTR prompt, BSTR title, BSTR defaultText, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE InputM(VARIANT* vinp, VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_InputNumber(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_InputNumber(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_InputStart(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_InputStart(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_CheckNumStyle(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_CheckNumStyle(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ConvertArr(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ConvertArr(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_InputFlags(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_InputFlags(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_InputSelection(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_InputSelection(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_MinBalloonText(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_MinBalloonText(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_MinBalloonTitle(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_MinBalloonTitle(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_PasswordChar(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_PasswordChar(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ShowCueAtFocus(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ShowCueAtFocus(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ShowTipControl(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ShowTipControl(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_TextLimit(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_TextLimit(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_InpLabel(VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_InpLabel(VARIANT* value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_InpText(VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_InpText(VARIANT* value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_InpMaxLen(VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_InpMaxLen(VARIANT* value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_InpMinLen(VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_InpMinLen(VARIANT* value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_InpTextStyle(VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_InpTextStyle(VARIANT* value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_InpCueText(VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_InpCueText(VARIANT* value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_InpTipText(VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_InpTipText(VARIANT* value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_InpLocked(VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_InpLocked(VARIANT* value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_InpLabelColor(VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_InpLabelColor(VARIANT* value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_InpTextColor(VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_InpTextColor(VARIANT* value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_AccPrefix(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_AccPrefix(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_AlignInput(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_AlignInput(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_AlignLabel(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_AlignLabel(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ButtonText(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ButtonText(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_DlgCancelEsc(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_DlgCancelEsc(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_DlgCancelTime(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_DlgCancelTime(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_FontEnlarge(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_FontEnlarge(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_FontModernize(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_FontModernize(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Info(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Info(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_InfoBig(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_InfoBig(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_LabelEditRatio(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_LabelEditRatio(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Title(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Title(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Topmost(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Topmost(VARIANT_BOOL value) noexcept override;

private:
    class CallReference;

    kelpa::MInputBox m_box;
    ULONG m_waitingCalls = 0;
};

}  // namespace kelpa
