// The settings of "Kelpa.DTPick" and its Selection: a date, a time or both
// picked with the platform's date and time picker controls, in whole seconds.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <string>

#include "dialogs/ChoiceDialog.h"

namespace kelpa {

class DTPickSelection {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.DTPick";
    static constexpr size_t kInfoLength = 128;
    enum Mode : short { kDate = 0, kTime = 1, kDateAndTime = 2 };

    DTPickSelection() noexcept {
        // Esc always cancels this dialog; its font is always the modern one.
        m_settings.SetDlgCancelEsc(true);
    }

    ChoiceSettings& Settings() noexcept { return m_settings; }
    short ControlMode() const noexcept { return m_mode; }
    // 0 date, 1 time, 2 both; anything else keeps the old value.
    void SetControlMode(short value) noexcept {
        if (value >= kDate && value <= kDateAndTime) m_mode = value;
    }
    const std::wstring& Title() const noexcept { return m_title; }
    void SetTitle(const std::wstring& value) { m_title = value.substr(0, ChoiceSettings::kTitleLength); }

    // Shows the pickers set to vdt's Date (the current local time when vdt
    // holds no Date, which vdt then keeps) and, on OK, writes the picked
    // Date into vdt and returns true. An array in vdt returns false and is
    // left alone. A Date the pickers cannot show is an invalid call (5).
    bool Selection(VARIANT& vdt) const;

private:
    ChoiceSettings m_settings{kInfoLength};
    short m_mode = kDateAndTime;
    std::wstring m_title;
};

}  // namespace kelpa
