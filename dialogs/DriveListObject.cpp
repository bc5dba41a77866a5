// COM shim of DriveListSelection: converts arguments, nothing else.
#include "dialogs/DriveListObject.h"

namespace kelpa {

HRESULT DriveListObject::Selection(BSTR defaultDrive, BSTR Title, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_drives.Selection(FromBstr(defaultDrive), FromBstr(Title))); });
}
HRESULT DriveListObject::get_Crop(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_drives.Crop()); });
}
HRESULT DriveListObject::put_Crop(VARIANT_BOOL value) noexcept {
    return Call([&] { m_drives.SetCrop(FromVariantBool(value)); });
}

}  // namespace kelpa
