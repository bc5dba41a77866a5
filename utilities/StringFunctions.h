// The text members of Aux: case, width and code-page conversions, trimming,
// byte-size and interval texts, path and URL services, and VarFormat. Strings
// that may carry packed 8-bit data are passed as their bytes (std::string).
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <optional>
#include <string>

namespace kelpa {

constexpr const wchar_t* kAuxSource = L"Kelpa.Aux";

// Conversion codes of StrConv; they may be added where that makes sense.
enum StringConversionCode : int {
    kToUpperCase = 1,
    kToLowerCase = 2,
    kToProperCase = 3,
    kToWide = 4,
    kToNarrow = 8,
    kToKatakana = 16,
    kToHiragana = 32,
    kToUnicode = 64,     // the bytes, read as ANSI text of the locale, widened
    kFromUnicode = 128,  // the text encoded in the locale's ANSI code page
};

// Converts the bytes of a String with a conversion code and a locale (0: the
// system default locale). Nothing for an invalid code, an unknown locale or
// a failing platform conversion.
std::optional<std::string> ConvertStringBytes(const std::string& bytes, int code, LCID locale);

// UnicodeStr: a String or an allocated, non-empty byte array read as ANSI
// text of the system default locale; nothing for any other value.
std::optional<std::wstring> UnicodeString(const VARIANT& data);

// StrConv: lcid null (omitted) means locale 0; a non-numeric lcid gives nothing.
std::optional<std::string> ConvertWithLocale(const std::string& bytes, int code, const VARIANT* lcid);

// StrConv2: converts the String (or byte array) held by value in place.
bool ConvertInPlace(VARIANT& value, int code);

// Removes every character of chars from both ends. Works on the whole
// length, so embedded NULs neither end the text nor lose what follows them.
std::wstring TrimCharacters(const std::wstring& text, const std::wstring& chars);

// The byte count is the numeric value of the Currency (raw pattern / 10,000),
// rounded half to even.
long long CurrencyToWholeNumber(long long pattern) noexcept;
std::wstring FormatByteSize(long long currencyPattern);
std::wstring FormatTimeInterval(long milliseconds, long digits);

bool IsUrl(const std::wstring& text);
bool IsUncPath(const std::wstring& text);
std::wstring EscapeUrl(const std::wstring& url, bool decode, long flags);
std::wstring CanonicalizeUrl(const std::wstring& url, bool decode, long flags);
bool IsUrlOfType(const std::wstring& url, long test);
std::wstring QuotePath(const std::wstring& path, bool unquote);
std::wstring CompactPath(const std::wstring& path, long maxChars);

// StringConvert: cvt non-zero reads the bytes as text in code page cp and
// returns UTF-16; cvt 0 encodes the text and returns the bytes. cp -1 is the
// system ANSI code page.
std::string ConvertCodePage(const std::string& bytes, int direction, long codePage);

// StrIsUnicode: asks IsTextUnicode about the bytes; tests gives the mask (0
// or not numeric: the default set) and receives the tests that matched.
bool LooksLikeUnicode(const std::string& bytes, VARIANT& tests);

// CharsInStr: 1-based position of the first character at or after pos that
// is one of chars; 0 when there is none or pos is outside the text.
long FindAnyCharacter(const std::wstring& text, const std::wstring& chars, long pos);

// Format: VarFormat of the value; its failures throw the standard errors.
std::wstring FormatValue(const VARIANT& value, const std::wstring& format, int firstDayOfWeek,
                         int firstWeekOfYear);

}  // namespace kelpa
