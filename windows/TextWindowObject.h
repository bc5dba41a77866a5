// "Kelpa.Window" and "Kelpa.Window2": the COM faces of TextWindow. The two
// interfaces carry the same members (Window2 adds Scroll), so one template
// serves both and the shim is written once.
#pragma once

#include "kelpa_h.h"
#include "runtime/Conversions.h"
#include "runtime/DispatchObject.h"
#include "windows/TextWindow.h"

namespace kelpa {

template <class Interface, class Coclass, TextWindow::Kind kKind>
class TextWindowObject : public DispatchObject<TextWindowObject<Interface, Coclass, kKind>, Interface, Coclass> {
public:
    static constexpr bool kBox = kKind == TextWindow::Kind::Box;
    static constexpr const wchar_t* kSource = kBox ? L"Kelpa.Window2" : L"Kelpa.Window";

    HRESULT STDMETHODCALLTYPE Create(BSTR t) noexcept override {
        return this->Call([&] { m_window.Create(FromBstr(t)); });
    }
    HRESULT STDMETHODCALLTYPE Remove() noexcept override {
        return this->Call([&] { m_window.Remove(); });
    }
    HRESULT STDMETHODCALLTYPE Cls() noexcept override {
        return this->Call([&] { m_window.Cls(); });
    }
    HRESULT STDMETHODCALLTYPE WriteLine(BSTR s) noexcept override {
        return this->Call([&] { m_window.WriteLine(FromBstr(s)); });
    }
    HRESULT STDMETHODCALLTYPE Flash(long num) noexcept override {
        return this->Call([&] { m_window.Flash(num); });
    }
    HRESULT STDMETHODCALLTYPE get_handle(long* result) noexcept override {
        return this->Call([&] { *result = m_window.Handle(); });
    }
    HRESULT STDMETHODCALLTYPE get_Title(BSTR* result) noexcept override {
        return this->Call([&] { *result = ToBstr(m_window.Title()); });
    }
    HRESULT STDMETHODCALLTYPE put_Title(BSTR value) noexcept override {
        return this->Call([&] { m_window.SetTitle(FromBstr(value)); });
    }
    HRESULT STDMETHODCALLTYPE get_Topmost(VARIANT_BOOL* result) noexcept override {
        return this->Call([&] { *result = ToVariantBool(m_window.Topmost()); });
    }
    HRESULT STDMETHODCALLTYPE put_Topmost(VARIANT_BOOL value) noexcept override {
        return this->Call([&] { m_window.SetTopmost(FromVariantBool(value)); });
    }
    HRESULT STDMETHODCALLTYPE get_WriteBold(VARIANT_BOOL* result) noexcept override {
        return this->Call([&] { *result = ToVariantBool(m_window.WriteBold()); });
    }
    HRESULT STDMETHODCALLTYPE put_WriteBold(VARIANT_BOOL value) noexcept override {
        return this->Call([&] { m_window.SetWriteBold(FromVariantBool(value)); });
    }
    HRESULT STDMETHODCALLTYPE get_WriteFont(BSTR* result) noexcept override {
        return this->Call([&] { *result = ToBstr(m_window.WriteFont()); });
    }
    HRESULT STDMETHODCALLTYPE put_WriteFont(BSTR value) noexcept override {
        return this->Call([&] { m_window.SetWriteFont(FromBstr(value)); });
    }
    HRESULT STDMETHODCALLTYPE get_WriteSize(short* result) noexcept override {
        return this->Call([&] { *result = m_window.WriteSize(); });
    }
    HRESULT STDMETHODCALLTYPE put_WriteSize(short value) noexcept override {
        return this->Call([&] { m_window.SetWriteSize(value); });
    }
    // Only _Window2 declares these; on _Window they are plain, unused members.
    HRESULT STDMETHODCALLTYPE get_Scroll(VARIANT_BOOL* result) noexcept {
        return this->Call([&] { *result = ToVariantBool(m_window.Scroll()); });
    }
    HRESULT STDMETHODCALLTYPE put_Scroll(VARIANT_BOOL value) noexcept {
        return this->Call([&] { m_window.SetScroll(FromVariantBool(value)); });
    }

private:
    TextWindow m_window{kKind, kBox ? L"KELPA Window2" : L"KELPA Window"};
};

using WindowObject = TextWindowObject<_Window, ::Window, TextWindow::Kind::Label>;
using Window2Object = TextWindowObject<_Window2, ::Window2, TextWindow::Kind::Box>;

}  // namespace kelpa
