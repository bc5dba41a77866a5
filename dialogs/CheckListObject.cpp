// COM shim of CheckListSelection: converts arguments, nothing else. Neither
// member writes into its by-reference arguments.
#include "dialogs/CheckListObject.h"

namespace kelpa {

HRESULT CheckListObject::Selection(BSTR items, long Index, BSTR Title, long* result) noexcept {
    return Call([&] { *result = m_checkList.Selection(FromBstr(items), Index, FromBstr(Title)); });
}

HRESULT CheckListObject::SelectionA(VARIANT* items, VARIANT* indices, BSTR Title, long* result) noexcept {
    return Call([&] {
        *result = items ? m_checkList.SelectionA(*items, indices, FromBstr(Title)) : 0;
    });
}

}  // namespace kelpa
