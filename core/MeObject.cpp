// COM shim of Me: converts results, nothing else.
#include "core/MeObject.h"

#include "runtime/Conversions.h"

namespace kelpa {

HRESULT MeObject::get_About(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(Me::About()); });
}

HRESULT MeObject::get_hInstance(LONG* result) noexcept {
    return Call([&] { *result = Me::InstanceHandle(); });
}

HRESULT MeObject::get_Path(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(Me::Path()); });
}

HRESULT MeObject::get_ProcessID(LONG* result) noexcept {
    return Call([&] { *result = Me::ProcessId(); });
}

HRESULT MeObject::get_ThreadID(LONG* result) noexcept {
    return Call([&] { *result = Me::ThreadId(); });
}

HRESULT MeObject::get_Version(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(Me::Version()); });
}

HRESULT MeObject::get_ParentProcessID(LONG* result) noexcept {
    return Call([&] { *result = Me::ParentProcessId(); });
}

HRESULT MeObject::get_CallerTID(LONG* result) noexcept {
    return Call([&] { *result = Me::CallerThreadId(); });
}

}  // namespace kelpa
