// The text output window behind "Kelpa.Window" and "Kelpa.Window2": a
// modeless top-level window on the server's thread that a script writes lines
// into. Window shows the text in a label from its top; Window2 in a read-only
// multi-line box, optionally with a scroll bar that follows the newest line.
// Every setting lives here and reaches the window at once or at Create.
#pragma once

#include <windows.h>
#include <string>

#include "runtime/UniqueHandle.h"

namespace kelpa {

class TextWindow {
public:
    enum class Kind { Label, Box };

    static constexpr size_t kTitleLimit = 256;
    static constexpr size_t kLineLimit = 4096;
    static constexpr short kSmallestSize = 6;
    static constexpr short kLargestSize = 36;
    // The box keeps at most this many characters (some 3,500 lines of 70
    // characters, twice that of short ones); when a line would pass it, the
    // oldest quarter of the text goes in one step, so trimming stays rare.
    // Wine's edit control does work in proportion to its whole text on every
    // append, so a larger box would make a busy script's lines ever slower.
    static constexpr size_t kBoxCharacterLimit = 1u << 18;
    // Lines written to the box within this time of the last screen update
    // reach the box together at the next one: an edit control's own append
    // costs tens of milliseconds under Wine whatever its size, so a box
    // updated per line would cap a busy script at a few dozen lines a second.
    static constexpr UINT kFlushMilliseconds = 50;

    TextWindow(Kind kind, std::wstring defaultTitle) : m_kind(kind), m_title(std::move(defaultTitle)) {}
    ~TextWindow() { Remove(); }
    TextWindow(const TextWindow&) = delete;
    TextWindow& operator=(const TextWindow&) = delete;

    void Create(const std::wstring& title);
    void Remove() noexcept;
    void Cls();
    void WriteLine(const std::wstring& line);
    void Flash(long count) noexcept;

    // Where the box may wrap a line, as an edit control's word-break
    // procedure answers (WB_LEFT, WB_RIGHT, WB_ISDELIMITER) for `text` of
    // `length` characters: before a character that follows a space or tab.
    // The control's own rule looks at its whole text after every change.
    static int WordBreak(const wchar_t* text, int position, int length, int code) noexcept;

    // The window as a Long for scripts (window handles carry 32 significant
    // bits on every width), 0 without a window.
    long Handle() const noexcept;
    HWND Window() const noexcept { return m_window.get(); }
    HWND TextControl() const noexcept { return m_text; }

    const std::wstring& Title() const noexcept { return m_title; }
    void SetTitle(const std::wstring& title);
    bool Topmost() const noexcept { return m_topmost; }
    void SetTopmost(bool topmost) noexcept;
    bool WriteBold() const noexcept { return m_bold; }
    void SetWriteBold(bool bold);
    std::wstring WriteFont();
    void SetWriteFont(const std::wstring& face);
    short WriteSize();
    void SetWriteSize(short points);
    bool Scroll() const noexcept { return m_scroll; }
    void SetScroll(bool scroll) noexcept;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void OnSize(int width, int height) noexcept;
    void OnDestroyed() noexcept;
    void CreateTextControl();
    // Makes the text font from the settings; a face the system does not know
    // leaves the face the control had, as does any other failure.
    void ApplyFont(const std::wstring& face);
    void AppendToBox(const std::wstring& text);
    void FlushPending();
    void OnFlushTimer() noexcept;
    void DropPending() noexcept;
    size_t LabelLineBound() const noexcept;

    const Kind m_kind;
    std::wstring m_title;
    bool m_topmost = true;
    bool m_bold = false;
    std::wstring m_face;
    short m_size = 10;
    bool m_scroll = false;

    unique_hwnd m_window;
    HWND m_text = nullptr;  // child of m_window, destroyed with it
    unique_hgdiobj m_font;
    std::wstring m_shownFace;
    // The label's text and its line count; a label shows the text from its
    // top, so lines below what any screen can show are not kept.
    std::wstring m_labelText;
    size_t m_labelLines = 0;
    // Box lines not yet in the box, and whether the flush timer runs: the
    // first line after a quiet spell shows at once and starts the timer;
    // lines that follow while it runs wait for its next tick.
    std::wstring m_pending;
    bool m_flushArmed = false;
};

}  // namespace kelpa
