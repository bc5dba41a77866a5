// Style and icon composition of "Kelpa.MessageBox", and the one platform call.
#include "dialogs/MessageBoxSettings.h"

#include "core/ScriptValues.h"
#include "core/windowfn.h"
#include "runtime/ScriptError.h"

namespace kelpa {
namespace {

constexpr long kFirstSystemIcon = 32512;  // IDI_APPLICATION
constexpr long kLastSystemIcon = 32518;   // IDI_SHIELD

bool IsStandardIconStyle(long icon) {
    return icon == MB_ICONHAND || icon == MB_ICONQUESTION || icon == MB_ICONEXCLAMATION || icon == MB_ICONASTERISK;
}

WORD Low16(long value) { return static_cast<WORD>(value & 0xFFFF); }

}  // namespace

void MessageBoxSettings::SetButtons(long value) noexcept {
    if (value >= MB_OK && value <= MB_CANCELTRYCONTINUE) m_buttons = value;
}

void MessageBoxSettings::SetDefButton(long value) noexcept {
    switch (value) {
    case 2: case MB_DEFBUTTON2: m_defButton = MB_DEFBUTTON2; break;
    case 3: case MB_DEFBUTTON3: m_defButton = MB_DEFBUTTON3; break;
    case 4: case MB_DEFBUTTON4: m_defButton = MB_DEFBUTTON4; break;
    default: m_defButton = MB_DEFBUTTON1; break;
    }
}

MessageBoxCall MessageBoxSettings::Compose(const std::wstring& message, long style, const std::wstring& title,
                                           bool iconFileLoaded) const {
    MessageBoxCall call;
    call.text = message.empty() ? m_text : message;
    call.caption = title.empty() ? m_title : title.substr(0, kTitleLength);
    // Language identifiers are 16 bits; the rest of a Long is not passed on.
    call.language = Low16(m_language);

    if (style != kComposeStyle) {
        // A complete style from the caller: no property takes part, no user icon.
        call.style = static_cast<UINT>(style);
        return call;
    }

    long composed = m_buttons + m_defButton + (m_options | (m_precedence ? kPrecedenceBits : 0));
    bool userIcon = false;
    if (!m_iconFile.empty()) {
        if (iconFileLoaded) {
            if (!m_iconResource.empty()) {
                if (m_iconResource[0] == L'#')
                    call.iconNumber = Low16(ResourceNumberText(m_iconResource.substr(1), kSource));
                else
                    call.iconName = m_iconResource;
                userIcon = true;
            } else if (m_icon != 0) {
                call.iconNumber = Low16(m_icon);
                userIcon = true;
            }
            call.iconFromFile = userIcon;
        }
    } else if (m_icon >= kFirstSystemIcon && m_icon <= kLastSystemIcon) {
        call.iconNumber = static_cast<WORD>(m_icon);
        userIcon = true;
    } else if (IsStandardIconStyle(m_icon)) {
        composed += m_icon;
    }
    if (userIcon) composed += MB_USERICON;
    call.style = static_cast<UINT>(composed);
    return call;
}

short MessageBoxSettings::Show(const std::wstring& message, long style, const std::wstring& title) const {
    unique_hmodule iconFile;
    if (LoadsIconFile(style)) iconFile = LoadResourceModule(m_iconFile);
    // A bad IconResID throws here and the module is freed on the way out.
    const MessageBoxCall call = Compose(message, style, title, static_cast<bool>(iconFile));
    if (!call.iconFromFile) iconFile.reset();

    MSGBOXPARAMSW params = {};
    params.cbSize = sizeof(params);
    params.hwndOwner = nullptr;
    params.hInstance = call.iconFromFile ? iconFile.get() : nullptr;
    params.lpszText = call.text.c_str();
    params.lpszCaption = call.caption.c_str();
    params.dwStyle = call.style;
    params.lpszIcon = call.IconResource();
    params.dwContextHelpId = 0;
    params.lpfnMsgBoxCallback = nullptr;
    params.dwLanguageId = call.language;
    return static_cast<short>(MessageBoxIndirectW(&params));
}

}  // namespace kelpa
