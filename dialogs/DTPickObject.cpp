// COM shim of DTPickSelection: converts arguments, nothing else.
#include "dialogs/DTPickObject.h"

#include "runtime/Conversions.h"

namespace kelpa {

HRESULT DTPickObject::Selection(VARIANT* vdt, VARIANT_BOOL* result) noexcept {
    return Call([&] {
        if (!vdt) ThrowInvalidCall(kSource);
        *result = ToVariantBool(m_picker.Selection(*vdt));
    });
}
HRESULT DTPickObject::get_ControlMode(short* result) noexcept {
    return Call([&] { *result = m_picker.ControlMode(); });
}
HRESULT DTPickObject::put_ControlMode(short value) noexcept {
    return Call([&] { m_picker.SetControlMode(value); });
}
HRESULT DTPickObject::get_Info(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_picker.Settings().Info()); });
}
HRESULT DTPickObject::put_Info(BSTR value) noexcept {
    return Call([&] { m_picker.Settings().SetInfo(FromBstr(value)); });
}
HRESULT DTPickObject::get_Title(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_picker.Title()); });
}
HRESULT DTPickObject::put_Title(BSTR value) noexcept {
    return Call([&] { m_picker.SetTitle(FromBstr(value)); });
}
HRESULT DTPickObject::get_Topmost(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_picker.Settings().Topmost()); });
}
HRESULT DTPickObject::put_Topmost(VARIANT_BOOL value) noexcept {
    return Call([&] { m_picker.Settings().SetTopmost(FromVariantBool(value)); });
}
HRESULT DTPickObject::get_ButtonText(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_picker.Settings().ButtonText()); });
}
HRESULT DTPickObject::put_ButtonText(BSTR value) noexcept {
    return Call([&] { m_picker.Settings().SetButtonText(FromBstr(value)); });
}

}  // namespace kelpa
