// Shared window operations of the dialog and window classes.
#include "core/windowfn.h"

#include <cstring>

namespace kelpa {
namespace {

constexpr wchar_t kModernFace[] = L"Segoe UI";
constexpr DWORD kWaitStepMilliseconds = 55;

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
    return TRUE;
}

// The window first, then every control below it (nested ones too: a group
// of controls inside a frame is still part of the dialog).
std::vector<HWND> WindowAndControls(HWND dialog) {
    std::vector<HWND> windows{dialog};
    EnumChildWindows(dialog, CollectChild, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

LOGFONTW FontOf(HWND window) {
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    if (!font) font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTW description = {};
    GetObjectW(font, sizeof(description), &description);
    return description;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : 96;
}

// The window's own DPI where the system knows it (Windows 10 1607 on), else
// the screen's; resolved at run time so the program still loads on Windows 7.
int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (window && getDpiForWindow) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0) return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

bool SameFont(const LOGFONTW& a, const LOGFONTW& b) {
    return a.lfHeight == b.lfHeight && a.lfWidth == b.lfWidth && a.lfEscapement == b.lfEscapement &&
           a.lfOrientation == b.lfOrientation && a.lfWeight == b.lfWeight && a.lfItalic == b.lfItalic &&
           a.lfUnderline == b.lfUnderline && a.lfStrikeOut == b.lfStrikeOut && a.lfCharSet == b.lfCharSet &&
           a.lfQuality == b.lfQuality && a.lfPitchAndFamily == b.lfPitchAndFamily &&
           _wcsicmp(a.lfFaceName, b.lfFaceName) == 0;
}

// Modeless dialogs need IsDialogMessage for Tab, Enter and Escape; the
// message's top-level window says which dialog (if any) it belongs to.
bool IsDialogKeyboardMessage(MSG& message) {
    if (!message.hwnd || message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (!root) return false;
    wchar_t className[16] = {};
    GetClassNameW(root, className, ARRAYSIZE(className));
    return wcscmp(className, L"#32770") == 0 && IsDialogMessageW(root, &message);
}

}  // namespace

void BringToFront(HWND window, bool topmost) noexcept {
    HWND foreground = GetForegroundWindow();
    if (window == foreground) return;
    const DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    const DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    if (foregroundThread == 0 || windowThread == 0) return;
    BOOL activated;
    if (foregroundThread == windowThread) {
        activated = SetForegroundWindow(window);
    } else {
        // Joining the input queues lets this thread take the foreground from
        // another process, which SetForegroundWindow alone may refuse.
        AttachThreadInput(foregroundThread, windowThread, TRUE);
        activated = SetForegroundWindow(window);
        AttachThreadInput(foregroundThread, windowThread, FALSE);
    }
    ShowWindow(window, IsIconic(window) ? SW_RESTORE : SW_SHOW);
    if (activated)
        SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

void SetTopmost(HWND window, bool topmost) noexcept {
    SetWindowPos(window, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
}

FLASHWINFO FlashParameters(HWND window, long count) noexcept {
    FLASHWINFO info = {};
    info.cbSize = sizeof(info);
    info.hwnd = window;
    info.dwTimeout = 0;
    if (count > 9) {
        info.dwFlags = FLASHW_ALL | FLASHW_TIMERNOFG;
        info.uCount = 0;
    } else if (count > 0) {
        info.dwFlags = FLASHW_ALL;
        info.uCount = static_cast<UINT>(count);
    } else {
        info.dwFlags = FLASHW_STOP;
        info.uCount = 0;
    }
    return info;
}

void Flash(HWND window, long count) noexcept {
    FLASHWINFO info = FlashParameters(window, count);
    FlashWindowEx(&info);
}

void FrameChanged(HWND window) noexcept {
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
}

void Resize(HWND window, int width, int height) noexcept {
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOOWNERZORDER);
}

void SetStyle(HWND window, LONG style) noexcept {
    // 0 is also a valid previous style: only the last error tells a failure.
    SetLastError(0);
    if (SetWindowLongW(window, GWL_STYLE, style) == 0 && GetLastError() != 0) return;
    SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
}

void AddStyleBits(HWND window, LONG bits, bool extended, bool refreshFrame) noexcept {
    const int which = extended ? GWL_EXSTYLE : GWL_STYLE;
    SetWindowLongW(window, which, GetWindowLongW(window, which) | bits);
    if (refreshFrame) FrameChanged(window);
}

void ScrollToEnd(HWND edit) noexcept { SendMessageW(edit, WM_VSCROLL, SB_BOTTOM, 0); }

int TwipsToPixels(HWND window, int twips) noexcept { return MulDiv(twips, WindowDpi(window), 1440); }

HFONT WindowFonts::Find(const LOGFONTW& wanted) {
    for (const unique_hgdiobj& font : m_fonts) {
        LOGFONTW have = {};
        GetObjectW(font.get(), sizeof(have), &have);
        if (SameFont(have, wanted)) return static_cast<HFONT>(font.get());
    }
    HFONT made = CreateFontIndirectW(&wanted);
    if (!made) return nullptr;
    m_fonts.emplace_back(made);
    return made;
}

template <class Change>
void WindowFonts::Apply(HWND dialog, Change change) {
    // Collect first: fonts this object already owns stay owned, and a font
    // given to a control is never freed while the dialog lives.
    for (HWND window : WindowAndControls(dialog)) ApplyTo(window, change);
}

template <class Change>
void WindowFonts::ApplyTo(HWND window, Change change) {
    LOGFONTW description = FontOf(window);
    change(description, window);
    if (HFONT font = Find(description)) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void WindowFonts::SetPoints(HWND control, int points) {
    ApplyTo(control, [points](LOGFONTW& font, HWND window) {
        font.lfHeight = -MulDiv(points, WindowDpi(window), 72);
        font.lfWidth = 0;
    });
}

void WindowFonts::Embolden(HWND control) {
    ApplyTo(control, [](LOGFONTW& font, HWND) { font.lfWeight = FW_BOLD; });
}

void WindowFonts::Modernise(HWND dialog) {
    Apply(dialog, [](LOGFONTW& font, HWND) {
        wcsncpy(font.lfFaceName, kModernFace, LF_FACESIZE - 1);
        font.lfFaceName[LF_FACESIZE - 1] = L'\0';
    });
}

void WindowFonts::Enlarge(HWND dialog, int points) {
    for (HWND window : WindowAndControls(dialog)) SetPoints(window, points);
}

std::wstring FontFace(HWND window) { return FontOf(window).lfFaceName; }

int FontPoints(HWND window) {
    const LOGFONTW font = FontOf(window);
    const int height = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    return MulDiv(height, 72, WindowDpi(window));
}

bool HandlePendingMessages() noexcept {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Not ours to take: the thread's own loop must still see it.
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (IsDialogKeyboardMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}

bool WaitStep() noexcept {
    if (!HandlePendingMessages()) return false;
    // Waiting on the queue instead of a plain Sleep(55): the same bound on
    // the time the thread gives away, but a key press or a click wakes it at
    // once instead of waiting out the rest of the 55 ms.
    MsgWaitForMultipleObjectsEx(0, nullptr, kWaitStepMilliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    SwitchToThread();
    return true;
}

void WaitForDialog(HWND window, const bool& done) noexcept {
    while (!done && IsWindow(window)) {
        if (!WaitStep()) break;
    }
}

void RegisterWindowClassOnce(const wchar_t* name, WNDPROC procedure, int backgroundColour) noexcept {
    WNDCLASSEXW existing = {};
    existing.cbSize = sizeof(existing);
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (GetClassInfoExW(instance, name, &existing)) return;
    WNDCLASSEXW windowClass = {};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hIconSm = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(backgroundColour);
    windowClass.lpszClassName = name;
    RegisterClassExW(&windowClass);
}

namespace {
int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}
}  // namespace

bool FaceExists(const std::wstring& face) noexcept {
    if (face.empty() || face.size() >= LF_FACESIZE) return false;
    LOGFONTW wanted = {};
    wanted.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(wanted.lfFaceName, face.c_str(), LF_FACESIZE - 1);
    HDC screen = GetDC(nullptr);
    if (!screen) return false;
    bool found = false;
    EnumFontFamiliesExW(screen, &wanted, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

unique_hmodule LoadResourceModule(const std::wstring& path) noexcept {
    if (path.empty()) return unique_hmodule();
    return unique_hmodule(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

}  // namespace kelpa
