// What the choice dialogs (List, CheckList, DriveList, DTPick) share: the
// presentation settings a script keeps on the object, and a dialog window
// made for one call, with its information label, its OK button, its fonts,
// its placement in front and the blocking wait.
//
// Every call gets its own window and its own state: the multi-use server
// lets a second client's call in while the first one waits (the wait step
// dispatches incoming calls), so a window shared per server would mix them.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

#include "core/windowfn.h"
#include "runtime/UniqueHandle.h"

namespace kelpa {

class ChoiceSettings {
public:
    static constexpr size_t kButtonTextShown = 32;
    static constexpr size_t kTitleLength = 256;

    // infoLength: where Info is cut when it is set (the classes differ).
    explicit ChoiceSettings(size_t infoLength) noexcept : m_infoLength(infoLength) {}

    bool Topmost() const noexcept { return m_topmost; }
    void SetTopmost(bool value) noexcept { m_topmost = value; }
    bool FontModernize() const noexcept { return m_fontModernize; }
    void SetFontModernize(bool value) noexcept { m_fontModernize = value; }
    short FontEnlarge() const noexcept { return m_fontEnlarge; }
    // 0, 1 or 2 (9, 10 or 11 points); anything else keeps the old value.
    void SetFontEnlarge(short value) noexcept {
        if (value >= 0 && value <= 2) m_fontEnlarge = value;
    }
    // Stored whole; the button shows its first 32 characters.
    const std::wstring& ButtonText() const noexcept { return m_buttonText; }
    void SetButtonText(std::wstring value) noexcept { m_buttonText = std::move(value); }
    const std::wstring& Info() const noexcept { return m_info; }
    void SetInfo(const std::wstring& value) { m_info = value.substr(0, m_infoLength); }
    bool DlgCancelEsc() const noexcept { return m_cancelEsc; }
    void SetDlgCancelEsc(bool value) noexcept { m_cancelEsc = value; }

private:
    size_t m_infoLength;
    bool m_topmost = true;
    bool m_fontModernize = true;
    short m_fontEnlarge = 0;
    std::wstring m_buttonText;
    std::wstring m_info;
    bool m_cancelEsc = false;
};

// Splits a text at every CR LF; the pieces keep their order, empty ones too.
std::vector<std::wstring> SplitLines(const std::wstring& text);

// A dialog window for one call. A derived class makes its content, lays it
// out, and takes the result when OK is pressed; Run shows the window in
// front, waits and unloads it. Sizes are designed in twips, as the dialogs'
// designs are given, and converted at the window's DPI.
class ChoiceDialog {
public:
    // labelWidth: the information label's designed width in twips, which the
    // text is measured against.
    ChoiceDialog(const ChoiceSettings& settings, std::wstring caption, bool sizable, int labelWidth);
    virtual ~ChoiceDialog();
    ChoiceDialog(const ChoiceDialog&) = delete;
    ChoiceDialog& operator=(const ChoiceDialog&) = delete;

    // Shows the dialog and waits until it ends. True when OK ended it.
    // title: the caption when not empty (its first 256 characters).
    bool Run(const std::wstring& title);

protected:
    static constexpr int kOkId = IDOK;
    static constexpr int kContentId = 100;

    // Called once the window, the label and the OK button exist.
    virtual void CreateContent() = 0;
    // False when the content could not be made: Run then ends at once.
    virtual bool ContentReady() const { return true; }
    // Called once the fonts are final, before the first layout.
    virtual void FontsApplied() {}
    // The client size the dialog opens with, in twips (info shown or not).
    virtual SIZE DesignClient() const = 0;
    // Places the controls for a client area of this size, in pixels.
    virtual void Layout(int width, int height) = 0;
    // The control that has the focus when the dialog opens.
    virtual HWND InitialFocus() const = 0;
    // OK (button or Enter): take the result; false keeps the dialog open.
    virtual bool TakeResult() = 0;
    // Any other message; return true when handled (result in *result).
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);

    HWND Window() const noexcept { return m_window.get(); }
    HWND Label() const noexcept { return m_label; }
    HWND OkButton() const noexcept { return m_ok; }
    const ChoiceSettings& Settings() const noexcept { return m_settings; }
    bool HasInfo() const noexcept { return !m_settings.Info().empty(); }
    // A child control with the dialog's font.
    HWND AddControl(const wchar_t* className, DWORD style, int id, DWORD exStyle = 0, const wchar_t* text = L"");
    int Px(int twips) const noexcept;
    // Pixels the information text needs below the label's designed 840
    // twips (a long Info, a large font); 0 without an information text.
    int InfoExtra() const noexcept { return m_infoExtra; }
    // The OK button's width: the design's 1200 twips or what its caption needs.
    int OkWidth() const noexcept;
    void PlaceLabel(int left, int top, int width);
    // The list dialogs' design (List, CheckList): the list and the button
    // follow the window's size, keeping the design's margins.
    SIZE ListDesignClient() const noexcept { return {4215, HasInfo() ? 4515 : 3660}; }
    void LayOutList(HWND list, int width, int height);
    void Place(HWND control, int left, int top, int width, int height);

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Finish(bool accepted) noexcept;
    SIZE OuterFor(SIZE client) const noexcept;
    void MeasureInfo();

    // A copy: the call's window never reaches back into the object, which a
    // client may release from another thread while the call waits.
    const ChoiceSettings m_settings;
    std::wstring m_caption;
    bool m_sizable;
    int m_labelWidth;
    // The fonts outlive the window that uses them: declared first, destroyed last.
    WindowFonts m_fonts;
    unique_hwnd m_window;
    HWND m_label = nullptr;
    HWND m_ok = nullptr;
    int m_infoExtra = 0;
    SIZE m_minimumClient = {};
    bool m_laidOut = false;
    bool m_done = false;
    bool m_accepted = false;
};

}  // namespace kelpa
