// "Kelpa.ProgressDialog": the COM face of ShellProgressDialog.
#pragma once

#include "kelpa_h.h"
#include "runtime/DispatchObject.h"
#include "windows/ShellProgressDialog.h"

namespace kelpa {

class ProgressDialogObject : public DispatchObject<ProgressDialogObject, _ProgressDialog, ::ProgressDialog> {
public:
    static constexpr const wchar_t* kSource = ShellProgressDialog::kSource;

    HRESULT STDMETHODCALLTYPE StartDlg(long flags) noexcept override;
    HRESULT STDMETHODCALLTYPE StopDlg() noexcept override;
    HRESULT STDMETHODCALLTYPE SetProgress(long dwCompleted, long dwTotal) noexcept override;
    HRESULT STDMETHODCALLTYPE SetProgress64(CURRENCY dwCompleted, CURRENCY dwTotal) noexcept override;
    HRESULT STDMETHODCALLTYPE SetText(BSTR txt, short line, VARIANT_BOOL cp) noexcept override;
    HRESULT STDMETHODCALLTYPE SetTimer(long action) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Cancellation(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_CancelMsg(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_CancelMsg(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Title(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Title(BSTR value) noexcept override;

private:
    ShellProgressDialog m_dialog;
};

}  // namespace kelpa
