// "Kelpa.MInputBox": asks for one text (InputS) or for one to ten texts in one
// dialog (InputM). The object keeps the settings; each call builds its own
// dialog window (InputDialog) from them and waits for it.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <string>
#include <vector>

#include "dialogs/DialogParts.h"
#include "dialogs/InputDialog.h"
#include "runtime/UniqueHandle.h"

namespace kelpa {

// The per-field arrays, in the order the dialog reads them.
enum FieldArray {
    kLabels, kTexts, kCueTexts, kTipTexts, kStyles, kMaxLengths, kMinLengths, kLocked, kLabelColours, kTextColours,
    kFieldArrayCount
};

// The fields' settings for count fields from the per-field arrays: an array
// takes part only when it has one dimension, lower bound 0 and at least one
// element; element i configures field i; a missing element, or one that does
// not convert to the field's type (Null, objects, arrays, out-of-range
// numbers), leaves that field's default. Colours take a Long as it is and an
// Integer as its 16-bit pattern (-1 gives 0xFFFF); anything else gives 0.
std::vector<FieldSettings> ReadFields(const VARIANT* const (&arrays)[kFieldArrayCount], int count);

class MInputBox {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.MInputBox";

    std::wstring InputS(const std::wstring& prompt, const std::wstring& title, const std::wstring& preset);
    // vinp as the [in, out] parameter arrives. False without a dialog when it
    // is a reference to a fixed-size array.
    bool InputM(VARIANT* vinp);
    // Ends every dialog that a call of this object shows now, as cancelled.
    void CancelRunning() noexcept { m_running.CancelAll(); }

    short InputNumber() const noexcept { return m_inputNumber; }
    void SetInputNumber(short value) noexcept { if (value >= 1 && value <= 10) m_inputNumber = value; }
    short InputStart() const noexcept { return m_inputStart; }
    void SetInputStart(short value) noexcept { if (value >= 0 && value <= 9) m_inputStart = value; }
    bool CheckNumStyle() const noexcept { return m_checkNumStyle; }
    void SetCheckNumStyle(bool value) noexcept { m_checkNumStyle = value; }
    bool ConvertArr() const noexcept { return m_convertArr; }
    void SetConvertArr(bool value) noexcept { m_convertArr = value; }
    short InputFlags() const noexcept { return m_inputFlags; }
    void SetInputFlags(short value) noexcept { m_inputFlags = value; }
    bool InputSelection() const noexcept { return m_inputSelection; }
    void SetInputSelection(bool value) noexcept { m_inputSelection = value; }
    const std::wstring& MinBalloonText() const noexcept { return m_minBalloonText; }
    void SetMinBalloonText(const std::wstring& value);
    const std::wstring& MinBalloonTitle() const noexcept { return m_minBalloonTitle; }
    void SetMinBalloonTitle(const std::wstring& value);
    const std::wstring& PasswordChar() const noexcept { return m_passwordChar; }
    void SetPasswordChar(const std::wstring& value);
    bool ShowCueAtFocus() const noexcept { return m_showCueAtFocus; }
    void SetShowCueAtFocus(bool value) noexcept { m_showCueAtFocus = value; }
    short ShowTipControl() const noexcept { return m_showTipControl; }
    void SetShowTipControl(short value) noexcept { if (value >= 0 && value <= 2) m_showTipControl = value; }
    short TextLimit() const noexcept { return m_textLimit; }
    void SetTextLimit(short value) noexcept { if (value >= 1 && value <= 1024) m_textLimit = value; }
    bool AccPrefix() const noexcept { return m_accPrefix; }
    void SetAccPrefix(bool value) noexcept { m_accPrefix = value; }
    short AlignInput() const noexcept { return m_alignInput; }
    void SetAlignInput(short value) noexcept { if (value >= 0 && value <= 2) m_alignInput = value; }
    short AlignLabel() const noexcept { return m_alignLabel; }
    void SetAlignLabel(short value) noexcept { if (value >= 0 && value <= 2) m_alignLabel = value; }
    const std::wstring& ButtonText() const noexcept { return m_buttonText; }
    void SetButtonText(const std::wstring& value) { m_buttonText = value; }
    bool DlgCancelEsc() const noexcept { return m_dlgCancelEsc; }
    void SetDlgCancelEsc(bool value) noexcept { m_dlgCancelEsc = value; }
    short DlgCancelTime() const noexcept { return m_dlgCancelTime; }
    void SetDlgCancelTime(short value) noexcept { if (value >= 0 && value <= 3600) m_dlgCancelTime = value; }
    short FontEnlarge() const noexcept { return m_fontEnlarge; }
    void SetFontEnlarge(short value) noexcept { if (value >= 0 && value <= 2) m_fontEnlarge = value; }
    bool FontModernize() const noexcept { return m_fontModernize; }
    void SetFontModernize(bool value) noexcept { m_fontModernize = value; }
    const std::wstring& Info() const noexcept { return m_info; }
    void SetInfo(const std::wstring& value) { m_info = value.substr(0, 256); }
    bool InfoBig() const noexcept { return m_infoBig; }
    void SetInfoBig(bool value) noexcept { m_infoBig = value; }
    short LabelEditRatio() const noexcept { return m_labelEditRatio; }
    void SetLabelEditRatio(short value) noexcept { if (value >= 1 && value <= 7) m_labelEditRatio = value; }
    const std::wstring& Title() const noexcept { return m_title; }
    void SetTitle(const std::wstring& value) { m_title = value.substr(0, 256); }
    bool Topmost() const noexcept { return m_topmost; }
    void SetTopmost(bool value) noexcept { m_topmost = value; }

    // The per-field arrays: stored as given, read back as copies.
    void GetFieldArray(FieldArray which, VARIANT* result) const;
    void SetFieldArray(FieldArray which, const VARIANT* value);

private:
    InputDialogSettings DialogSettings(bool multi) const;

    short m_inputNumber = 1;
    short m_inputStart = 0;
    bool m_checkNumStyle = true;
    bool m_convertArr = true;
    short m_inputFlags = 0;
    bool m_inputSelection = true;
    std::wstring m_minBalloonText;
    std::wstring m_minBalloonTitle;
    std::wstring m_passwordChar = L"*";
    bool m_showCueAtFocus = false;
    short m_showTipControl = 0;
    short m_textLimit = 1024;
    bool m_accPrefix = false;
    short m_alignInput = 0;
    short m_alignLabel = 0;
    std::wstring m_buttonText;
    bool m_dlgCancelEsc = true;
    short m_dlgCancelTime = 0;
    short m_fontEnlarge = 0;
    bool m_fontModernize = true;
    std::wstring m_info;
    bool m_infoBig = false;
    short m_labelEditRatio = 4;
    std::wstring m_title;
    bool m_topmost = false;
    unique_variant m_arrays[kFieldArrayCount];
    RunningDialogs m_running;
};

}  // namespace kelpa
