// Strings that carry 8-bit data: scripts pack bytes two to a character, and
// such a String may have an odd byte length. These conversions keep every
// byte, where the text conversions of Conversions.h work in whole characters.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <cstring>
#include <new>
#include <string>

namespace kelpa {

// The stored bytes of a String (twice its length, or its odd byte length).
inline std::string BytesFromBstr(BSTR text) {
    return text ? std::string(reinterpret_cast<const char*>(text), SysStringByteLen(text)) : std::string();
}

// A new BSTR whose byte length is exactly bytes.size().
inline BSTR BstrFromBytes(const std::string& bytes) {
    BSTR result = SysAllocStringByteLen(bytes.data(), static_cast<UINT>(bytes.size()));
    if (!result) throw std::bad_alloc();
    return result;
}

// The UTF-16 code units of text as bytes, and back. An odd final byte
// becomes the low byte of a last character, as the marshaller pads it.
inline std::string BytesOfText(const std::wstring& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * sizeof(wchar_t));
}
inline std::wstring TextOfBytes(const std::string& bytes) {
    std::wstring text((bytes.size() + 1) / 2, L'\0');
    if (!bytes.empty()) memcpy(&text[0], bytes.data(), bytes.size());
    return text;
}

}  // namespace kelpa
