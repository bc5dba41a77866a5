// COM shim of Clipboard: converts arguments, nothing else.
#include "utilities/ClipboardObject.h"

#include "runtime/Conversions.h"

namespace kelpa {

HRESULT ClipboardObject::get_UseUnicode(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_clipboard.UseUnicode()); });
}
HRESULT ClipboardObject::put_UseUnicode(VARIANT_BOOL value) noexcept {
    return Call([&] { m_clipboard.SetUseUnicode(FromVariantBool(value)); });
}
HRESULT ClipboardObject::get_Text(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_clipboard.Text()); });
}
HRESULT ClipboardObject::put_Text(BSTR text) noexcept {
    return Call([&] { m_clipboard.SetText(FromBstr(text)); });
}

}  // namespace kelpa
