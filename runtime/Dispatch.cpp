// Wine's ITypeInfo::Invoke converts an [in, out] VARIANT* argument that was
// passed by value (a VBScript literal or expression, every JScript value)
// back into its original type after the call, and reports a type mismatch
// when that fails - after the member already ran. Handing such arguments over
// as a reference to a private copy gives the member what it expects and the
// caller what it passed, whatever the member writes into it.
#include "runtime/Dispatch.h"

#include <oleauto.h>
#include <vector>

#include "runtime/UniqueHandle.h"

namespace kelpa {
namespace {

// Which parameter an entry of rgvarg fills: named arguments come first and
// say so; positional ones follow in reverse order.
int ParameterIndexOf(const DISPPARAMS& params, UINT argument) {
    if (argument < params.cNamedArgs) return params.rgdispidNamedArgs[argument];
    return static_cast<int>(params.cArgs - 1 - argument);
}

bool Contains(const std::vector<unsigned>& list, int value) {
    for (unsigned item : list)
        if (static_cast<int>(item) == value) return true;
    return false;
}

}  // namespace

HRESULT InvokeThroughTypeInfo(const InterfaceInfo& info, void* object, DISPID member, WORD flags,
                              DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                              UINT* argumentError) noexcept {
    const auto found = info.inOutVariantParams.find(member);
    if (found == info.inOutVariantParams.end() || !params || params->cArgs == 0)
        return info.typeInfo->Invoke(object, member, flags, params, result, exception, argumentError);

    try {
        std::vector<VARIANT> arguments(params->rgvarg, params->rgvarg + params->cArgs);
        unique_variant_array copies(params->cArgs);

        for (UINT i = 0; i < params->cArgs; ++i) {
            const VARIANT& original = params->rgvarg[i];
            if (V_VT(&original) == (VT_BYREF | VT_VARIANT)) continue;
            if (!Contains(found->second, ParameterIndexOf(*params, i))) continue;
            // A by-reference value of another type (VT_BYREF|VT_I4 from a
            // typed client) is copied as the reference; anything by value is
            // deep-copied, so the caller's own value is never freed by us.
            const HRESULT hr = VariantCopy(&copies[i], const_cast<VARIANT*>(&original));
            if (FAILED(hr)) return hr;
            V_VT(&arguments[i]) = VT_BYREF | VT_VARIANT;
            V_VARIANTREF(&arguments[i]) = &copies[i];
        }

        DISPPARAMS wrapped = *params;
        wrapped.rgvarg = arguments.data();
        return info.typeInfo->Invoke(object, member, flags, &wrapped, result, exception, argumentError);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace kelpa
