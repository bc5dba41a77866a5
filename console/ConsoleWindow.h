// The console of kelpac.exe as a script sees it: the process's own console,
// allocated by Create and freed by Remove, with lines and keys in and out.
// Every setting is kept while there is no console and applied at Create.
// Nothing here reports a failure: a call the console cannot carry out gives
// the empty result (the empty string, 0, or -1 for the input mode).
#pragma once

#include <windows.h>
#include <string>

#include "runtime/UniqueHandle.h"

namespace kelpa {

class ConsoleWindow {
public:
    static constexpr size_t kTitleLength = 256;
    static constexpr size_t kWriteLength = 1024;
    static constexpr int kReadLength = 1024;
    static const wchar_t kDefaultTitle[];

    ConsoleWindow() = default;
    ~ConsoleWindow() { Remove(); }
    ConsoleWindow(const ConsoleWindow&) = delete;
    ConsoleWindow& operator=(const ConsoleWindow&) = delete;

    // Allocates the console and applies the settings; does nothing while the
    // console exists, and fails silently when the process has one already.
    void Create(const std::wstring& title);
    void Remove() noexcept;
    bool Created() const noexcept { return m_created; }

    void WriteLine(const std::wstring& text, bool newLine);
    // One line as the console edits it (Enter ends it), at most n characters.
    std::wstring ReadLine(int n);
    // One key, raw: no echo, Ctrl+C arrives as 3. Earlier keys are dropped.
    short ReadChar();
    std::wstring ReadChars(int n, bool abortOnBreak, bool echo);
    void Cls(bool repaint);
    void Flash(long count);

    long ConsoleInputMode() const noexcept;
    bool DisableBreak() const noexcept { return m_disableBreak; }
    void SetDisableBreak(bool value) noexcept { m_disableBreak = value; }
    bool DisableClose() const noexcept { return m_disableClose; }
    void SetDisableClose(bool value) noexcept { m_disableClose = value; }
    std::wstring Title();
    void SetTitle(const std::wstring& title);
    short TextColor();
    void SetTextColor(short color) noexcept;
    bool Topmost() const noexcept { return m_topmost; }
    void SetTopmost(bool topmost) noexcept;

private:
    void ApplyTopmost() noexcept;
    void SetIcon() noexcept;
    bool HasOutput() const noexcept;

    bool m_created = false;
    HANDLE m_input = nullptr;   // the console's own; FreeConsole closes them
    HANDLE m_output = nullptr;
    HWND m_window = nullptr;
    unique_hicon m_icon;
    std::wstring m_title;
    short m_textColor = 0;
    bool m_disableClose = true;
    bool m_disableBreak = true;
    bool m_topmost = false;
};

// What ReadLine gives for a line-mode read of `read` characters when the
// script asked for at most n (0 to 1024): the line without the CR LF that
// Enter adds, cut to n characters.
std::wstring LineResult(const wchar_t* chars, size_t read, int n);

}  // namespace kelpa
