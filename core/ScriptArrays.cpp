// Arrays handed back to scripts.
#include "core/ScriptArrays.h"

#include <new>

#include "core/ScriptValues.h"
#include "runtime/UniqueHandle.h"

namespace kelpa {
namespace {

unique_safearray NewVector(VARTYPE type, size_t count) {
    if (count > 0x7FFFFFFF) throw std::bad_alloc();
    unique_safearray array(SafeArrayCreateVector(type, 0, static_cast<ULONG>(count)));
    if (!array) throw std::bad_alloc();
    return array;
}

// Holds an array's data locked for the lifetime of the object.
class ArrayAccess {
public:
    explicit ArrayAccess(SAFEARRAY* array) : m_array(array) {
        if (FAILED(SafeArrayAccessData(m_array, &m_data))) throw std::bad_alloc();
    }
    ~ArrayAccess() { SafeArrayUnaccessData(m_array); }
    ArrayAccess(const ArrayAccess&) = delete;
    ArrayAccess& operator=(const ArrayAccess&) = delete;
    template <class T> T* As() const noexcept { return static_cast<T*>(m_data); }

private:
    SAFEARRAY* m_array;
    void* m_data = nullptr;
};

void Hand(VARIANT* target, VARTYPE elementType, unique_safearray array) {
    VariantClear(target);
    V_VT(target) = static_cast<VARTYPE>(VT_ARRAY | elementType);
    V_ARRAY(target) = array.release();
}

}  // namespace

void PutStringArray(VARIANT* target, const std::vector<std::wstring>& items, bool asScriptValues) {
    unique_safearray array = NewVector(asScriptValues ? VT_VARIANT : VT_BSTR, items.size());
    {
        ArrayAccess access(array.get());
        for (size_t i = 0; i < items.size(); ++i) {
            BSTR text = SysAllocStringLen(items[i].data(), static_cast<UINT>(items[i].size()));
            if (!text) throw std::bad_alloc();
            if (asScriptValues) {
                V_VT(&access.As<VARIANT>()[i]) = VT_BSTR;
                V_BSTR(&access.As<VARIANT>()[i]) = text;
            } else {
                access.As<BSTR>()[i] = text;
            }
        }
    }
    Hand(target, asScriptValues ? VT_VARIANT : VT_BSTR, std::move(array));
}

void PutByteArray(VARIANT* target, const std::vector<BYTE>& bytes, bool asScriptValues) {
    unique_safearray array = NewVector(asScriptValues ? VT_VARIANT : VT_UI1, bytes.size());
    {
        ArrayAccess access(array.get());
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (asScriptValues) {
                V_VT(&access.As<VARIANT>()[i]) = VT_UI1;
                V_UI1(&access.As<VARIANT>()[i]) = bytes[i];
            } else {
                access.As<BYTE>()[i] = bytes[i];
            }
        }
    }
    Hand(target, asScriptValues ? VT_VARIANT : VT_UI1, std::move(array));
}

VARIANT* OutTarget(VARIANT* value) noexcept {
    return value ? const_cast<VARIANT*>(&Dereference(*value)) : nullptr;
}

bool ArrayElement(SAFEARRAY* array, LONG index, VARIANT* target) noexcept {
    VariantClear(target);
    VARTYPE type = VT_EMPTY;
    if (!array || FAILED(SafeArrayGetVartype(array, &type))) return false;
    if (type == VT_VARIANT) return SUCCEEDED(SafeArrayGetElement(array, &index, target));
    switch (type) {
    case VT_I1: case VT_UI1: case VT_I2: case VT_UI2: case VT_I4: case VT_UI4: case VT_INT: case VT_UINT:
    case VT_I8: case VT_UI8: case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_BOOL: case VT_ERROR:
    case VT_BSTR: case VT_DISPATCH: case VT_UNKNOWN:
        // SafeArrayGetElement copies strings and adds references to objects,
        // so the value field becomes the variant's own.
        if (FAILED(SafeArrayGetElement(array, &index, &V_UI1(target)))) return false;
        V_VT(target) = type;
        return true;
    default:
        return false;
    }
}

}  // namespace kelpa
