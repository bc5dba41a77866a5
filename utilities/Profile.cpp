// Profile logic. The platform opens and closes the file in every call, so
// changes by other programs are seen at once; nothing is cached here.
#include "utilities/Profile.h"

#include <windows.h>
#include <vector>

namespace kelpa {
namespace {

constexpr HRESULT kProfileNotFound = ObjectError(831);
constexpr HRESULT kNoProfile = ObjectError(832);
constexpr HRESULT kBeyondMaximum = ObjectError(833);

// A relative path is checked against the server's current folder, but the
// profile services would look for a bare name in the Windows folder: resolve
// it once, so the file that was checked is the file that is used.
std::wstring FullPathOf(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return path;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return path;
    full.resize(length);
    return full;
}

}  // namespace

std::wstring NulsToLineBreaks(const std::wstring& list) {
    std::wstring text;
    text.reserve(list.size() + list.size() / 8);
    for (wchar_t c : list) {
        if (c == L'\0')
            text += L"\r\n";
        else
            text += c;
    }
    return text;
}

std::wstring LineBreaksToNuls(const std::wstring& text) {
    std::wstring list;
    list.reserve(text.size() + 1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
            list += L'\0';
            ++i;
        } else {
            list += text[i];
        }
    }
    list += L'\0';
    return list;
}

std::wstring HexLimit(size_t limit) {
    wchar_t digits[16];
    swprintf(digits, 16, L"%X", static_cast<unsigned>(limit));
    return L"(0x" + std::wstring(digits) + L").";
}

void Profile::SetFile(const std::wstring& path) {
    // The wide query: an ANSI one would call a path with characters outside
    // the code page missing although it exists. A directory counts as existing.
    if (path.find(L'\0') == std::wstring::npos && GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
        m_path = path;
        m_fullPath = FullPathOf(path);
        return;
    }
    m_errors.Report(kProfileNotFound, L"Profile not found: " + path);
}

bool Profile::HasProfile() const {
    if (!m_path.empty()) return true;
    m_errors.Report(kNoProfile, L"No Profile defined.");
    return false;
}

std::wstring Profile::GetValue(const std::wstring& section, const std::wstring& key) const {
    if (!HasProfile()) return {};
    std::vector<wchar_t> buffer(kValueLimit);
    const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                                  kValueLimit, m_fullPath.c_str());
    return std::wstring(buffer.data(), length);
}

std::wstring Profile::GetSection(const std::wstring& section, bool convert) const {
    if (!HasProfile()) return {};
    std::vector<wchar_t> buffer(kSectionLimit);
    const DWORD length =
        GetPrivateProfileSectionW(section.c_str(), buffer.data(), kSectionLimit, m_fullPath.c_str());
    const std::wstring list(buffer.data(), length);
    return convert ? NulsToLineBreaks(list) : list;
}

std::wstring Profile::GetSectionNames(bool convert) const {
    if (!HasProfile()) return {};
    std::vector<wchar_t> buffer(kSectionLimit);
    const DWORD length = GetPrivateProfileSectionNamesW(buffer.data(), kSectionLimit, m_fullPath.c_str());
    const std::wstring list(buffer.data(), length);
    return convert ? NulsToLineBreaks(list) : list;
}

bool Profile::SetValue(const std::wstring& section, const std::wstring& key, const std::wstring& entry) const {
    if (!HasProfile()) return false;
    if (entry.size() > kValueLimit) {
        m_errors.Report(kBeyondMaximum, L"Key value length is beyond maximum " + HexLimit(kValueLimit));
        return false;
    }
    const wchar_t* keyName = key.empty() ? nullptr : key.c_str();
    const wchar_t* value = (key.empty() || entry.empty()) ? nullptr : entry.c_str();
    return WritePrivateProfileStringW(section.c_str(), keyName, value, m_fullPath.c_str()) != FALSE;
}

bool Profile::SetSection(const std::wstring& section, const std::wstring& entries, bool convert) const {
    if (!HasProfile()) return false;
    if (entries.size() > kSectionLimit) {
        m_errors.Report(kBeyondMaximum, L"Section entries beyond maximum " + HexLimit(kSectionLimit));
        return false;
    }
    std::wstring list = convert ? LineBreaksToNuls(entries) : entries;
    // The platform reads up to a double NUL. A script that supplies its own
    // separators may leave the last one off; the extra terminator keeps the
    // read inside our buffer either way and changes no well-formed list.
    list += L'\0';
    return WritePrivateProfileSectionW(section.c_str(), list.c_str(), m_fullPath.c_str()) != FALSE;
}

}  // namespace kelpa
