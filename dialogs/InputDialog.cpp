// The input box's dialog window, one per call.
#include "dialogs/InputDialog.h"

#include <commctrl.h>
#include <algorithm>

namespace kelpa {
namespace {

constexpr int kFirstEditId = 100;
constexpr int kFirstLabelId = 200;
constexpr int kInfoId = 300;
// Posted to the dialog so that they run after the focus change is complete
// (the dialog manager selects an edit's text after its EN_SETFOCUS).
constexpr UINT kFieldFocused = WM_APP + 1;
constexpr UINT kFieldLeft = WM_APP + 2;

constexpr int kTipLength = 256;
constexpr int kCueLength = 256;
constexpr int kButtonTextLength = 32;
constexpr int kInfoBigPoints = 12;
constexpr COLORREF kInfoBigColour = 0x993300;

}  // namespace

// The design, in twips, for the dialog font "MS Shell Dlg 2" at 9 points.
RowForm InputDialogForm(int ratio) {
    struct Columns {
        int labelWidth, editLeft, editWidth;
    };
    // The label's share of the row; ratio 4 is the design itself. Ratio 7
    // keeps the label at 3000 so that it stays clear of the edit at 3900.
    static const Columns kRatios[] = {{500, 900, 3500},   {1000, 1400, 3000}, {1500, 1900, 2500}, {2000, 2400, 2000},
                                      {2500, 2900, 1500}, {3000, 3400, 1000}, {3000, 3900, 500}};
    const Columns& columns = kRatios[std::clamp(ratio, 1, 7) - 1];
    RowForm form;
    form.info = {240, 120, 4100, 840};
    form.label = {240, 1200, columns.labelWidth, 300};
    form.edit = {columns.editLeft, 1160, columns.editWidth, 360};
    form.button = {3000, 1920, 1400, 400};
    form.clientWidth = 4608;
    form.clientHeight = 2544;
    form.pitch = 460;
    form.bareLabelTop = 340;
    form.bareButtonTop = 1080;
    return form;
}

namespace {

bool AllDigits(const std::wstring& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

DWORD LabelAlignment(int align) { return align == 1 ? SS_RIGHT : align == 2 ? SS_CENTER : SS_LEFT; }
DWORD EditAlignment(int align) { return align == 1 ? ES_RIGHT : align == 2 ? ES_CENTER : ES_LEFT; }

DWORD EditStyleBits(short style) {
    switch (style) {
    case kUpperCase: return ES_UPPERCASE;
    case kLowerCase: return ES_LOWERCASE;
    case kDigitsOnly: return ES_NUMBER;
    case kPassword: return ES_PASSWORD;
    default: return 0;
    }
}

std::wstring TextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(std::max(length, 0)) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

HWND MakeControl(HWND dialog, DWORD exStyle, const wchar_t* className, DWORD style, int id, HFONT font) {
    HWND control = CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, dialog,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                   nullptr);
    if (control && font) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

}  // namespace

FieldRules ApplyFieldRules(const FieldSettings& field, int textLimit, bool digitsCheck) {
    FieldRules rules;
    rules.maxLength = field.maxLength >= 1 && field.maxLength <= InputDialog::kMaxLength ? field.maxLength : textLimit;
    rules.minLength = field.minLength > 0 && field.minLength <= rules.maxLength ? field.minLength : 0;
    if (field.style == kDigitsOnly && digitsCheck)
        rules.text = AllDigits(field.text) ? field.text : std::wstring();
    else
        rules.text = field.text;
    // The edit's limit holds back typing only: a longer preset text would
    // otherwise come back whole, longer than the field allows.
    if (rules.text.size() > static_cast<size_t>(rules.maxLength)) rules.text.resize(rules.maxLength);
    return rules;
}

InputDialog::InputDialog(InputDialogSettings settings) : m_settings(std::move(settings)) {
    m_settings.fieldCount = std::clamp(m_settings.fieldCount, 1, kMaxFields);
    if (m_settings.firstFocus < 0 || m_settings.firstFocus >= m_settings.fieldCount) m_settings.firstFocus = 0;
}

InputDialog::~InputDialog() {
    m_timeout.Stop();
    // The tips are owned by the dialog and go with it: release them first so
    // that nothing destroys a window handle twice.
    m_balloon = EditBalloon();
    m_tips = ControlTips();
    m_window.reset();
}

std::wstring InputDialog::ShowSingle(const std::wstring& prompt, const std::wstring& caption,
                                     const std::wstring& preset) {
    m_multi = false;
    m_settings.fieldCount = 1;
    m_settings.firstFocus = 0;
    m_settings.selectAllOnFocus = true;
    m_settings.textLimit = kMaxLength;
    FieldSettings field;
    field.label = prompt;
    field.text = preset;
    field.maxLength = kMaxLength;
    return Run(caption, {field}, 0).texts.at(0);
}

InputResult InputDialog::ShowMulti(const std::wstring& caption, const std::vector<FieldSettings>& fields,
                                   int cancelSeconds) {
    m_multi = true;
    std::vector<FieldSettings> all = fields;
    all.resize(m_settings.fieldCount);
    return Run(caption, std::move(all), cancelSeconds);
}

void InputDialog::Cancel() noexcept { End(false); }

InputResult InputDialog::Run(const std::wstring& caption, std::vector<FieldSettings> fields, int cancelSeconds) {
    m_results.assign(m_settings.fieldCount, std::wstring());
    m_done = m_accepted = false;
    InputResult result;
    result.texts = m_results;
    if (!Create(fields)) return result;
    SetWindowTextW(m_window.get(), caption.empty() ? kDefaultCaption : caption.c_str());
    ApplyFonts(fields);
    LayOut();
    ApplyFields(fields);
    if (m_multi) m_timeout.Start(m_window.get(), cancelSeconds);
    ShowAndWait(m_window.get(), m_edits[m_settings.firstFocus], m_settings.topmost, m_done);
    m_timeout.Stop();
    result.accepted = m_accepted;
    if (m_accepted) result.texts = m_results;
    return result;
}

bool InputDialog::Create(const std::vector<FieldSettings>& fields) {
    // The window is hidden until it is complete; the frame is a fixed one
    // with a close box, as a dialog that is not meant to be resized.
    std::vector<WORD> design =
        EmptyDialogTemplate(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, L"MS Shell Dlg 2", 9);
    m_window.reset(CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                              reinterpret_cast<const DLGTEMPLATE*>(design.data()), nullptr,
                                              &InputDialog::Procedure, reinterpret_cast<LPARAM>(this)));
    if (!m_window) return false;
    HWND dialog = m_window.get();
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));

    // Creation order is the Tab order: each label just before its field, so
    // that a label's access key moves to that field.
    m_info = MakeControl(dialog, 0, L"STATIC", SS_LEFT | SS_NOPREFIX, kInfoId, font);
    for (int row = 0; row < m_settings.fieldCount; ++row) {
        const FieldSettings& field = fields[row];
        const bool template_ = m_multi;
        DWORD labelStyle = SS_NOTIFY | SS_ENDELLIPSIS | (template_ ? LabelAlignment(m_settings.alignLabel) : SS_LEFT);
        if (!(template_ && m_settings.accessKeys)) labelStyle |= SS_NOPREFIX;
        m_labels.push_back(MakeControl(dialog, 0, L"STATIC", labelStyle, kFirstLabelId + row, font));
        DWORD editStyle = WS_TABSTOP | ES_AUTOHSCROLL | (template_ ? EditAlignment(m_settings.alignInput) : ES_LEFT);
        if (m_multi) {
            editStyle |= EditStyleBits(field.style);
            if (field.locked) editStyle |= ES_READONLY;
        }
        m_edits.push_back(MakeControl(dialog, WS_EX_CLIENTEDGE, L"EDIT", editStyle, kFirstEditId + row, font));
    }
    m_ok = MakeControl(dialog, 0, L"BUTTON", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK, font);
    const bool complete = m_info && m_ok &&
                          std::none_of(m_labels.begin(), m_labels.end(), [](HWND w) { return w == nullptr; }) &&
                          std::none_of(m_edits.begin(), m_edits.end(), [](HWND w) { return w == nullptr; });
    if (!complete) return false;

    SetWindowTextW(m_ok, m_settings.buttonText.empty()
                             ? L"OK"
                             : m_settings.buttonText.substr(0, kButtonTextLength).c_str());
    if (m_settings.info.empty()) {
        EnableWindow(m_info, FALSE);
        ShowWindow(m_info, SW_HIDE);
    } else {
        SetWindowTextW(m_info, m_settings.info.c_str());
    }
    return true;
}

void InputDialog::ApplyFonts(const std::vector<FieldSettings>& fields) {
    HWND dialog = m_window.get();
    if (m_settings.modernFont) m_fonts.Modernise(dialog);
    if (m_settings.enlarge == 1 || m_settings.enlarge == 2) m_fonts.Enlarge(dialog, 9 + m_settings.enlarge);
    if (!m_settings.info.empty() && m_settings.infoBig) {
        m_fonts.SetPoints(m_info, kInfoBigPoints);
        m_colours.Set(m_info, kInfoBigColour);
    }
    if (!m_multi) return;
    for (int row = 0; row < m_settings.fieldCount; ++row) {
        const FieldColour label = DecodeFieldColour(fields[row].labelColour);
        const FieldColour text = DecodeFieldColour(fields[row].textColour);
        if (label.hasColour) m_colours.Set(m_labels[row], label.colour);
        if (label.bold) m_fonts.Embolden(m_labels[row]);
        if (text.hasColour) m_colours.Set(m_edits[row], text.colour);
        if (text.bold) m_fonts.Embolden(m_edits[row]);
    }
}

void InputDialog::LayOut() {
    HWND dialog = m_window.get();
    // The scale comes from the edit fields' font: a row must hold one line
    // of it with the field's frame, whatever face and size it is.
    HFONT editFont = reinterpret_cast<HFONT>(SendMessageW(m_edits[0], WM_GETFONT, 0, 0));
    const RowForm form = InputDialogForm(m_multi ? m_settings.labelEditRatio : 4);
    const DesignScale scale = DesignScale::For(dialog, editFont, form.edit.height);

    int infoHeight = 0;
    if (!m_settings.info.empty()) {
        // A long information text (or a big one) makes its label taller and
        // pushes the rows down, rather than being clipped.
        RECT text = {0, 0, scale.Pixels(form.info.width), 0};
        if (HDC dc = GetDC(m_info)) {
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(m_info, WM_GETFONT, 0, 0)));
            DrawTextW(dc, m_settings.info.c_str(), static_cast<int>(m_settings.info.size()), &text,
                      DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
            SelectObject(dc, old);
            ReleaseDC(m_info, dc);
        }
        infoHeight = std::max(form.info.height, scale.Twips(text.bottom - text.top));
    }
    const RowLayout layout = LayOutRows(form, m_settings.fieldCount, infoHeight);

    auto place = [&](HWND control, const TwipRect& where) {
        const RECT r = scale.Rect(where);
        SetWindowPos(control, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    if (layout.hasInfo) place(m_info, layout.info);
    for (int row = 0; row < m_settings.fieldCount; ++row) {
        place(m_labels[row], layout.labels[row]);
        place(m_edits[row], layout.edits[row]);
    }
    place(m_ok, layout.button);

    RECT frame = {0, 0, scale.Pixels(layout.clientWidth), scale.Pixels(layout.clientHeight)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongW(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(dialog, GWL_EXSTYLE)));
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = work.left + std::max(0L, (work.right - work.left - width) / 2);
    const int top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
    SetWindowPos(dialog, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void InputDialog::ApplyFields(const std::vector<FieldSettings>& fields) {
    HWND dialog = m_window.get();
    m_minLengths.assign(m_settings.fieldCount, 0);
    const std::wstring& mask = m_settings.passwordChar;
    for (int row = 0; row < m_settings.fieldCount; ++row) {
        const FieldSettings& field = fields[row];
        HWND label = m_labels[row], edit = m_edits[row];
        SetWindowTextW(label, field.label.c_str());
        const FieldRules rules =
            m_multi ? ApplyFieldRules(field, m_settings.textLimit, m_settings.digitsCheck)
                    : FieldRules{kMaxLength, 0, field.text.substr(0, kMaxLength)};
        m_minLengths[row] = rules.minLength;
        SendMessageW(edit, EM_SETLIMITTEXT, rules.maxLength, 0);
        // A mask character must be one UTF-16 unit: half of a surrogate pair
        // would draw as garbage, so such a character keeps the edit's own mask.
        if (m_multi && field.style == kPassword && !mask.empty() && !IS_SURROGATE_PAIR(mask[0], mask.size() > 1 ? mask[1] : 0) &&
            !IS_HIGH_SURROGATE(mask[0]) && !IS_LOW_SURROGATE(mask[0]))
            SendMessageW(edit, EM_SETPASSWORDCHAR, mask[0], 0);
        SetWindowTextW(edit, rules.text.c_str());
        if (!m_multi) continue;
        if (!field.cue.empty())
            SendMessageW(edit, EM_SETCUEBANNER, m_settings.cueAtFocus ? TRUE : FALSE,
                         reinterpret_cast<LPARAM>(field.cue.substr(0, kCueLength).c_str()));
        if (!field.tip.empty()) {
            const std::wstring tip = field.tip.substr(0, kTipLength);
            if (m_settings.tipTarget == 0 || m_settings.tipTarget == 2) m_tips.Add(dialog, edit, tip);
            if (m_settings.tipTarget == 1 || m_settings.tipTarget == 2) m_tips.Add(dialog, label, tip);
        }
    }
}

INT_PTR CALLBACK InputDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        return FALSE;
    }
    auto* self = reinterpret_cast<InputDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    return self ? self->Handle(message, wParam, lParam) : FALSE;
}

INT_PTR InputDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_CLOSE:
        // The close box and the system menu cancel; the window itself goes
        // when the call that made it ends.
        End(false);
        return TRUE;
    case WM_TIMER:
        if (m_timeout.Fired(wParam)) End(false);
        return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
        return reinterpret_cast<INT_PTR>(
            m_colours.Answer(message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case kFieldFocused:
        OnFieldFocused(static_cast<int>(wParam));
        return TRUE;
    case kFieldLeft:
        OnFieldLeft(static_cast<int>(wParam));
        return TRUE;
    case WM_DESTROY:
        m_timeout.Stop();
        m_done = true;
        return FALSE;
    default:
        return FALSE;
    }
}

int InputDialog::RowOf(HWND control) const noexcept {
    const auto found = std::find(m_edits.begin(), m_edits.end(), control);
    return found == m_edits.end() ? -1 : static_cast<int>(found - m_edits.begin());
}

void InputDialog::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDOK && (code == BN_CLICKED || !control)) {
        OnOk();
        return;
    }
    if (id == IDCANCEL) {
        // Only Esc sends IDCANCEL here (there is no Cancel button).
        if (m_settings.cancelByEsc) End(false);
        return;
    }
    const int row = RowOf(control);
    if (row < 0) return;
    switch (code) {
    case EN_SETFOCUS:
        PostMessageW(m_window.get(), kFieldFocused, row, 0);
        break;
    case EN_KILLFOCUS:
        m_balloon.Hide();
        if (m_multi) PostMessageW(m_window.get(), kFieldLeft, row, 0);
        break;
    case EN_CHANGE:
        m_balloon.Hide();
        break;
    default:
        break;
    }
}

void InputDialog::OnFieldFocused(int row) {
    if (m_done || row < 0 || row >= static_cast<int>(m_edits.size())) return;
    HWND edit = m_edits[row];
    if (GetFocus() != edit) return;
    const bool readOnly = (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) != 0;
    if (m_multi && (m_settings.flags & 1) && readOnly) return;
    if (m_settings.selectAllOnFocus)
        SendMessageW(edit, EM_SETSEL, 0, kMaxLength);
    else
        SendMessageW(edit, EM_SETSEL, kMaxLength, kMaxLength);
}

void InputDialog::OnFieldLeft(int row) {
    if (m_done || row < 0 || row >= static_cast<int>(m_edits.size())) return;
    if (m_skipNextLeave) {
        // The field that the focus was taken back from: not the user's move.
        m_skipNextLeave = false;
        return;
    }
    HWND focus = GetFocus();
    // Validation runs when the focus moves to another control of this
    // dialog, not when the user switches to another window.
    if (!focus || focus == m_edits[row] || GetAncestor(focus, GA_ROOT) != m_window.get()) return;
    Validate(row);
}

bool InputDialog::Validate(int row) {
    if (!m_multi) return true;
    HWND edit = m_edits[row];
    const bool readOnly = (GetWindowLongW(edit, GWL_STYLE) & ES_READONLY) != 0;
    if ((m_settings.flags & 2) && readOnly) return true;
    const int minimum = m_minLengths[row];
    if (minimum <= 0 || GetWindowTextLengthW(edit) >= minimum) return true;
    // Refused: the focus goes back to the field, which says why.
    HWND focus = GetFocus();
    if (focus != edit && RowOf(focus) >= 0) m_skipNextLeave = true;
    SendMessageW(m_window.get(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    std::wstring text = m_settings.balloonText;
    // A refusal without a word would leave the user guessing what is wrong.
    if (text.empty() && m_settings.balloonTitle.empty())
        text = L"Please enter at least " + std::to_wstring(minimum) + L" characters.";
    m_balloon.Show(edit, m_settings.balloonTitle, text, TTI_ERROR);
    return false;
}

void InputDialog::OnOk() {
    if (m_done) return;
    if (m_multi) {
        for (int row = 0; row < m_settings.fieldCount; ++row)
            if (!Validate(row)) return;
    }
    for (int row = 0; row < m_settings.fieldCount; ++row) m_results[row] = TextOf(m_edits[row]);
    End(true);
}

void InputDialog::End(bool accepted) noexcept {
    if (m_done) return;
    m_accepted = accepted;
    m_done = true;
    m_timeout.Stop();
    m_balloon.Hide();
    // Hidden at once: under a nested call (another client's dialog opened
    // while this one waited) the window is destroyed only when this call's
    // wait loop gets control back.
    if (m_window) ShowWindow(m_window.get(), SW_HIDE);
}

}  // namespace kelpa
