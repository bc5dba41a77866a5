// "Kelpa.ProgressDialog": the shell's own progress dialog (IProgressDialog),
// which the shell shows and animates on a thread of its own, so it stays
// responsive while the script works. What this adds is the filtering of the
// start flags, a default title and the started/stopped state.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <wrl/client.h>
#include <string>

namespace kelpa {

// StartProgressDialog's flags as a script may ask for them, and the highest
// text line they leave to the script (the shell writes its time estimate
// into line 3).
struct ProgressStart {
    DWORD flags = 0;
    short lastLine = 3;
};
ProgressStart FilterProgressFlags(long flags) noexcept;

class ShellProgressDialog {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.ProgressDialog";
    static constexpr size_t kTitleLength = 256;

    // Creates the shell's object; its failure is thrown as a ScriptError.
    ShellProgressDialog();
    ~ShellProgressDialog();
    ShellProgressDialog(const ShellProgressDialog&) = delete;
    ShellProgressDialog& operator=(const ShellProgressDialog&) = delete;

    bool Started() const noexcept { return m_started; }
    // Nothing happens while started: a second start keeps the first flags.
    void Start(long flags);
    void Stop();
    // Both only while started; the shell reads the numbers as unsigned.
    void SetProgress(long completed, long total);
    void SetProgress64(long long completed, long long total);
    // Lines 1 to the last line the start flags left; others are ignored.
    void SetText(const std::wstring& text, short line, bool compactPath);
    // 1 reset, 2 pause, 3 resume the time estimate; failures are swallowed.
    void SetTimer(long action) noexcept;
    bool Cancelled() noexcept;
    const std::wstring& CancelMsg() const noexcept { return m_cancelMessage; }
    void SetCancelMsg(const std::wstring& text);
    const std::wstring& Title() const noexcept { return m_title; }
    void SetTitle(const std::wstring& text);

private:
    Microsoft::WRL::ComPtr<IProgressDialog> m_dialog;
    bool m_started = false;
    std::wstring m_title = L"KELPA Progress Dialog";
    std::wstring m_cancelMessage;
    short m_lastLine = 3;
};

}  // namespace kelpa
