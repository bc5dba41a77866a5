// COM shim of Aux: converts arguments and results, nothing else. Every
// [in, out] VARIANT* arrives non-null (the dispatch layer and the type-library
// marshaller see to it); a null from a misbehaving vtable caller reads as Empty.
#include "utilities/AuxObject.h"

#include "runtime/ByteStrings.h"
#include "runtime/Conversions.h"
#include "utilities/BinaryFunctions.h"
#include "utilities/StringFunctions.h"

namespace kelpa {
namespace {

const VARIANT& ValueOrEmpty(const VARIANT* value) {
    static const VARIANT empty = {};
    return value ? *value : empty;
}

// A String result in a script value, or Empty.
void SetOptionalText(VARIANT* result, const std::optional<std::wstring>& text) {
    VariantInit(result);
    if (!text) return;
    V_BSTR(result) = ToBstr(*text);
    V_VT(result) = VT_BSTR;
}

void SetOptionalBytes(VARIANT* result, const std::optional<std::string>& bytes) {
    VariantInit(result);
    if (!bytes) return;
    V_BSTR(result) = BstrFromBytes(*bytes);
    V_VT(result) = VT_BSTR;
}

// An array of script values in a script value, or Empty.
void SetOptionalArray(VARIANT* result, unique_safearray array) {
    VariantInit(result);
    if (!array) return;
    V_ARRAY(result) = array.release();
    V_VT(result) = VT_ARRAY | VT_VARIANT;
}

}  // namespace

HRESULT AuxObject::UnicodeStr(VARIANT* vdata, VARIANT* result) noexcept {
    return Call([&] { SetOptionalText(result, UnicodeString(ValueOrEmpty(vdata))); });
}

HRESULT AuxObject::StrConv(BSTR s, short cv, VARIANT* lcid, VARIANT* result) noexcept {
    return Call([&] { SetOptionalBytes(result, ConvertWithLocale(BytesFromBstr(s), cv, lcid)); });
}

HRESULT AuxObject::StrConv2(VARIANT* vstr, short cv, VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(vstr && ConvertInPlace(*vstr, cv)); });
}

HRESULT AuxObject::StrTrim(BSTR s, BSTR chars, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(TrimCharacters(FromBstr(s), FromBstr(chars))); });
}

HRESULT AuxObject::FormatByteSize(CY qw, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(kelpa::FormatByteSize(qw.int64)); });
}

HRESULT AuxObject::FormatTimeInterval(LONG ti, LONG digits, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(kelpa::FormatTimeInterval(ti, digits)); });
}

HRESULT AuxObject::StrIsURL(BSTR s, VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(IsUrl(FromBstr(s))); });
}

HRESULT AuxObject::StrIsUNC(BSTR s, VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(IsUncPath(FromBstr(s))); });
}

HRESULT AuxObject::GetByte(VARIANT* vdata, short pos, unsigned char* result) noexcept {
    return Call([&] { *result = ValueByte(ValueOrEmpty(vdata), pos); });
}

HRESULT AuxObject::GetWord(VARIANT* vdata, short pos, short* result) noexcept {
    return Call([&] { *result = ValueWord(ValueOrEmpty(vdata), pos); });
}

HRESULT AuxObject::GetDWord(VARIANT* vdata, short pos, LONG* result) noexcept {
    return Call([&] { *result = ValueDWord(ValueOrEmpty(vdata), pos); });
}

HRESULT AuxObject::GetStrWord(BSTR s, LONG pos, short* result) noexcept {
    return Call([&] { *result = StringWord(BytesFromBstr(s), pos); });
}

HRESULT AuxObject::GetStrDWord(BSTR s, LONG pos, LONG* result) noexcept {
    return Call([&] { *result = StringDWord(BytesFromBstr(s), pos); });
}

HRESULT AuxObject::RevInt16(short i, short* result) noexcept {
    return Call([&] { *result = ReverseBytes16(i); });
}

HRESULT AuxObject::RevInt32(LONG i, LONG* result) noexcept {
    return Call([&] { *result = ReverseBytes32(i); });
}

HRESULT AuxObject::RevInt64(CY i, CY* result) noexcept {
    return Call([&] { result->int64 = ReverseBytes64(i.int64); });
}

HRESULT AuxObject::VarArray(VARIANT* arr, VARIANT* result) noexcept {
    return Call([&] { SetOptionalArray(result, CopyFirstDimension(ValueOrEmpty(arr))); });
}

HRESULT AuxObject::VarArray2(VARIANT* arr, VARIANT* result) noexcept {
    return Call([&] { SetOptionalArray(result, FlattenArray(ValueOrEmpty(arr))); });
}

HRESULT AuxObject::ArrayDimensions(VARIANT* va, short* result) noexcept {
    return Call([&] { *result = DimensionCount(ValueOrEmpty(va)); });
}

HRESULT AuxObject::ArrayElements(VARIANT* va, LONG* result) noexcept {
    return Call([&] { *result = TotalElementCount(ValueOrEmpty(va)); });
}

HRESULT AuxObject::VariantType(VARIANT* var, short* result) noexcept {
    return Call([&] { *result = static_cast<short>(V_VT(&ValueOrEmpty(var))); });
}

HRESULT AuxObject::UrlEscape(BSTR s, VARIANT_BOOL decode, LONG flags, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(EscapeUrl(FromBstr(s), FromVariantBool(decode), flags)); });
}

HRESULT AuxObject::UrlCanonicalize(BSTR s, VARIANT_BOOL decode, LONG flags, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(CanonicalizeUrl(FromBstr(s), FromVariantBool(decode), flags)); });
}

HRESULT AuxObject::UrlType(BSTR s, LONG uType, VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(IsUrlOfType(FromBstr(s), uType)); });
}

HRESULT AuxObject::PathQuote(BSTR s, VARIANT_BOOL unquote, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(QuotePath(FromBstr(s), FromVariantBool(unquote))); });
}

HRESULT AuxObject::StringConvert(BSTR s, short cvt, LONG cp, LONG, BSTR* result) noexcept {
    // flags is accepted for compatibility; both directions convert with flags 0.
    return Call([&] { *result = BstrFromBytes(ConvertCodePage(BytesFromBstr(s), cvt, cp)); });
}

HRESULT AuxObject::StrIsUnicode(BSTR s, VARIANT* tests, VARIANT_BOOL* result) noexcept {
    return Call([&] {
        VARIANT ignored = {};
        *result = ToVariantBool(LooksLikeUnicode(BytesFromBstr(s), tests ? *tests : ignored));
    });
}

HRESULT AuxObject::CharsInStr(BSTR s, BSTR ch, LONG pos, LONG* result) noexcept {
    return Call([&] { *result = FindAnyCharacter(FromBstr(s), FromBstr(ch), pos); });
}

HRESULT AuxObject::PathCompact(BSTR sPath, LONG iMaxChars, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(CompactPath(FromBstr(sPath), iMaxChars)); });
}

HRESULT AuxObject::Format(VARIANT* expr, BSTR fmt, short firstdayofweek, short firstweekofyear,
                          BSTR* result) noexcept {
    return Call([&] {
        *result = ToBstr(FormatValue(ValueOrEmpty(expr), FromBstr(fmt), firstdayofweek, firstweekofyear));
    });
}

HRESULT AuxObject::StrToInt64(BSTR sValue, CY* result) noexcept {
    return Call([&] { result->int64 = ParseInt64(FromBstr(sValue)); });
}

HRESULT AuxObject::Hex64(CY qw, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(Hex64Text(qw.int64)); });
}

}  // namespace kelpa
