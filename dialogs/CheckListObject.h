// "Kelpa.CheckList": the COM face of CheckListSelection.
#pragma once

#include "dialogs/CheckListSelection.h"
#include "dialogs/ChoiceObject.h"
#include "kelpa_h.h"

namespace kelpa {

class CheckListObject : public ChoiceObject<CheckListObject, _CheckList, ::CheckList> {
public:
    static constexpr const wchar_t* kSource = CheckListSelection::kSource;

    HRESULT STDMETHODCALLTYPE Selection(BSTR items, long Index, BSTR Title, long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE SelectionA(VARIANT* items, VARIANT* indices, BSTR Title, long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_DlgCancelEsc(VARIANT_BOOL* result) noexcept override { return GetCancelEsc(result); }
    HRESULT STDMETHODCALLTYPE put_DlgCancelEsc(VARIANT_BOOL value) noexcept override { return PutCancelEsc(value); }

    ChoiceSettings& Settings() noexcept { return m_checkList.Settings(); }

private:
    CheckListSelection m_checkList;
};

}  // namespace kelpa
