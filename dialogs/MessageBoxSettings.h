// The settings of "Kelpa.MessageBox" and how a Show call turns them into one
// call of the platform's MessageBoxIndirectW. Composition is a pure function
// (Compose) so the style, icon and text rules can be checked without a box.
#pragma once

#include <windows.h>
#include <string>

namespace kelpa {

// What one Show hands to the platform.
struct MessageBoxCall {
    std::wstring text;
    std::wstring caption;
    UINT style = 0;
    // With MB_USERICON in the style: the icon resource, either an integer
    // identifier (iconName empty) or a name.
    WORD iconNumber = 0;
    std::wstring iconName;
    // The icon lies in the loaded icon file; otherwise it is the system's.
    bool iconFromFile = false;
    DWORD language = 0;

    bool UserIcon() const noexcept { return (style & MB_USERICON) != 0; }
    const wchar_t* IconResource() const noexcept {
        if (!UserIcon()) return nullptr;
        return iconName.empty() ? MAKEINTRESOURCEW(iconNumber) : iconName.c_str();
    }
};

class MessageBoxSettings {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.MessageBox";
    // Show's style argument when it is left out: compose from the properties.
    static constexpr long kComposeStyle = -1;
    static constexpr long kPrecedenceBits = MB_TOPMOST | MB_SETFOREGROUND | MB_TASKMODAL | MB_SYSTEMMODAL;
    static constexpr long kOptionBits = MB_SYSTEMMODAL | MB_TASKMODAL | MB_NOFOCUS | MB_SETFOREGROUND |
                                        MB_DEFAULT_DESKTOP_ONLY | MB_TOPMOST | MB_RIGHT | MB_RTLREADING |
                                        MB_SERVICE_NOTIFICATION;
    static constexpr size_t kTitleLength = 256;

    long Buttons() const noexcept { return m_buttons; }
    // 0 (OK) to 6 (Cancel/Try Again/Continue); anything else is ignored.
    void SetButtons(long value) noexcept;
    long DefButton() const noexcept { return m_defButton; }
    // 2, 3, 4 or the style values 256, 512, 768; anything else is the first button.
    void SetDefButton(long value) noexcept;
    long Icon() const noexcept { return m_icon; }
    void SetIcon(long value) noexcept { m_icon = value; }
    const std::wstring& IconResFile() const noexcept { return m_iconFile; }
    void SetIconResFile(std::wstring value) noexcept { m_iconFile = std::move(value); }
    const std::wstring& IconResID() const noexcept { return m_iconResource; }
    void SetIconResID(std::wstring value) noexcept { m_iconResource = std::move(value); }
    long Language() const noexcept { return m_language; }
    void SetLanguage(long value) noexcept { m_language = value; }
    long Options() const noexcept { return m_options; }
    // Keeps only the option bits; buttons, icon, default button and help are dropped.
    void SetOptions(long value) noexcept { m_options = value & kOptionBits; }
    bool Precedence() const noexcept { return m_precedence; }
    void SetPrecedence(bool value) noexcept { m_precedence = value; }
    const std::wstring& Text() const noexcept { return m_text; }
    void SetText(std::wstring value) noexcept { m_text = std::move(value); }
    const std::wstring& Title() const noexcept { return m_title; }
    void SetTitle(const std::wstring& value) { m_title = value.substr(0, kTitleLength); }

    // Whether a Show with this style argument loads the icon file.
    bool LoadsIconFile(long style) const noexcept { return style == kComposeStyle && !m_iconFile.empty(); }

    // The call for Show(message, style, title), given whether the icon file
    // loaded. Throws type mismatch (13) for an IconResID of "#" and no number,
    // overflow (6) for a number beyond a Long; both only when the file loaded.
    MessageBoxCall Compose(const std::wstring& message, long style, const std::wstring& title,
                           bool iconFileLoaded) const;

    // Shows the box and returns the button pressed (IDOK...), 0 when the
    // platform could not show it. The icon file is loaded for this call only.
    short Show(const std::wstring& message, long style, const std::wstring& title) const;

private:
    long m_buttons = 0;
    long m_defButton = 0;
    long m_icon = 0;
    std::wstring m_iconFile;
    std::wstring m_iconResource;
    long m_language = 0;
    long m_options = 0;
    bool m_precedence = false;
    std::wstring m_text;
    std::wstring m_title;
};

}  // namespace kelpa
