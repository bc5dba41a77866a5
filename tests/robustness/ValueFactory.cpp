// Value generation for the fuzzer.
#include "tests/robustness/ValueFactory.h"

#include <cmath>
#include <limits>
#include <oleauto.h>
#include <string>

namespace kelpa::robustness {
namespace {

VARIANT Empty() {
    VARIANT v;
    VariantInit(&v);
    return v;
}

}  // namespace

ValueFactory::ValueFactory(unsigned seed) : m_random(seed) {}

ValueFactory::~ValueFactory() { ReleaseReferences(); }

void ValueFactory::ReleaseReferences() {
    for (VARIANT* v : m_referenced) {
        VariantClear(v);
        delete v;
    }
    m_referenced.clear();
    for (SAFEARRAY** slot : m_arraySlots) {
        SafeArrayDestroy(*slot);
        delete slot;
    }
    m_arraySlots.clear();
}

BSTR ValueFactory::MakeString() {
    static const wchar_t* const kTexts[] = {
        L"", L"a", L"abc", L"0", L"-1", L"1e308", L"12:30", L"2024-02-29", L"HKCU\\Software", L"HKLM\\",
        L"\\", L"\\\\", L"C:\\kelpa-fuzz-missing\\x.bin", L"kelpa-fuzz.tmp", L"NUL", L"CON", L"%TEMP%", L"#101",
        L"#x", L"&H7FFFFFFF", L"0x10", L"\x20AC\x4E2D", L"a=1\r\nb=2", L"\r\n", L"   ", L"True"};
    const unsigned choice = Next(32);
    if (choice < 26) return SysAllocString(kTexts[choice]);
    if (choice < 28) {  // embedded NULs
        static const wchar_t kWithNuls[] = L"ab\0cd\0\0e";
        return SysAllocStringLen(kWithNuls, 8);
    }
    if (choice < 30) {  // long: 100,000 characters
        std::wstring big(100000, L'x');
        big[500] = L'\\';
        return SysAllocStringLen(big.data(), static_cast<UINT>(big.size()));
    }
    if (choice == 30) return SysAllocStringByteLen("odd", 3);  // odd byte length
    return nullptr;  // a null BSTR is a legal empty string
}

VARIANT ValueFactory::MakeScalar() {
    VARIANT v = Empty();
    switch (Next(16)) {
    case 0:
        break;  // Empty
    case 1:
        V_VT(&v) = VT_NULL;
        break;
    case 2: {
        static const SHORT kShorts[] = {0, 1, -1, 2, 3, 32767, -32768, 255, 256};
        V_VT(&v) = VT_I2;
        V_I2(&v) = kShorts[Next(9)];
        break;
    }
    case 3: {
        static const LONG kLongs[] = {0, 1, -1, 10, 65535, 65536, 100000, 0x7FFFFFFF, (LONG)0x80000000, 4096};
        V_VT(&v) = VT_I4;
        V_I4(&v) = kLongs[Next(10)];
        break;
    }
    case 4: {
        static const double kDoubles[] = {0.0, -0.0, 0.5, -1.5, 1e308, -1e308, 4.9e-324, 2147483648.0};
        V_VT(&v) = VT_R8;
        const unsigned pick = Next(11);
        V_R8(&v) = pick < 8 ? kDoubles[pick]
                 : pick == 8 ? std::numeric_limits<double>::quiet_NaN()
                 : pick == 9 ? std::numeric_limits<double>::infinity()
                             : -std::numeric_limits<double>::infinity();
        break;
    }
    case 5: {
        V_VT(&v) = VT_CY;
        const unsigned pick = Next(5);
        V_CY(&v).int64 = pick == 0 ? INT64_MAX : pick == 1 ? INT64_MIN : pick == 2 ? 0 : pick == 3 ? -1 : 10000;
        break;
    }
    case 6: {
        V_VT(&v) = VT_DATE;
        static const double kDates[] = {0.0, -657434.0, 2958465.99999, 45000.5, -1.5, 1e10};
        V_DATE(&v) = kDates[Next(6)];
        break;
    }
    case 7:
        V_VT(&v) = VT_BOOL;
        V_BOOL(&v) = Next(2) ? VARIANT_TRUE : VARIANT_FALSE;
        break;
    case 8: case 9: case 10:
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = MakeString();
        break;
    case 11:
        V_VT(&v) = VT_DISPATCH;
        V_DISPATCH(&v) = Next(2) ? m_object : nullptr;
        if (V_DISPATCH(&v)) V_DISPATCH(&v)->AddRef();
        break;
    case 12:
        V_VT(&v) = VT_ERROR;
        V_ERROR(&v) = DISP_E_PARAMNOTFOUND;  // a missing optional argument
        break;
    case 13:
        V_VT(&v) = VT_UI1;
        V_UI1(&v) = static_cast<BYTE>(Next(256));
        break;
    case 14:
        V_VT(&v) = VT_I8;
        V_I8(&v) = Next(2) ? INT64_MAX : -1;
        break;
    default:
        V_VT(&v) = VT_DECIMAL;
        VarDecFromR8(79228162514264337593543950335.0 / (1 + Next(3)), &V_DECIMAL(&v));
        V_VT(&v) = VT_DECIMAL;
        break;
    }
    return v;
}

VARIANT ValueFactory::MakeArray(int depth) {
    static const VARTYPE kElementTypes[] = {VT_VARIANT, VT_UI1, VT_I2, VT_I4, VT_BSTR, VT_R8, VT_BOOL};
    const VARTYPE elementType = kElementTypes[Next(7)];
    const UINT dimensions = Next(4);  // 0 to 3
    SAFEARRAYBOUND bounds[3];
    static const LONG kLowerBounds[] = {0, 0, 0, 1, -5, 100};
    ULONG total = 1;
    for (UINT d = 0; d < dimensions; ++d) {
        bounds[d].lLbound = kLowerBounds[Next(6)];
        bounds[d].cElements = Next(5);
        total *= bounds[d].cElements;
    }
    SAFEARRAY* array = dimensions == 0 ? SafeArrayCreateVector(elementType, 0, 0)
                                       : SafeArrayCreate(elementType, dimensions, bounds);
    if (!array && dimensions == 0) {  // some runtimes refuse a zero-dimensional array
        SAFEARRAYBOUND none = {0, 0};
        array = SafeArrayCreate(elementType, 1, &none);
    }
    VARIANT v = Empty();
    if (!array) return v;
    // Fill the elements in storage order.
    if (total > 0 && dimensions > 0 && SUCCEEDED(SafeArrayLock(array))) {
        for (ULONG i = 0; i < total; ++i) {
            char* element = static_cast<char*>(array->pvData) + i * array->cbElements;
            switch (elementType) {
            case VT_VARIANT: {
                VARIANT item = depth < 1 && Next(4) == 0 ? MakeArray(depth + 1) : MakeScalar();
                *reinterpret_cast<VARIANT*>(element) = item;
                break;
            }
            case VT_BSTR:
                *reinterpret_cast<BSTR*>(element) = MakeString();
                break;
            case VT_UI1:
                *reinterpret_cast<BYTE*>(element) = static_cast<BYTE>(Next(256));
                break;
            case VT_I2: case VT_BOOL:
                *reinterpret_cast<SHORT*>(element) = static_cast<SHORT>(Next(65536));
                break;
            case VT_I4:
                *reinterpret_cast<LONG*>(element) = static_cast<LONG>(m_random());
                break;
            case VT_R8:
                *reinterpret_cast<double*>(element) = Next(2) ? 1.5 : std::numeric_limits<double>::quiet_NaN();
                break;
            default:
                break;
            }
        }
        SafeArrayUnlock(array);
    }
    V_VT(&v) = VT_ARRAY | elementType;
    V_ARRAY(&v) = array;
    return v;
}

VARIANT ValueFactory::Make() {
    const unsigned shape = Next(10);
    if (shape < 6) return MakeScalar();
    if (shape < 8) return MakeArray(0);
    // By reference: to a variant (a script variable) or to an array (a
    // fixed-size script array).
    VARIANT held = Next(2) ? MakeArray(0) : MakeScalar();
    VARIANT v = Empty();
    if (Next(3) == 0 && (V_VT(&held) & VT_ARRAY)) {
        auto* slot = new SAFEARRAY*(V_ARRAY(&held));
        m_arraySlots.push_back(slot);
        V_VT(&v) = static_cast<VARTYPE>(V_VT(&held) | VT_BYREF);
        V_ARRAYREF(&v) = slot;
        return v;
    }
    auto* storage = new VARIANT(held);
    m_referenced.push_back(storage);
    V_VT(&v) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&v) = storage;
    return v;
}

VARIANT ValueFactory::MakeFor(VARTYPE declared) {
    // Mostly values of roughly the right kind, often anything at all.
    if (Next(3) != 0) return Make();
    VARIANT v = MakeScalar();
    if (declared == VT_BSTR && V_VT(&v) != VT_BSTR) {
        VariantClear(&v);
        V_VT(&v) = VT_BSTR;
        V_BSTR(&v) = MakeString();
    }
    return v;
}

void ValueFactory::Release(VARIANT& value) {
    // By-reference values point into storage released in bulk (a member may
    // have replaced what they point at; clearing there frees what it wrote).
    if (V_VT(&value) & VT_BYREF) {
        VariantInit(&value);
        return;
    }
    VariantClear(&value);
}

}  // namespace kelpa::robustness
