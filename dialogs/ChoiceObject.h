// The COM face of the presentation settings that List, CheckList and
// DriveList share (ButtonText, FontEnlarge, FontModernize, Info, Topmost):
// written once here, between DispatchObject and each class, so the shims of
// the three classes hold only what differs. Derived::Settings() gives the
// object's ChoiceSettings.
#pragma once

#include "dialogs/ChoiceDialog.h"
#include "runtime/Conversions.h"
#include "runtime/DispatchObject.h"

namespace kelpa {

template <class Derived, class Interface, class Coclass>
class ChoiceObject : public DispatchObject<Derived, Interface, Coclass> {
public:
    HRESULT STDMETHODCALLTYPE get_ButtonText(BSTR* result) noexcept override {
        return this->Call([&] { *result = ToBstr(Settings().ButtonText()); });
    }
    HRESULT STDMETHODCALLTYPE put_ButtonText(BSTR value) noexcept override {
        return this->Call([&] { Settings().SetButtonText(FromBstr(value)); });
    }
    HRESULT STDMETHODCALLTYPE get_FontEnlarge(short* result) noexcept override {
        return this->Call([&] { *result = Settings().FontEnlarge(); });
    }
    HRESULT STDMETHODCALLTYPE put_FontEnlarge(short value) noexcept override {
        return this->Call([&] { Settings().SetFontEnlarge(value); });
    }
    HRESULT STDMETHODCALLTYPE get_FontModernize(VARIANT_BOOL* result) noexcept override {
        return this->Call([&] { *result = ToVariantBool(Settings().FontModernize()); });
    }
    HRESULT STDMETHODCALLTYPE put_FontModernize(VARIANT_BOOL value) noexcept override {
        return this->Call([&] { Settings().SetFontModernize(FromVariantBool(value)); });
    }
    HRESULT STDMETHODCALLTYPE get_Info(BSTR* result) noexcept override {
        return this->Call([&] { *result = ToBstr(Settings().Info()); });
    }
    HRESULT STDMETHODCALLTYPE put_Info(BSTR value) noexcept override {
        return this->Call([&] { Settings().SetInfo(FromBstr(value)); });
    }
    HRESULT STDMETHODCALLTYPE get_Topmost(VARIANT_BOOL* result) noexcept override {
        return this->Call([&] { *result = ToVariantBool(Settings().Topmost()); });
    }
    HRESULT STDMETHODCALLTYPE put_Topmost(VARIANT_BOOL value) noexcept override {
        return this->Call([&] { Settings().SetTopmost(FromVariantBool(value)); });
    }

protected:
    // Esc cancelling, for the classes that offer DlgCancelEsc.
    HRESULT GetCancelEsc(VARIANT_BOOL* result) noexcept {
        return this->Call([&] { *result = ToVariantBool(Settings().DlgCancelEsc()); });
    }
    HRESULT PutCancelEsc(VARIANT_BOOL value) noexcept {
        return this->Call([&] { Settings().SetDlgCancelEsc(FromVariantBool(value)); });
    }

private:
    ChoiceSettings& Settings() noexcept { return static_cast<Derived*>(this)->Settings(); }
};

}  // namespace kelpa
