// "Kelpa.Window", "Kelpa.Window2" and "Kelpa.ProgressWindow" end to end: this
// client drives the objects through the registered server and reads back
// what their windows show (captions, texts, the bar through PBM_GET*, the
// button), photographs each look, and sinks ButtonPressed while the driver
// presses the button.
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <functional>

#include "ComClient.h"
#include "EventSink.h"
#include "UiDriver.h"
#include "kelpa_h.h"

using namespace comclient;
using namespace uidriver;
using eventsink::Pump;

namespace {

Report g_report;

HWND HandleOf(Object& object) {
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(object.Property(L"handle").AsLong()));
}

// ProgressWindow has no handle property: its window is found as a person sees it.
HWND ProgressWindowOf(const std::wstring& caption) { return WaitForWindow(L"KelpaProgressWindow", caption, 5000); }

void Shot(const wchar_t* name, HWND window) {
    if (!ScreenshotsWanted()) return;
    Sleep(300);  // let the window finish painting
    g_report.Check(Screenshot(name, window), std::wstring(L"screenshot ") + name);
}

void TextWindows() {
    Object window = Object::Create(L"Kelpa.Window");
    window.SetProperty(L"WriteSize", Long(14));
    window.SetProperty(L"WriteBold", Bool(true));
    window.Call(L"Create", {Text(L"Kelpa text window")});
    HWND shown = HandleOf(window);
    g_report.Check(IsWindowVisible(shown), L"Window: Create shows the window");
    g_report.CheckEqual(L"Window: the caption is the title given to Create", TextOf(shown), L"Kelpa text window");
    window.Call(L"WriteLine", {Text(L"first line")});
    window.Call(L"WriteLine", {Text(L"second line")});
    HWND label = ControlById(shown, 1);
    g_report.CheckEqual(L"Window: the label shows every line ended by CR LF", TextOf(label),
                        L"first line\r\nsecond line\r\n");
    g_report.CheckEqual(L"Window: WriteSize reads the label's size", window.Property(L"WriteSize").AsLong(), 14);
    Shot(L"window", shown);
    window.SetProperty(L"Title", Text(L"renamed"));
    g_report.CheckEqual(L"Window: Title changes the caption at once", TextOf(shown), L"renamed");
    window.Call(L"Cls");
    g_report.CheckEqual(L"Window: Cls empties the label", TextOf(label), L"");
    window.Call(L"Remove");
    g_report.Check(!IsWindow(shown) && window.Property(L"handle").AsLong() == 0, L"Window: Remove destroys the window");

    Object window2 = Object::Create(L"Kelpa.Window2");
    window2.SetProperty(L"Scroll", Bool(true));
    window2.Call(L"Create");
    shown = HandleOf(window2);
    g_report.CheckEqual(L"Window2: the default caption", TextOf(shown), L"KELPA Window2");
    HWND box = ControlById(shown, 1);
    g_report.Check((GetWindowLongW(box, GWL_STYLE) & WS_VSCROLL) != 0, L"Window2 with Scroll: the box has a scroll bar");
    for (int i = 1; i <= 300; ++i) window2.Call(L"WriteLine", {Text(L"line " + std::to_wstring(i))});
    // A burst reaches the box at the window's next update, a twentieth of a second on.
    Sleep(300);
    const LRESULT lines = SendMessageW(box, EM_GETLINECOUNT, 0, 0);
    g_report.CheckEqual(L"Window2: every line of a burst reaches the box", lines, 301);
    const LRESULT first = SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0);
    RECT area;
    GetClientRect(box, &area);
    // The last text line is the empty one after the final CR LF; "line 300" is just above it.
    g_report.Check(first > 250 && first < lines - 1, L"Window2 with Scroll: the newest lines are in view",
                   L"first visible " + std::to_wstring(first) + L" of " + std::to_wstring(lines));
    const std::wstring text = TextOf(box);
    g_report.Check(text.size() > 20 && text.substr(text.size() - 10) == L"line 300\r\n",
                   L"Window2: the box ends with the last line written");
    Shot(L"window2-many-lines", shown);
    // Past its limit (320,000 characters of wrapped words): the newest whole lines exactly, in view.
    std::wstring written;
    for (int i = 1; i <= 80; ++i) {
        std::wstring line = L"long " + std::to_wstring(i);
        while (line.size() < 4000) line += L" words to wrap";
        window2.Call(L"WriteLine", {Text(line)});
        written += line + L"\r\n";
    }
    Sleep(500);
    const std::wstring kept = TextOf(box);
    const size_t at = written.size() - std::min(written.size(), kept.size());
    g_report.Check(kept.size() > 150000 && kept.size() <= 262144 && at > 0 &&
                       written.compare(at - 2, 2, L"\r\n") == 0 && written.compare(at, kept.size(), kept) == 0,
                   L"Window2: past its limit the newest whole lines stay");
    const LRESULT top = SendMessageW(box, EM_GETFIRSTVISIBLELINE, 0, 0);
    g_report.Check(top > 0 && SendMessageW(box, EM_GETLINECOUNT, 0, 0) - top < 40,
                   L"Window2: after trimming the newest lines are in view");
    Shot(L"window2-wrapped-lines", shown);
    // The user closes the window: the object notices, and Create shows a new one.
    SendMessageW(shown, WM_CLOSE, 0, 0);
    g_report.CheckEqual(L"Window2 closed by the user: handle is 0", window2.Property(L"handle").AsLong(), 0);
    window2.Call(L"Create");
    g_report.Check(IsWindowVisible(HandleOf(window2)), L"Window2: Create after a user close shows a new window");
}

// The bar's state through its own messages, as the screen shows it.
void CheckBar(HWND bar, const std::wstring& what, long position, long low, long high) {
    g_report.CheckEqual(what + L": bar position (PBM_GETPOS)", SendMessageW(bar, PBM_GETPOS, 0, 0), position);
    g_report.CheckEqual(what + L": bar minimum (PBM_GETRANGE)", SendMessageW(bar, PBM_GETRANGE, TRUE, 0), low);
    g_report.CheckEqual(what + L": bar maximum (PBM_GETRANGE)", SendMessageW(bar, PBM_GETRANGE, FALSE, 0), high);
}

void ProgressLooks() {
    Object progress = Object::Create(L"Kelpa.ProgressWindow");
    progress.SetProperty(L"MainText", Text(L"Copying files"));
    progress.SetProperty(L"SubText", Text(L"file 3 of 10"));
    progress.Call(L"Create", {Text(L"Kelpa progress")});
    HWND shown = ProgressWindowOf(L"Kelpa progress");
    g_report.CheckEqual(L"ProgressWindow: caption", TextOf(shown), L"Kelpa progress");
    g_report.CheckEqual(L"ProgressWindow: main text", TextOf(ControlById(shown, 1)), L"Copying files");
    g_report.CheckEqual(L"ProgressWindow: sub text", TextOf(ControlById(shown, 3)), L"file 3 of 10");
    HWND bar = ControlById(shown, 2);
    progress.SetProperty(L"Progress", Long(40));
    CheckBar(bar, L"Progress 40", 40, 0, 100);
    Outcome range = progress.Call(L"SetProgressRange", {Long(10), Long(50)});
    g_report.Check(range.AsLong() == -1, L"SetProgressRange(10, 50) returns True");
    progress.Call(L"SetProgressStep", {Long(5)});
    progress.Call(L"ProgressStep");
    progress.Call(L"ProgressAdd", {Long(3)});
    CheckBar(bar, L"range 10-50, step 5 then add 3", 48, 10, 50);
    progress.SetProperty(L"Progress", Long(-7));
    g_report.CheckEqual(L"Progress -7 shows the minimum", progress.Property(L"Progress").AsLong(), 10);
    progress.SetProperty(L"Progress", Long(30));
    RECT small;
    GetWindowRect(shown, &small);
    Shot(L"progresswindow-normal", shown);

    progress.SetProperty(L"ProgressState", Long(2));
    // Wine 8's progress bar answers PBM_GETSTATE with PBST_NORMAL whatever it was told.
    if (GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
        g_report.Note(L"PBM_GETSTATE after ProgressState 2: " + std::to_wstring(SendMessageW(bar, PBM_GETSTATE, 0, 0)));
    else
        g_report.CheckEqual(L"ProgressState 2 reaches the bar", SendMessageW(bar, PBM_GETSTATE, 0, 0), PBST_ERROR);
    Shot(L"progresswindow-error", shown);
    progress.SetProperty(L"ProgressState", Long(3));
    Shot(L"progresswindow-paused", shown);
    progress.SetProperty(L"ProgressState", Long(1));
    progress.SetProperty(L"ProgressStyle", Long(1 + 2 + 4 + 8 + 16 + 32));
    g_report.CheckEqual(L"ProgressStyle keeps only smooth, marquee and reverse",
                        progress.Property(L"ProgressStyle").AsLong(), 25);
    g_report.CheckEqual(L"the bar's window style carries them", GetWindowLongW(bar, GWL_STYLE) & 0xFF, 25);
    Shot(L"progresswindow-marquee", shown);
    progress.SetProperty(L"ProgressStyle", Long(1));
    Shot(L"progresswindow-smooth", shown);

    progress.SetProperty(L"ButtonLabel", Text(L"Press to stop"));
    progress.SetProperty(L"ButtonText", Text(L"Halt"));
    progress.SetProperty(L"Button", Long(1));
    HWND button = ControlById(shown, 6);
    RECT tall;
    GetWindowRect(shown, &tall);
    g_report.Check(tall.bottom - tall.top > small.bottom - small.top, L"Button 1 makes the window taller");
    g_report.Check(IsWindowVisible(button) && IsWindowEnabled(button), L"Button 1: the button shows, enabled");
    g_report.CheckEqual(L"the button's caption", TextOf(button), L"Halt");
    g_report.CheckEqual(L"the button's label", TextOf(ControlById(shown, 5)), L"Press to stop");
    Shot(L"progresswindow-button", shown);
    progress.SetProperty(L"Button", Long(2));
    g_report.Check(IsWindowVisible(button) && !IsWindowEnabled(button), L"Button 2: the button shows, disabled");
    Shot(L"progresswindow-button-disabled", shown);
    progress.SetProperty(L"Button", Long(0));
    g_report.Check(!IsWindowVisible(button), L"Button 0: the button row is hidden");

    progress.Call(L"Remove");
    g_report.Check(!IsWindow(shown), L"Remove destroys the progress window");
    progress.Call(L"Create", {Text(L""), Long(600), Long(1)});
    shown = ProgressWindowOf(L"Kelpa progress");
    GetWindowRect(shown, &tall);
    g_report.CheckEqual(L"Create with width 600 and settings kept: caption", TextOf(shown), L"Kelpa progress");
    g_report.CheckEqual(L"Create with width 600: outer width", tall.right - tall.left, 600);
    CheckBar(ControlById(shown, 2), L"after Remove and Create", 30, 10, 50);
}

// A sink that counts ButtonPressed (dispatch id 1) and can run a step of its own.
class Sink : public eventsink::Sink {
public:
    Sink() : eventsink::Sink(DIID___ProgressWindow) {}
    int m_presses = 0;
    std::function<void()> m_onPress;

protected:
    HRESULT OnEvent(DISPID member, DISPPARAMS*) override {
        if (member != 1) return DISP_E_MEMBERNOTFOUND;
        ++m_presses;
        if (m_onPress) m_onPress();
        return S_OK;
    }
};

DWORD Advise(Object& object, Sink& sink) {
    ComPtr<IConnectionPoint> point = eventsink::EventPoint(object.Get());
    DWORD cookie = 0;
    if (point) point->Advise(&sink, &cookie);
    return cookie;
}

void Press(Object&) {
    Click(ControlById(ProgressWindowOf(L"KELPA ProgressWindow"), 6));
    Pump(800);
}

void ButtonEvents() {
    Object progress = Object::Create(L"Kelpa.ProgressWindow");
    Sink sink;
    g_report.Check(Advise(progress, sink) != 0, L"Advise at the __ProgressWindow connection point");
    progress.SetProperty(L"Button", Long(1));
    progress.SetProperty(L"BtnNotifier", Long(2));
    progress.Call(L"Create");
    Press(progress);
    g_report.CheckEqual(L"BtnNotifier 2: one press raises ButtonPressed once", sink.m_presses, 1);
    g_report.CheckEqual(L"BtnNotifier 2: the press is counted", progress.Property(L"BtnPressed").AsLong(), 1);
    g_report.CheckEqual(L"BtnNotifier 2: the notifier is reset to 0", progress.Property(L"BtnNotifier").AsLong(), 0);
    Press(progress);
    g_report.Check(sink.m_presses == 1 && progress.Property(L"BtnPressed").AsLong() == 1,
                   L"a second press before re-arming changes nothing");
    progress.SetProperty(L"BtnNotifier", Long(1));
    Press(progress);
    g_report.Check(sink.m_presses == 1 && progress.Property(L"BtnPressed").AsLong() == 2,
                   L"BtnNotifier 1: the press is counted, no event");
    progress.SetProperty(L"BtnNotifier", Long(0));
    Press(progress);
    g_report.CheckEqual(L"BtnNotifier 0: the press is ignored", progress.Property(L"BtnPressed").AsLong(), 2);
    progress.SetProperty(L"BtnNotifier", Long(2));
    progress.SetProperty(L"Button", Long(2));
    Press(progress);
    g_report.Check(sink.m_presses == 1 && progress.Property(L"BtnPressed").AsLong() == 2,
                   L"a disabled button counts no press");
    progress.SetProperty(L"Button", Long(1));
    Press(progress);
    g_report.CheckEqual(L"re-armed with BtnNotifier 2: the next press raises again", sink.m_presses, 2);

    // The handler lets go of the object: its window goes, the server lives on.
    HWND shown = ProgressWindowOf(L"KELPA ProgressWindow");
    progress.SetProperty(L"BtnNotifier", Long(2));
    sink.m_onPress = [&] { progress.Reset(); };
    Click(ControlById(shown, 6));
    Pump(1500);
    g_report.Check(!progress && !IsWindow(shown), L"releasing the object in its ButtonPressed handler removes the window");
    HRESULT hr = E_FAIL;
    Object again = Object::Create(L"Kelpa.ProgressWindow", &hr);
    g_report.Check(SUCCEEDED(hr) && again.Property(L"BtnNotifier").AsLong() == 1,
                   L"the server still serves new progress windows afterwards");
    Pump(200);
    g_report.CheckEqual(L"the released object let go of the sink", sink.m_references, 1);
}

}  // namespace

int main() {
    Apartment apartment;
    TextWindows();
    ProgressLooks();
    ButtonEvents();
    return g_report.Finish();
}
