// "Kelpa.Clipboard": the COM face of Clipboard.
#pragma once

#include "kelpa_h.h"
#include "runtime/DispatchObject.h"
#include "utilities/Clipboard.h"

namespace kelpa {

class ClipboardObject : public DispatchObject<ClipboardObject, _Clipboard, ::Clipboard> {
public:
    static constexpr const wchar_t* kSource = kelpa::Clipboard::kSource;

    HRESULT STDMETHODCALLTYPE get_UseUnicode(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_UseUnicode(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Text(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Text(BSTR text) noexcept override;

private:
    kelpa::Clipboard m_clipboard;
};

}  // namespace kelpa
