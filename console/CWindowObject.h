// "KelpaC.CWindow": the console window of kelpac.exe. Single use: every
// object lives in a server process of its own, which holds its one console.
#pragma once

#include "console/ConsoleWindow.h"
#include "kelpac_h.h"
#include "runtime/DispatchObject.h"

namespace kelpa {

class CWindowObject : public DispatchObject<CWindowObject, _CWindow, ::CWindow> {
public:
    static constexpr const wchar_t* kSource = L"KelpaC.CWindow";

    HRESULT STDMETHODCALLTYPE get_Topmost(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Topmost(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_TextColor(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_TextColor(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Title(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Title(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_DisableClose(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_DisableClose(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_DisableBreak(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_DisableBreak(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ConsoleInputMode(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE Create(BSTR title) noexcept override;
    HRESULT STDMETHODCALLTYPE Remove() noexcept override;
    HRESULT STDMETHODCALLTYPE WriteLine(BSTR text, VARIANT_BOOL newLine) noexcept override;
    HRESULT STDMETHODCALLTYPE ReadLine(short n, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE ReadChar(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE ReadChars(short n, VARIANT_BOOL abortOnBreak, VARIANT_BOOL echo,
                                        BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE Cls(VARIANT_BOOL repaint) noexcept override;
    HRESULT STDMETHODCALLTYPE Flash(long count) noexcept override;
    HRESULT STDMETHODCALLTYPE BreakSignal(long* result) noexcept override;

private:
    ConsoleWindow m_console;
};

}  // namespace kelpa
