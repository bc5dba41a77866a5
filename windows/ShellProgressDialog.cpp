// The calls "Kelpa.ProgressDialog" makes of the shell's progress dialog.
#include "windows/ShellProgressDialog.h"

#include "core/ScriptValues.h"
#include "runtime/AutomationErrors.h"

// shlobj.h declares IProgressDialog without the identifier that __uuidof reads.
__CRT_UUID_DECL(IProgressDialog, 0xEBBC7C04, 0x315E, 0x11D2, 0xB6, 0x2F, 0x00, 0x60, 0x97, 0xDF, 0x5B, 0xD4)

namespace kelpa {
namespace {

// The shell's ProgressDialog class. Not taken from shlguid.h by name: the
// type library's own coclass ProgressDialog gives kelpa a CLSID_ProgressDialog
// too, the linker binds the name to that one, and the server would create
// itself - recursively - instead of the shell's object.
constexpr CLSID kShellProgressDialogClass = {0xF8383852, 0xFCD3, 0x11D1, {0xA6, 0xB9, 0x00, 0x60, 0x97, 0xDF, 0x5B, 0xD4}};

// Time estimate, no time, no minimize, no progress bar, marquee, no Cancel.
// The modal bit (1) is dropped: the dialog has no parent and never blocks.
constexpr DWORD kAllowedFlags = PROGDLG_AUTOTIME | PROGDLG_NOTIME | PROGDLG_NOMINIMIZE | PROGDLG_NOPROGRESSBAR |
                                0x20 /* PROGDLG_MARQUEEPROGRESS */ | 0x40 /* PROGDLG_NOCANCEL */;

// PDTIMER_RESET and PDTIMER_RESUME (the headers hide the latter behind _WIN32_IE).
constexpr long kTimerReset = 1;
constexpr long kTimerResume = 3;

void Check(HRESULT hr) { CheckAutomation(hr, ShellProgressDialog::kSource); }

}  // namespace

ProgressStart FilterProgressFlags(long flags) noexcept {
    ProgressStart start;
    start.flags = static_cast<DWORD>(flags) & kAllowedFlags;
    if (start.flags & PROGDLG_AUTOTIME) start.lastLine = 2;
    return start;
}

ShellProgressDialog::ShellProgressDialog() {
    Check(CoCreateInstance(kShellProgressDialogClass, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&m_dialog)));
}

ShellProgressDialog::~ShellProgressDialog() {
    if (m_started) m_dialog->StopProgressDialog();
}

void ShellProgressDialog::Start(long flags) {
    if (m_started) return;
    const ProgressStart start = FilterProgressFlags(flags);
    m_lastLine = start.lastLine;
    Check(m_dialog->StartProgressDialog(nullptr, nullptr, start.flags, nullptr));
    // From here on the dialog runs: Stop must close it even if the title fails.
    m_started = true;
    Check(m_dialog->SetTitle(m_title.c_str()));
}

void ShellProgressDialog::Stop() {
    if (!m_started) return;
    m_started = false;
    Check(m_dialog->StopProgressDialog());
}

void ShellProgressDialog::SetProgress(long completed, long total) {
    if (m_started) Check(m_dialog->SetProgress(static_cast<DWORD>(completed), static_cast<DWORD>(total)));
}

void ShellProgressDialog::SetProgress64(long long completed, long long total) {
    if (m_started)
        Check(m_dialog->SetProgress64(static_cast<ULONGLONG>(completed), static_cast<ULONGLONG>(total)));
}

void ShellProgressDialog::SetText(const std::wstring& text, short line, bool compactPath) {
    if (!m_started || !InRange(line, 1, m_lastLine)) return;
    Check(m_dialog->SetLine(static_cast<DWORD>(line), text.c_str(), compactPath, nullptr));
}

void ShellProgressDialog::SetTimer(long action) noexcept {
    if (m_started && InRange(action, kTimerReset, kTimerResume)) m_dialog->Timer(static_cast<DWORD>(action), nullptr);
}

bool ShellProgressDialog::Cancelled() noexcept {
    return m_started && m_dialog->HasUserCancelled() > 0;
}

void ShellProgressDialog::SetCancelMsg(const std::wstring& text) {
    m_cancelMessage = text;
    Check(m_dialog->SetCancelMsg(m_cancelMessage.c_str(), nullptr));
}

void ShellProgressDialog::SetTitle(const std::wstring& text) {
    m_title = text.substr(0, kTitleLength);
    Check(m_dialog->SetTitle(m_title.c_str()));
}

}  // namespace kelpa
