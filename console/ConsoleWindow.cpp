// The console of kelpac.exe.
#include "console/ConsoleWindow.h"

#include <shellapi.h>
#include <algorithm>
#include <vector>

#include "console/consolefn.h"
#include "core/windowfn.h"

namespace kelpa {
namespace {

// A line read asks for two characters more than the longest line a script
// may ask for, so that a full line still brings its CR LF; what does not fit
// stays in the console's input buffer for the next read.
constexpr DWORD kLineReadChars = 1026;
constexpr DWORD kLineBufferChars = 1028;
constexpr DWORD kTitleBufferChars = 1024;

// Raw key reads: no line editing, no echo, no break processing, so that
// Ctrl+C arrives as the character 3. Keys typed before the call are dropped.
class RawInput {
public:
    explicit RawInput(HANDLE input) noexcept : m_input(input) {
        FlushConsoleInputBuffer(m_input);
        m_saved = GetConsoleMode(m_input, &m_mode) != FALSE;
        SetConsoleMode(m_input, 0);
    }
    ~RawInput() {
        if (m_saved) SetConsoleMode(m_input, m_mode);
    }
    RawInput(const RawInput&) = delete;
    RawInput& operator=(const RawInput&) = delete;

    bool Read(wchar_t& c) noexcept {
        DWORD read = 0;
        return ReadConsoleW(m_input, &c, 1, &read, nullptr) && read == 1;
    }

private:
    HANDLE m_input;
    DWORD m_mode = 0;
    bool m_saved = false;
};

constexpr wchar_t kCtrlC = 3;
constexpr wchar_t kCtrlBreak = 0;

}  // namespace

const wchar_t ConsoleWindow::kDefaultTitle[] = L"Kelpa Console Window";

std::wstring LineResult(const wchar_t* chars, size_t read, int n) {
    const size_t wanted = static_cast<size_t>(std::clamp(n, 0, ConsoleWindow::kReadLength));
    if (wanted == 0) return {};
    size_t length = 0;
    if (read == wanted + 1)
        length = wanted - 1;  // n - 1 characters and CR LF
    else if (read > wanted)
        length = wanted;
    else if (read >= 2)
        length = read - 2;
    return std::wstring(chars, length);
}

void ConsoleWindow::Create(const std::wstring& title) {
    if (m_created) return;
    if (!AllocConsole()) return;  // the process has a console already
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE input = output && output != INVALID_HANDLE_VALUE ? GetStdHandle(STD_INPUT_HANDLE) : nullptr;
    if (!input || input == INVALID_HANDLE_VALUE) {
        // A console we cannot use would still block the next Create.
        FreeConsole();
        return;
    }
    m_created = true;
    m_output = output;
    m_input = input;
    m_window = GetConsoleWindow();
    if (m_disableClose && m_window) {
        const HMENU menu = GetSystemMenu(m_window, FALSE);
        if (menu) {
            RemoveMenu(menu, SC_CLOSE, MF_BYCOMMAND);
            DrawMenuBar(m_window);
        }
    }
    if (m_disableBreak) InstallBreakHandler();
    SetTitle(title.empty() ? m_title : title);
    SetIcon();
    if (m_topmost) ApplyTopmost();
    if (m_textColor != 0) SetTextColor(m_textColor);
}

void ConsoleWindow::Remove() noexcept {
    if (m_created) FreeConsole();
    m_icon.reset();
    m_created = false;
    m_input = m_output = nullptr;
    m_window = nullptr;
}

void ConsoleWindow::WriteLine(const std::wstring& text, bool newLine) {
    if (!m_created) return;
    std::wstring line = text.substr(0, kWriteLength);
    if (newLine) line += L"\r\n";
    DWORD written = 0;
    WriteConsoleW(m_output, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

std::wstring ConsoleWindow::ReadLine(int n) {
    if (!m_created) return {};
    std::vector<wchar_t> buffer(kLineBufferChars);
    DWORD read = 0;
    if (!ReadConsoleW(m_input, buffer.data(), kLineReadChars, &read, nullptr)) return {};
    return LineResult(buffer.data(), std::min<DWORD>(read, kLineReadChars), n);
}

short ConsoleWindow::ReadChar() {
    if (!m_created) return 0;
    wchar_t c = 0;
    {
        RawInput raw(m_input);
        if (!raw.Read(c)) return 0;
    }
    if (c == kCtrlC) SetBreakSignal(1);
    if (c == kCtrlBreak) SetBreakSignal(2);
    return static_cast<short>(c);
}

std::wstring ConsoleWindow::ReadChars(int n, bool abortOnBreak, bool echo) {
    if (!m_created || n <= 0) return {};
    const int count = std::min(n, kReadLength);
    std::wstring result;
    RawInput raw(m_input);
    for (int i = 0; i < count; ++i) {
        wchar_t c = 0;
        if (!raw.Read(c)) break;
        if (abortOnBreak && (c == kCtrlC || c == kCtrlBreak)) {
            SetBreakSignal(c == kCtrlC ? 1 : 2);
            return {};
        }
        if (echo) {
            DWORD written = 0;
            WriteConsoleW(m_output, &c, 1, &written, nullptr);
        }
        result += c;
    }
    return result;
}

bool ConsoleWindow::HasOutput() const noexcept {
    return m_created && m_output && m_output != INVALID_HANDLE_VALUE;
}

void ConsoleWindow::Cls(bool repaint) {
    if (!HasOutput()) return;
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(m_output, &info)) return;
    // In 32 bits: a buffer of 120 by 9001 has more cells than a short holds.
    const DWORD cells = static_cast<DWORD>(info.dwSize.X) * static_cast<DWORD>(info.dwSize.Y);
    const COORD origin = {0, 0};
    DWORD written = 0;
    if (!FillConsoleOutputCharacterW(m_output, L' ', cells, origin, &written)) return;
    if (repaint) FillConsoleOutputAttribute(m_output, info.wAttributes, cells, origin, &written);
    SetConsoleCursorPosition(m_output, origin);
}

void ConsoleWindow::Flash(long count) {
    if (!m_created || !m_window) return;
    kelpa::Flash(m_window, count);
    SetWindowPos(m_window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    SetForegroundWindow(m_window);
}

long ConsoleWindow::ConsoleInputMode() const noexcept {
    DWORD mode = 0;
    if (!m_created || !GetConsoleMode(m_input, &mode)) return -1;
    return static_cast<long>(mode);
}

std::wstring ConsoleWindow::Title() {
    if (!m_created) return m_title;
    std::vector<wchar_t> buffer(kTitleBufferChars);
    const DWORD length = GetConsoleTitleW(buffer.data(), kTitleBufferChars);
    m_title.assign(buffer.data(), std::min<DWORD>(length, kTitleBufferChars - 1));
    // Taken up to the first NUL, as every text a platform call returns.
    m_title.resize(wcsnlen(m_title.c_str(), m_title.size()));
    return m_title;
}

void ConsoleWindow::SetTitle(const std::wstring& title) {
    m_title = title.empty() ? std::wstring(kDefaultTitle) : title.substr(0, kTitleLength);
    if (m_created) SetConsoleTitleW(m_title.c_str());
}

short ConsoleWindow::TextColor() {
    if (!m_created) return m_textColor;
    CONSOLE_SCREEN_BUFFER_INFO info;
    m_textColor = HasOutput() && GetConsoleScreenBufferInfo(m_output, &info) ? static_cast<short>(info.wAttributes) : 0;
    return m_textColor;
}

void ConsoleWindow::SetTextColor(short color) noexcept {
    m_textColor = static_cast<short>(color & 0xFF);
    if (HasOutput()) SetConsoleTextAttribute(m_output, static_cast<WORD>(m_textColor));
}

void ConsoleWindow::SetTopmost(bool topmost) noexcept {
    m_topmost = topmost;
    if (m_created) ApplyTopmost();
}

void ConsoleWindow::ApplyTopmost() noexcept {
    if (!m_window) return;
    kelpa::SetTopmost(m_window, m_topmost);
    SetForegroundWindow(m_window);
}

void ConsoleWindow::SetIcon() noexcept {
    const std::wstring& path = ServerModulePath();
    if (path.empty()) return;
    m_icon.reset(ExtractIconW(GetModuleHandleW(nullptr), path.c_str(), 0));
    // ExtractIcon answers 1 for a file that is not an executable or icon.
    if (reinterpret_cast<ULONG_PTR>(m_icon.get()) == 1) m_icon.release();
    if (!m_icon || !m_window) return;
    // The window belongs to the console host: a host that hangs must not
    // hang the script too.
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_icon.get()), SMTO_ABORTIFHUNG,
                        1000, &ignored);
}

}  // namespace kelpa
