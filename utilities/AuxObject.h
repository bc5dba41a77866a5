// "Kelpa.Aux": the COM face of the string, binary and number functions.
#pragma once

#include "kelpa_h.h"
#include "runtime/DispatchObject.h"

namespace kelpa {

class AuxObject : public DispatchObject<AuxObject, _Aux, ::Aux> {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.Aux";

    HRESULT STDMETHODCALLTYPE UnicodeStr(VARIANT* vdata, VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE StrConv(BSTR s, short cv, VARIANT* lcid, VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE StrConv2(VARIANT* vstr, short cv, VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE StrTrim(BSTR s, BSTR chars, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE FormatByteSize(CY qw, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE FormatTimeInterval(LONG ti, LONG digits, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE StrIsURL(BSTR s, VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE StrIsUNC(BSTR s, VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE GetByte(VARIANT* vdata, short pos, unsigned char* result) noexcept override;
    HRESULT STDMETHODCALLTYPE GetWord(VARIANT* vdata, short pos, short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE GetDWord(VARIANT* vdata, short pos, LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE GetStrWord(BSTR s, LONG pos, short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE GetStrDWord(BSTR s, LONG pos, LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE RevInt16(short i, short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE RevInt32(LONG i, LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE RevInt64(CY i, CY* result) noexcept override;
    HRESULT STDMETHODCALLTYPE VarArray(VARIANT* arr, VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE VarArray2(VARIANT* arr, VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE ArrayDimensions(VARIANT* va, short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE ArrayElements(VARIANT* va, LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE VariantType(VARIANT* var, short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE UrlEscape(BSTR s, VARIANT_BOOL decode, LONG flags, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE UrlCanonicalize(BSTR s, VARIANT_BOOL decode, LONG flags,
                                              BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE UrlType(BSTR s, LONG uType, VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE PathQuote(BSTR s, VARIANT_BOOL unquote, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE StringConvert(BSTR s, short cvt, LONG cp, LONG flags, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE StrIsUnicode(BSTR s, VARIANT* tests, VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE CharsInStr(BSTR s, BSTR ch, LONG pos, LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE PathCompact(BSTR sPath, LONG iMaxChars, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE Format(VARIANT* expr, BSTR fmt, short firstdayofweek, short firstweekofyear,
                                     BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE StrToInt64(BSTR sValue, CY* result) noexcept override;
    HRESULT STDMETHODCALLTYPE Hex64(CY qw, BSTR* result) noexcept override;
};

}  // namespace kelpa
