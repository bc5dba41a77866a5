// COM shim of TaskDialogSettings: converts arguments, nothing else.
#include "dialogs/TaskDialogObject.h"

#include "runtime/Conversions.h"

namespace kelpa {

HRESULT TaskDialogObject::Show(BSTR prompt, long buttons, BSTR title, short* result) noexcept {
    return Call([&] { *result = m_settings.Show(FromBstr(prompt), buttons, FromBstr(title)); });
}
HRESULT TaskDialogObject::ShowEx(short* result) noexcept {
    return Call([&] { *result = m_settings.ShowEx(); });
}
HRESULT TaskDialogObject::get_ErrorCode(long* result) noexcept {
    return Call([&] { *result = m_settings.ErrorCode(); });
}
HRESULT TaskDialogObject::get_CustomButtons(VARIANT* result) noexcept {
    return Call([&] { m_settings.GetCustomButtons(result); });
}
HRESULT TaskDialogObject::put_CustomButtons(VARIANT* value) noexcept {
    return Call([&] { m_settings.SetCustomButtons(*value); });
}
HRESULT TaskDialogObject::get_RadioButtons(VARIANT* result) noexcept {
    return Call([&] { m_settings.GetRadioButtons(result); });
}
HRESULT TaskDialogObject::put_RadioButtons(VARIANT* value) noexcept {
    return Call([&] { m_settings.SetRadioButtons(*value); });
}
HRESULT TaskDialogObject::get_Buttons(long* result) noexcept {
    return Call([&] { *result = m_settings.Buttons(); });
}
HRESULT TaskDialogObject::put_Buttons(long value) noexcept {
    return Call([&] { m_settings.SetButtons(value); });
}
HRESULT TaskDialogObject::get_Icon(long* result) noexcept {
    return Call([&] { *result = m_settings.Icon(); });
}
HRESULT TaskDialogObject::put_Icon(long value) noexcept {
    return Call([&] { m_settings.SetIcon(value); });
}
HRESULT TaskDialogObject::get_IconResFile(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_settings.IconResFile()); });
}
HRESULT TaskDialogObject::put_IconResFile(BSTR value) noexcept {
    return Call([&] { m_settings.SetIconResFile(FromBstr(value)); });
}
HRESULT TaskDialogObject::get_IconResID(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_settings.IconResID()); });
}
HRESULT TaskDialogObject::put_IconResID(BSTR value) noexcept {
    return Call([&] { m_settings.SetIconResID(FromBstr(value)); });
}
HRESULT TaskDialogObject::get_SubText(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_settings.SubText()); });
}
HRESULT TaskDialogObject::put_SubText(BSTR value) noexcept {
    return Call([&] { m_settings.SetSubText(FromBstr(value)); });
}
HRESULT TaskDialogObject::get_Text(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_settings.Text()); });
}
HRESULT TaskDialogObject::put_Text(BSTR value) noexcept {
    return Call([&] { m_settings.SetText(FromBstr(value)); });
}
HRESULT TaskDialogObject::get_Title(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_settings.Title()); });
}
HRESULT TaskDialogObject::put_Title(BSTR value) noexcept {
    return Call([&] { m_settings.SetTitle(FromBstr(value)); });
}
HRESULT TaskDialogObject::get_CustomButtonStyle(long* result) noexcept {
    return Call([&] { *result = m_settings.CustomButtonStyle(); });
}
HRESULT TaskDialogObject::put_CustomButtonStyle(long value) noexcept {
    return Call([&] { m_settings.SetCustomButtonStyle(value); });
}
HRESULT TaskDialogObject::get_DefaultButton(long* result) noexcept {
    return Call([&] { *result = m_settings.DefaultButton(); });
}
HRESULT TaskDialogObject::put_DefaultButton(long value) noexcept {
    return Call([&] { m_settings.SetDefaultButton(value); });
}
HRESULT TaskDialogObject::get_ExpandText(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_settings.ExpandText()); });
}
HRESULT TaskDialogObject::put_ExpandText(BSTR value) noexcept {
    return Call([&] { m_settings.SetExpandText(FromBstr(value)); });
}
HRESULT TaskDialogObject::get_ExpandLabelCo(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_settings.ExpandLabelCo()); });
}
HRESULT TaskDialogObject::put_ExpandLabelCo(BSTR value) noexcept {
    return Call([&] { m_settings.SetExpandLabelCo(FromBstr(value)); });
}
HRESULT TaskDialogObject::get_ExpandLabelEx(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_settings.ExpandLabelEx()); });
}
HRESULT TaskDialogObject::put_ExpandLabelEx(BSTR value) noexcept {
    return Call([&] { m_settings.SetExpandLabelEx(FromBstr(value)); });
}
HRESULT TaskDialogObject::get_FooterIcon(long* result) noexcept {
    return Call([&] { *result = m_settings.FooterIcon(); });
}
HRESULT TaskDialogObject::put_FooterIcon(long value) noexcept {
    return Call([&] { m_settings.SetFooterIcon(value); });
}
HRESULT TaskDialogObject::get_FooterIconResID(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_settings.FooterIconResID()); });
}
HRESULT TaskDialogObject::put_FooterIconResID(BSTR value) noexcept {
    return Call([&] { m_settings.SetFooterIconResID(FromBstr(value)); });
}
HRESULT TaskDialogObject::get_FooterText(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_settings.FooterText()); });
}
HRESULT TaskDialogObject::put_FooterText(BSTR value) noexcept {
    return Call([&] { m_settings.SetFooterText(FromBstr(value)); });
}
HRESULT TaskDialogObject::get_Options(long* result) noexcept {
    return Call([&] { *result = m_settings.Options(); });
}
HRESULT TaskDialogObject::put_Options(long value) noexcept {
    return Call([&] { m_settings.SetOptions(value); });
}
HRESULT TaskDialogObject::get_RadioButtonSelected(long* result) noexcept {
    return Call([&] { *result = m_settings.RadioButtonSelected(); });
}
HRESULT TaskDialogObject::put_RadioButtonSelected(long value) noexcept {
    return Call([&] { m_settings.SetRadioButtonSelected(value); });
}
HRESULT TaskDialogObject::get_VerificationLabel(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_settings.VerificationLabel()); });
}
HRESULT TaskDialogObject::put_VerificationLabel(BSTR value) noexcept {
    return Call([&] { m_settings.SetVerificationLabel(FromBstr(value)); });
}
HRESULT TaskDialogObject::get_VerificationChecked(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_settings.VerificationChecked()); });
}
HRESULT TaskDialogObject::put_VerificationChecked(VARIANT_BOOL value) noexcept {
    return Call([&] { m_settings.SetVerificationChecked(FromVariantBool(value)); });
}

}  // namespace kelpa
