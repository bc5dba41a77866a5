// COM shim of FileSelection: converts arguments, nothing else.
#include "files/FileSelectionObject.h"

#include "runtime/Conversions.h"

namespace kelpa {

HRESULT FileSelectionObject::Dialog(short mode, long* result) noexcept {
    return Call([&] { *result = m_selection.Dialog(mode); });
}
HRESULT FileSelectionObject::SetFilter(VARIANT* f) noexcept {
    return Call([&] { m_selection.SetFilterFrom(*f); });
}
HRESULT FileSelectionObject::get_Directory(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_selection.Directory()); });
}
HRESULT FileSelectionObject::put_Directory(BSTR value) noexcept {
    return Call([&] { m_selection.SetDirectory(FromBstr(value)); });
}
HRESULT FileSelectionObject::get_DlgTitle(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_selection.DlgTitle()); });
}
HRESULT FileSelectionObject::put_DlgTitle(BSTR value) noexcept {
    return Call([&] { m_selection.SetDlgTitle(FromBstr(value)); });
}
HRESULT FileSelectionObject::get_ErrorLevel(short* result) noexcept {
    return Call([&] { *result = static_cast<short>(m_selection.ErrorLevel()); });
}
HRESULT FileSelectionObject::put_ErrorLevel(short value) noexcept {
    return Call([&] { m_selection.SetErrorLevel(value); });
}
HRESULT FileSelectionObject::get_FileName(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_selection.FileName()); });
}
HRESULT FileSelectionObject::put_FileName(BSTR value) noexcept {
    return Call([&] { m_selection.SetFileName(FromBstr(value)); });
}
HRESULT FileSelectionObject::get_FileExtension(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_selection.FileExtension()); });
}
HRESULT FileSelectionObject::put_FileExtension(BSTR value) noexcept {
    return Call([&] { m_selection.SetFileExtension(FromBstr(value)); });
}
HRESULT FileSelectionObject::get_Filter(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_selection.Filter()); });
}
HRESULT FileSelectionObject::put_Filter(BSTR value) noexcept {
    return Call([&] { m_selection.SetFilter(FromBstr(value)); });
}
HRESULT FileSelectionObject::get_FileNumber(long* result) noexcept {
    return Call([&] { *result = m_selection.FileNumber(); });
}
HRESULT FileSelectionObject::put_FileNumber(long value) noexcept {
    return Call([&] { m_selection.SetFileNumber(value); });
}
HRESULT FileSelectionObject::get_Convert(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_selection.Convert()); });
}
HRESULT FileSelectionObject::put_Convert(VARIANT_BOOL value) noexcept {
    return Call([&] { m_selection.SetConvert(FromVariantBool(value)); });
}
HRESULT FileSelectionObject::get_ErrorCode(long* result) noexcept {
    return Call([&] { *result = m_selection.ErrorCode(); });
}

}  // namespace kelpa
