// Aux logic in-process: conversions, bounds of every byte read, array walks,
// 64-bit patterns, writes through references, and the dispatch wrapping of
// by-value arguments to [in, out] VARIANT* parameters.
#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>
#include <algorithm>
#include <functional>
#include <vector>

#include "catch.hpp"
#include "core/ScriptValueAccess.h"
#include "runtime/AutomationErrors.h"
#include "runtime/ByteStrings.h"
#include "runtime/UniqueHandle.h"
#include "utilities/AuxObject.h"
#include "utilities/BinaryFunctions.h"
#include "utilities/StringFunctions.h"

using Microsoft::WRL::ComPtr;
using namespace kelpa;

namespace {

constexpr LCID kEnglishUs = 0x409;  // ANSI code page 1252

std::string Bytes(const char* text) { return std::string(text); }
std::string Utf16(const std::wstring& text) { return BytesOfText(text); }

void SetText(VARIANT& v, const std::wstring& text) {
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

// A SAFEARRAY of Variants with the given bounds (lower, count) per dimension,
// element k in storage order holding the Long k.
unique_safearray NumberedArray(std::vector<SAFEARRAYBOUND> bounds) {
    unique_safearray array(SafeArrayCreate(VT_VARIANT, static_cast<UINT>(bounds.size()), bounds.data()));
    REQUIRE(array);
    const ArrayData data(array.get());
    REQUIRE(data);
    VARIANT* items = reinterpret_cast<VARIANT*>(data.get());
    ULONG total = 1;
    for (const SAFEARRAYBOUND& b : bounds) total *= b.cElements;
    for (ULONG k = 0; k < total; ++k) {
        V_VT(&items[k]) = VT_I4;
        V_I4(&items[k]) = static_cast<LONG>(k);
    }
    return array;
}

VARIANT ArrayValue(SAFEARRAY* array, VARTYPE element = VT_VARIANT) {
    VARIANT v;
    V_VT(&v) = VT_ARRAY | element;
    V_ARRAY(&v) = array;
    return v;
}

std::vector<LONG> LongsOf(SAFEARRAY* array) {
    std::vector<LONG> values;
    const ArrayData data(array);
    REQUIRE(data);
    VARIANT* items = reinterpret_cast<VARIANT*>(data.get());
    for (ULONG k = 0; k < array->rgsabound[0].cElements; ++k) {
        REQUIRE(V_VT(&items[k]) == VT_I4);
        values.push_back(V_I4(&items[k]));
    }
    return values;
}

HRESULT ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const ScriptError& e) {
        return e.Number();
    }
    return S_OK;
}

}  // namespace

TEST_CASE("conversion codes: case, proper case, width, code page, invalid combinations", "[aux][text]") {
    CHECK(ConvertStringBytes(Utf16(L"mIxEd"), kToUpperCase, kEnglishUs) == Utf16(L"MIXED"));
    CHECK(ConvertStringBytes(Utf16(L"mIxEd"), kToLowerCase, kEnglishUs) == Utf16(L"mixed"));
    // Words start after blanks, tabs, line ends and NULs, not after punctuation.
    CHECK(ConvertStringBytes(Utf16(std::wstring(L"hELLO wORLD\tx\r\ny-z\0q", 21)), kToProperCase, kEnglishUs) ==
          Utf16(std::wstring(L"Hello World\tX\r\nY-z\0Q", 21)));
    CHECK(ConvertStringBytes(Utf16(L"a1"), kToWide, kEnglishUs) == Utf16(L"\xFF41\xFF11"));
    CHECK(ConvertStringBytes(Utf16(L"\xFF41"), kToNarrow, kEnglishUs) == Utf16(L"a"));
    // 128: the text in code page 1252, one byte a character (the euro sign is 0x80).
    CHECK(ConvertStringBytes(Utf16(L"a\x20AC"), kFromUnicode, kEnglishUs) == Bytes("a\x80"));
    CHECK(ConvertStringBytes(Bytes("a\x80"), kToUnicode, kEnglishUs) == Utf16(L"a\x20AC"));
    CHECK(ConvertStringBytes(Bytes("abc"), kToUnicode | kToUpperCase, kEnglishUs) == Utf16(L"ABC"));
    CHECK(ConvertStringBytes("", kToUpperCase, kEnglishUs) == std::string());

    for (int invalid : {0, -1, 256, kToWide | kToNarrow, kToKatakana | kToHiragana, kToUnicode | kFromUnicode})
        CHECK_FALSE(ConvertStringBytes(Utf16(L"x"), invalid, kEnglishUs));
    CHECK_FALSE(ConvertStringBytes(Utf16(L"x"), kToUpperCase, 0x7FFF));  // no such locale
}

TEST_CASE("UnicodeStr takes Strings and non-empty byte arrays only", "[aux][text]") {
    unique_variant text;
    SetText(*text.get(), std::wstring(L"\x6261\x0063", 2));  // bytes a b c NUL
    CHECK(UnicodeString(*text.get()) == std::wstring(L"abc\0", 4));

    SAFEARRAYBOUND bound = {3, 5};  // odd lower bound: all bytes still count
    unique_safearray bytes(SafeArrayCreate(VT_UI1, 1, &bound));
    {
        const ArrayData data(bytes.get());
        memcpy(data.get(), "x\x80y", 3);
    }
    const VARIANT byteArray = ArrayValue(bytes.get(), VT_UI1);
    const std::optional<std::wstring> widened = UnicodeString(byteArray);
    REQUIRE(widened);
    CHECK(widened->size() == 3);

    SAFEARRAYBOUND none = {0, 0};
    unique_safearray emptyBytes(SafeArrayCreate(VT_UI1, 1, &none));
    CHECK_FALSE(UnicodeString(ArrayValue(emptyBytes.get(), VT_UI1)));
    CHECK_FALSE(UnicodeString(ArrayValue(nullptr, VT_UI1)));
    unique_safearray variants = NumberedArray({{2, 0}});
    CHECK_FALSE(UnicodeString(ArrayValue(variants.get())));
    VARIANT number;
    V_VT(&number) = VT_I4;
    V_I4(&number) = 65;
    CHECK_FALSE(UnicodeString(number));
}

TEST_CASE("StrConv's locale argument and StrConv2's write-back", "[aux][text]") {
    CHECK(ConvertWithLocale(Utf16(L"ab"), kToUpperCase, nullptr) == Utf16(L"AB"));
    VARIANT missing;
    V_VT(&missing) = VT_ERROR;
    V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
    CHECK(ConvertWithLocale(Utf16(L"ab"), kToUpperCase, &missing) == Utf16(L"AB"));
    unique_variant locale;
    SetText(*locale.get(), L"1033");
    CHECK(ConvertWithLocale(Utf16(L"ab"), kToUpperCase, locale.get()) == Utf16(L"AB"));
    SetText(*locale.put(), L"english");
    CHECK_FALSE(ConvertWithLocale(Utf16(L"ab"), kToUpperCase, locale.get()));
    V_VT(locale.put()) = VT_R8;
    V_R8(locale.get()) = 1e12;  // numeric, but no Long
    CHECK_FALSE(ConvertWithLocale(Utf16(L"ab"), kToUpperCase, locale.get()));

    // A script variable arrives as a reference to it: the String is replaced there.
    unique_variant variable;
    SetText(*variable.get(), L"abc");
    VARIANT reference;
    V_VT(&reference) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&reference) = variable.get();
    CHECK(ConvertInPlace(reference, kToUpperCase));
    CHECK(std::wstring(V_BSTR(variable.get())) == L"ABC");
    CHECK_FALSE(ConvertInPlace(reference, kToWide | kToNarrow));
    CHECK(std::wstring(V_BSTR(variable.get())) == L"ABC");
    // A number is converted as its text; Null and objects are refused unchanged.
    V_VT(variable.put()) = VT_I4;
    V_I4(variable.get()) = 12;
    CHECK(ConvertInPlace(reference, kToWide));
    REQUIRE(V_VT(variable.get()) == VT_BSTR);
    CHECK(std::wstring(V_BSTR(variable.get())) == L"\xFF11\xFF12");
    V_VT(variable.put()) = VT_NULL;
    CHECK_FALSE(ConvertInPlace(reference, kToUpperCase));
    CHECK(V_VT(variable.get()) == VT_NULL);
}

TEST_CASE("writes through references keep the referenced type or leave it alone", "[aux][values]") {
    short typed = 7;
    VARIANT shortRef;
    V_VT(&shortRef) = VT_BYREF | VT_I2;
    V_I2REF(&shortRef) = &typed;
    VARIANT value;
    V_VT(&value) = VT_I4;
    V_I4(&value) = 300;
    CHECK(StoreScriptValue(shortRef, value));
    CHECK(typed == 300);
    V_I4(&value) = 70000;  // does not fit an Integer
    CHECK_FALSE(StoreScriptValue(shortRef, value));
    CHECK(typed == 300);

    BSTR text = SysAllocString(L"old");
    VARIANT textRef;
    V_VT(&textRef) = VT_BYREF | VT_BSTR;
    V_BSTRREF(&textRef) = &text;
    CHECK(StoreScriptValue(textRef, value));
    CHECK(std::wstring(text) == L"70000");
    SysFreeString(text);
}

TEST_CASE("byte sizes use the Currency's value, rounded half to even", "[aux][text]") {
    CHECK(CurrencyToWholeNumber(15360000) == 1536);
    CHECK(CurrencyToWholeNumber(25000) == 2);   // 2.5
    CHECK(CurrencyToWholeNumber(35000) == 4);   // 3.5
    CHECK(CurrencyToWholeNumber(25001) == 3);
    CHECK(CurrencyToWholeNumber(-25000) == -2);
    CHECK(CurrencyToWholeNumber(-35000) == -4);
    CHECK(CurrencyToWholeNumber(-4999) == 0);
    CHECK(FormatByteSize(15360000) == L"1.50 KB");  // the raw pattern would be 14.6 MB
    CHECK(FormatTimeInterval(1000, 6) == L" 1 sec");
}

TEST_CASE("StringConvert packs bytes into Strings of odd length", "[aux][text]") {
    const std::string encoded = ConvertCodePage(Utf16(L"abc"), 0, 1252);
    CHECK(encoded == "abc");
    unique_bstr packed(BstrFromBytes(encoded));
    CHECK(SysStringByteLen(packed.get()) == 3);
    CHECK(ConvertCodePage(BytesFromBstr(packed.get()), 1, 1252) == Utf16(L"abc"));
    CHECK(ConvertCodePage(Utf16(L"\x20AC"), 0, 65001) == "\xE2\x82\xAC");
    CHECK(ConvertCodePage("", 1, 1252) == "");
    CHECK(ConvertCodePage(Utf16(L"abc"), 0, 12345678) == "");  // no such code page
}

TEST_CASE("StrIsUnicode writes the matched tests back as a Long", "[aux][text]") {
    unique_variant tests;
    V_VT(tests.get()) = VT_I2;
    V_I2(tests.get()) = 99;
    CHECK_FALSE(LooksLikeUnicode("", *tests.get()));
    CHECK(V_VT(tests.get()) == VT_I4);
    CHECK(V_I4(tests.get()) == 0);

    V_VT(tests.put()) = VT_R8;
    V_R8(tests.get()) = 1e12;  // too large for a Long: False, left as it was
    CHECK_FALSE(LooksLikeUnicode(Utf16(L"text"), *tests.get()));
    CHECK(V_VT(tests.get()) == VT_R8);

    // Only the signature test asked for: a byte-order mark passes it.
    V_VT(tests.put()) = VT_I4;
    V_I4(tests.get()) = IS_TEXT_UNICODE_SIGNATURE;
    CHECK(LooksLikeUnicode(Utf16(L"\xFEFFtext"), *tests.get()));
    CHECK(V_I4(tests.get()) == IS_TEXT_UNICODE_SIGNATURE);
    SetText(*tests.put(), L"not a number");  // not numeric: the default tests
    LooksLikeUnicode(Utf16(L"\xFEFFtext"), *tests.get());
    REQUIRE(V_VT(tests.get()) == VT_I4);
    CHECK((V_I4(tests.get()) & ~0x13DD) == 0);
}

TEST_CASE("Format raises the standard errors of the formatting service", "[aux][text]") {
    VARIANT number;
    V_VT(&number) = VT_R8;
    V_R8(&number) = 1234.5;
    CHECK(FormatValue(number, L"0.00", 0, 0) == L"1234.50");
    CHECK(FormatValue(number, L"", 0, 0) == L"1234.5");
    CHECK(ErrorOf([&] { FormatValue(number, L"0", 9, 0); }) == kInvalidCall);
    unique_safearray array = NumberedArray({{1, 0}});
    CHECK(ErrorOf([&] { FormatValue(ArrayValue(array.get()), L"", 0, 0); }) == kTypeMismatch);
    // Numbers too large for the platform's digit buffer are refused, as text too.
    V_R8(&number) = 1e300;
    CHECK(ErrorOf([&] { FormatValue(number, L"0", 0, 0); }) == kOverflow);
    unique_variant text;
    V_VT(text.get()) = VT_BSTR;
    V_BSTR(text.get()) = SysAllocString(L"-1e290");
    CHECK(ErrorOf([&] { FormatValue(*text.get(), L"0.00", 0, 0); }) == kOverflow);
    V_R8(&number) = 1e150;
    CHECK(FormatValue(number, L"0", 0, 0).size() == 151);
    // Format texts beyond 255 characters are refused rather than misread.
    V_R8(&number) = 5;
    CHECK(FormatValue(number, std::wstring(255, L'0'), 0, 0).size() == 255);
    CHECK(ErrorOf([&] { FormatValue(number, std::wstring(256, L'0'), 0, 0); }) == kInvalidCall);
}

TEST_CASE("byte reads stay inside the value's own storage", "[aux][binary]") {
    VARIANT number;
    V_VT(&number) = VT_R8;
    V_R8(&number) = -2.0;  // 00 00 00 00 00 00 00 C0
    CHECK(ValueByte(number, 8) == 0xC0);
    CHECK(ValueByte(number, 9) == 0);
    CHECK(ValueByte(number, 0) == 0);
    CHECK(ValueDWord(number, 5) == static_cast<long>(0xC0000000));
    CHECK(ValueDWord(number, 6) == 0);
    CHECK(ValueWord(number, 7) == static_cast<short>(0xC000));

    // An Integer owns two bytes: whatever else lies in the field reads as 0.
    VARIANT small;
    V_VT(&small) = VT_I2;
    small.llVal = 0x1122334455667788LL;
    V_I2(&small) = 0x0102;
    CHECK(ValueDWord(small, 1) == 0x0102);

    short referenced = -2;  // a typed reference to two bytes
    VARIANT reference;
    V_VT(&reference) = VT_BYREF | VT_I2;
    V_I2REF(&reference) = &referenced;
    CHECK(ValueWord(reference, 1) == -2);
    CHECK(ValueDWord(reference, 1) == 0xFFFE);

    unique_variant text;  // "A": text bytes 41 00, then the NUL, then nothing
    SetText(*text.get(), L"A");
    CHECK(ValueByte(*text.get(), 1) == 0x41);
    CHECK(ValueDWord(*text.get(), 1) == 0x41);
    CHECK(ValueDWord(*text.get(), 5) == 0);
    SetText(*text.put(), L"ABCDE");
    CHECK(ValueDWord(*text.get(), 5) == 0x00440043);  // only the first four characters

    VARIANT empty;
    VariantInit(&empty);
    CHECK(ValueByte(empty, 1) == 0);
    unique_safearray array = NumberedArray({{1, 0}});
    CHECK(ValueDWord(ArrayValue(array.get()), 1) == 0);  // no pointer bytes
}

TEST_CASE("String words and double words at any byte offset", "[aux][binary]") {
    CHECK(StringWord(Utf16(L"A"), 1) == 0x41);
    CHECK(StringWord(Utf16(L"A"), 2) == 0);
    CHECK(StringWord(Utf16(L"\x1234\x5678"), 2) == 0x7812);
    CHECK(StringDWord(Utf16(L"\x1234\x5678"), 1) == 0x56781234);
    CHECK(StringDWord(Utf16(L"\x1234\x5678"), 2) == 0);
    CHECK(StringDWord(Bytes("abc"), 1) == 0);
    CHECK(StringWord(Bytes("abc"), 2) == 0x6362);
    CHECK(StringWord(Utf16(L"ab"), -1) == 0);
    CHECK(StringDWord(Utf16(L"ab"), 0x7FFFFFFF) == 0);
}

TEST_CASE("byte order reversal and 64-bit patterns at the boundaries", "[aux][binary]") {
    CHECK(ReverseBytes16(0x1234) == 0x3412);
    CHECK(ReverseBytes16(static_cast<short>(0xFF00)) == 0x00FF);
    CHECK(ReverseBytes32(1) == 0x01000000);
    CHECK(ReverseBytes32(0x000000FF) == static_cast<long>(0xFF000000));
    CHECK(ReverseBytes64(0x0102030405060708LL) == 0x0807060504030201LL);
    CHECK(ReverseBytes64(0xFF) == static_cast<long long>(0xFF00000000000000ULL));

    // The rest of the Hex64 and StrToInt64 boundaries run through the server.
    CHECK(Hex64Text(static_cast<long long>(0x8000000000000000ULL)) == L"8000000000000000");
    CHECK(ParseInt64(L"&h7fffffffffffffff") == 0x7FFFFFFFFFFFFFFFLL);
    CHECK(ParseInt64(L"&") == 0);
}

TEST_CASE("VarArray keeps the bounds of dimension 1 and converts typed elements", "[aux][arrays]") {
    unique_safearray array = NumberedArray({{3, 5}});  // 5 to 7
    const unique_safearray copy = CopyFirstDimension(ArrayValue(array.get()));
    REQUIRE(copy);
    LONG lower = 0, upper = 0;
    SafeArrayGetLBound(copy.get(), 1, &lower);
    SafeArrayGetUBound(copy.get(), 1, &upper);
    CHECK(lower == 5);
    CHECK(upper == 7);
    CHECK(LongsOf(copy.get()) == std::vector<LONG>{0, 1, 2});

    SAFEARRAYBOUND bound = {2, 0};
    unique_safearray bytes(SafeArrayCreate(VT_UI1, 1, &bound));
    {
        const ArrayData data(bytes.get());
        data.get()[0] = 7;
        data.get()[1] = 255;
    }
    const unique_safearray fromBytes = CopyFirstDimension(ArrayValue(bytes.get(), VT_UI1));
    REQUIRE(fromBytes);
    {
        const ArrayData data(fromBytes.get());
        VARIANT* items = reinterpret_cast<VARIANT*>(data.get());
        CHECK(V_VT(&items[1]) == VT_UI1);
        CHECK(V_UI1(&items[1]) == 255);
    }

    unique_safearray square = NumberedArray({{2, 0}, {2, 0}});
    CHECK(ErrorOf([&] { CopyFirstDimension(ArrayValue(square.get())); }) == kSubscriptOutOfRange);
    unique_safearray none = NumberedArray({{0, 0}});
    CHECK_FALSE(CopyFirstDimension(ArrayValue(none.get())));
    CHECK_FALSE(CopyFirstDimension(ArrayValue(nullptr)));
}

TEST_CASE("VarArray2 walks storage order and leaves the descriptor alone", "[aux][arrays]") {
    // Three dimensions with odd bounds: 2 x 3 x 2 = 12 elements.
    unique_safearray cube = NumberedArray({{2, -1}, {3, 4}, {2, 1}});
    const VARIANT value = ArrayValue(cube.get());
    CHECK(DimensionCount(value) == 3);
    CHECK(TotalElementCount(value) == 12);
    const SAFEARRAY before = *cube.get();
    const std::vector<SAFEARRAYBOUND> boundsBefore(cube.get()->rgsabound, cube.get()->rgsabound + 3);
    const unique_safearray flat = FlattenArray(value);
    REQUIRE(flat);
    CHECK(LongsOf(flat.get()) == std::vector<LONG>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    CHECK(cube.get()->cDims == before.cDims);
    CHECK(cube.get()->cLocks == before.cLocks);
    for (int d = 0; d < 3; ++d) {
        CHECK(cube.get()->rgsabound[d].lLbound == boundsBefore[d].lLbound);
        CHECK(cube.get()->rgsabound[d].cElements == boundsBefore[d].cElements);
    }
    // (0,0), (1,0), (0,1), (1,1): the first index varies fastest.
    unique_safearray square = NumberedArray({{2, 0}, {2, 0}});
    LONG index[2] = {1, 0};
    VARIANT element;
    VariantInit(&element);
    REQUIRE(SafeArrayGetElement(square.get(), index, &element) == S_OK);
    CHECK(V_I4(&element) == 1);  // (1,0) is second in storage
    CHECK(LongsOf(FlattenArray(ArrayValue(square.get())).get()) == std::vector<LONG>{0, 1, 2, 3});

    unique_safearray none = NumberedArray({{0, 0}});
    const unique_safearray flatNone = FlattenArray(ArrayValue(none.get()));
    REQUIRE(flatNone);
    CHECK(flatNone.get()->rgsabound[0].cElements == 0);
    CHECK_FALSE(FlattenArray(ArrayValue(nullptr)));
    VARIANT number;
    V_VT(&number) = VT_I4;
    V_I4(&number) = 3;
    CHECK_FALSE(FlattenArray(number));
    CHECK(DimensionCount(number) == 0);
    CHECK(TotalElementCount(number) == 0);
}

TEST_CASE("by-value arguments to [in, out] parameters reach the member and come back intact", "[aux][dispatch]") {
    ComPtr<IDispatch> aux;
    REQUIRE(AuxObject::CreateInstance(IID_IDispatch, &aux) == S_OK);
    LPOLESTR name = const_cast<LPOLESTR>(L"StrConv2");
    DISPID id = 0;
    REQUIRE(aux->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id) == S_OK);

    // 12 converted with code 128 is a packed String that no longer reads as
    // a number: written into the caller's Integer it would be a type mismatch.
    VARIANT arguments[2];
    V_VT(&arguments[1]) = VT_I2;
    V_I2(&arguments[1]) = 12;
    V_VT(&arguments[0]) = VT_I2;
    V_I2(&arguments[0]) = kFromUnicode;
    DISPPARAMS params = {arguments, nullptr, 2, 0};
    unique_variant result;
    EXCEPINFO exception = {};
    UINT argumentError = 0;
    CHECK(aux->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.get(), &exception,
                      &argumentError) == S_OK);
    CHECK(V_VT(result.get()) == VT_BOOL);
    CHECK(V_BOOL(result.get()) == VARIANT_TRUE);
    CHECK(V_VT(&arguments[1]) == VT_I2);
    CHECK(V_I2(&arguments[1]) == 12);

    // By reference the variable receives the converted String.
    unique_variant variable;
    SetText(*variable.get(), L"ab");
    V_VT(&arguments[1]) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&arguments[1]) = variable.get();
    V_I2(&arguments[0]) = kToUpperCase;
    CHECK(aux->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result.put(), &exception,
                      &argumentError) == S_OK);
    CHECK(std::wstring(V_BSTR(variable.get())) == L"AB");
}
