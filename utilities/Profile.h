// INI profile files through the platform's private-profile services: single
// values, whole sections and section names, with CR LF between entries.
#pragma once

#include <string>

#include "core/ErrorLevel.h"

namespace kelpa {

class Profile {
public:
    static constexpr size_t kValueLimit = 8192;     // one value, read buffer and write limit
    static constexpr size_t kSectionLimit = 32768;  // a section or the name list

    Profile() noexcept : m_errors(L"Kelpa.Profile", 1, 1) {}

    ErrorLevel& Errors() noexcept { return m_errors; }

    const std::wstring& File() const noexcept { return m_path; }
    void SetFile(const std::wstring& path);

    std::wstring GetValue(const std::wstring& section, const std::wstring& key) const;
    std::wstring GetSection(const std::wstring& section, bool convert) const;
    std::wstring GetSectionNames(bool convert) const;
    bool SetValue(const std::wstring& section, const std::wstring& key, const std::wstring& entry) const;
    bool SetSection(const std::wstring& section, const std::wstring& entries, bool convert) const;

private:
    // False (after reporting) when no profile has been chosen yet.
    bool HasProfile() const;

    ErrorLevel m_errors;
    std::wstring m_path;      // as the script gave it
    std::wstring m_fullPath;  // the same file, resolved when it was chosen
};

// The platform's NUL-separated lists, read as CR LF separated text and back.
std::wstring NulsToLineBreaks(const std::wstring& list);
std::wstring LineBreaksToNuls(const std::wstring& text);
// "(0x2000)." style limit text: upper-case hexadecimal without leading zeros.
std::wstring HexLimit(size_t limit);

}  // namespace kelpa
