// IDispatch::Invoke through the type library, with the one correction that
// Wine's ITypeInfo::Invoke needs for [in, out] VARIANT* parameters.
#pragma once

#include <oaidl.h>

#include "runtime/TypeLibrary.h"

namespace kelpa {

HRESULT InvokeThroughTypeInfo(const InterfaceInfo& info, void* object, DISPID member, WORD flags,
                              DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                              UINT* argumentError) noexcept;

}  // namespace kelpa
