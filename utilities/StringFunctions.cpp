// Text members of Aux. The platform's string, path and URL services do the
// work where they honour a String's length; trimming and character search
// are done here over the whole String so that embedded NULs lose nothing.
#include "utilities/StringFunctions.h"

#include <shlwapi.h>
#include <algorithm>
#include <cmath>
#include <cwchar>
#include <vector>

#include "core/ScriptValueAccess.h"
#include "core/ScriptValues.h"
#include "runtime/AutomationErrors.h"
#include "runtime/ByteStrings.h"
#include "runtime/UniqueHandle.h"

namespace kelpa {
namespace {

// The platform's URL services write into a buffer of this many characters.
constexpr DWORD kUrlBufferChars = 4096;
// Byte-size and interval texts: a generous fixed buffer.
constexpr UINT kFormatBufferChars = 512;
constexpr double kLargestFormattedNumber = 1e200;
constexpr size_t kLongestFormat = 255;
// IS_TEXT_UNICODE_ASCII16 | CONTROLS | SIGNATURE | REVERSE_ASCII16 |
// REVERSE_CONTROLS | REVERSE_SIGNATURE | ILLEGAL_CHARS | ODD_LENGTH |
// NULL_BYTES: every test but the statistical ones.
constexpr int kDefaultUnicodeTests = 0x13DD;

bool IsValidConversion(int code) {
    if (code <= 0 || code > 0xFF) return false;
    if ((code & kToWide) && (code & kToNarrow)) return false;
    if ((code & kToKatakana) && (code & kToHiragana)) return false;
    if ((code & kToUnicode) && (code & kFromUnicode)) return false;
    return true;
}

// The ANSI code page of a locale; a locale without one (Unicode-only
// locales report 0) uses the system's.
UINT AnsiCodePageOf(LCID locale) {
    wchar_t digits[8] = {};
    if (!GetLocaleInfoW(locale, LOCALE_IDEFAULTANSICODEPAGE, digits, ARRAYSIZE(digits))) return GetACP();
    const UINT codePage = static_cast<UINT>(wcstoul(digits, nullptr, 10));
    return codePage ? codePage : GetACP();
}

std::optional<std::wstring> MapText(LCID locale, DWORD flags, const std::wstring& text) {
    if (text.empty()) return std::wstring();
    const int length = static_cast<int>(text.size());
    const int needed = LCMapStringW(locale, flags, text.data(), length, nullptr, 0);
    if (needed <= 0) return std::nullopt;
    std::wstring mapped(needed, L'\0');
    const int written = LCMapStringW(locale, flags, text.data(), length, &mapped[0], needed);
    if (written <= 0) return std::nullopt;
    mapped.resize(written);
    return mapped;
}

bool IsWordSeparator(wchar_t c) {
    return c == 0 || (c >= 9 && c <= 13) || c == L' ' || c == 0x3000;
}

// Lower case throughout, then the first letter of each word upper case.
std::optional<std::wstring> ProperCase(LCID locale, const std::wstring& text) {
    std::optional<std::wstring> lower = MapText(locale, LCMAP_LOWERCASE, text);
    if (!lower) return std::nullopt;
    bool wordStart = true;
    for (wchar_t& c : *lower) {
        if (IsWordSeparator(c)) {
            wordStart = true;
            continue;
        }
        if (wordStart) {
            wchar_t upper = c;
            if (LCMapStringW(locale, LCMAP_UPPERCASE, &c, 1, &upper, 1) == 1) c = upper;
        }
        wordStart = false;
    }
    return lower;
}

std::optional<std::wstring> WidenBytes(UINT codePage, const std::string& bytes) {
    if (bytes.empty()) return std::wstring();
    const int count = static_cast<int>(bytes.size());
    const int needed = MultiByteToWideChar(codePage, 0, bytes.data(), count, nullptr, 0);
    if (needed <= 0) return std::nullopt;
    std::wstring text(needed, L'\0');
    const int written = MultiByteToWideChar(codePage, 0, bytes.data(), count, &text[0], needed);
    if (written <= 0) return std::nullopt;
    text.resize(written);
    return text;
}

std::optional<std::string> NarrowText(UINT codePage, const wchar_t* text, size_t length) {
    if (length == 0) return std::string();
    const int count = static_cast<int>(length);
    const int needed = WideCharToMultiByte(codePage, 0, text, count, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return std::nullopt;
    // Offered as a String of `needed` characters, that is twice the bytes.
    std::string bytes(static_cast<size_t>(needed) * 2, '\0');
    const int written =
        WideCharToMultiByte(codePage, 0, text, count, &bytes[0], needed * 2, nullptr, nullptr);
    if (written <= 0) return std::nullopt;
    bytes.resize(written);
    return bytes;
}

bool IsMissing(const VARIANT& value) {
    const VARIANT& held = Dereference(value);
    return V_VT(&held) == VT_ERROR && V_ERROR(&held) == DISP_E_PARAMNOTFOUND;
}

// A numeric script value as a Long; nothing when it does not fit.
std::optional<long> ToLong(const VARIANT& value) {
    unique_variant direct;
    if (FAILED(VariantCopyInd(direct.get(), const_cast<VARIANT*>(&value)))) return std::nullopt;
    unique_variant number;
    if (FAILED(VariantChangeType(number.get(), direct.get(), 0, VT_I4))) return std::nullopt;
    return V_I4(number.get());
}

// The bytes of a String held by value or by a typed reference.
std::optional<std::string> StringBytesOf(const VARIANT& value) {
    const VARIANT& held = Dereference(value);
    if (V_VT(&held) == VT_BSTR) return BytesFromBstr(V_BSTR(&held));
    if (V_VT(&held) == (VT_BYREF | VT_BSTR) && V_BSTRREF(&held)) return BytesFromBstr(*V_BSTRREF(&held));
    return std::nullopt;
}

// Every byte of an allocated byte array with at least one element in its
// first dimension, in storage order.
std::optional<std::string> ByteArrayBytesOf(const VARIANT& value) {
    if (ArrayElementType(value) != VT_UI1) return std::nullopt;
    SAFEARRAY* array = ArrayOf(value);
    if (!array || SafeArrayGetDim(array) < 1) return std::nullopt;
    LONG lower = 0, upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper)) ||
        upper < lower)
        return std::nullopt;
    size_t count = 1;
    for (UINT d = 0; d < array->cDims; ++d) count *= array->rgsabound[d].cElements;
    const ArrayData data(array);
    if (!data) return std::nullopt;
    return std::string(reinterpret_cast<const char*>(data.get()), count);
}

std::wstring UrlResult(HRESULT hr, const std::vector<wchar_t>& buffer, DWORD written) {
    if (hr != S_OK) return std::wstring();
    return std::wstring(buffer.data(), std::min<DWORD>(written, kUrlBufferChars));
}

}  // namespace

std::optional<std::string> ConvertStringBytes(const std::string& bytes, int code, LCID locale) {
    if (!IsValidConversion(code)) return std::nullopt;
    if (locale == 0) locale = GetSystemDefaultLCID();
    if (!IsValidLocale(locale, LCID_SUPPORTED)) return std::nullopt;
    const UINT codePage = AnsiCodePageOf(locale);

    std::optional<std::wstring> text;
    if (code & kToUnicode)
        text = WidenBytes(codePage, bytes);
    else
        text = TextOfBytes(bytes);
    if (!text) return std::nullopt;

    const int caseCode = code & kToProperCase;
    if (caseCode == kToProperCase)
        text = ProperCase(locale, *text);
    else if (caseCode == kToUpperCase)
        text = MapText(locale, LCMAP_UPPERCASE, *text);
    else if (caseCode == kToLowerCase)
        text = MapText(locale, LCMAP_LOWERCASE, *text);
    if (text && (code & kToWide)) text = MapText(locale, LCMAP_FULLWIDTH, *text);
    if (text && (code & kToNarrow)) text = MapText(locale, LCMAP_HALFWIDTH, *text);
    if (text && (code & kToKatakana)) text = MapText(locale, LCMAP_KATAKANA, *text);
    if (text && (code & kToHiragana)) text = MapText(locale, LCMAP_HIRAGANA, *text);
    if (!text) return std::nullopt;

    if (code & kFromUnicode) return NarrowText(codePage, text->data(), text->size());
    return BytesOfText(*text);
}

std::optional<std::wstring> UnicodeString(const VARIANT& data) {
    std::optional<std::string> bytes = StringBytesOf(data);
    if (!bytes) bytes = ByteArrayBytesOf(data);
    if (!bytes) return std::nullopt;
    const std::optional<std::string> converted = ConvertStringBytes(*bytes, kToUnicode, 0);
    if (!converted) return std::nullopt;
    return TextOfBytes(*converted);
}

std::optional<std::string> ConvertWithLocale(const std::string& bytes, int code, const VARIANT* lcid) {
    LCID locale = 0;
    if (lcid && !IsMissing(*lcid)) {
        if (!IsNumeric(*lcid)) return std::nullopt;
        const std::optional<long> number = ToLong(*lcid);
        if (!number) return std::nullopt;
        locale = static_cast<LCID>(*number);
    }
    return ConvertStringBytes(bytes, code, locale);
}

bool ConvertInPlace(VARIANT& value, int code) {
    std::optional<std::string> bytes = StringBytesOf(value);
    if (!bytes) bytes = ByteArrayBytesOf(value);
    if (!bytes) {
        // Numbers, dates, Booleans and Empty as the text the language gives them.
        const VARIANT& held = Dereference(value);
        const VARTYPE base = V_VT(&held) & VT_TYPEMASK;
        if ((V_VT(&held) & VT_ARRAY) || base == VT_NULL || base == VT_DISPATCH || base == VT_UNKNOWN ||
            base == VT_RECORD || base == VT_ERROR)
            return false;
        unique_variant direct, text;
        if (FAILED(VariantCopyInd(direct.get(), const_cast<VARIANT*>(&held)))) return false;
        if (FAILED(VariantChangeType(text.get(), direct.get(), 0, VT_BSTR))) return false;
        bytes = BytesFromBstr(V_BSTR(text.get()));
    }
    const std::optional<std::string> converted = ConvertStringBytes(*bytes, code, 0);
    if (!converted) return false;
    unique_variant result;
    V_VT(result.get()) = VT_BSTR;
    V_BSTR(result.get()) = BstrFromBytes(*converted);
    return StoreScriptValue(value, *result.get());
}

std::wstring TrimCharacters(const std::wstring& text, const std::wstring& chars) {
    if (chars.empty()) return text;
    const size_t first = text.find_first_not_of(chars);
    if (first == std::wstring::npos) return std::wstring();
    const size_t last = text.find_last_not_of(chars);
    return text.substr(first, last - first + 1);
}

long long CurrencyToWholeNumber(long long pattern) noexcept {
    long long whole = pattern / 10000;
    const long long rest = pattern % 10000;  // same sign as pattern
    const long long distance = rest < 0 ? -rest : rest;
    const long long step = pattern < 0 ? -1 : 1;
    if (distance > 5000 || (distance == 5000 && (whole % 2) != 0)) whole += step;
    return whole;
}

std::wstring FormatByteSize(long long currencyPattern) {
    wchar_t buffer[kFormatBufferChars] = {};
    if (!StrFormatByteSizeW(CurrencyToWholeNumber(currencyPattern), buffer, kFormatBufferChars))
        return std::wstring();
    buffer[kFormatBufferChars - 1] = L'\0';
    return buffer;
}

std::wstring FormatTimeInterval(long milliseconds, long digits) {
    wchar_t buffer[kFormatBufferChars] = {};
    const int written = StrFromTimeIntervalW(buffer, kFormatBufferChars, static_cast<DWORD>(milliseconds),
                                             static_cast<int>(digits));
    if (written <= 0) return std::wstring();
    return std::wstring(buffer, std::min<UINT>(static_cast<UINT>(written), kFormatBufferChars - 1));
}

bool IsUrl(const std::wstring& text) {
    return text.size() < MAX_PATH && PathIsURLW(text.c_str());
}

bool IsUncPath(const std::wstring& text) {
    return text.size() < MAX_PATH && PathIsUNCW(text.c_str());
}

std::wstring EscapeUrl(const std::wstring& url, bool decode, long flags) {
    std::vector<wchar_t> buffer(kUrlBufferChars, L'\0');
    DWORD size = kUrlBufferChars;
    if (!decode) {
        const HRESULT hr = UrlEscapeW(url.c_str(), buffer.data(), &size, static_cast<DWORD>(flags));
        return UrlResult(hr, buffer, size);
    }
    // URL_UNESCAPE_INPLACE would make the platform write into the input and
    // ignore the buffer and its size: the result is the same text, so the
    // flag is dropped and the 4096-character limit holds for every call.
    std::wstring copy = url;
    const DWORD unescapeFlags = static_cast<DWORD>(flags) & ~static_cast<DWORD>(URL_UNESCAPE_INPLACE);
    const HRESULT hr = UrlUnescapeW(&copy[0], buffer.data(), &size, unescapeFlags);
    return UrlResult(hr, buffer, size);
}

std::wstring CanonicalizeUrl(const std::wstring& url, bool decode, long flags) {
    std::vector<wchar_t> buffer(kUrlBufferChars, L'\0');
    DWORD size = kUrlBufferChars;
    DWORD platformFlags = static_cast<DWORD>(flags);
    if (decode) platformFlags |= URL_UNESCAPE;
    const HRESULT hr = UrlCanonicalizeW(url.c_str(), buffer.data(), &size, platformFlags);
    return UrlResult(hr, buffer, size);
}

bool IsUrlOfType(const std::wstring& url, long test) {
    return UrlIsW(url.c_str(), static_cast<URLIS>(test)) != FALSE;
}

std::wstring QuotePath(const std::wstring& path, bool unquote) {
    // Quoting adds two characters and the NUL to a MAX_PATH buffer.
    if (path.size() >= MAX_PATH - 2) return std::wstring();
    wchar_t buffer[MAX_PATH] = {};
    std::copy(path.begin(), path.end(), buffer);
    if (unquote)
        PathUnquoteSpacesW(buffer);
    else
        PathQuoteSpacesW(buffer);
    buffer[MAX_PATH - 1] = L'\0';
    return buffer;
}

std::wstring CompactPath(const std::wstring& path, long maxChars) {
    if (path.size() > MAX_PATH || maxChars < 1 || maxChars >= MAX_PATH) return std::wstring();
    wchar_t buffer[MAX_PATH] = {};
    if (!PathCompactPathExW(buffer, path.c_str(), static_cast<UINT>(maxChars), 0)) return std::wstring();
    buffer[MAX_PATH - 1] = L'\0';
    return buffer;
}

std::string ConvertCodePage(const std::string& bytes, int direction, long codePage) {
    const UINT page = codePage == -1 ? GetACP() : static_cast<UINT>(codePage);
    if (direction != 0) {
        const std::optional<std::wstring> text = WidenBytes(page, bytes);
        return text ? BytesOfText(*text) : std::string();
    }
    // The String's whole characters; an odd final byte is no character.
    const std::wstring text = TextOfBytes(bytes.substr(0, bytes.size() & ~size_t(1)));
    const std::optional<std::string> encoded = NarrowText(page, text.data(), text.size());
    return encoded ? *encoded : std::string();
}

bool LooksLikeUnicode(const std::string& bytes, VARIANT& tests) {
    unique_variant written;
    V_VT(written.get()) = VT_I4;
    V_I4(written.get()) = 0;
    if (bytes.empty()) {
        StoreScriptValue(tests, *written.get());
        return false;
    }
    int mask = 0;
    if (IsNumeric(tests)) {
        const std::optional<long> number = ToLong(tests);
        if (!number) return false;
        mask = static_cast<int>(*number);
    }
    if (mask == 0) mask = kDefaultUnicodeTests;
    const BOOL verdict = IsTextUnicode(bytes.data(), static_cast<int>(bytes.size()), &mask);
    V_I4(written.get()) = mask;
    StoreScriptValue(tests, *written.get());
    return verdict != FALSE;
}

long FindAnyCharacter(const std::wstring& text, const std::wstring& chars, long pos) {
    if (chars.empty() || pos < 1 || static_cast<unsigned long>(pos) > text.size()) return 0;
    const size_t found = text.find_first_of(chars, static_cast<size_t>(pos) - 1);
    return found == std::wstring::npos ? 0 : static_cast<long>(found) + 1;
}

std::wstring FormatValue(const VARIANT& value, const std::wstring& format, int firstDayOfWeek,
                         int firstWeekOfYear) {
    // An array has no text form; say so before copying all of it.
    if (V_VT(&Dereference(value)) & VT_ARRAY) ThrowTypeMismatch(kAuxSource);
    // Wine's VarFormat writes the digits of a number into a fixed buffer of
    // its own and overruns it somewhere above 1e250, taking the server down.
    // No format shows such a number usefully: report an overflow instead.
    if (IsNumeric(value) && std::fabs(NumericValue(value)) >= kLargestFormattedNumber) ThrowOverflow(kAuxSource);
    unique_variant direct;
    CheckAutomation(VariantCopyInd(direct.get(), const_cast<VARIANT*>(&value)), kAuxSource);
    unique_bstr text;
    const std::wstring pattern = CutAtNul(format);
    // Wine's format parser keeps lengths in a byte: a longer format text gives
    // a silently wrong result or, with escapes in it, overruns a buffer.
    if (pattern.size() > kLongestFormat) ThrowInvalidCall(kAuxSource);
    CheckAutomation(VarFormat(direct.get(), pattern.empty() ? nullptr : const_cast<LPOLESTR>(pattern.c_str()),
                              firstDayOfWeek, firstWeekOfYear, 0, text.put()),
                    kAuxSource);
    return text.get() ? std::wstring(text.get(), SysStringLen(text.get())) : std::wstring();
}

}  // namespace kelpa
