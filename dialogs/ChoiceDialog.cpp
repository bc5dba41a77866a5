// The dialog window every choice dialog is built on.
#include "dialogs/ChoiceDialog.h"

#include <algorithm>

#include "dialogs/DialogParts.h"

namespace kelpa {
namespace {

constexpr int kLabelId = 101;
constexpr int kLabelDesignHeight = 840;  // twips
constexpr int kOkDesignWidth = 1200;     // twips
constexpr int kOkTextMargin = 240;       // twips beside a long caption
constexpr wchar_t kDesignFace[] = L"MS Shell Dlg 2";
constexpr WORD kDesignPoints = 9;

SIZE TextSize(HWND control, const std::wstring& text, UINT format, int width) {
    RECT rect = {0, 0, width, 0};
    HDC dc = GetDC(control);
    if (!dc) return {0, 0};
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_CALCRECT | DT_NOPREFIX);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

std::vector<std::wstring> SplitLines(const std::wstring& text) {
    std::vector<std::wstring> pieces;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(L"\r\n", start);
        if (end == std::wstring::npos) {
            pieces.push_back(text.substr(start));
            return pieces;
        }
        pieces.push_back(text.substr(start, end - start));
        start = end + 2;
    }
}

ChoiceDialog::ChoiceDialog(const ChoiceSettings& settings, std::wstring caption, bool sizable, int labelWidth)
    : m_settings(settings), m_caption(std::move(caption)), m_sizable(sizable), m_labelWidth(labelWidth) {}

ChoiceDialog::~ChoiceDialog() {
    // No message may reach a dialog that is being taken apart.
    if (m_window) SetWindowLongPtrW(m_window.get(), DWLP_USER, 0);
    m_window.reset();
}

bool ChoiceDialog::Run(const std::wstring& title) {
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_SETFONT | DS_3DLOOK |
                        (m_sizable ? WS_THICKFRAME : DS_MODALFRAME);
    // Topmost from the start: bring-to-front leaves the z-order alone when
    // the window is already in front, as a new window often is.
    const DWORD exStyle = WS_EX_CONTROLPARENT | (m_settings.Topmost() ? WS_EX_TOPMOST : 0);
    // A "#32770" window gets Tab, Enter and Esc from the shared wait step.
    const std::vector<WORD> layout = EmptyDialogTemplate(style, kDesignFace, kDesignPoints, exStyle);
    HWND window = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(layout.data()),
                                             nullptr, Procedure, reinterpret_cast<LPARAM>(this));
    // Without a desktop to show it on, the call ends as if cancelled.
    if (!window) return false;
    if (!ContentReady()) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        m_window.reset();
        return false;
    }

    const std::wstring caption = title.empty() ? m_caption : title.substr(0, ChoiceSettings::kTitleLength);
    SetWindowTextW(window, caption.c_str());
    if (HasInfo()) {
        SetWindowTextW(m_label, m_settings.Info().c_str());
    } else {
        ShowWindow(m_label, SW_HIDE);
        EnableWindow(m_label, FALSE);
    }
    if (!m_settings.ButtonText().empty())
        SetWindowTextW(m_ok, m_settings.ButtonText().substr(0, ChoiceSettings::kButtonTextShown).c_str());
    if (m_settings.FontModernize()) m_fonts.Modernise(window);
    if (m_settings.FontEnlarge() != 0) m_fonts.Enlarge(window, 9 + m_settings.FontEnlarge());
    FontsApplied();
    MeasureInfo();

    const SIZE design = DesignClient();
    m_minimumClient = {Px(design.cx), Px(design.cy) + m_infoExtra};
    const SIZE outer = OuterFor(m_minimumClient);
    RECT work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int left = std::max<int>(work.left, work.left + (work.right - work.left - outer.cx) / 2);
    const int top = std::max<int>(work.top, work.top + (work.bottom - work.top - outer.cy) / 2);
    m_laidOut = true;
    SetWindowPos(window, nullptr, left, top, outer.cx, outer.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client;
    GetClientRect(window, &client);
    Layout(client.right, client.bottom);

    ShowWindow(window, SW_SHOW);
    BringToFront(window, m_settings.Topmost());
    // The dialog way of moving the focus keeps the default button right.
    SendMessageW(window, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(InitialFocus()), TRUE);
    WaitForDialog(window, m_done);
    // A WM_QUIT ends the wait early: the window goes with the call all the same.
    if (m_window) {
        SetWindowLongPtrW(m_window.get(), DWLP_USER, 0);
        m_window.reset();
    }
    return m_accepted;
}

bool ChoiceDialog::OnMessage(UINT, WPARAM, LPARAM, INT_PTR*) { return false; }

HWND ChoiceDialog::AddControl(const wchar_t* className, DWORD style, int id, DWORD exStyle, const wchar_t* text) {
    HWND control = CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, Window(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (control) SendMessageW(control, WM_SETFONT, SendMessageW(Window(), WM_GETFONT, 0, 0), FALSE);
    return control;
}

int ChoiceDialog::Px(int twips) const noexcept { return TwipsToPixels(Window(), twips); }

int ChoiceDialog::OkWidth() const noexcept {
    wchar_t text[64] = {};
    const int length = GetWindowTextW(m_ok, text, ARRAYSIZE(text));
    const SIZE size = TextSize(m_ok, std::wstring(text, length), DT_SINGLELINE, 0);
    return std::max(Px(kOkDesignWidth), static_cast<int>(size.cx) + Px(kOkTextMargin));
}

void ChoiceDialog::PlaceLabel(int left, int top, int width) {
    Place(m_label, left, top, width, Px(kLabelDesignHeight) + m_infoExtra);
}

void ChoiceDialog::LayOutList(HWND list, int width, int height) {
    // The list 200 twips from the left, the button 375 from the right.
    const int okWidth = OkWidth();
    const int okLeft = width - Px(375) - okWidth;
    if (HasInfo()) {
        PlaceLabel(Px(240), Px(140), width - Px(515));
        const int top = Px(1180) + InfoExtra();
        Place(list, Px(200), top, width - Px(465), height - Px(1115) - top);
        Place(m_ok, okLeft, height - Px(775), okWidth, Px(380));
    } else {
        Place(list, Px(200), Px(200), width - Px(465), height - Px(1440));
        Place(m_ok, okLeft, height - Px(800), okWidth, Px(380));
    }
}

void ChoiceDialog::Place(HWND control, int left, int top, int width, int height) {
    SetWindowPos(control, nullptr, left, top, std::max(width, 0), std::max(height, 0), SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChoiceDialog::MeasureInfo() {
    m_infoExtra = 0;
    if (!HasInfo()) return;
    const SIZE size = TextSize(m_label, m_settings.Info(), DT_WORDBREAK | DT_EDITCONTROL, Px(m_labelWidth));
    m_infoExtra = std::max(0, static_cast<int>(size.cy) - Px(kLabelDesignHeight));
}

SIZE ChoiceDialog::OuterFor(SIZE client) const noexcept {
    RECT rect = {0, 0, client.cx, client.cy};
    AdjustWindowRectEx(&rect, static_cast<DWORD>(GetWindowLongW(Window(), GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongW(Window(), GWL_EXSTYLE)));
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void ChoiceDialog::Finish(bool accepted) noexcept {
    m_accepted = accepted;
    m_done = true;
    // Unloaded at once: a call that waits below another client's dialog (the
    // wait loops nest on the one thread) must not leave its window showing.
    if (m_window) DestroyWindow(m_window.get());
}

INT_PTR CALLBACK ChoiceDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(window, DWLP_USER, lParam);
        auto* self = reinterpret_cast<ChoiceDialog*>(lParam);
        self->m_window.reset(window);
        self->m_label = self->AddControl(L"STATIC", SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL, kLabelId);
        self->m_ok = self->AddControl(L"BUTTON", BS_DEFPUSHBUTTON | WS_TABSTOP, kOkId, 0, L"OK");
        self->CreateContent();
        return FALSE;  // the focus is set once the dialog shows
    }
    auto* self = reinterpret_cast<ChoiceDialog*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!self) return FALSE;
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->m_window.release();
        self->m_done = true;
        return FALSE;
    }
    return self->Handle(message, wParam, lParam);
}

INT_PTR ChoiceDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == kOkId && HIWORD(wParam) == BN_CLICKED) {
            if (TakeResult()) Finish(true);
            return TRUE;
        }
        // Esc reaches a dialog as IDCANCEL (there is no Cancel button).
        if (LOWORD(wParam) == IDCANCEL) {
            if (m_settings.DlgCancelEsc()) Finish(false);
            return TRUE;
        }
        break;
    case WM_CLOSE:
        Finish(false);
        return TRUE;
    case WM_SIZE:
        if (m_laidOut && wParam != SIZE_MINIMIZED) Layout(LOWORD(lParam), HIWORD(lParam));
        return TRUE;
    case WM_GETMINMAXINFO:
        if (m_laidOut && m_sizable) {
            const SIZE minimum = OuterFor(m_minimumClient);
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {minimum.cx, minimum.cy};
            return TRUE;
        }
        break;
    default:
        break;
    }
    INT_PTR result = FALSE;
    if (OnMessage(message, wParam, lParam, &result)) return result;
    return FALSE;
}

}  // namespace kelpa
