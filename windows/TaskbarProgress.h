// Progress on a window's taskbar button (ITaskbarList3, Windows 7 and later):
// shown independently from the script's values, or mirroring a progress bar.
// Values are carried as the 16-bit Integers scripts see and handed to the
// taskbar scaled as a Currency carries them (times 10,000).
#pragma once

#include <windows.h>
#include <shobjidl.h>
#include <wrl/client.h>

namespace kelpa {

// What the bar looks like to the taskbar, for the mirror mode.
struct BarView {
    short position = 0;
    short minimum = 0;
    short maximum = 100;
    long style = 0;
    bool marqueeOn = true;
    short state = 1;
};

class TaskbarProgress {
public:
    enum Mode : short { Off = 0, Independent = 1, Mirror = 2 };

    // Obtains the taskbar object on systems that have one (version 6.1 on);
    // without it the mode stays Off.
    explicit TaskbarProgress(short osVersionNumber) noexcept;
    // The taskbar state the bar's look stands for: indeterminate while a
    // marquee runs, error and paused as the bar's state, otherwise normal.
    static short DerivedState(const BarView& bar) noexcept;

    bool Available() const noexcept { return m_taskbar != nullptr; }
    bool Follows() const noexcept { return m_follows; }
    short Mode() const noexcept { return m_mode; }
    short State() const noexcept { return m_state; }
    short Value() const noexcept { return m_value; }
    short Total() const noexcept { return m_total; }

    // window: the progress window, null while there is none (then nothing
    // is shown, only stored).
    void SetMode(short mode, HWND window, const BarView& bar) noexcept;
    void SetState(short state, HWND window) noexcept;
    void SetValue(short value, HWND window) noexcept;
    void SetTotal(short total, HWND window) noexcept;

    // The mirror's side: the bar moved, changed its range or its look.
    void Follow(short value, HWND window) noexcept;
    void FollowRange(short minimum, short maximum, HWND window) noexcept;
    void FollowLook(const BarView& bar, HWND window) noexcept;
    // A window was made: shows the stored progress (the mirror takes the bar first).
    void Refresh(HWND window, const BarView& bar) noexcept;
    // The window goes: its button loses the progress.
    void Clear(HWND window) noexcept;

    // The direct taskbar calls; their failure is the script's to see.
    HRESULT SetProgressState(HWND window, long flags) noexcept;
    HRESULT SetProgressValue(HWND window, ULONGLONG completed, ULONGLONG total) noexcept;

private:
    void TakeOver(HWND window, const BarView& bar) noexcept;
    void ApplyState(HWND window) noexcept;
    void ApplyValue(HWND window) noexcept;

    Microsoft::WRL::ComPtr<ITaskbarList3> m_taskbar;
    bool m_active = false;
    bool m_follows = false;
    short m_mode = Off;
    short m_state = TBPF_NORMAL;
    short m_value = 0;
    short m_total = 100;
};

}  // namespace kelpa
