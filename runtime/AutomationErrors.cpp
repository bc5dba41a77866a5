// Translation of automation-service HRESULTs into the scripting runtime's
// numbered errors, so a script sees "Type mismatch" rather than 0x80020005.
#include "runtime/AutomationErrors.h"

#include <oleauto.h>
#include <new>

namespace kelpa {

void ThrowAutomationFailure(HRESULT hr, const std::wstring& source) {
    switch (hr) {
    case DISP_E_TYPEMISMATCH:
    case DISP_E_BADVARTYPE:
        ThrowTypeMismatch(source);
    case DISP_E_OVERFLOW:
        ThrowOverflow(source);
    case DISP_E_BADINDEX:
    case DISP_E_ARRAYISLOCKED:
        throw ScriptError(kSubscriptOutOfRange, source, L"Subscript out of range");
    case E_OUTOFMEMORY:
        throw std::bad_alloc();
    case E_INVALIDARG:
        ThrowInvalidCall(source);
    default:
        break;
    }
    // Anything else keeps its number; the system's text says what it is.
    wchar_t text[512];
    std::wstring description = L"Automation error";
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                        static_cast<DWORD>(hr), 0, text, ARRAYSIZE(text), nullptr);
    if (length > 0 && length < ARRAYSIZE(text)) {
        description.assign(text, length);
        while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r'))
            description.pop_back();
    }
    throw ScriptError(hr, source, description);
}

}  // namespace kelpa
