// Clipboard text: the runtime's clipboard service (ANSI text in and out
// through CF_TEXT, converted with the system code page) and the Clipboard
// class, which also reads and writes CF_UNICODETEXT itself.
#pragma once

#include <string>

namespace kelpa {

// The clipboard service. Setting empties the clipboard first and raises a
// script error when the clipboard cannot be opened (another program holds
// it); reading gives the empty string then.
void SetClipboardAnsiText(const std::wstring& text, const wchar_t* source);
std::wstring GetClipboardAnsiText();

class Clipboard {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.Clipboard";

    bool UseUnicode() const noexcept { return m_useUnicode; }
    void SetUseUnicode(bool value) noexcept { m_useUnicode = value; }

    std::wstring Text() const;
    void SetText(const std::wstring& text) const;

private:
    bool m_useUnicode = false;
};

}  // namespace kelpa
