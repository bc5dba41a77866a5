// COM shim of ShellProgressDialog: converts arguments, nothing else.
#include "windows/ProgressDialogObject.h"

#include "runtime/Conversions.h"

namespace kelpa {

HRESULT ProgressDialogObject::StartDlg(long flags) noexcept {
    return Call([&] { m_dialog.Start(flags); });
}
HRESULT ProgressDialogObject::StopDlg() noexcept {
    return Call([&] { m_dialog.Stop(); });
}
HRESULT ProgressDialogObject::SetProgress(long dwCompleted, long dwTotal) noexcept {
    return Call([&] { m_dialog.SetProgress(dwCompleted, dwTotal); });
}
HRESULT ProgressDialogObject::SetProgress64(CURRENCY dwCompleted, CURRENCY dwTotal) noexcept {
    // The raw 64-bit patterns: both numbers carry the same scale, so the
    // ratio the bar shows is the ratio of the script's numbers.
    return Call([&] { m_dialog.SetProgress64(dwCompleted.int64, dwTotal.int64); });
}
HRESULT ProgressDialogObject::SetText(BSTR txt, short line, VARIANT_BOOL cp) noexcept {
    return Call([&] { m_dialog.SetText(FromBstr(txt), line, FromVariantBool(cp)); });
}
HRESULT ProgressDialogObject::SetTimer(long action) noexcept {
    return Call([&] { m_dialog.SetTimer(action); });
}
HRESULT ProgressDialogObject::get_Cancellation(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_dialog.Cancelled()); });
}
HRESULT ProgressDialogObject::get_CancelMsg(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_dialog.CancelMsg()); });
}
HRESULT ProgressDialogObject::put_CancelMsg(BSTR value) noexcept {
    return Call([&] { m_dialog.SetCancelMsg(FromBstr(value)); });
}
HRESULT ProgressDialogObject::get_Title(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_dialog.Title()); });
}
HRESULT ProgressDialogObject::put_Title(BSTR value) noexcept {
    return Call([&] { m_dialog.SetTitle(FromBstr(value)); });
}

}  // namespace kelpa
