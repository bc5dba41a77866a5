// COM shim of ProgressWindow: converts arguments and raises ButtonPressed.
#include "windows/ProgressWindowObject.h"

#include "core/kelpafn.h"
#include "core/windowfn.h"
#include "runtime/Conversions.h"

namespace kelpa {

ProgressWindowObject::ProgressWindowObject() : m_window(OsVersionNumber(), [this] { RaiseButtonPressed(); }) {}

void ProgressWindowObject::RaiseButtonPressed() noexcept {
    // The handler may release the script's last reference: this one keeps
    // the object alive until the press is handled, and lets it go last.
    AddRef();
    m_events.Fire(kButtonPressed);
    HandlePendingMessages();
    Release();
}

HRESULT ProgressWindowObject::Create(BSTR tt, short wd, short fx) noexcept {
    return Call([&] { m_window.Create(FromBstr(tt), wd, fx); });
}
HRESULT ProgressWindowObject::Remove() noexcept {
    return Call([&] { m_window.Remove(); });
}
HRESULT ProgressWindowObject::Flash(long num) noexcept {
    return Call([&] { m_window.Flash(num); });
}
HRESULT ProgressWindowObject::ProgressAdd(short padd) noexcept {
    return Call([&] { m_window.ProgressAdd(padd); });
}
HRESULT ProgressWindowObject::ProgressStep() noexcept {
    return Call([&] { m_window.ProgressStep(); });
}
HRESULT ProgressWindowObject::SetProgressRange(short pmin, short pmax, VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_window.SetProgressRange(pmin, pmax)); });
}
HRESULT ProgressWindowObject::SetProgressStep(short i) noexcept {
    return Call([&] { m_window.SetProgressStep(i); });
}

HRESULT ProgressWindowObject::get_ProgressStyle(long* result) noexcept {
    return Call([&] { *result = m_window.ProgressStyle(); });
}
HRESULT ProgressWindowObject::put_ProgressStyle(long value) noexcept {
    return Call([&] { m_window.SetProgressStyle(value); });
}

HRESULT ProgressWindowObject::get_Progress(short* result) noexcept {
    return Call([&] { *result = m_window.Progress(); });
}
HRESULT ProgressWindowObject::put_Progress(short value) noexcept {
    return Call([&] { m_window.SetProgress(value); });
}

HRESULT ProgressWindowObject::get_ProgressMarquee(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_window.ProgressMarquee()); });
}
HRESULT ProgressWindowObject::put_ProgressMarquee(VARIANT_BOOL value) noexcept {
    return Call([&] { m_window.SetProgressMarquee(FromVariantBool(value)); });
}

HRESULT ProgressWindowObject::get_ProgressMarqueeTime(short* result) noexcept {
    return Call([&] { *result = m_window.ProgressMarqueeTime(); });
}
HRESULT ProgressWindowObject::put_ProgressMarqueeTime(short value) noexcept {
    return Call([&] { m_window.SetProgressMarqueeTime(value); });
}

HRESULT ProgressWindowObject::get_ProgressState(short* result) noexcept {
    return Call([&] { *result = m_window.ProgressState(); });
}
HRESULT ProgressWindowObject::put_ProgressState(short value) noexcept {
    return Call([&] { m_window.SetProgressState(value); });
}

HRESULT ProgressWindowObject::get_ProgressColor(long* result) noexcept {
    return Call([&] { *result = m_window.ProgressColor(); });
}
HRESULT ProgressWindowObject::put_ProgressColor(long value) noexcept {
    return Call([&] { m_window.SetProgressColor(value); });
}

HRESULT ProgressWindowObject::get_ProgressBackColor(long* result) noexcept {
    return Call([&] { *result = m_window.ProgressBackColor(); });
}
HRESULT ProgressWindowObject::put_ProgressBackColor(long value) noexcept {
    return Call([&] { m_window.SetProgressBackColor(value); });
}

HRESULT ProgressWindowObject::get_Button(short* result) noexcept {
    return Call([&] { *result = m_window.Button(); });
}
HRESULT ProgressWindowObject::put_Button(short value) noexcept {
    return Call([&] { m_window.SetButton(value); });
}

HRESULT ProgressWindowObject::get_ButtonLabel(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_window.ButtonLabel()); });
}
HRESULT ProgressWindowObject::put_ButtonLabel(BSTR value) noexcept {
    return Call([&] { m_window.SetButtonLabel(FromBstr(value)); });
}

HRESULT ProgressWindowObject::get_ButtonText(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_window.ButtonText()); });
}
HRESULT ProgressWindowObject::put_ButtonText(BSTR value) noexcept {
    return Call([&] { m_window.SetButtonText(FromBstr(value)); });
}

HRESULT ProgressWindowObject::get_BtnNotifier(short* result) noexcept {
    return Call([&] { *result = m_window.BtnNotifier(); });
}
HRESULT ProgressWindowObject::put_BtnNotifier(short value) noexcept {
    return Call([&] { m_window.SetBtnNotifier(value); });
}

HRESULT ProgressWindowObject::get_BtnPressed(short* result) noexcept {
    return Call([&] { *result = m_window.BtnPressed(); });
}
HRESULT ProgressWindowObject::put_BtnPressed(short value) noexcept {
    return Call([&] { m_window.SetBtnPressed(value); });
}

HRESULT ProgressWindowObject::get_MainText(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_window.MainText()); });
}
HRESULT ProgressWindowObject::put_MainText(BSTR value) noexcept {
    return Call([&] { m_window.SetMainText(FromBstr(value)); });
}

HRESULT ProgressWindowObject::get_MainTextColor(long* result) noexcept {
    return Call([&] { *result = m_window.MainTextColor(); });
}
HRESULT ProgressWindowObject::put_MainTextColor(long value) noexcept {
    return Call([&] { m_window.SetMainTextColor(value); });
}

HRESULT ProgressWindowObject::get_Text(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_window.MainText()); });
}
HRESULT ProgressWindowObject::put_Text(BSTR value) noexcept {
    return Call([&] { m_window.SetMainText(FromBstr(value)); });
}

HRESULT ProgressWindowObject::get_SubText(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_window.SubText()); });
}
HRESULT ProgressWindowObject::put_SubText(BSTR value) noexcept {
    return Call([&] { m_window.SetSubText(FromBstr(value)); });
}

HRESULT ProgressWindowObject::get_Title(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_window.Title()); });
}
HRESULT ProgressWindowObject::put_Title(BSTR value) noexcept {
    return Call([&] { m_window.SetTitle(FromBstr(value)); });
}

HRESULT ProgressWindowObject::get_Topmost(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_window.Topmost()); });
}
HRESULT ProgressWindowObject::put_Topmost(VARIANT_BOOL value) noexcept {
    return Call([&] { m_window.SetTopmost(FromVariantBool(value)); });
}

HRESULT ProgressWindowObject::get_ErrorLevel(short* result) noexcept {
    return Call([&] { *result = static_cast<short>(m_window.Errors().Get()); });
}
HRESULT ProgressWindowObject::put_ErrorLevel(short value) noexcept {
    return Call([&] { m_window.Errors().Set(value); });
}

HRESULT ProgressWindowObject::get_TBProgress(short* result) noexcept {
    return Call([&] { *result = m_window.TBProgress(); });
}
HRESULT ProgressWindowObject::put_TBProgress(short value) noexcept {
    return Call([&] { m_window.SetTBProgress(value); });
}

HRESULT ProgressWindowObject::get_TBProState(short* result) noexcept {
    return Call([&] { *result = m_window.TBProState(); });
}
HRESULT ProgressWindowObject::put_TBProState(short value) noexcept {
    return Call([&] { m_window.SetTBProState(value); });
}

HRESULT ProgressWindowObject::get_TBProValue(short* result) noexcept {
    return Call([&] { *result = m_window.TBProValue(); });
}
HRESULT ProgressWindowObject::put_TBProValue(short value) noexcept {
    return Call([&] { m_window.SetTBProValue(value); });
}

HRESULT ProgressWindowObject::get_TBProTotal(short* result) noexcept {
    return Call([&] { *result = m_window.TBProTotal(); });
}
HRESULT ProgressWindowObject::put_TBProTotal(short value) noexcept {
    return Call([&] { m_window.SetTBProTotal(value); });
}

HRESULT ProgressWindowObject::TB_SetProgressState(long hWnd, long tbpFlag) noexcept {
    return Call([&] { m_window.TB_SetProgressState(hWnd, tbpFlag); });
}
// The Currency's raw 64-bit integer is the amount: the taskbar shows the ratio.
HRESULT ProgressWindowObject::TB_SetProgressValue(long hWnd, CY ullCompleted, CY ullTotal) noexcept {
    return Call([&] { m_window.TB_SetProgressValue(hWnd, ullCompleted.int64, ullTotal.int64); });
}

}  // namespace kelpa
