// UI test driver: finds a top-level window by class and caption (in any
// process), reads its controls, sets texts, selects list items, presses
// buttons and keys, captures what the screen shows, and starts and watches
// the processes whose dialogs it drives. Used by the uidriver program and by
// test clients that run a blocking call on one thread while a driver thread
// answers the dialog it opens.
//
// Everything works across processes through messages that the system copies
// between them (WM_GETTEXT, WM_SETTEXT, LB_GETTEXT, CB_GETLBTEXT); pointers
// to structures (list views, tree views) do not cross and are not offered.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace uidriver {

// ---- text helpers ------------------------------------------------------------

inline std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

inline std::wstring Wide(const std::string& text) {
    if (text.empty()) return {};
    const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(size, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
    return out;
}

// Control characters written as \r \n \t \\ \xHH, so a report shows every
// character of a text on one line.
inline std::wstring Escape(const std::wstring& text) {
    std::wstring out;
    for (wchar_t c : text) {
        switch (c) {
        case L'\r': out += L"\\r"; break;
        case L'\n': out += L"\\n"; break;
        case L'\t': out += L"\\t"; break;
        case L'\\': out += L"\\\\"; break;
        default:
            if (c < 0x20) {
                wchar_t code[8];
                swprintf(code, 8, L"\\x%02X", static_cast<unsigned>(c));
                out += code;
            } else {
                out += c;
            }
        }
    }
    return out;
}

// The reverse of Escape, for expectations given on a command line.
inline std::wstring Unescape(const std::wstring& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != L'\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const wchar_t c = text[++i];
        if (c == L'r') out += L'\r';
        else if (c == L'n') out += L'\n';
        else if (c == L't') out += L'\t';
        else if (c == L'x' && i + 2 < text.size()) {
            out += static_cast<wchar_t>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else out += c;
    }
    return out;
}

// A caption without its mnemonic ampersands ("&Yes" -> "Yes", "&&" -> "&").
inline std::wstring WithoutMnemonic(const std::wstring& text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        out += text[i];
    }
    return out;
}

// ---- windows -----------------------------------------------------------------

constexpr UINT kMessageTimeout = 5000;

inline std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, ARRAYSIZE(name));
    return name;
}

// The text of a window in another process: WM_GETTEXT is copied across by the
// system. A hung window gives an empty text instead of hanging the driver.
inline std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeout, &length)) return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, kMessageTimeout, &copied))
        return {};
    text.resize(std::min<size_t>(copied, length));
    return text;
}

struct Control {
    HWND window;
    int id;
    std::wstring className;
    std::wstring text;
    LONG style;
    bool visible;
    bool enabled;
};

inline Control Describe(HWND window) {
    return {window,
            GetDlgCtrlID(window),
            ClassOf(window),
            TextOf(window),
            GetWindowLongW(window, GWL_STYLE),
            IsWindowVisible(window) != FALSE,
            IsWindowEnabled(window) != FALSE};
}

inline BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

inline std::vector<Control> Controls(HWND dialog) {
    std::vector<HWND> windows;
    EnumChildWindows(dialog, CollectWindow, reinterpret_cast<LPARAM>(&windows));
    std::vector<Control> controls;
    for (HWND window : windows) controls.push_back(Describe(window));
    return controls;
}

// The control with this identifier, or null.
inline HWND ControlById(HWND dialog, int id) {
    for (const Control& control : Controls(dialog))
        if (control.id == id) return control.window;
    return nullptr;
}

// The first control whose caption, without mnemonics, is this text
// ("Yes" finds "&Yes"), or null; className narrows the search when given.
inline HWND ControlByText(HWND dialog, const std::wstring& text, const std::wstring& className = L"") {
    for (const Control& control : Controls(dialog)) {
        if (!className.empty() && _wcsicmp(control.className.c_str(), className.c_str()) != 0) continue;
        if (WithoutMnemonic(control.text) == WithoutMnemonic(text)) return control.window;
    }
    return nullptr;
}

// A control named by its number ("65535") or by its caption ("OK").
inline HWND FindControl(HWND dialog, const std::wstring& name) {
    if (!name.empty() && name.find_first_not_of(L"-0123456789") == std::wstring::npos)
        return ControlById(dialog, std::stoi(name));
    return ControlByText(dialog, name);
}

// A visible top-level window of this class (empty: any) and caption, in this
// process (0: any).
inline HWND FindTopWindow(const std::wstring& className, const std::wstring& caption, DWORD processId = 0) {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        if (!IsWindowVisible(window)) continue;
        if (!className.empty() && ClassOf(window) != className) continue;
        if (TextOf(window) != caption) continue;
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (processId && owner != processId) continue;
        return window;
    }
    return nullptr;
}

// Waits for a visible top-level window; null when none came in time.
inline HWND WaitForWindow(const std::wstring& className, const std::wstring& caption, DWORD timeoutMs,
                          DWORD processId = 0) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND window = FindTopWindow(className, caption, processId)) {
            // Let the dialog finish its WM_INITDIALOG and first paint.
            Sleep(150);
            return window;
        }
        if (GetTickCount64() >= end) return nullptr;
        Sleep(50);
    }
}

// Waits until the window is gone (closed or destroyed).
inline bool WaitGone(HWND window, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (IsWindow(window) && IsWindowVisible(window)) {
        if (GetTickCount64() >= end) return false;
        Sleep(50);
    }
    return true;
}

// ---- acting ------------------------------------------------------------------

inline bool SetText(HWND control, const std::wstring& text) {
    DWORD_PTR result = 0;
    return SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                               kMessageTimeout, &result) != 0;
}

// Presses a button the way a click does (BM_CLICK), posted, so a handler
// that runs a long time or opens another dialog never blocks the driver.
inline bool Click(HWND button) { return PostMessageW(button, BM_CLICK, 0, 0) != FALSE; }

// The items of a list box or combo box, as their texts.
inline std::vector<std::wstring> ListItems(HWND list) {
    const bool combo = _wcsicmp(ClassOf(list).c_str(), L"ComboBox") == 0;
    const UINT countMessage = combo ? CB_GETCOUNT : LB_GETCOUNT;
    const UINT lengthMessage = combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN;
    const UINT textMessage = combo ? CB_GETLBTEXT : LB_GETTEXT;
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(list, countMessage, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(list, lengthMessage, i, 0);
        if (length < 0) continue;
        std::wstring text(length + 1, L'\0');
        const LRESULT copied = SendMessageW(list, textMessage, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied < 0 ? 0 : std::min<size_t>(copied, length));
        items.push_back(text);
    }
    return items;
}

// Selects an item of a list box or combo box and tells the dialog as a user's
// click would (LBN_SELCHANGE / CBN_SELCHANGE). In a multiple-selection list
// box the item is added to the selection.
inline bool SelectItem(HWND list, int index) {
    const bool combo = _wcsicmp(ClassOf(list).c_str(), L"ComboBox") == 0;
    LRESULT result;
    WORD notification;
    if (combo) {
        result = SendMessageW(list, CB_SETCURSEL, index, 0);
        notification = CBN_SELCHANGE;
    } else if (GetWindowLongW(list, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
        result = SendMessageW(list, LB_SETSEL, TRUE, index);
        notification = LBN_SELCHANGE;
    } else {
        result = SendMessageW(list, LB_SETCURSEL, index, 0);
        notification = LBN_SELCHANGE;
    }
    if (result == LB_ERR) return false;
    PostMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), notification),
                 reinterpret_cast<LPARAM>(list));
    return true;
}

inline bool SelectItem(HWND list, const std::wstring& text) {
    const std::vector<std::wstring> items = ListItems(list);
    const auto found = std::find(items.begin(), items.end(), text);
    return found != items.end() && SelectItem(list, static_cast<int>(found - items.begin()));
}

// The control that has the keyboard focus in the window's thread.
inline HWND FocusOf(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    const DWORD thread = GetWindowThreadProcessId(window, nullptr);
    if (GetGUIThreadInfo(thread, &info) && info.hwndFocus) return info.hwndFocus;
    return window;
}

// A key press posted to the focused control of the window's thread, as the
// keyboard would deliver it; the dialog's own loop does the rest (Enter,
// Escape, Tab through IsDialogMessage).
inline void PressKey(HWND window, UINT virtualKey) {
    HWND target = FocusOf(window);
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, virtualKey, 1 | (scan << 16));
    PostMessageW(target, WM_KEYUP, virtualKey, 1 | (scan << 16) | (1u << 30) | (1u << 31));
}

// Characters typed into the focused control.
inline void TypeText(HWND window, const std::wstring& text) {
    HWND target = FocusOf(window);
    for (wchar_t c : text) PostMessageW(target, WM_CHAR, c, 1);
}

// Key names the driver understands: ENTER, ESCAPE, TAB, SPACE, LEFT, RIGHT,
// UP, DOWN, HOME, END, F1..F12, a single letter or digit, or a number (a
// virtual-key code).
inline UINT VirtualKey(const std::wstring& name) {
    static const struct { const wchar_t* name; UINT key; } kKeys[] = {
        {L"ENTER", VK_RETURN}, {L"RETURN", VK_RETURN}, {L"ESCAPE", VK_ESCAPE}, {L"ESC", VK_ESCAPE},
        {L"TAB", VK_TAB},      {L"SPACE", VK_SPACE},   {L"LEFT", VK_LEFT},     {L"RIGHT", VK_RIGHT},
        {L"UP", VK_UP},        {L"DOWN", VK_DOWN},     {L"HOME", VK_HOME},     {L"END", VK_END},
        {L"DELETE", VK_DELETE}, {L"BACK", VK_BACK},
    };
    for (const auto& key : kKeys)
        if (_wcsicmp(name.c_str(), key.name) == 0) return key.key;
    if (name.size() >= 2 && (name[0] == L'F' || name[0] == L'f') && iswdigit(name[1]))
        return VK_F1 + std::stoi(name.substr(1)) - 1;
    if (name.size() == 1 && iswalnum(name[0])) return towupper(name[0]);
    if (!name.empty() && name.find_first_not_of(L"0123456789") == std::wstring::npos) return std::stoi(name);
    return 0;
}

// ---- what the screen shows --------------------------------------------------------

// The pixels of a screen rectangle as 0x00RRGGBB, row by row from the top.
inline std::vector<DWORD> CaptureScreen(const RECT& rect, HICON drawInstead = nullptr, COLORREF background = 0) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    std::vector<DWORD> pixels;
    if (width <= 0 || height <= 0) return pixels;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap && bits) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        if (drawInstead) {
            // What the screen would show if the area held this icon.
            HBRUSH brush = CreateSolidBrush(background);
            RECT area = {0, 0, width, height};
            FillRect(memory, &area, brush);
            DeleteObject(brush);
            DrawIconEx(memory, 0, 0, drawInstead, width, height, 0, nullptr, DI_NORMAL);
        } else {
            BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
        }
        GdiFlush();
        const auto* data = static_cast<const DWORD*>(bits);
        pixels.reserve(static_cast<size_t>(width) * height);
        for (int i = 0; i < width * height; ++i) pixels.push_back(data[i] & 0xFFFFFF);
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Counts of pixels of a window's area on the screen: pure red, pure blue,
// and pixels that differ from the dialog face colour. Icons drawn in tests
// are solid red or blue, so the counts tell which one shows, and a control
// with nothing drawn has no pixel off the face colour.
struct PixelCounts {
    int red = 0;
    int blue = 0;
    int drawn = 0;
    int total = 0;
};

inline DWORD ScreenPixelLeftOf(const RECT& rect) {
    RECT beside = {rect.left - 2, rect.top, rect.left - 1, rect.top + 1};
    const std::vector<DWORD> pixel = CaptureScreen(beside);
    return pixel.empty() ? 0 : pixel[0];
}

inline COLORREF AsColorRef(DWORD pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

inline PixelCounts CountPixels(HWND window) {
    PixelCounts counts;
    RECT rect;
    if (!GetWindowRect(window, &rect)) return counts;
    const COLORREF face = GetSysColor(COLOR_3DFACE);
    const DWORD background = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    for (DWORD p : CaptureScreen(rect)) {
        const BYTE r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        if (r > 200 && g < 60 && b < 60) ++counts.red;
        if (b > 200 && r < 60 && g < 60) ++counts.blue;
        if (p != background) ++counts.drawn;
        ++counts.total;
    }
    return counts;
}

// The share (0 to 1) of a control's pixels on the screen that equal a drawing
// of this icon at the control's size on the colour around the control: 1
// when the control shows exactly that icon.
inline double IconLikeness(HWND control, HICON icon) {
    RECT rect;
    if (!icon || !GetWindowRect(control, &rect)) return 0;
    const std::vector<DWORD> shown = CaptureScreen(rect);
    const std::vector<DWORD> drawn = CaptureScreen(rect, icon, AsColorRef(ScreenPixelLeftOf(rect)));
    if (shown.empty() || shown.size() != drawn.size()) return 0;
    size_t same = 0;
    for (size_t i = 0; i < shown.size(); ++i) same += shown[i] == drawn[i];
    return static_cast<double>(same) / shown.size();
}

// Whether the test run asked for screenshots (KELPA_SCREENSHOTS is set).
inline bool ScreenshotsWanted() { return GetEnvironmentVariableW(L"KELPA_SCREENSHOTS", nullptr, 0) != 0; }

// Saves a picture of the screen as DIR/NAME.png (only the window and a
// margin around it when a window is given), DIR from the
// environment variable KELPA_SCREENSHOTS (a Unix path; nothing is saved
// without it). Wine runs ImageMagick's import, a Unix program, directly, but
// gives no handle to wait on: the picture is written under a temporary name
// and renamed when complete, and the driver waits for that name.
inline bool Screenshot(const std::wstring& name, HWND window = nullptr, DWORD timeoutMs = 15000) {
    wchar_t folder[1024] = {};
    const DWORD length = GetEnvironmentVariableW(L"KELPA_SCREENSHOTS", folder, ARRAYSIZE(folder));
    if (length == 0 || length >= ARRAYSIZE(folder)) return false;
    const std::wstring unixPath = std::wstring(folder) + L"/" + name + L".png";
    std::wstring windowsPath = L"Z:" + unixPath;
    std::replace(windowsPath.begin(), windowsPath.end(), L'/', L'\\');
    DeleteFileW(windowsPath.c_str());
    std::wstring crop;
    RECT rect;
    if (window && GetWindowRect(window, &rect)) {
        constexpr int kMargin = 8;
        const int left = std::max<int>(0, rect.left - kMargin), top = std::max<int>(0, rect.top - kMargin);
        crop = L" -crop " + std::to_wstring(rect.right + kMargin - left) + L"x" +
               std::to_wstring(rect.bottom + kMargin - top) + L"+" + std::to_wstring(left) + L"+" +
               std::to_wstring(top) + L" +repage";
    }
    std::wstring command = L"/bin/sh -c \"mkdir -p '" + std::wstring(folder) + L"' && import -window root" + crop +
                           L" '" + unixPath + L".part.png' && mv '" + unixPath + L".part.png' '" + unixPath + L"'\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    if (process.hProcess) CloseHandle(process.hProcess);
    if (process.hThread) CloseHandle(process.hThread);
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (GetFileAttributesW(windowsPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount64() >= end) return false;
        Sleep(100);
    }
    return true;
}

// ---- processes -----------------------------------------------------------------

// A program started by the driver; terminated if still running when the
// driver lets go of it, so a failed test never leaves a dialog behind.
class Process {
public:
    Process() = default;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process() {
        if (m_info.hProcess) {
            if (WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_info.hProcess, 99);
            CloseHandle(m_info.hProcess);
        }
        if (m_info.hThread) CloseHandle(m_info.hThread);
    }

    // The command line is passed exactly as given (trailing blanks too).
    bool Start(const std::wstring& commandLine) {
        std::wstring line = commandLine;
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        return CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &m_info) != FALSE;
    }
    DWORD Id() const { return m_info.dwProcessId; }
    // The exit code, or STILL_ACTIVE when it did not end in time.
    DWORD Wait(DWORD timeoutMs) {
        if (!m_info.hProcess) return STILL_ACTIVE;
        if (WaitForSingleObject(m_info.hProcess, timeoutMs) != WAIT_OBJECT_0) return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(m_info.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION m_info = {};
};

// A Unix path (as CMake and the shell know files) in the form Wine's Windows
// programs open: "/a/b" -> "Z:\a\b". Anything else is returned unchanged.
inline std::wstring WindowsPath(const std::wstring& path) {
    if (path.empty() || path[0] != L'/') return path;
    std::wstring out = L"Z:" + path;
    std::replace(out.begin(), out.end(), L'/', L'\\');
    return out;
}

// The program's arguments after its name, as Windows paths where they are Unix ones.
inline std::vector<std::wstring> PathArguments() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> paths;
    for (int i = 1; i < count; ++i) paths.push_back(WindowsPath(argv[i]));
    LocalFree(argv);
    return paths;
}

// ---- reporting -------------------------------------------------------------------

// PASS/FAIL lines and the closing count, the shape every Kelpa test prints.
class Report {
public:
    void Check(bool ok, const std::wstring& what, const std::wstring& detail = L"") {
        (ok ? m_passed : m_failed)++;
        std::printf("%s: %s%s%s\n", ok ? "PASS" : "FAIL", Utf8(what).c_str(), detail.empty() ? "" : " - ",
                    Utf8(detail).c_str());
        std::fflush(stdout);
    }
    void CheckEqual(const std::wstring& what, const std::wstring& actual, const std::wstring& expected) {
        Check(actual == expected, what,
              actual == expected ? L"" : L"got \"" + Escape(actual) + L"\", expected \"" + Escape(expected) + L"\"");
    }
    void CheckEqual(const std::wstring& what, long long actual, long long expected) {
        Check(actual == expected, what,
              actual == expected ? L"" : L"got " + std::to_wstring(actual) + L", expected " + std::to_wstring(expected));
    }
    void Note(const std::wstring& text) {
        std::printf("  %s\n", Utf8(text).c_str());
        std::fflush(stdout);
    }
    // The closing line test runners read, and the exit code.
    int Finish() {
        std::printf("%d passed, %d failed\n", m_passed, m_failed);
        std::fflush(stdout);
        return m_failed == 0 && m_passed > 0 ? 0 : 1;
    }
    int Failed() const { return m_failed; }

private:
    int m_passed = 0;
    int m_failed = 0;
};

// Creates the object a client tests and reports whether that worked.
template <class ObjectType>
ObjectType CreateReported(Report& report, const wchar_t* progId) {
    HRESULT hr = E_FAIL;
    ObjectType object = ObjectType::Create(progId, &hr);
    report.Check(SUCCEEDED(hr), std::wstring(progId) + L" is created");
    return object;
}

// Every control of a dialog on its own report line.
inline void ListControls(Report& report, HWND dialog) {
    for (const Control& control : Controls(dialog)) {
        wchar_t line[128];
        swprintf(line, ARRAYSIZE(line), L"control id=%d class=%ls %ls%ls style=%08lX text=", control.id,
                 control.className.c_str(), control.visible ? L"visible" : L"hidden",
                 control.enabled ? L"" : L" disabled", static_cast<unsigned long>(control.style));
        report.Note(line + (L"\"" + Escape(control.text) + L"\""));
    }
}

}  // namespace uidriver
