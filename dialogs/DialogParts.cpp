// Shared parts of the dialogs built from controls.
#include "dialogs/DialogParts.h"

#include <commctrl.h>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/windowfn.h"

namespace kelpa {
namespace {

constexpr int kDesignPoints = 9;
// An edit field's frame and inner margin around one line of text, in pixels.
constexpr int kEditChrome = 8;

int ScreenDpiOf(HWND window) {
    // TwipsToPixels knows the window's DPI; 1440 twips are one inch.
    return TwipsToPixels(window, 1440);
}

}  // namespace

// ---- geometry ------------------------------------------------------------------

DesignScale DesignScale::For(HWND window, HFONT font, int lineTwips) {
    const int dpi = ScreenDpiOf(window);
    double perTwip = dpi / 1440.0;
    if (!font) return DesignScale(perTwip);
    LOGFONTW description = {};
    GetObjectW(font, sizeof(description), &description);
    const int height = std::abs(description.lfHeight);
    if (height > 0) {
        const double points = height * 72.0 / dpi;
        if (points > kDesignPoints) perTwip *= points / kDesignPoints;
    }
    // The face's real line height (Segoe UI needs more than MS Shell Dlg 2).
    if (HDC dc = GetDC(window)) {
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICW metrics = {};
        if (GetTextMetricsW(dc, &metrics) && lineTwips > 0) {
            const double needed = (metrics.tmHeight + kEditChrome) / static_cast<double>(lineTwips);
            perTwip = std::max(perTwip, needed);
        }
        SelectObject(dc, old);
        ReleaseDC(window, dc);
    }
    return DesignScale(perTwip);
}

int DesignScale::Pixels(int twips) const noexcept { return static_cast<int>(std::lround(twips * m_pixelsPerTwip)); }

int DesignScale::Twips(int pixels) const noexcept {
    return static_cast<int>(std::ceil(pixels / m_pixelsPerTwip));
}

RECT DesignScale::Rect(const TwipRect& rect) const noexcept {
    const int left = Pixels(rect.left), top = Pixels(rect.top);
    return {left, top, left + Pixels(rect.width), top + Pixels(rect.height)};
}

RowLayout LayOutRows(const RowForm& form, int rows, int infoHeight) {
    RowLayout layout;
    rows = std::max(rows, 1);
    layout.hasInfo = infoHeight > 0;
    layout.clientWidth = form.clientWidth;
    // Every row, the button and the client area move by the same amount: a
    // taller information text pushes them down, no text pulls them up.
    int shift = 0;
    if (layout.hasInfo) {
        layout.info = form.info;
        layout.info.height = std::max(infoHeight, form.info.height);
        shift = layout.info.height - form.info.height;
    } else {
        shift = form.bareLabelTop - form.label.top;
    }
    const int extra = form.pitch * (rows - 1);
    for (int i = 0; i < rows; ++i) {
        TwipRect label = form.label, edit = form.edit;
        label.top += shift + form.pitch * i;
        edit.top += shift + form.pitch * i;
        layout.labels.push_back(label);
        layout.edits.push_back(edit);
    }
    layout.button = form.button;
    layout.button.top = (layout.hasInfo ? form.button.top + shift : form.bareButtonTop) + extra;
    // The margin under the button stays what the design gives it.
    layout.clientHeight = layout.button.Bottom() + (form.clientHeight - form.button.Bottom());
    return layout;
}

// ---- colours -------------------------------------------------------------------

FieldColour DecodeFieldColour(long value) noexcept {
    FieldColour colour;
    const unsigned long bits = static_cast<unsigned long>(value);
    colour.colour = static_cast<COLORREF>(bits & 0xFFFFFF);
    colour.hasColour = colour.colour != 0;
    colour.bold = (bits & 0x1000000) != 0;
    return colour;
}

void ControlColours::Set(HWND control, COLORREF colour) { m_entries.push_back({control, colour}); }

HBRUSH ControlColours::Answer(UINT message, HDC dc, HWND control) const noexcept {
    for (const Entry& entry : m_entries) {
        if (entry.control != control) continue;
        // Read-only edits and labels ask through WM_CTLCOLORSTATIC and sit on
        // the dialog's face; writable edits on the window colour.
        const int background = message == WM_CTLCOLOREDIT ? COLOR_WINDOW : COLOR_3DFACE;
        SetTextColor(dc, entry.colour);
        SetBkColor(dc, GetSysColor(background));
        return GetSysColorBrush(background);
    }
    return nullptr;
}

// ---- tips ------------------------------------------------------------------------

void ControlTips::Add(HWND dialog, HWND control, const std::wstring& text) {
    if (!m_window) {
        m_window.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                       GetModuleHandleW(nullptr), nullptr));
        if (!m_window) return;
        // Long tips wrap instead of running off the screen.
        SendMessageW(m_window.get(), TTM_SETMAXTIPWIDTH, 0, 400);
    }
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    // The tool-tip control keeps its own copy of the text.
    tool.lpszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(m_window.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void EditBalloon::Show(HWND edit, const std::wstring& title, const std::wstring& text, int icon) {
    Hide();
    m_edit = edit;
    m_title = title;
    m_text = text;
    EDITBALLOONTIP tip = {};
    tip.cbStruct = sizeof(tip);
    tip.pszTitle = m_title.empty() ? nullptr : m_title.c_str();
    tip.pszText = m_text.empty() ? nullptr : m_text.c_str();
    tip.ttiIcon = icon;
    if (SendMessageW(edit, EM_SHOWBALLOONTIP, 0, reinterpret_cast<LPARAM>(&tip))) {
        m_editOwn = true;
        m_shown = true;
        return;
    }
    // No balloon from the edit (older common controls, Wine): a tracking
    // balloon tool tip pointing at the middle of the field's lower edge.
    HWND dialog = GetAncestor(edit, GA_ROOT);
    if (!m_window) {
        m_window.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                       WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr,
                                       GetModuleHandleW(nullptr), nullptr));
        if (!m_window) return;
        SendMessageW(m_window.get(), TTM_SETMAXTIPWIDTH, 0, 300);
        TOOLINFOW tool = {};
        tool.cbSize = sizeof(tool);
        tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
        tool.hwnd = dialog;
        tool.uId = 1;
        tool.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(m_window.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = dialog;
    tool.uId = 1;
    // A tool tip with no text never shows: a title alone still needs one.
    tool.lpszText = const_cast<wchar_t*>(m_text.empty() ? (m_title.empty() ? L"" : L" ") : m_text.c_str());
    SendMessageW(m_window.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(m_window.get(), TTM_SETTITLEW, icon, reinterpret_cast<LPARAM>(m_title.c_str()));
    RECT field;
    GetWindowRect(edit, &field);
    SendMessageW(m_window.get(), TTM_TRACKPOSITION, 0,
                 MAKELPARAM((field.left + field.right) / 2, field.bottom - 2));
    SendMessageW(m_window.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    m_editOwn = false;
    m_shown = true;
}

void EditBalloon::Hide() noexcept {
    if (!m_shown) return;
    m_shown = false;
    if (m_editOwn) {
        if (IsWindow(m_edit)) SendMessageW(m_edit, EM_HIDEBALLOONTIP, 0, 0);
        return;
    }
    TOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.hwnd = GetAncestor(m_edit, GA_ROOT);
    tool.uId = 1;
    if (m_window) SendMessageW(m_window.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

// ---- time-out ----------------------------------------------------------------------

void DialogTimeout::Start(HWND window, int seconds) noexcept {
    Stop();
    if (seconds <= 0) return;
    const UINT milliseconds = static_cast<UINT>(seconds) * 1000u;
    if (SetTimer(window, kTimerId, milliseconds, nullptr)) m_window = window;
}

bool DialogTimeout::Fired(WPARAM timerId) noexcept {
    if (timerId != kTimerId || !m_window) return false;
    Stop();
    return true;
}

void DialogTimeout::Stop() noexcept {
    if (m_window) KillTimer(m_window, kTimerId);
    m_window = nullptr;
}

// ---- one window per call -----------------------------------------------------------

void RunningDialogs::Add(RunningDialog* dialog) { m_dialogs.push_back(dialog); }

void RunningDialogs::Remove(RunningDialog* dialog) noexcept {
    m_dialogs.erase(std::remove(m_dialogs.begin(), m_dialogs.end(), dialog), m_dialogs.end());
}

void RunningDialogs::CancelAll() noexcept {
    // Cancelling only sets flags; the calls end when their wait loops see them.
    for (RunningDialog* dialog : m_dialogs) dialog->Cancel();
}

void ShowAndWait(HWND dialog, HWND focus, bool topmost, const bool& done) noexcept {
    ShowWindow(dialog, SW_SHOW);
    if (focus) SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
    BringToFront(dialog, topmost);
    WaitForDialog(dialog, done);
}

std::vector<WORD> EmptyDialogTemplate(DWORD style, const wchar_t* face, WORD points, DWORD exStyle) {
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
    DLGTEMPLATE header = {};
    header.style = style | DS_SETFONT;
    header.dwExtendedStyle = exStyle;
    header.cdit = 0;
    std::memcpy(words.data(), &header, sizeof(header));
    words.push_back(0);  // no menu
    words.push_back(0);  // the standard dialog class
    words.push_back(0);  // no caption yet
    words.push_back(points);
    for (const wchar_t* c = face; *c; ++c) words.push_back(static_cast<WORD>(*c));
    words.push_back(0);
    return words;
}

}  // namespace kelpa
