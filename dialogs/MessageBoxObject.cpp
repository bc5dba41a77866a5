// COM shim of MessageBoxSettings: converts arguments, nothing else.
#include "dialogs/MessageBoxObject.h"

#include "runtime/Conversions.h"

namespace kelpa {

HRESULT MessageBoxObject::Show(BSTR msg, long style, BSTR title, short* result) noexcept {
    return Call([&] { *result = m_settings.Show(FromBstr(msg), style, FromBstr(title)); });
}

HRESULT MessageBoxObject::get_Buttons(long* result) noexcept {
    return Call([&] { *result = m_settings.Buttons(); });
}
HRESULT MessageBoxObject::put_Buttons(long value) noexcept {
    return Call([&] { m_settings.SetButtons(value); });
}
HRESULT MessageBoxObject::get_DefButton(long* result) noexcept {
    return Call([&] { *result = m_settings.DefButton(); });
}
HRESULT MessageBoxObject::put_DefButton(long value) noexcept {
    return Call([&] { m_settings.SetDefButton(value); });
}
HRESULT MessageBoxObject::get_Icon(long* result) noexcept {
    return Call([&] { *result = m_settings.Icon(); });
}
HRESULT MessageBoxObject::put_Icon(long value) noexcept {
    return Call([&] { m_settings.SetIcon(value); });
}
HRESULT MessageBoxObject::get_IconResFile(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_settings.IconResFile()); });
}
HRESULT MessageBoxObject::put_IconResFile(BSTR value) noexcept {
    return Call([&] { m_settings.SetIconResFile(FromBstr(value)); });
}
HRESULT MessageBoxObject::get_IconResID(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_settings.IconResID()); });
}
HRESULT MessageBoxObject::put_IconResID(BSTR value) noexcept {
    return Call([&] { m_settings.SetIconResID(FromBstr(value)); });
}
HRESULT MessageBoxObject::get_Language(long* result) noexcept {
    return Call([&] { *result = m_settings.Language(); });
}
HRESULT MessageBoxObject::put_Language(long value) noexcept {
    return Call([&] { m_settings.SetLanguage(value); });
}
HRESULT MessageBoxObject::get_Options(long* result) noexcept {
    return Call([&] { *result = m_settings.Options(); });
}
HRESULT MessageBoxObject::put_Options(long value) noexcept {
    return Call([&] { m_settings.SetOptions(value); });
}
HRESULT MessageBoxObject::get_Precedence(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_settings.Precedence()); });
}
HRESULT MessageBoxObject::put_Precedence(VARIANT_BOOL value) noexcept {
    return Call([&] { m_settings.SetPrecedence(FromVariantBool(value)); });
}
HRESULT MessageBoxObject::get_Text(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_settings.Text()); });
}
HRESULT MessageBoxObject::put_Text(BSTR value) noexcept {
    return Call([&] { m_settings.SetText(FromBstr(value)); });
}
HRESULT MessageBoxObject::get_Title(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_settings.Title()); });
}
HRESULT MessageBoxObject::put_Title(BSTR value) noexcept {
    return Call([&] { m_settings.SetTitle(FromBstr(value)); });
}

}  // namespace kelpa
