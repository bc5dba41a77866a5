// Script-value helpers shared by every class.
#include "core/ScriptValues.h"

#include <new>

#include "runtime/ScriptError.h"
#include "runtime/UniqueHandle.h"

namespace kelpa {

const VARIANT& Dereference(const VARIANT& value) noexcept {
    const VARIANT* current = &value;
    // A reference to a reference is legal but rare; bound the walk anyway.
    for (int depth = 0; depth < 8; ++depth) {
        if (V_VT(current) != (VT_BYREF | VT_VARIANT) || !V_VARIANTREF(current)) break;
        current = V_VARIANTREF(current);
    }
    return *current;
}

bool IsByRefArray(const VARIANT& value) noexcept {
    return (V_VT(&value) & (VT_ARRAY | VT_BYREF)) == (VT_ARRAY | VT_BYREF);
}

SAFEARRAY* ArrayOf(const VARIANT& value) noexcept {
    const VARIANT& held = Dereference(value);
    if (!(V_VT(&held) & VT_ARRAY)) return nullptr;
    if (V_VT(&held) & VT_BYREF) return V_ARRAYREF(&held) ? *V_ARRAYREF(&held) : nullptr;
    return V_ARRAY(&held);
}

VARTYPE ArrayElementType(const VARIANT& value) noexcept {
    const VARIANT& held = Dereference(value);
    if (!ArrayOf(held)) return VT_EMPTY;
    return static_cast<VARTYPE>(V_VT(&held) & VT_TYPEMASK);
}

short ElementCount(const VARIANT& value) noexcept {
    SAFEARRAY* array = ArrayOf(value);
    if (!array || SafeArrayGetDim(array) < 1) return 0;
    LONG lower = 0, upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper))) return 0;
    if (lower != 0 || upper < 0) return 0;
    return upper >= 32766 ? 32767 : static_cast<short>(upper + 1);
}

bool IsNumeric(const VARIANT& value) noexcept {
    const VARIANT& held = Dereference(value);
    switch (V_VT(&held) & ~VT_BYREF) {
    case VT_EMPTY: case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT:
    case VT_UI1: case VT_UI2: case VT_UI4: case VT_UI8: case VT_UINT:
    case VT_R4: case VT_R8: case VT_CY: case VT_DECIMAL: case VT_BOOL:
        return !(V_VT(&held) & VT_BYREF) || held.byref;
    case VT_BSTR: {
        const BSTR text = (V_VT(&held) & VT_BYREF) ? (V_BSTRREF(&held) ? *V_BSTRREF(&held) : nullptr) : V_BSTR(&held);
        double number = 0;
        return text && SysStringLen(text) > 0 && SUCCEEDED(VarR8FromStr(text, LOCALE_USER_DEFAULT, 0, &number));
    }
    default:
        return false;
    }
}

double NumericValue(const VARIANT& value) noexcept {
    if (!IsNumeric(value)) return 0;
    unique_variant number;
    if (FAILED(VariantChangeType(number.get(), const_cast<VARIANT*>(&Dereference(value)), 0, VT_R8))) return 0;
    return V_R8(number.get());
}

bool InRange(const VARIANT& value, double minimum, double maximum) noexcept {
    if (!IsNumeric(value)) return false;
    const double number = NumericValue(value);
    return minimum <= number && number <= maximum;
}

double Clamp(const VARIANT& value, double minimum, double maximum) noexcept {
    if (!IsNumeric(value)) return minimum;
    const double number = NumericValue(value);
    if (number < minimum) return minimum;
    if (number > maximum) return maximum;
    return number;
}

std::wstring CutAtNul(const std::wstring& text) {
    const size_t nul = text.find(L'\0');
    return nul == std::wstring::npos ? text : text.substr(0, nul);
}

}  // namespace kelpa

namespace kelpa {

long ResourceNumberText(const std::wstring& text, const std::wstring& source) {
    size_t i = 0;
    const size_t end = text.find_last_not_of(L" \t");
    while (i < text.size() && (text[i] == L' ' || text[i] == L'\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
    if (end == std::wstring::npos || i > end) ThrowTypeMismatch(source);
    long long value = 0;
    for (; i <= end; ++i) {
        if (text[i] < L'0' || text[i] > L'9') ThrowTypeMismatch(source);
        value = value * 10 + (text[i] - L'0');
        if (value > 0x80000000LL) ThrowOverflow(source);
    }
    if (negative) value = -value;
    if (value > 0x7FFFFFFFLL) ThrowOverflow(source);
    return static_cast<long>(value);
}

std::optional<std::vector<std::wstring>> ArrayTexts(const VARIANT& value, size_t limit, bool zeroBased,
                                                    const std::wstring& source) {
    SAFEARRAY* array = ArrayOf(value);
    if (!array || SafeArrayGetDim(array) != 1) return std::nullopt;
    LONG lower = 0, upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper)) ||
        upper < lower || (zeroBased && lower != 0))
        return std::nullopt;
    VARTYPE type = VT_EMPTY;
    if (FAILED(SafeArrayGetVartype(array, &type))) ThrowTypeMismatch(source);
    std::vector<std::wstring> texts;
    for (LONG index = lower; index <= upper && texts.size() < limit; ++index) {
        unique_variant element;
        // SafeArrayGetElement copies into storage of the element's own type:
        // a whole VARIANT for variants and decimals, the value field otherwise.
        void* slot = (type == VT_VARIANT || type == VT_DECIMAL) ? static_cast<void*>(element.get())
                                                                 : static_cast<void*>(&element->llVal);
        if (type == VT_RECORD || FAILED(SafeArrayGetElement(array, &index, slot))) ThrowTypeMismatch(source);
        if (type != VT_VARIANT) V_VT(element.get()) = type;
        unique_variant text;
        const HRESULT hr = VariantChangeType(text.get(), element.get(), VARIANT_ALPHABOOL, VT_BSTR);
        if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
        if (FAILED(hr)) ThrowTypeMismatch(source);
        const BSTR bstr = V_BSTR(text.get());
        texts.emplace_back(bstr ? std::wstring(bstr, SysStringLen(bstr)) : std::wstring());
    }
    return texts;
}

}  // namespace kelpa
