// The text output window: layout, fonts and cheap appending.
#include "windows/TextWindow.h"

#include <algorithm>

#include "core/windowfn.h"

namespace kelpa {
namespace {

constexpr wchar_t kClassName[] = L"KelpaTextWindow";
constexpr wchar_t kDesignFace[] = L"MS Shell Dlg 2";
// The window's design, in twips: client area, and the margin around the text.
constexpr int kClientWidth = 4680;
constexpr int kClientHeight = 3195;
constexpr int kMargin = 140;
constexpr int kTextControlId = 1;
constexpr UINT_PTR kFlushTimer = 1;

std::wstring Cut(const std::wstring& text, size_t limit) { return text.substr(0, std::min(text.size(), limit)); }

bool IsBlank(wchar_t c) noexcept { return c == L' ' || c == L'\t'; }

int CALLBACK BoxWordBreak(LPWSTR text, int position, int length, int code) {
    return TextWindow::WordBreak(text, position, length, code);
}

}  // namespace

int TextWindow::WordBreak(const wchar_t* text, int position, int length, int code) noexcept {
    if (!text || length <= 0) return 0;
    position = std::clamp(position, 0, length);
    const auto breaksBefore = [&](int at) { return at > 0 && IsBlank(text[at - 1]) && !IsBlank(text[at]); };
    switch (code) {
    case WB_LEFT:
        // The start of the word left of the position; 0 when there is none.
        if (position > 0) --position;
        while (position > 0 && !breaksBefore(position)) --position;
        return position;
    case WB_RIGHT:
        while (position < length && text[position] && !breaksBefore(position)) ++position;
        return position;
    case WB_ISDELIMITER:
        return position < length && IsBlank(text[position]);
    }
    return 0;
}

long TextWindow::Handle() const noexcept {
    return static_cast<long>(reinterpret_cast<LONG_PTR>(m_window.get()));
}

LRESULT CALLBACK TextWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<TextWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self) {
        switch (message) {
        case WM_SIZE:
            self->OnSize(LOWORD(lParam), HIWORD(lParam));
            return 0;
        case WM_TIMER:
            if (wParam != kFlushTimer) break;
            self->OnFlushTimer();
            return 0;
        case WM_CTLCOLORSTATIC:
            // The read-only box and the label take the window's background.
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_3DFACE));
            SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_3DFACE));
        case WM_NCDESTROY:
            // Closed by the user: the object goes back to having no window,
            // so the next Create shows a new one.
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            self->OnDestroyed();
            break;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void TextWindow::OnSize(int width, int height) noexcept {
    if (!m_text) return;
    const int margin = TwipsToPixels(m_window.get(), kMargin);
    RECT now;
    GetWindowRect(m_text, &now);
    int textWidth = now.right - now.left, textHeight = now.bottom - now.top;
    // A client area narrower or lower than both margins leaves that side as it was.
    if (width >= 2 * margin) textWidth = width - 2 * margin;
    if (height >= 2 * margin) textHeight = height - 2 * margin;
    SetWindowPos(m_text, nullptr, margin, margin, textWidth, textHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TextWindow::OnDestroyed() noexcept {
    m_window.release();  // already destroyed: nothing left to close
    m_text = nullptr;
    DropPending();
}

void TextWindow::DropPending() noexcept {
    // The timer, if any, went with the window or goes now.
    if (m_flushArmed && m_window) KillTimer(m_window.get(), kFlushTimer);
    m_flushArmed = false;
    m_pending.clear();
    m_pending.shrink_to_fit();
}

void TextWindow::Create(const std::wstring& title) {
    if (m_window) return;
    RegisterWindowClassOnce(kClassName, &TextWindow::Procedure, COLOR_3DFACE);
    const DWORD style = WS_OVERLAPPEDWINDOW;
    RECT outer = {0, 0, TwipsToPixels(nullptr, kClientWidth), TwipsToPixels(nullptr, kClientHeight)};
    AdjustWindowRectEx(&outer, style, FALSE, 0);
    m_window.reset(CreateWindowExW(0, kClassName, L"", style, CW_USEDEFAULT, CW_USEDEFAULT, outer.right - outer.left,
                                   outer.bottom - outer.top, nullptr, nullptr, GetModuleHandleW(nullptr), this));
    if (!m_window) return;
    SetWindowPos(m_window.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    CreateTextControl();
    m_labelText.clear();
    m_labelLines = 0;
    SetWindowTextW(m_text, L"");
    m_shownFace = kDesignFace;
    ApplyFont(m_face.empty() ? std::wstring(kDesignFace) : m_face);
    if (!title.empty()) m_title = Cut(title, kTitleLimit);
    SetWindowTextW(m_window.get(), m_title.c_str());
    ShowWindow(m_window.get(), SW_SHOWNORMAL);
    if (m_topmost) kelpa::SetTopmost(m_window.get(), true);
    UpdateWindow(m_window.get());
}

void TextWindow::CreateTextControl() {
    const bool box = m_kind == Kind::Box;
    DWORD style = WS_CHILD | WS_VISIBLE;
    if (box) {
        style |= ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | ES_NOHIDESEL;
        if (m_scroll) style |= WS_VSCROLL;
    } else {
        style |= SS_LEFT | SS_NOPREFIX;
    }
    m_text = CreateWindowExW(0, box ? L"EDIT" : L"STATIC", L"", style, 0, 0, 0, 0, m_window.get(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kTextControlId)), GetModuleHandleW(nullptr),
                             nullptr);
    // The box's own limit lies above what it is allowed to hold, so no line
    // is ever refused: the oldest text is trimmed instead (AppendToBox).
    if (box && m_text) {
        SendMessageW(m_text, EM_SETLIMITTEXT, 0, 0);
        SendMessageW(m_text, EM_SETWORDBREAKPROC, 0, reinterpret_cast<LPARAM>(&BoxWordBreak));
    }
    RECT client;
    GetClientRect(m_window.get(), &client);
    OnSize(client.right, client.bottom);
}

void TextWindow::Remove() noexcept {
    if (!m_window) return;
    ShowWindow(m_window.get(), SW_HIDE);
    // Detached first: the procedure must not reach back into this object
    // while the window goes.
    SetWindowLongPtrW(m_window.get(), GWLP_USERDATA, 0);
    DropPending();
    m_window.reset();
    m_text = nullptr;
}

void TextWindow::Cls() {
    if (!m_window) return;
    DropPending();
    m_labelText.clear();
    m_labelLines = 0;
    SetWindowTextW(m_text, L"");
}

size_t TextWindow::LabelLineBound() const noexcept {
    // Every line takes at least one row of the smallest text size; rows past
    // the height of the whole desktop are never seen in a label.
    const int row = std::max(1, MulDiv(kSmallestSize, std::max(1, TwipsToPixels(m_window.get(), 1440)), 72));
    const int screen = std::max(1, GetSystemMetrics(SM_CYVIRTUALSCREEN));
    return static_cast<size_t>(screen / row + 1);
}

void TextWindow::WriteLine(const std::wstring& line) {
    if (!m_window) return;
    const std::wstring text = Cut(line, kLineLimit) + L"\r\n";
    if (m_kind == Kind::Box) {
        m_pending += text;
        if (m_pending.size() > kBoxCharacterLimit) {
            // More than the box keeps arrived within one tick: only the
            // newest whole lines can ever be seen.
            const size_t end = m_pending.find(L"\r\n", m_pending.size() - kBoxCharacterLimit);
            m_pending.erase(0, end == std::wstring::npos ? m_pending.size() : end + 2);
        }
        if (!m_flushArmed) {
            FlushPending();
            // Without a timer every line goes to the box at once: slower, never lost.
            m_flushArmed = SetTimer(m_window.get(), kFlushTimer, kFlushMilliseconds, nullptr) != 0;
        }
        return;
    }
    if (m_labelLines >= LabelLineBound()) return;
    m_labelText += text;
    ++m_labelLines;
    SetWindowTextW(m_text, m_labelText.c_str());
}

void TextWindow::FlushPending() {
    if (m_pending.empty() || !m_text) return;
    AppendToBox(m_pending);
    m_pending.clear();
}

void TextWindow::OnFlushTimer() noexcept {
    if (m_pending.empty()) {
        // A quiet tick: the next line shows at once again.
        KillTimer(m_window.get(), kFlushTimer);
        m_flushArmed = false;
        return;
    }
    try {
        FlushPending();
    } catch (...) {
        // Out of memory while trimming: the lines stay pending for the next tick.
    }
}

void TextWindow::AppendToBox(const std::wstring& text) {
    const LRESULT firstVisible = SendMessageW(m_text, EM_GETFIRSTVISIBLELINE, 0, 0);
    size_t length = static_cast<size_t>(GetWindowTextLengthW(m_text));
    if (length + text.size() > kBoxCharacterLimit) {
        // Whole lines go: up to the first line end after the oldest quarter.
        std::wstring all(length + 1, L'\0');
        all.resize(static_cast<size_t>(GetWindowTextW(m_text, all.data(), static_cast<int>(all.size()))));
        size_t cut = all.size();
        const size_t end = all.find(L"\r\n", std::max(all.size() / 4, length + text.size() - kBoxCharacterLimit));
        if (end != std::wstring::npos) cut = end + 2;
        SendMessageW(m_text, EM_SETSEL, 0, static_cast<LPARAM>(cut));
        SendMessageW(m_text, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
        length = static_cast<size_t>(GetWindowTextLengthW(m_text));
    }
    // Appending through the selection: the box adds the text to its end
    // without the whole text being copied out and back for every line.
    SendMessageW(m_text, EM_SETSEL, static_cast<WPARAM>(length), static_cast<LPARAM>(length));
    SendMessageW(m_text, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    if (m_scroll) {
        ScrollToEnd(m_text);
    } else {
        // Without a scroll bar the box shows its text from the top, as the label does.
        const LRESULT now = SendMessageW(m_text, EM_GETFIRSTVISIBLELINE, 0, 0);
        if (now != firstVisible) SendMessageW(m_text, EM_LINESCROLL, 0, static_cast<LPARAM>(firstVisible - now));
    }
}

void TextWindow::Flash(long count) noexcept {
    if (m_window) kelpa::Flash(m_window.get(), count);
}

void TextWindow::SetTitle(const std::wstring& title) {
    m_title = Cut(title, kTitleLimit);
    if (m_window) SetWindowTextW(m_window.get(), m_title.c_str());
}

void TextWindow::SetTopmost(bool topmost) noexcept {
    m_topmost = topmost;
    if (m_window) kelpa::SetTopmost(m_window.get(), topmost);
}

void TextWindow::SetWriteBold(bool bold) {
    m_bold = bold;
    if (m_window) ApplyFont(m_shownFace);
}

std::wstring TextWindow::WriteFont() {
    if (m_window) m_face = m_shownFace;
    return m_face;
}

void TextWindow::SetWriteFont(const std::wstring& face) {
    m_face = face;
    if (m_window) ApplyFont(face.empty() ? std::wstring(kDesignFace) : face);
}

short TextWindow::WriteSize() {
    if (m_window && m_text) m_size = static_cast<short>(FontPoints(m_text));
    return m_size;
}

void TextWindow::SetWriteSize(short points) {
    m_size = std::clamp(points, kSmallestSize, kLargestSize);
    if (m_window) ApplyFont(m_shownFace);
}

void TextWindow::SetScroll(bool scroll) noexcept {
    // The box is chosen at Create; a window that exists keeps its box.
    if (!m_window) m_scroll = scroll;
}

void TextWindow::ApplyFont(const std::wstring& face) {
    if (!m_text) return;
    const std::wstring& use = (_wcsicmp(face.c_str(), kDesignFace) == 0 || FaceExists(face)) ? face : m_shownFace;
    LOGFONTW description = {};
    description.lfHeight = -MulDiv(m_size, std::max(1, TwipsToPixels(m_text, 1440)), 72);
    description.lfWeight = m_bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfQuality = DEFAULT_QUALITY;
    wcsncpy(description.lfFaceName, use.c_str(), LF_FACESIZE - 1);
    unique_hgdiobj font(CreateFontIndirectW(&description));
    if (!font) return;
    SendMessageW(m_text, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    // The control now uses the new font; the old one may go.
    m_font = std::move(font);
    m_shownFace = use;
}

}  // namespace kelpa
