// "Kelpa.ProgressDialog" end to end: the shell's progress dialog shown by
// the registered server runs on a thread of its own, so this client feeds
// it and reads the window back from the same thread, with no driver thread.
#include <windows.h>
#include <commctrl.h>
#include <functional>

#include "ComClient.h"
#include "UiDriver.h"

using namespace comclient;
using namespace uidriver;

namespace {

Report g_report;

VARIANT Money(double value) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_CY;
    VarCyFromR8(value, &V_CY(&v));
    return v;
}

VARIANT Line(short line) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I2;
    V_I2(&v) = line;
    return v;
}

// The texts of the dialog's visible static controls, in window order.
std::wstring Statics(HWND window) {
    std::wstring all;
    for (const Control& c : Controls(window))
        if (c.visible && c.className == L"Static" && !c.text.empty()) all += c.text + L"|";
    return all;
}

HWND Bar(HWND window) {
    for (const Control& c : Controls(window))
        if (c.className == L"msctls_progress32") return c.window;
    return nullptr;
}

// Waits until the shell has shown what was sent (its thread updates the window).
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 5000) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (GetTickCount64() >= end) return false;
        Sleep(100);
    }
    return true;
}

void FedAndCancelled(Object& progress) {
    g_report.CheckEqual(L"the default title", progress.Property(L"Title").AsText(), L"KELPA Progress Dialog");
    g_report.CheckEqual(L"Cancellation before StartDlg", progress.Property(L"Cancellation").AsLong(), 0);
    g_report.CheckEqual(L"SetProgress before StartDlg does nothing", progress.Call(L"SetProgress", {Long(1), Long(2)}).hr, S_OK);

    progress.Call(L"StartDlg", {Long(0)});
    HWND window = WaitForWindow(L"", L"KELPA Progress Dialog", 15000);
    g_report.Check(window != nullptr, L"StartDlg shows the shell's dialog");
    if (!window) return;
    progress.Call(L"SetText", {Text(L"First line"), Line(1)});
    progress.Call(L"SetText", {Text(L"Second line"), Line(2)});
    progress.Call(L"SetText", {Text(L"Third line"), Line(3)});
    progress.Call(L"SetText", {Text(L"Fourth line"), Line(4)});
    progress.Call(L"SetProgress", {Long(30), Long(120)});
    HWND bar = Bar(window);
    // Wine's dialog keeps its third text control for the time estimate and
    // shows no script text there; Windows shows line 3.
    const bool shown = WaitFor([&] {
        return Statics(window).find(L"First line|Second line|") != std::wstring::npos &&
               SendMessageW(bar, PBM_GETPOS, 0, 0) == 30;
    });
    Screenshot(L"progressdialog-fed", window);
    g_report.Check(shown, L"lines 1 and 2 and the bar at 30 show", Statics(window));
    g_report.CheckEqual(L"the bar's range is the total", SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 120);
    g_report.Check(Statics(window).find(L"Fourth line") == std::wstring::npos, L"line 4 is ignored");

    progress.Call(L"SetProgress64", {Money(1.5), Money(3)});
    const bool half = WaitFor([&] {
        const LRESULT range = SendMessageW(bar, PBM_GETRANGE, FALSE, 0);
        return range > 0 && SendMessageW(bar, PBM_GETPOS, 0, 0) * 2 == range;
    });
    g_report.Check(half, L"SetProgress64 1.5 of 3 shows half", std::to_wstring(SendMessageW(bar, PBM_GETPOS, 0, 0)) +
                   L" of " + std::to_wstring(SendMessageW(bar, PBM_GETRANGE, FALSE, 0)));

    // Above the total, negative, a total of 0: the shell's business, never a crash.
    for (auto values : {std::pair<long, long>{50, 10}, {-5, 10}, {1, 0}, {-1, -1}})
        progress.Call(L"SetProgress", {Long(values.first), Long(values.second)});
    progress.Call(L"SetProgress64", {Money(-1), Money(0)});
    Sleep(300);
    g_report.CheckEqual(L"the server answers after odd progress values", progress.Property(L"Cancellation").AsLong(), 0);

    progress.SetProperty(L"CancelMsg", Text(L"Stopping, please wait"));
    Click(ControlById(window, IDCANCEL));
    const bool cancelled = WaitFor([&] { return progress.Property(L"Cancellation").AsLong() == -1; });
    Screenshot(L"progressdialog-cancelled", window);
    g_report.Check(cancelled, L"a click on Cancel: Cancellation is True");
    g_report.CheckEqual(L"CancelMsg reads back", progress.Property(L"CancelMsg").AsText(), L"Stopping, please wait");
    g_report.CheckEqual(L"StopDlg", progress.Call(L"StopDlg").hr, S_OK);
    g_report.Check(WaitGone(window, 10000), L"StopDlg closes the dialog");
    g_report.CheckEqual(L"Cancellation after StopDlg", progress.Property(L"Cancellation").AsLong(), 0);
}

void TimeEstimateAndTitle(Object& progress) {
    const std::wstring title(300, L'P');
    progress.SetProperty(L"Title", Text(title));
    progress.Call(L"StartDlg", {Long(3)});
    progress.Call(L"StartDlg", {Long(0)});  // changes nothing while started
    HWND window = WaitForWindow(L"", title.substr(0, 256), 15000);
    g_report.Check(window != nullptr, L"a 300-character title shows its first 256");
    if (!window) return;
    progress.Call(L"SetText", {Text(L"Estimate one"), Line(1)});
    progress.Call(L"SetText", {Text(L"Estimate three"), Line(3)});
    progress.Call(L"SetTimer", {Long(2)});
    progress.Call(L"SetTimer", {Long(99)});
    WaitFor([&] { return Statics(window).find(L"Estimate one") != std::wstring::npos; });
    Screenshot(L"progressdialog-autotime", window);
    g_report.Check(Statics(window).find(L"Estimate one") != std::wstring::npos &&
                   Statics(window).find(L"Estimate three") == std::wstring::npos,
                   L"with the time estimate, line 3 is the shell's", Statics(window));
    progress.Reset();
    g_report.Check(WaitGone(window, 10000), L"releasing a started dialog closes it");
}

}  // namespace

int main() {
    Apartment apartment;
    HRESULT hr = E_FAIL;
    Object progress = Object::Create(L"Kelpa.ProgressDialog", &hr);
    g_report.Check(SUCCEEDED(hr), L"Kelpa.ProgressDialog is created", std::to_wstring(hr));
    if (!progress) return g_report.Finish();
    FedAndCancelled(progress);
    TimeEstimateAndTitle(progress);
    return g_report.Finish();
}
