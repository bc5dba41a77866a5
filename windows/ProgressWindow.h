// The progress window behind "Kelpa.ProgressWindow": a modeless window on the
// server's thread with a coloured main text, a progress bar, a sub text and an
// optional button row. Settings live here and reach the window at once or at
// the next Create; taskbar progress is TaskbarProgress's.
#pragma once

#include <windows.h>
#include <functional>
#include <string>

#include "core/ErrorLevel.h"
#include "runtime/UniqueHandle.h"
#include "windows/TaskbarProgress.h"

namespace kelpa {

class ProgressWindow {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.ProgressWindow";
    static constexpr size_t kTitleLimit = 256;
    static constexpr size_t kTextLimit = 1024;
    static constexpr long kDefaultMainColour = 0x993300;
    static constexpr long kDefaultColour = static_cast<long>(0xFF000000);

    // onButtonPressed runs for a counted press while the notifier was 2,
    // from the thread's message loop, after the press has been counted. It
    // may release the owner and with it this object.
    ProgressWindow(short osVersionNumber, std::function<void()> onButtonPressed)
        : m_taskbar(osVersionNumber), m_onButtonPressed(std::move(onButtonPressed)) {}
    ~ProgressWindow();
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

    void Create(const std::wstring& title, short width, short unthemed);
    void Remove() noexcept;
    void Flash(long count) noexcept;
    void ProgressAdd(short amount);
    void ProgressStep();
    bool SetProgressRange(short minimum, short maximum) noexcept;
    void SetProgressStep(short step) noexcept;

    HWND Window() const noexcept { return m_window.get(); }
    HWND Bar() const noexcept { return m_bar; }
    long Handle() const noexcept { return static_cast<long>(reinterpret_cast<LONG_PTR>(m_window.get())); }

    long ProgressStyle() const noexcept { return m_style; }
    void SetProgressStyle(long style) noexcept;
    short Progress() noexcept;
    void SetProgress(short position) noexcept;
    bool ProgressMarquee() const noexcept { return m_marqueeOn; }
    void SetProgressMarquee(bool on) noexcept;
    short ProgressMarqueeTime() const noexcept { return m_marqueeTime; }
    void SetProgressMarqueeTime(short milliseconds) noexcept;
    short ProgressState() const noexcept { return m_state; }
    void SetProgressState(short state) noexcept;
    long ProgressColor() const noexcept { return m_barColour; }
    void SetProgressColor(long colour) noexcept;
    long ProgressBackColor() const noexcept { return m_barBackground; }
    void SetProgressBackColor(long colour) noexcept;

    short Button() const noexcept { return m_buttonMode; }
    void SetButton(short mode) noexcept;
    const std::wstring& ButtonLabel() const noexcept { return m_buttonLabel; }
    void SetButtonLabel(const std::wstring& text);
    const std::wstring& ButtonText() const noexcept { return m_buttonText; }
    void SetButtonText(const std::wstring& text);
    short BtnNotifier() const noexcept { return m_notifier; }
    void SetBtnNotifier(short notifier) noexcept;
    short BtnPressed() const noexcept { return m_presses; }
    void SetBtnPressed(short presses) noexcept;

    const std::wstring& MainText() const noexcept { return m_mainText; }
    void SetMainText(const std::wstring& text);
    long MainTextColor() const noexcept { return m_mainColour; }
    void SetMainTextColor(long colour) noexcept;
    const std::wstring& SubText() const noexcept { return m_subText; }
    void SetSubText(const std::wstring& text);
    const std::wstring& Title() const noexcept { return m_title; }
    void SetTitle(const std::wstring& title);
    bool Topmost() const noexcept { return m_topmost; }
    void SetTopmost(bool topmost) noexcept;
    ErrorLevel& Errors() noexcept { return m_errors; }

    short TBProgress() const noexcept { return m_taskbar.Mode(); }
    void SetTBProgress(short mode) noexcept { m_taskbar.SetMode(mode, m_window.get(), View()); }
    short TBProState() const noexcept { return m_taskbar.State(); }
    void SetTBProState(short state) noexcept { m_taskbar.SetState(state, m_window.get()); }
    short TBProValue() const noexcept { return m_taskbar.Value(); }
    void SetTBProValue(short value) noexcept { m_taskbar.SetValue(value, m_window.get()); }
    short TBProTotal() const noexcept { return m_taskbar.Total(); }
    void SetTBProTotal(short total) noexcept { m_taskbar.SetTotal(total, m_window.get()); }
    void TB_SetProgressState(long window, long flags);
    void TB_SetProgressValue(long window, LONGLONG completed, LONGLONG total);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void OnSize() noexcept;
    void OnPressed() noexcept;
    void OnDestroyed() noexcept;
    LRESULT OnControlColour(HDC dc, HWND control) noexcept;
    bool CreateControls(short unthemed);
    void ApplyButtonMode() noexcept;
    void ApplyMarquee() noexcept;
    int Twips(int twips) const noexcept;
    BarView View() noexcept;
    // The taskbar value after adding amount, or an overflow error: it is an
    // Integer, as scripts see it.
    short TaskbarValueAfter(short amount) const;

    TaskbarProgress m_taskbar;
    std::function<void()> m_onButtonPressed;
    ErrorLevel m_errors{kSource, 1, 1};

    std::wstring m_title = L"KELPA ProgressWindow";
    bool m_topmost = true;
    long m_mainColour = kDefaultMainColour;
    std::wstring m_mainText;
    std::wstring m_subText;
    short m_buttonMode = 0;
    short m_notifier = 1;
    short m_presses = 0;
    std::wstring m_buttonText = L"Stop";
    std::wstring m_buttonLabel;
    long m_style = 0;
    short m_position = 0;
    short m_minimum = 0;
    short m_maximum = 100;
    short m_step = 10;
    bool m_marqueeOn = true;
    short m_marqueeTime = 30;
    short m_state = 1;
    long m_barColour = kDefaultColour;
    long m_barBackground = kDefaultColour;

    unique_hwnd m_window;
    // Children of m_window, destroyed with it.
    HWND m_bar = nullptr;
    HWND m_mainLabel = nullptr;
    HWND m_subLabel = nullptr;
    HWND m_frame = nullptr;
    HWND m_buttonLabelControl = nullptr;
    HWND m_button = nullptr;
    bool m_pressFlag = false;
    unique_hgdiobj m_mainFont;
    unique_hgdiobj m_font;
};

}  // namespace kelpa
