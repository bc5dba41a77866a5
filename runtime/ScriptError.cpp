// Error-object plumbing for the COM boundary.
#include "runtime/ScriptError.h"

#include <oleauto.h>
#include <new>
#include <wrl/client.h>

namespace kelpa {

void ThrowTypeMismatch(const std::wstring& source) { throw ScriptError(kTypeMismatch, source, L"Type mismatch"); }
void ThrowOverflow(const std::wstring& source) { throw ScriptError(kOverflow, source, L"Overflow"); }
void ThrowInvalidCall(const std::wstring& source) {
    throw ScriptError(kInvalidCall, source, L"Invalid procedure call or argument");
}

void RaiseError(REFIID iid, HRESULT number, const std::wstring& source,
                const std::wstring& description) noexcept {
    (void)number;  // the number travels as the member's HRESULT
    Microsoft::WRL::ComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(&create))) return;
    create->SetGUID(iid);
    create->SetSource(const_cast<LPOLESTR>(source.c_str()));
    create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
    create->SetHelpFile(nullptr);
    create->SetHelpContext(0);
    Microsoft::WRL::ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create.As(&info))) SetErrorInfo(0, info.Get());
}

HRESULT ToHResult(REFIID iid, const wchar_t* source) noexcept {
    try {
        throw;
    } catch (const ScriptError& e) {
        RaiseError(iid, e.Number(), e.Source(), e.Description());
        return e.Number();
    } catch (const std::bad_alloc&) {
        RaiseError(iid, kOutOfMemory, source, L"Out of memory");
        return kOutOfMemory;
    } catch (...) {
        RaiseError(iid, E_UNEXPECTED, source, L"Unexpected failure");
        return E_UNEXPECTED;
    }
}

}  // namespace kelpa
