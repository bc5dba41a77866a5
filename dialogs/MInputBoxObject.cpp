// COM shim of MInputBox: converts arguments, keeps the object alive while a
// call waits in its dialog.
#include "dialogs/MInputBoxObject.h"

#include "runtime/Conversions.h"

namespace kelpa {

class MInputBoxObject::CallReference {
public:
    explicit CallReference(MInputBoxObject& object) : m_object(object) {
        ++m_object.m_waitingCalls;
        m_object.AddRef();
    }
    ~CallReference() {
        --m_object.m_waitingCalls;
        m_object.Release();
    }
    CallReference(const CallReference&) = delete;
    CallReference& operator=(const CallReference&) = delete;

private:
    MInputBoxObject& m_object;
};

ULONG MInputBoxObject::Release() noexcept {
    const ULONG waiting = m_waitingCalls;
    if (waiting == 0) return Base::Release();
    // The waiting calls' own references keep the object alive here.
    const ULONG left = Base::Release();
    if (left == waiting) m_box.CancelRunning();
    return left;
}

HRESULT MInputBoxObject::InputS(BSTR prompt, BSTR title, BSTR defaultText, BSTR* result) noexcept {
    return Call([&] {
        CallReference keep(*this);
        *result = ToBstr(m_box.InputS(FromBstr(prompt), FromBstr(title), FromBstr(defaultText)));
    });
}

HRESULT MInputBoxObject::InputM(VARIANT* vinp, VARIANT_BOOL* result) noexcept {
    return Call([&] {
        CallReference keep(*this);
        *result = ToVariantBool(m_box.InputM(vinp));
    });
}

HRESULT MInputBoxObject::get_InputNumber(short* result) noexcept {
    return Call([&] { *result = m_box.InputNumber(); });
}
HRESULT MInputBoxObject::put_InputNumber(short value) noexcept {
    return Call([&] { m_box.SetInputNumber(value); });
}
HRESULT MInputBoxObject::get_InputStart(short* result) noexcept {
    return Call([&] { *result = m_box.InputStart(); });
}
HRESULT MInputBoxObject::put_InputStart(short value) noexcept {
    return Call([&] { m_box.SetInputStart(value); });
}
HRESULT MInputBoxObject::get_CheckNumStyle(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_box.CheckNumStyle()); });
}
HRESULT MInputBoxObject::put_CheckNumStyle(VARIANT_BOOL value) noexcept {
    return Call([&] { m_box.SetCheckNumStyle(FromVariantBool(value)); });
}
HRESULT MInputBoxObject::get_ConvertArr(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_box.ConvertArr()); });
}
HRESULT MInputBoxObject::put_ConvertArr(VARIANT_BOOL value) noexcept {
    return Call([&] { m_box.SetConvertArr(FromVariantBool(value)); });
}
HRESULT MInputBoxObject::get_InputFlags(short* result) noexcept {
    return Call([&] { *result = m_box.InputFlags(); });
}
HRESULT MInputBoxObject::put_InputFlags(short value) noexcept {
    return Call([&] { m_box.SetInputFlags(value); });
}
HRESULT MInputBoxObject::get_InputSelection(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_box.InputSelection()); });
}
HRESULT MInputBoxObject::put_InputSelection(VARIANT_BOOL value) noexcept {
    return Call([&] { m_box.SetInputSelection(FromVariantBool(value)); });
}
HRESULT MInputBoxObject::get_MinBalloonText(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_box.MinBalloonText()); });
}
HRESULT MInputBoxObject::put_MinBalloonText(BSTR value) noexcept {
    return Call([&] { m_box.SetMinBalloonText(FromBstr(value)); });
}
HRESULT MInputBoxObject::get_MinBalloonTitle(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_box.MinBalloonTitle()); });
}
HRESULT MInputBoxObject::put_MinBalloonTitle(BSTR value) noexcept {
    return Call([&] { m_box.SetMinBalloonTitle(FromBstr(value)); });
}
HRESULT MInputBoxObject::get_PasswordChar(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_box.PasswordChar()); });
}
HRESULT MInputBoxObject::put_PasswordChar(BSTR value) noexcept {
    return Call([&] { m_box.SetPasswordChar(FromBstr(value)); });
}
HRESULT MInputBoxObject::get_ShowCueAtFocus(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_box.ShowCueAtFocus()); });
}
HRESULT MInputBoxObject::put_ShowCueAtFocus(VARIANT_BOOL value) noexcept {
    return Call([&] { m_box.SetShowCueAtFocus(FromVariantBool(value)); });
}
HRESULT MInputBoxObject::get_ShowTipControl(short* result) noexcept {
    return Call([&] { *result = m_box.ShowTipControl(); });
}
HRESULT MInputBoxObject::put_ShowTipControl(short value) noexcept {
    return Call([&] { m_box.SetShowTipControl(value); });
}
HRESULT MInputBoxObject::get_TextLimit(short* result) noexcept {
    return Call([&] { *result = m_box.TextLimit(); });
}
HRESULT MInputBoxObject::put_TextLimit(short value) noexcept {
    return Call([&] { m_box.SetTextLimit(value); });
}
HRESULT MInputBoxObject::get_InpLabel(VARIANT* result) noexcept {
    return Call([&] { m_box.GetFieldArray(kLabels, result); });
}
HRESULT MInputBoxObject::put_InpLabel(VARIANT* value) noexcept {
    return Call([&] { m_box.SetFieldArray(kLabels, value); });
}
HRESULT MInputBoxObject::get_InpText(VARIANT* result) noexcept {
    return Call([&] { m_box.GetFieldArray(kTexts, result); });
}
HRESULT MInputBoxObject::put_InpText(VARIANT* value) noexcept {
    return Call([&] { m_box.SetFieldArray(kTexts, value); });
}
HRESULT MInputBoxObject::get_InpMaxLen(VARIANT* result) noexcept {
    return Call([&] { m_box.GetFieldArray(kMaxLengths, result); });
}
HRESULT MInputBoxObject::put_InpMaxLen(VARIANT* value) noexcept {
    return Call([&] { m_box.SetFieldArray(kMaxLengths, value); });
}
HRESULT MInputBoxObject::get_InpMinLen(VARIANT* result) noexcept {
    return Call([&] { m_box.GetFieldArray(kMinLengths, result); });
}
HRESULT MInputBoxObject::put_InpMinLen(VARIANT* value) noexcept {
    return Call([&] { m_box.SetFieldArray(kMinLengths, value); });
}
HRESULT MInputBoxObject::get_InpTextStyle(VARIANT* result) noexcept {
    return Call([&] { m_box.GetFieldArray(kStyles, result); });
}
HRESULT MInputBoxObject::put_InpTextStyle(VARIANT* value) noexcept {
    return Call([&] { m_box.SetFieldArray(kStyles, value); });
}
HRESULT MInputBoxObject::get_InpCueText(VARIANT* result) noexcept {
    return Call([&] { m_box.GetFieldArray(kCueTexts, result); });
}
HRESULT MInputBoxObject::put_InpCueText(VARIANT* value) noexcept {
    return Call([&] { m_box.SetFieldArray(kCueTexts, value); });
}
HRESULT MInputBoxObject::get_InpTipText(VARIANT* result) noexcept {
    return Call([&] { m_box.GetFieldArray(kTipTexts, result); });
}
HRESULT MInputBoxObject::put_InpTipText(VARIANT* value) noexcept {
    return Call([&] { m_box.SetFieldArray(kTipTexts, value); });
}
HRESULT MInputBoxObject::get_InpLocked(VARIANT* result) noexcept {
    return Call([&] { m_box.GetFieldArray(kLocked, result); });
}
HRESULT MInputBoxObject::put_InpLocked(VARIANT* value) noexcept {
    return Call([&] { m_box.SetFieldArray(kLocked, value); });
}
HRESULT MInputBoxObject::get_InpLabelColor(VARIANT* result) noexcept {
    return Call([&] { m_box.GetFieldArray(kLabelColours, result); });
}
HRESULT MInputBoxObject::put_InpLabelColor(VARIANT* value) noexcept {
    return Call([&] { m_box.SetFieldArray(kLabelColours, value); });
}
HRESULT MInputBoxObject::get_InpTextColor(VARIANT* result) noexcept {
    return Call([&] { m_box.GetFieldArray(kTextColours, result); });
}
HRESULT MInputBoxObject::put_InpTextColor(VARIANT* value) noexcept {
    return Call([&] { m_box.SetFieldArray(kTextColours, value); });
}
HRESULT MInputBoxObject::get_AccPrefix(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_box.AccPrefix()); });
}
HRESULT MInputBoxObject::put_AccPrefix(VARIANT_BOOL value) noexcept {
    return Call([&] { m_box.SetAccPrefix(FromVariantBool(value)); });
}
HRESULT MInputBoxObject::get_AlignInput(short* result) noexcept {
    return Call([&] { *result = m_box.AlignInput(); });
}
HRESULT MInputBoxObject::put_AlignInput(short value) noexcept {
    return Call([&] { m_box.SetAlignInput(value); });
}
HRESULT MInputBoxObject::get_AlignLabel(short* result) noexcept {
    return Call([&] { *result = m_box.AlignLabel(); });
}
HRESULT MInputBoxObject::put_AlignLabel(short value) noexcept {
    return Call([&] { m_box.SetAlignLabel(value); });
}
HRESULT MInputBoxObject::get_ButtonText(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_box.ButtonText()); });
}
HRESULT MInputBoxObject::put_ButtonText(BSTR value) noexcept {
    return Call([&] { m_box.SetButtonText(FromBstr(value)); });
}
HRESULT MInputBoxObject::get_DlgCancelEsc(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_box.DlgCancelEsc()); });
}
HRESULT MInputBoxObject::put_DlgCancelEsc(VARIANT_BOOL value) noexcept {
    return Call([&] { m_box.SetDlgCancelEsc(FromVariantBool(value)); });
}
HRESULT MInputBoxObject::get_DlgCancelTime(short* result) noexcept {
    return Call([&] { *result = m_box.DlgCancelTime(); });
}
HRESULT MInputBoxObject::put_DlgCancelTime(short value) noexcept {
    return Call([&] { m_box.SetDlgCancelTime(value); });
}
HRESULT MInputBoxObject::get_FontEnlarge(short* result) noexcept {
    return Call([&] { *result = m_box.FontEnlarge(); });
}
HRESULT MInputBoxObject::put_FontEnlarge(short value) noexcept {
    return Call([&] { m_box.SetFontEnlarge(value); });
}
HRESULT MInputBoxObject::get_FontModernize(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_box.FontModernize()); });
}
HRESULT MInputBoxObject::put_FontModernize(VARIANT_BOOL value) noexcept {
    return Call([&] { m_box.SetFontModernize(FromVariantBool(value)); });
}
HRESULT MInputBoxObject::get_Info(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_box.Info()); });
}
HRESULT MInputBoxObject::put_Info(BSTR value) noexcept {
    return Call([&] { m_box.SetInfo(FromBstr(value)); });
}
HRESULT MInputBoxObject::get_InfoBig(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_box.InfoBig()); });
}
HRESULT MInputBoxObject::put_InfoBig(VARIANT_BOOL value) noexcept {
    return Call([&] { m_box.SetInfoBig(FromVariantBool(value)); });
}
HRESULT MInputBoxObject::get_LabelEditRatio(short* result) noexcept {
    return Call([&] { *result = m_box.LabelEditRatio(); });
}
HRESULT MInputBoxObject::put_LabelEditRatio(short value) noexcept {
    return Call([&] { m_box.SetLabelEditRatio(value); });
}
HRESULT MInputBoxObject::get_Title(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_box.Title()); });
}
HRESULT MInputBoxObject::put_Title(BSTR value) noexcept {
    return Call([&] { m_box.SetTitle(FromBstr(value)); });
}
HRESULT MInputBoxObject::get_Topmost(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_box.Topmost()); });
}
HRESULT MInputBoxObject::put_Topmost(VARIANT_BOOL value) noexcept {
    return Call([&] { m_box.SetTopmost(FromVariantBool(value)); });
}

}  // namespace kelpa
