// COM shim of ListSelection: converts arguments, nothing else.
#include "dialogs/ListObject.h"

namespace kelpa {

HRESULT ListObject::Selection(BSTR items, long Index, BSTR Title, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_list.Selection(FromBstr(items), Index, FromBstr(Title))); });
}
HRESULT ListObject::get_MultiSel(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_list.MultiSel()); });
}
HRESULT ListObject::put_MultiSel(VARIANT_BOOL value) noexcept {
    return Call([&] { m_list.SetMultiSel(FromVariantBool(value)); });
}

}  // namespace kelpa
