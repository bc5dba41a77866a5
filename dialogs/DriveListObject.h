// "Kelpa.DriveList": the COM face of DriveListSelection.
#pragma once

#include "dialogs/ChoiceObject.h"
#include "dialogs/DriveListSelection.h"
#include "kelpa_h.h"

namespace kelpa {

class DriveListObject : public ChoiceObject<DriveListObject, _DriveList, ::DriveList> {
public:
    static constexpr const wchar_t* kSource = DriveListSelection::kSource;

    HRESULT STDMETHODCALLTYPE Selection(BSTR defaultDrive, BSTR Title, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Crop(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Crop(VARIANT_BOOL value) noexcept override;

    ChoiceSettings& Settings() noexcept { return m_drives.Settings(); }

private:
    DriveListSelection m_drives;
};

}  // namespace kelpa
