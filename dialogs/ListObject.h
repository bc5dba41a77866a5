// "Kelpa.List": the COM face of ListSelection.
#pragma once

#include "dialogs/ChoiceObject.h"
#include "dialogs/ListSelection.h"
#include "kelpa_h.h"

namespace kelpa {

class ListObject : public ChoiceObject<ListObject, _List, ::List> {
public:
    static constexpr const wchar_t* kSource = ListSelection::kSource;

    HRESULT STDMETHODCALLTYPE Selection(BSTR items, long Index, BSTR Title, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_MultiSel(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_MultiSel(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_DlgCancelEsc(VARIANT_BOOL* result) noexcept override { return GetCancelEsc(result); }
    HRESULT STDMETHODCALLTYPE put_DlgCancelEsc(VARIANT_BOOL value) noexcept override { return PutCancelEsc(value); }

    ChoiceSettings& Settings() noexcept { return m_list.Settings(); }

private:
    ListSelection m_list;
};

}  // namespace kelpa
