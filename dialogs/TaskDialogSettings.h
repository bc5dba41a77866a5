// The settings of "Kelpa.TaskDialog" and how Show and ShowEx turn them into
// one call of the platform's TaskDialog or TaskDialogIndirect. Nothing is
// ever raised: platform failures and faults met while composing the call end
// up in ErrorCode, and the call returns 0.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <optional>
#include <string>
#include <vector>

#include "runtime/UniqueHandle.h"

namespace kelpa {

class TaskDialogSettings {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.TaskDialog";
    static constexpr size_t kTitleLength = 256;
    // The platform takes at most this many custom and radio buttons each.
    static constexpr size_t kMostButtons = 32;
    static constexpr int kFirstCustomButton = 101;
    // Esc and close box, expanded text in the footer, expanded at start,
    // right-to-left, minimisable: the only options a script may set.
    static constexpr long kOptionBits = 0x8 | 0x40 | 0x80 | 0x2000 | 0x8000;
    // Show's Buttons argument when it is left out: use the property.
    static constexpr long kButtonsProperty = -1;

    long Buttons() const noexcept { return m_buttons; }
    void SetButtons(long value) noexcept { m_buttons = value; }
    long ErrorCode() const noexcept { return m_errorCode; }
    long Icon() const noexcept { return m_icon; }
    void SetIcon(long value) noexcept;
    const std::wstring& IconResFile() const noexcept { return m_iconFile; }
    void SetIconResFile(std::wstring value) noexcept { m_iconFile = std::move(value); }
    const std::wstring& IconResID() const noexcept { return m_iconResource; }
    void SetIconResID(std::wstring value) noexcept { m_iconResource = std::move(value); }
    const std::wstring& SubText() const noexcept { return m_subText; }
    void SetSubText(std::wstring value) noexcept { m_subText = std::move(value); }
    const std::wstring& Text() const noexcept { return m_text; }
    void SetText(std::wstring value) noexcept { m_text = std::move(value); }
    const std::wstring& Title() const noexcept { return m_title; }
    void SetTitle(const std::wstring& value) { m_title = value.substr(0, kTitleLength); }
    // The lists are kept as the script gave them and read at each ShowEx.
    void GetCustomButtons(VARIANT* result) const;
    void SetCustomButtons(const VARIANT& value);
    void GetRadioButtons(VARIANT* result) const;
    void SetRadioButtons(const VARIANT& value);
    long CustomButtonStyle() const noexcept { return m_buttonStyle; }
    void SetCustomButtonStyle(long value) noexcept;
    long DefaultButton() const noexcept { return m_defaultButton; }
    void SetDefaultButton(long value) noexcept { m_defaultButton = value; }
    std::wstring ExpandText() const { return m_expandText.value_or(L""); }
    void SetExpandText(std::wstring value) { m_expandText = std::move(value); }
    std::wstring ExpandLabelCo() const { return m_collapsedLabel.value_or(L""); }
    void SetExpandLabelCo(std::wstring value) { m_collapsedLabel = std::move(value); }
    std::wstring ExpandLabelEx() const { return m_expandedLabel.value_or(L""); }
    void SetExpandLabelEx(std::wstring value) { m_expandedLabel = std::move(value); }
    long FooterIcon() const noexcept { return m_footerIcon; }
    void SetFooterIcon(long value) noexcept;
    const std::wstring& FooterIconResID() const noexcept { return m_footerIconResource; }
    void SetFooterIconResID(std::wstring value) noexcept { m_footerIconResource = std::move(value); }
    std::wstring FooterText() const { return m_footerText.value_or(L""); }
    void SetFooterText(std::wstring value) { m_footerText = std::move(value); }
    long Options() const noexcept { return m_options; }
    void SetOptions(long value) noexcept { m_options = value & kOptionBits; }
    long RadioButtonSelected() const noexcept { return m_radioSelected; }
    void SetRadioButtonSelected(long value) noexcept { m_radioSelected = value; }
    std::wstring VerificationLabel() const { return m_verificationLabel.value_or(L""); }
    void SetVerificationLabel(std::wstring value) { m_verificationLabel = std::move(value); }
    bool VerificationChecked() const noexcept { return m_verificationChecked; }
    void SetVerificationChecked(bool value) noexcept { m_verificationChecked = value; }

    // The pressed button (1 OK, 2 Cancel, 4 Retry, 6 Yes, 7 No, 8 Close), or
    // 0 with ErrorCode set when the platform failed or a fault was met.
    short Show(const std::wstring& prompt, long buttons, const std::wstring& title) noexcept;
    // The same from every property, custom buttons (101 and up) included;
    // writes the chosen radio button and the check box state back.
    short ShowEx() noexcept;

private:
    template <class F>
    short Guarded(F&& show) noexcept;
    short ShowOnce(const std::wstring& prompt, long buttons, const std::wstring& title);
    short ShowExOnce();

    long m_buttons = 0;
    long m_errorCode = 0;
    long m_icon = 0;
    std::wstring m_iconFile;
    std::wstring m_iconResource;
    std::wstring m_subText;
    std::wstring m_text;
    std::wstring m_title;
    unique_variant m_customButtons;
    unique_variant m_radioButtons;
    long m_buttonStyle = 0;
    long m_defaultButton = 0;
    // Texts that pass no element at all while never set.
    std::optional<std::wstring> m_expandText;
    std::optional<std::wstring> m_collapsedLabel;
    std::optional<std::wstring> m_expandedLabel;
    long m_footerIcon = 0;
    std::wstring m_footerIconResource;
    std::optional<std::wstring> m_footerText;
    long m_options = 0;
    long m_radioSelected = 1;
    std::optional<std::wstring> m_verificationLabel;
    bool m_verificationChecked = false;
};

// The number a fault leaves in ErrorCode: the scripting runtime's own errors
// by their familiar numbers (13 type mismatch, 6 overflow), others as the HRESULT.
long FaultNumber(HRESULT hr) noexcept;

}  // namespace kelpa
