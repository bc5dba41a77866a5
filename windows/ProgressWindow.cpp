// The progress window: its design, layout, bar messages and button press.
#include "windows/ProgressWindow.h"

#include <commctrl.h>
#include <olectl.h>
#include <uxtheme.h>
#include <algorithm>

#include "core/ScriptValues.h"
#include "core/windowfn.h"

namespace kelpa {
namespace {

constexpr wchar_t kClassName[] = L"KelpaProgressWindow";
constexpr wchar_t kDesignFace[] = L"MS Shell Dlg 2";
constexpr wchar_t kModernFace[] = L"Segoe UI";
// Posted to the window by a press, so the script's handler runs from the
// message loop and not inside the button's own click handling: the handler
// may release the object and with it the button.
constexpr UINT kPressedMessage = WM_APP + 1;

enum ControlId { kMainText = 1, kBar, kSubText, kFrame, kButtonLabel, kButton };

// The design, in twips.
constexpr int kClientWidth = 4980;
constexpr int kMinimumOuterWidth = 5100;
constexpr int kHeightWithoutButton = 3000;
constexpr int kHeightWithButton = 3945;
constexpr int kFrameTop = 2600;
constexpr int kBarTop = 1200;
// The bar's own size in pixels until the first layout.
constexpr int kBarLeft = 10, kBarWidth = 304, kBarHeight = 20;

constexpr long kBarStyleBits = PBS_SMOOTH | PBS_MARQUEE | 0x10;  // 0x10: PBS_SMOOTHREVERSE
constexpr long kBarWindowStyle = WS_CHILD | WS_VISIBLE;
const long kSystemColours[] = {static_cast<long>(0x80000007), static_cast<long>(0x80000008),
                               static_cast<long>(0x80000012)};

std::wstring Cut(const std::wstring& text, size_t limit) { return text.substr(0, std::min(text.size(), limit)); }

HFONT MakeFont(HWND window, int points, const wchar_t* face) {
    LOGFONTW description = {};
    description.lfHeight = -MulDiv(points, std::max(1, TwipsToPixels(window, 1440)), 72);
    description.lfWeight = FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(description.lfFaceName, face, LF_FACESIZE - 1);
    return CreateFontIndirectW(&description);
}

}  // namespace

ProgressWindow::~ProgressWindow() { Remove(); }

int ProgressWindow::Twips(int twips) const noexcept { return TwipsToPixels(m_window.get(), twips); }

BarView ProgressWindow::View() noexcept {
    return {Progress(), m_minimum, m_maximum, m_style, m_marqueeOn, m_state};
}

LRESULT CALLBACK ProgressWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<ProgressWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self) {
        switch (message) {
        case WM_SIZE:
            self->OnSize();
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return self->OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_COMMAND:
            // A disabled button (mode 2) counts nothing, however its click came.
            if (LOWORD(wParam) == kButton && HIWORD(wParam) == BN_CLICKED && self->m_pressFlag &&
                IsWindowEnabled(self->m_button)) {
                // Later presses are ignored until the script arms the notifier again.
                self->m_pressFlag = false;
                PostMessageW(window, kPressedMessage, 0, 0);
            }
            return 0;
        case kPressedMessage:
            // Last thing this window does for the message: the handler may
            // destroy it.
            self->OnPressed();
            return 0;
        case WM_NCDESTROY:
            // Closed by the user: treated as Remove, so members no longer act
            // on a window that is gone and the next Create makes a new one.
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->OnDestroyed();
            break;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT ProgressWindow::OnControlColour(HDC dc, HWND control) noexcept {
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    if (control == m_mainLabel) {
        // System colours (0x80000000 + index) translate to their current value.
        COLORREF translated = 0;
        if (SUCCEEDED(OleTranslateColor(static_cast<OLE_COLOR>(m_mainColour), nullptr, &translated))) text = translated;
    }
    SetTextColor(dc, text);
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

void ProgressWindow::OnPressed() noexcept {
    if (m_presses < SHRT_MAX) ++m_presses;
    const short notifier = m_notifier;
    m_notifier = 0;
    if (notifier != 2) return;
    // A copy runs: the handler may release the owner, and this object with it.
    std::function<void()> handler = m_onButtonPressed;
    if (handler) handler();
}

void ProgressWindow::OnDestroyed() noexcept {
    m_window.release();  // already destroyed: nothing left to close
    m_bar = m_mainLabel = m_subLabel = m_frame = m_buttonLabelControl = m_button = nullptr;
}

void ProgressWindow::OnSize() noexcept {
    if (!m_window || !m_mainLabel) return;
    RECT outer;
    GetWindowRect(m_window.get(), &outer);
    const int dpi = std::max(1, Twips(1440));
    const int outerWidth = outer.right - outer.left;
    // Compared in pixels: a round trip through twips could miss the minimum
    // by a rounding step and resize for ever.
    const int d = std::max(0, MulDiv(outerWidth, 1440, dpi) - kMinimumOuterWidth);
    if (outerWidth < Twips(kMinimumOuterWidth)) {
        // Narrower than the design: back to the minimum; the next pass lays out.
        SetWindowPos(m_window.get(), nullptr, 0, 0, Twips(kMinimumOuterWidth), outer.bottom - outer.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    auto width = [&](HWND control, int twips) {
        RECT r;
        GetWindowRect(control, &r);
        SetWindowPos(control, nullptr, 0, 0, Twips(twips), r.bottom - r.top,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    };
    width(m_mainLabel, 4600 + d);
    width(m_subLabel, 4600 + d);
    width(m_frame, 5100 + d);
    width(m_buttonLabelControl, 3000 + d);
    SetWindowPos(m_button, nullptr, Twips(3560 + d), Twips(kFrameTop + 220), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_bar) Resize(m_bar, Twips(4600 + d), kBarHeight);
}

void ProgressWindow::ApplyButtonMode() noexcept {
    if (!m_window) return;
    const bool shown = m_buttonMode != 0;
    ShowWindow(m_button, shown ? SW_SHOW : SW_HIDE);
    EnableWindow(m_button, m_buttonMode == 1);
    ShowWindow(m_buttonLabelControl, shown ? SW_SHOW : SW_HIDE);
    RECT outer;
    GetWindowRect(m_window.get(), &outer);
    Resize(m_window.get(), outer.right - outer.left, Twips(shown ? kHeightWithButton : kHeightWithoutButton));
}

bool ProgressWindow::CreateControls(short unthemed) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND window = m_window.get();
    auto child = [&](const wchar_t* cls, DWORD style, int id, int x, int y, int w, int h) {
        return CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, x, y, w, h, window,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    };
    m_mainLabel = child(L"STATIC", SS_LEFT | SS_NOPREFIX, kMainText, Twips(135), Twips(200), Twips(4600), Twips(800));
    m_subLabel = child(L"STATIC", SS_LEFT | SS_NOPREFIX, kSubText, Twips(135), Twips(1800), Twips(4600), Twips(460));
    m_frame = child(L"BUTTON", BS_GROUPBOX, kFrame, 0, Twips(kFrameTop), Twips(5100), Twips(945));
    m_buttonLabelControl = child(L"STATIC", SS_LEFT | SS_NOPREFIX, kButtonLabel, Twips(135), Twips(kFrameTop + 280),
                                 Twips(3000), Twips(320));
    m_button = child(L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, kButton, Twips(3560), Twips(kFrameTop + 220), Twips(1200),
                     Twips(380));
    if (!m_mainLabel || !m_subLabel || !m_frame || !m_buttonLabelControl || !m_button) return false;
    // The frame lies behind the controls drawn inside it.
    SetWindowPos(m_frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    // "Segoe UI" where the system has it; otherwise the design face stays.
    const wchar_t* face = FaceExists(kModernFace) ? kModernFace : kDesignFace;
    m_font.reset(MakeFont(window, 9, face));
    m_mainFont.reset(MakeFont(window, 12, face));
    for (HWND control : {m_subLabel, m_frame, m_buttonLabelControl, m_button})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
    SendMessageW(m_mainLabel, WM_SETFONT, reinterpret_cast<WPARAM>(m_mainFont.get()), FALSE);

    m_bar = CreateWindowExW(0, PROGRESS_CLASSW, L"", static_cast<DWORD>(m_style | kBarWindowStyle), kBarLeft,
                            Twips(kBarTop), kBarWidth, kBarHeight, window,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBar)), instance, nullptr);
    if (!m_bar) return false;
    ShowWindow(m_bar, SW_SHOWNORMAL);
    // Bar colours show only on a bar drawn without visual styles.
    if (unthemed != 0) SetWindowTheme(m_bar, L"", L"");
    SendMessageW(m_bar, PBM_SETSTATE, static_cast<WPARAM>(m_state), 0);
    SendMessageW(m_bar, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(m_barColour));
    SendMessageW(m_bar, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(m_barBackground));
    SendMessageW(m_bar, PBM_SETRANGE, 0, static_cast<LPARAM>(MakeLong(m_minimum, m_maximum)));
    SendMessageW(m_bar, PBM_SETSTEP, static_cast<WPARAM>(m_step), 0);
    if (m_style & PBS_MARQUEE)
        ApplyMarquee();
    else
        SendMessageW(m_bar, PBM_SETPOS, static_cast<WPARAM>(m_position), 0);
    return true;
}

void ProgressWindow::Create(const std::wstring& title, short width, short unthemed) {
    if (m_window) return;
    RegisterWindowClassOnce(kClassName, &ProgressWindow::Procedure, COLOR_WINDOW);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT outer = {0, 0, TwipsToPixels(nullptr, kClientWidth), TwipsToPixels(nullptr, kHeightWithoutButton)};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    m_window.reset(CreateWindowExW(0, kClassName, L"", style, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                                   TwipsToPixels(nullptr, kHeightWithoutButton), nullptr, nullptr,
                                   GetModuleHandleW(nullptr), this));
    if (!m_window || !CreateControls(unthemed)) {
        Remove();
        m_errors.Report(ObjectError(855), L"Control creation error.");
        return;
    }
    SetWindowPos(m_window.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowTextW(m_mainLabel, m_mainText.c_str());
    if (!title.empty()) m_title = Cut(title, kTitleLimit);
    SetWindowTextW(m_window.get(), m_title.c_str());
    if (width >= 360 && width <= 900) {
        const int twips = MulDiv(width, 1440, std::max(1, Twips(1440)));
        if (twips > kMinimumOuterWidth) {
            RECT now;
            GetWindowRect(m_window.get(), &now);
            Resize(m_window.get(), Twips(twips), now.bottom - now.top);
        }
    }
    SetWindowTextW(m_subLabel, m_subText.c_str());
    ApplyButtonMode();
    m_pressFlag = m_notifier != 0;
    SetWindowTextW(m_button, m_buttonText.c_str());
    SetWindowTextW(m_buttonLabelControl, m_buttonLabel.c_str());
    OnSize();
    ShowWindow(m_window.get(), SW_SHOWNORMAL);
    if (m_topmost) kelpa::SetTopmost(m_window.get(), true);
    m_taskbar.Refresh(m_window.get(), View());
    UpdateWindow(m_window.get());
}

void ProgressWindow::Remove() noexcept {
    if (!m_window) return;
    m_taskbar.Clear(m_window.get());
    ShowWindow(m_window.get(), SW_HIDE);
    // Detached first: the procedure must not reach back while the window goes.
    SetWindowLongPtrW(m_window.get(), GWLP_USERDATA, 0);
    m_window.reset();
    OnDestroyed();
}

void ProgressWindow::Flash(long count) noexcept {
    if (m_window) kelpa::Flash(m_window.get(), count);
}

short ProgressWindow::TaskbarValueAfter(short amount) const {
    const long sum = static_cast<long>(m_taskbar.Value()) + amount;
    if (sum < SHRT_MIN || sum > SHRT_MAX) ThrowOverflow(kSource);
    return static_cast<short>(sum);
}

void ProgressWindow::ProgressAdd(short amount) {
    if (!m_window) return;
    // Checked first, so a call that overflows changes nothing.
    const short value = m_taskbar.Follows() ? TaskbarValueAfter(amount) : 0;
    if (!(m_style & PBS_MARQUEE)) SendMessageW(m_bar, PBM_DELTAPOS, static_cast<WPARAM>(amount), 0);
    m_taskbar.Follow(value, m_window.get());
}

void ProgressWindow::ProgressStep() {
    if (!m_window) return;
    const short value = m_taskbar.Follows() ? TaskbarValueAfter(m_step) : 0;
    SendMessageW(m_bar, PBM_STEPIT, 0, 0);
    m_taskbar.Follow(value, m_window.get());
}

bool ProgressWindow::SetProgressRange(short minimum, short maximum) noexcept {
    if (minimum < 0 || maximum < 0 || maximum < minimum) return false;
    m_minimum = minimum;
    m_maximum = maximum;
    if (m_bar) SendMessageW(m_bar, PBM_SETRANGE, 0, static_cast<LPARAM>(MakeLong(minimum, maximum)));
    m_taskbar.FollowRange(minimum, maximum, m_window.get());
    return true;
}

void ProgressWindow::SetProgressStep(short step) noexcept {
    m_step = step;
    if (m_bar) SendMessageW(m_bar, PBM_SETSTEP, static_cast<WPARAM>(step), 0);
}

void ProgressWindow::ApplyMarquee() noexcept {
    if (m_bar && (m_style & PBS_MARQUEE))
        SendMessageW(m_bar, PBM_SETMARQUEE, m_marqueeOn ? TRUE : FALSE, static_cast<LPARAM>(m_marqueeTime));
}

void ProgressWindow::SetProgressStyle(long style) noexcept {
    m_style = style & kBarStyleBits;
    if (m_bar) {
        SetStyle(m_bar, m_style | kBarWindowStyle);
        // A bar that turns into a marquee starts (or keeps) its animation; one
        // that stops being a marquee shows the position again.
        if (m_style & PBS_MARQUEE)
            ApplyMarquee();
        else
            SendMessageW(m_bar, PBM_SETPOS, static_cast<WPARAM>(m_position), 0);
    }
    m_taskbar.FollowLook(View(), m_window.get());
}

short ProgressWindow::Progress() noexcept {
    // A marquee bar ignores positions, so it holds an old one: the kept value is the truth then.
    if (m_bar && !(m_style & PBS_MARQUEE)) m_position = static_cast<short>(SendMessageW(m_bar, PBM_GETPOS, 0, 0));
    return m_position;
}

void ProgressWindow::SetProgress(short position) noexcept {
    m_position = position;
    if (m_bar && !(m_style & PBS_MARQUEE)) SendMessageW(m_bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    m_taskbar.Follow(position, m_window.get());
}

void ProgressWindow::SetProgressMarquee(bool on) noexcept {
    m_marqueeOn = on;
    ApplyMarquee();
    m_taskbar.FollowLook(View(), m_window.get());
}

void ProgressWindow::SetProgressMarqueeTime(short milliseconds) noexcept {
    if (!InRange(milliseconds, 0, 1000)) return;
    m_marqueeTime = milliseconds == 0 ? 30 : milliseconds;
    ApplyMarquee();
    m_taskbar.FollowLook(View(), m_window.get());
}

void ProgressWindow::SetProgressState(short state) noexcept {
    if (InRange(state, 1, 3)) {
        m_state = state;
        if (m_bar) SendMessageW(m_bar, PBM_SETSTATE, static_cast<WPARAM>(state), 0);
    }
    m_taskbar.FollowLook(View(), m_window.get());
}

void ProgressWindow::SetProgressColor(long colour) noexcept {
    m_barColour = colour;
    if (m_bar) SendMessageW(m_bar, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(colour));
}

void ProgressWindow::SetProgressBackColor(long colour) noexcept {
    m_barBackground = colour;
    if (m_bar) SendMessageW(m_bar, PBM_SETBKCOLOR, 0, static_cast<LPARAM>(colour));
}

void ProgressWindow::SetButton(short mode) noexcept {
    if (!InRange(mode, 0, 2)) return;
    m_buttonMode = mode;
    ApplyButtonMode();
}

void ProgressWindow::SetButtonLabel(const std::wstring& text) {
    m_buttonLabel = text;
    if (m_window) SetWindowTextW(m_buttonLabelControl, m_buttonLabel.c_str());
}

void ProgressWindow::SetButtonText(const std::wstring& text) {
    m_buttonText = text;
    if (m_window) SetWindowTextW(m_button, m_buttonText.c_str());
}

void ProgressWindow::SetBtnNotifier(short notifier) noexcept {
    if (!InRange(notifier, 0, 2)) return;
    m_notifier = notifier;
    if (m_window) m_pressFlag = notifier != 0;
}

void ProgressWindow::SetBtnPressed(short presses) noexcept {
    if (presses >= 0) m_presses = presses;
}

void ProgressWindow::SetMainText(const std::wstring& text) {
    m_mainText = Cut(text, kTextLimit);
    if (m_window) SetWindowTextW(m_mainLabel, m_mainText.c_str());
}

void ProgressWindow::SetMainTextColor(long colour) noexcept {
    if (std::find(std::begin(kSystemColours), std::end(kSystemColours), colour) != std::end(kSystemColours))
        m_mainColour = colour;
    else if (colour == kDefaultColour)
        m_mainColour = kDefaultMainColour;
    else
        m_mainColour = colour & 0xFFFFFF;
    if (m_mainLabel) InvalidateRect(m_mainLabel, nullptr, TRUE);
}

void ProgressWindow::SetSubText(const std::wstring& text) {
    m_subText = Cut(text, kTextLimit);
    if (m_window) SetWindowTextW(m_subLabel, m_subText.c_str());
}

void ProgressWindow::SetTitle(const std::wstring& title) {
    m_title = Cut(title, kTitleLimit);
    if (m_window) SetWindowTextW(m_window.get(), m_title.c_str());
}

void ProgressWindow::SetTopmost(bool topmost) noexcept {
    m_topmost = topmost;
    if (m_window) kelpa::SetTopmost(m_window.get(), topmost);
}

namespace {
HWND WindowFromLong(long window) { return reinterpret_cast<HWND>(static_cast<LONG_PTR>(window)); }

void RaiseTaskbarFailure(HRESULT hr) {
    if (SUCCEEDED(hr)) return;
    throw ScriptError(hr, ProgressWindow::kSource,
                      hr == E_NOINTERFACE ? L"Taskbar progress is not available." : L"Taskbar progress call failed.");
}
}  // namespace

void ProgressWindow::TB_SetProgressState(long window, long flags) {
    RaiseTaskbarFailure(m_taskbar.SetProgressState(WindowFromLong(window), flags));
}

void ProgressWindow::TB_SetProgressValue(long window, LONGLONG completed, LONGLONG total) {
    RaiseTaskbarFailure(m_taskbar.SetProgressValue(WindowFromLong(window), static_cast<ULONGLONG>(completed),
                                                   static_cast<ULONGLONG>(total)));
}

}  // namespace kelpa
