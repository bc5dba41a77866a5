// "Kelpa.ProgressWindow": the COM face of ProgressWindow, and the source of
// ButtonPressed on its __ProgressWindow event interface.
#pragma once

#include "kelpa_h.h"
#include "runtime/ConnectionPoint.h"
#include "runtime/DispatchObject.h"
#include "windows/ProgressWindow.h"

namespace kelpa {

class ProgressWindowObject : public DispatchObject<ProgressWindowObject, _ProgressWindow, ::ProgressWindow> {
public:
    static constexpr const wchar_t* kSource = ProgressWindow::kSource;
    static constexpr DISPID kButtonPressed = 1;

    ProgressWindowObject();

    HRESULT STDMETHODCALLTYPE Create(BSTR tt, short wd, short fx) noexcept override;
    HRESULT STDMETHODCALLTYPE Remove() noexcept override;
    HRESULT STDMETHODCALLTYPE Flash(long num) noexcept override;
    HRESULT STDMETHODCALLTYPE ProgressAdd(short padd) noexcept override;
    HRESULT STDMETHODCALLTYPE ProgressStep() noexcept override;
    HRESULT STDMETHODCALLTYPE SetProgressRange(short pmin, short pmax, VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE SetProgressStep(short i) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ProgressStyle(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ProgressStyle(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Progress(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Progress(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ProgressMarquee(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ProgressMarquee(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ProgressMarqueeTime(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ProgressMarqueeTime(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ProgressState(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ProgressState(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ProgressColor(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ProgressColor(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ProgressBackColor(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ProgressBackColor(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Button(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Button(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ButtonLabel(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ButtonLabel(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ButtonText(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ButtonText(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_BtnNotifier(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_BtnNotifier(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_BtnPressed(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_BtnPressed(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_MainText(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_MainText(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_MainTextColor(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_MainTextColor(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Text(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Text(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_SubText(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_SubText(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Title(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Title(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Topmost(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Topmost(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ErrorLevel(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ErrorLevel(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_TBProgress(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_TBProgress(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_TBProState(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_TBProState(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_TBProValue(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_TBProValue(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_TBProTotal(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_TBProTotal(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE TB_SetProgressState(long hWnd, long tbpFlag) noexcept override;
    HRESULT STDMETHODCALLTYPE TB_SetProgressValue(long hWnd, CY ullCompleted, CY ullTotal) noexcept override;

    HRESULT QueryExtra(REFIID iid, void** result) noexcept { return m_events.Query(iid, result); }
    static const IID* SourceInterface() noexcept { return &DIID___ProgressWindow; }

private:
    void RaiseButtonPressed() noexcept;

    EventSource m_events{static_cast<_ProgressWindow*>(this), DIID___ProgressWindow};
    // Declared last, so its window goes before the event source.
    ProgressWindow m_window;
};

}  // namespace kelpa
