// Raw storage of script values and writes through by-reference parameters.
#include "core/ScriptValueAccess.h"

#include <cstring>

#include "core/ScriptValues.h"

namespace kelpa {

size_t StorageSize(VARTYPE baseType) noexcept {
    switch (baseType) {
    case VT_I1: case VT_UI1:
        return 1;
    case VT_I2: case VT_UI2: case VT_BOOL:
        return 2;
    case VT_I4: case VT_UI4: case VT_INT: case VT_UINT: case VT_R4: case VT_ERROR:
        return 4;
    case VT_R8: case VT_CY: case VT_DATE: case VT_I8: case VT_UI8:
        return 8;
    case VT_DECIMAL:
        return sizeof(DECIMAL);
    default:
        return 0;
    }
}

ValueStorage StorageOf(const VARIANT& value) noexcept {
    const VARIANT& held = Dereference(value);
    const VARTYPE type = V_VT(&held);
    if (type & VT_ARRAY) return {};
    const VARTYPE base = type & VT_TYPEMASK;
    const bool byRef = (type & VT_BYREF) != 0;
    if (byRef && !held.byref) return {};

    if (base == VT_BSTR) {
        const BSTR text = byRef ? *V_BSTRREF(&held) : V_BSTR(&held);
        if (!text) return {};
        return {reinterpret_cast<const unsigned char*>(text), SysStringByteLen(text) + sizeof(wchar_t)};
    }
    if (base == VT_DECIMAL) {
        // By value a Decimal fills the whole VARIANT and its "value field" is
        // the low 64 bits; a reference points to the complete DECIMAL.
        if (byRef) return {static_cast<const unsigned char*>(held.byref), sizeof(DECIMAL)};
        return {reinterpret_cast<const unsigned char*>(&held.llVal), 8};
    }
    const size_t size = StorageSize(base);
    if (size == 0) return {};
    if (byRef) return {static_cast<const unsigned char*>(held.byref), size};
    return {reinterpret_cast<const unsigned char*>(&held.llVal), size};
}

namespace {

// Moves a converted value of the given base type into typed storage, freeing
// what was there. converted is left empty.
bool MoveIntoReference(void* storage, VARTYPE base, VARIANT& converted) {
    switch (base) {
    case VT_BSTR:
        SysFreeString(*static_cast<BSTR*>(storage));
        *static_cast<BSTR*>(storage) = V_BSTR(&converted);
        break;
    case VT_DISPATCH:
    case VT_UNKNOWN: {
        IUnknown*& slot = *static_cast<IUnknown**>(storage);
        if (slot) slot->Release();
        slot = V_UNKNOWN(&converted);
        break;
    }
    case VT_DECIMAL: {
        DECIMAL value = V_DECIMAL(&converted);
        value.wReserved = 0;
        *static_cast<DECIMAL*>(storage) = value;
        VariantClear(&converted);
        break;
    }
    default: {
        const size_t size = StorageSize(base);
        if (size == 0) return false;
        memcpy(storage, &converted.llVal, size);
        break;
    }
    }
    VariantInit(&converted);
    return true;
}

}  // namespace

bool StoreScriptValue(VARIANT& target, const VARIANT& value) noexcept {
    VARIANT* slot = &target;
    for (int depth = 0; depth < 8 && V_VT(slot) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(slot); ++depth)
        slot = V_VARIANTREF(slot);

    if (V_VT(slot) & VT_BYREF) {
        const VARTYPE base = V_VT(slot) & VT_TYPEMASK;
        if ((V_VT(slot) & VT_ARRAY) || base == VT_VARIANT || !slot->byref) return false;
        VARIANT converted;
        VariantInit(&converted);
        if (FAILED(VariantChangeType(&converted, const_cast<VARIANT*>(&value), 0, base))) return false;
        if (!MoveIntoReference(slot->byref, base, converted)) {
            VariantClear(&converted);
            return false;
        }
        return true;
    }

    VARIANT copy;
    VariantInit(&copy);
    if (FAILED(VariantCopy(&copy, const_cast<VARIANT*>(&value)))) return false;
    VariantClear(slot);
    *slot = copy;
    return true;
}

}  // namespace kelpa
