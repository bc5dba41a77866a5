// The shared script-value helpers: shapes, ranges, words.
#include <windows.h>

#include "catch.hpp"
#include "core/ScriptValues.h"
#include "runtime/UniqueHandle.h"

using namespace kelpa;

namespace {
SAFEARRAY* VariantArray(LONG lower, ULONG count) {
    SAFEARRAYBOUND bound = {count, lower};
    return SafeArrayCreate(VT_VARIANT, 1, &bound);
}
}  // namespace

TEST_CASE("arrays are found in all three shapes scripts pass", "[values]") {
    unique_safearray array(VariantArray(0, 3));
    VARIANT plain;
    V_VT(&plain) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&plain) = array.get();
    CHECK(ArrayOf(plain) == array.get());
    CHECK_FALSE(IsByRefArray(plain));
    CHECK(ElementCount(plain) == 3);

    VARIANT reference;  // a dynamic array variable: 0x400C -> 0x200C
    V_VT(&reference) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&reference) = &plain;
    CHECK(ArrayOf(reference) == array.get());
    CHECK_FALSE(IsByRefArray(reference));
    CHECK(ElementCount(reference) == 3);

    SAFEARRAY* slot = array.get();
    VARIANT fixed;  // a fixed-size array variable: 0x400C -> 0x600C
    V_VT(&fixed) = VT_BYREF | VT_ARRAY | VT_VARIANT;
    V_ARRAYREF(&fixed) = &slot;
    V_VARIANTREF(&reference) = &fixed;
    CHECK(IsByRefArray(fixed));
    CHECK(ArrayOf(reference) == array.get());
    CHECK(ArrayElementType(reference) == VT_VARIANT);

    VARIANT number;
    V_VT(&number) = VT_I4;
    V_I4(&number) = 5;
    CHECK(ArrayOf(number) == nullptr);
    CHECK(ElementCount(number) == 0);
}

TEST_CASE("element count needs lower bound 0 and an element", "[values]") {
    unique_safearray odd(VariantArray(1, 3));
    VARIANT v;
    V_VT(&v) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&v) = odd.get();
    CHECK(ElementCount(v) == 0);
    unique_safearray empty(VariantArray(0, 0));
    V_ARRAY(&v) = empty.get();
    CHECK(ElementCount(v) == 0);
    unique_safearray huge(VariantArray(0, 40000));
    V_ARRAY(&v) = huge.get();
    CHECK(ElementCount(v) == 32767);
}

TEST_CASE("numeric, in range and clamp follow the scripting rules", "[values]") {
    VARIANT v;
    VariantInit(&v);
    CHECK(IsNumeric(v));  // Empty counts as 0
    V_VT(&v) = VT_NULL;
    CHECK_FALSE(IsNumeric(v));
    CHECK(Clamp(v, 1, 9) == 1);
    V_VT(&v) = VT_R8;
    V_R8(&v) = 12.5;
    CHECK(InRange(v, 0, 20));
    CHECK_FALSE(InRange(v, 0, 12));
    CHECK(Clamp(v, 0, 10) == 10);
    CHECK(Clamp(v, 13, 20) == 13);
    CHECK(Clamp(v, 0, 20) == 12.5);
    unique_variant text;
    V_VT(text.get()) = VT_BSTR;
    V_BSTR(text.get()) = SysAllocString(L"7");
    CHECK(IsNumeric(*text.get()));
    CHECK(InRange(*text.get(), 7, 7));
    V_BSTR(text.get())[0] = L'x';
    CHECK_FALSE(IsNumeric(*text.get()));
}

TEST_CASE("words and NULs", "[values]") {
    CHECK(LowWord(0x12345678) == 0x5678);
    CHECK(HighWord(0x12345678) == 0x1234);
    CHECK(LowWord(static_cast<long>(0xFFFF8000)) == -32768);
    CHECK(HighWord(-1) == -1);
    CHECK(MakeLong(-1, 0) == 0xFFFF);
    CHECK(MakeLong(0, -1) == static_cast<long>(0xFFFF0000));
    CHECK(MakeLong(LowWord(-123456), HighWord(-123456)) == -123456);
    CHECK(CutAtNul(std::wstring(L"ab\0cd", 5)) == L"ab");
    CHECK(CutAtNul(L"abc") == L"abc");
    CHECK(reinterpret_cast<ULONG_PTR>(ResourceNumber(0x10065)) == 0x65);
}
