// The input box's dialog window: an optional information text, one to ten
// rows of label plus edit field and an OK button. Each call builds its own
// window from the settings it is handed, runs it modeless while the caller
// waits, and destroys it when the call ends.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

#include "core/windowfn.h"
#include "dialogs/DialogParts.h"
#include "runtime/UniqueHandle.h"

namespace kelpa {

// The settings that apply to the whole dialog.
struct InputDialogSettings {
    bool cancelByEsc = true;
    bool topmost = false;
    std::wstring buttonText;
    std::wstring info;
    bool modernFont = true;
    int enlarge = 0;
    bool infoBig = false;
    // The multi-field show's settings (the single-field show uses defaults).
    int alignInput = 0;
    int alignLabel = 0;
    int labelEditRatio = 4;
    bool accessKeys = false;
    bool cueAtFocus = false;
    int tipTarget = 0;  // 0 the edit field, 1 the label, 2 both
    bool selectAllOnFocus = true;
    std::wstring passwordChar = L"*";
    std::wstring balloonText;
    std::wstring balloonTitle;
    int fieldCount = 1;
    int firstFocus = 0;
    int textLimit = 1024;
    bool digitsCheck = true;
    int flags = 0;  // bit 0: locked fields keep their selection; bit 1: no minimum check for them
};

// Styles of a field.
enum FieldStyle { kPlain = 0, kUpperCase = 1, kLowerCase = 2, kDigitsOnly = 3, kPassword = 4 };

// One field's settings as the per-field arrays give them.
struct FieldSettings {
    std::wstring label;
    std::wstring text;
    std::wstring cue;
    std::wstring tip;
    short style = 0;
    short maxLength = 0;
    short minLength = 0;
    bool locked = false;
    long labelColour = 0;
    long textColour = 0;
};

// What a field ends up with after the rules of the multi-field show: its
// maximum (its own when 1 to 1024, else the text limit), its minimum (kept
// when above 0 and not above the maximum), and the preset text (cut to the
// maximum; a digits-only field under the digits check starts empty unless
// the text is all digits).
struct FieldRules {
    int maxLength = 1024;
    int minLength = 0;
    std::wstring text;
};
FieldRules ApplyFieldRules(const FieldSettings& field, int textLimit, bool digitsCheck);

// The dialog's design in twips for a label/edit ratio (1 to 7; 4 is the
// design itself).
RowForm InputDialogForm(int ratio);

struct InputResult {
    bool accepted = false;
    std::vector<std::wstring> texts;  // one per field; all empty unless accepted
};

class InputDialog : public RunningDialog {
public:
    static constexpr const wchar_t* kDefaultCaption = L"KELPA Multi-InputBox";
    static constexpr int kMaxFields = 10;
    static constexpr int kMaxLength = 1024;

    explicit InputDialog(InputDialogSettings settings);
    ~InputDialog();
    InputDialog(const InputDialog&) = delete;
    InputDialog& operator=(const InputDialog&) = delete;

    // One field under the prompt, preset text cut to 1024 characters; the
    // caption stays the default when empty. Returns the text, or "" when
    // the dialog was cancelled.
    std::wstring ShowSingle(const std::wstring& prompt, const std::wstring& caption, const std::wstring& preset);
    // settings.fieldCount fields as fields describes them (missing entries
    // are defaults); cancels by itself after cancelSeconds (0: never).
    InputResult ShowMulti(const std::wstring& caption, const std::vector<FieldSettings>& fields, int cancelSeconds);

    // Ends the dialog as cancelled (the object was released meanwhile).
    void Cancel() noexcept override;

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(WORD id, WORD code, HWND control);
    void OnOk();
    void OnFieldFocused(int row);
    void OnFieldLeft(int row);
    bool Validate(int row);
    void End(bool accepted) noexcept;

    InputResult Run(const std::wstring& caption, std::vector<FieldSettings> fields, int cancelSeconds);
    bool Create(const std::vector<FieldSettings>& fields);
    void ApplyFonts(const std::vector<FieldSettings>& fields);
    void LayOut();
    void ApplyFields(const std::vector<FieldSettings>& fields);
    int RowOf(HWND control) const noexcept;

    InputDialogSettings m_settings;
    bool m_multi = false;
    bool m_done = false;
    bool m_accepted = false;
    bool m_skipNextLeave = false;
    std::vector<std::wstring> m_results;
    std::vector<int> m_minLengths;

    WindowFonts m_fonts;  // outlives the window: declared before it
    ControlColours m_colours;
    unique_hwnd m_window;
    HWND m_info = nullptr;
    HWND m_ok = nullptr;
    std::vector<HWND> m_labels;
    std::vector<HWND> m_edits;
    ControlTips m_tips;
    EditBalloon m_balloon;
    DialogTimeout m_timeout;
};

}  // namespace kelpa
