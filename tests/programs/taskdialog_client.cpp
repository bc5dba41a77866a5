// "Kelpa.TaskDialog" end to end: Show and ShowEx run through the registered
// server on this thread while a driver thread reads the task dialog the
// server shows, pictures it and answers it.
//
//   taskdialog_client ICON_DLL
// ICON_DLL: the test tree's resource-only module (icon 101 red, KELPANAMED blue).
#include <windows.h>
#include <shellapi.h>
#include <functional>
#include <thread>

#include "ComClient.h"
#include "UiDriver.h"

using namespace comclient;
using namespace uidriver;

namespace {

Report g_report;

// An array of script values as a script's Array(...) makes it; rows > 1
// gives a two-dimensional one.
VARIANT TextArray(const std::vector<std::wstring>& items, ULONG rows = 1) {
    SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(items.size()) / rows, 0}, {rows, 0}};
    SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, rows > 1 ? 2 : 1, bounds);
    VARIANT* data = nullptr;
    SafeArrayAccessData(array, reinterpret_cast<void**>(&data));
    for (size_t i = 0; i < items.size(); ++i) data[i] = Text(items[i]);
    SafeArrayUnaccessData(array);
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&v) = array;
    return v;
}

// What the driver saw of one dialog: every visible control's text by class.
struct Seen {
    bool shown = false;
    std::vector<Control> controls;
    bool Has(const std::wstring& text) const {
        for (const Control& c : controls)
            if (c.visible && WithoutMnemonic(c.text) == text) return true;
        return false;
    }
    int Count(LONG buttonType) const {
        int n = 0;
        for (const Control& c : controls)
            if (c.visible && c.className == L"Button" && (c.style & BS_TYPEMASK) == buttonType) ++n;
        return n;
    }
};

// Runs call() here while the driver waits for the dialog titled caption,
// lets act() answer it and records what it showed.
Seen Answered(const std::wstring& caption, const std::function<Outcome()>& call,
              const std::function<void(HWND)>& act, Outcome* outcome, bool expectDialog = true) {
    Seen seen;
    std::thread driver([&] {
        HWND window = WaitForWindow(L"#32770", caption, expectDialog ? 15000 : 2000);
        if (!window) return;
        seen.shown = true;
        seen.controls = Controls(window);
        act(window);
        if (IsWindow(window) && !WaitGone(window, 10000)) {
            g_report.Check(false, L"the dialog closed after the answer; cancelling it");
            Click(ControlByText(window, L"Cancel", L"Button"));
        }
    });
    *outcome = call();
    driver.join();
    return seen;
}

void Press(HWND window, const std::wstring& caption) {
    if (HWND button = ControlByText(window, caption)) Click(button);
    else g_report.Note(L"no control \"" + caption + L"\"");
}

void QuickShow(Object& dialog) {
    Outcome outcome;
    Seen seen = Answered(L"Quick", [&] {
        return dialog.Call(L"Show", {Text(std::wstring(L"Main instruction") + L'\0' + L"The content"), Long(6), Text(L"Quick")});
    }, [](HWND w) { Screenshot(L"taskdialog-show", w); Press(w, L"No"); }, &outcome);
    g_report.Check(seen.Has(L"Main instruction") && seen.Has(L"The content"),
                   L"Show: a prompt with a NUL gives instruction and content");
    g_report.Check(seen.Has(L"Yes") && seen.Has(L"No"), L"Show: Buttons 6 gives Yes and No");
    g_report.CheckEqual(L"Show returns No (7)", outcome.AsLong(), 7);
}

void FullShowEx(Object& dialog, const std::wstring& iconDll) {
    dialog.SetProperty(L"Title", Text(L"Everything"));
    dialog.SetProperty(L"Text", Text(L"Pick a way"));
    dialog.SetProperty(L"SubText", Text(L"Each of them works."));
    dialog.SetProperty(L"CustomButtons", TextArray({L"First way", L"Second way", L"Third way"}));
    dialog.SetProperty(L"CustomButtonStyle", Long(1));
    dialog.SetProperty(L"RadioButtons", TextArray({L"Alpha", L"Beta"}));
    dialog.SetProperty(L"RadioButtonSelected", Long(2));
    dialog.SetProperty(L"VerificationLabel", Text(L"Remember my choice"));
    dialog.SetProperty(L"ExpandText", Text(L"The details, shown on request."));
    dialog.SetProperty(L"ExpandLabelCo", Text(L"More"));
    dialog.SetProperty(L"ExpandLabelEx", Text(L"Less"));
    dialog.SetProperty(L"FooterText", Text(L"A footer with a blue icon"));
    dialog.SetProperty(L"IconResFile", Text(iconDll));
    dialog.SetProperty(L"IconResID", Text(L"#101"));
    dialog.SetProperty(L"FooterIconResID", Text(L"KELPANAMED"));
    dialog.SetProperty(L"Options", Long(0x80 | 0x8));
    Outcome outcome;
    PixelCounts colours;
    Seen seen = Answered(L"Everything", [&] { return dialog.Call(L"ShowEx"); }, [&](HWND w) {
        colours = CountPixels(w);
        Press(w, L"Alpha");
        Press(w, L"Remember my choice");
        Sleep(300);
        Screenshot(L"taskdialog-showex-full", w);
        Press(w, L"Second way");
    }, &outcome);
    g_report.Check(seen.Has(L"Pick a way") && seen.Has(L"Each of them works."), L"ShowEx: instruction and content");
    g_report.Check(seen.Has(L"Alpha") && seen.Has(L"Beta") && seen.Count(BS_AUTORADIOBUTTON) == 2,
                   L"ShowEx: two radio buttons");
    g_report.Check(seen.Has(L"Remember my choice"), L"ShowEx: the verification box");
    g_report.Check(seen.Has(L"The details, shown on request.") && seen.Has(L"Less"),
                   L"ShowEx: expanded at start, with the expanded label");
    g_report.Check(seen.Has(L"A footer with a blue icon"), L"ShowEx: the footer");
    g_report.Check(colours.red > 100 && colours.blue > 50, L"ShowEx: red main and blue footer icon from the file",
                   L"red " + std::to_wstring(colours.red) + L", blue " + std::to_wstring(colours.blue));
    g_report.CheckEqual(L"ShowEx: the second custom button returns 102", outcome.AsLong(), 102);
    g_report.CheckEqual(L"ShowEx: RadioButtonSelected written back", dialog.Property(L"RadioButtonSelected").AsLong(), 1);
    g_report.CheckEqual(L"ShowEx: VerificationChecked written back", dialog.Property(L"VerificationChecked").AsLong(), -1);
    g_report.CheckEqual(L"ShowEx: ErrorCode 0", dialog.Property(L"ErrorCode").AsLong(), 0);
}

void CancelledShowEx(Object& dialog) {
    // No radio buttons here: Wine routes a click of a common button whose
    // number a radio button also has (1 OK, 2 Cancel) to the radio button.
    dialog.SetProperty(L"Title", Text(L"Cancel me"));
    dialog.SetProperty(L"CustomButtons", Text(L"not a list"));
    dialog.SetProperty(L"RadioButtons", Text(L"not a list"));
    dialog.SetProperty(L"Buttons", Long(0x8 | 0x1));
    Outcome outcome;
    Answered(L"Cancel me", [&] { return dialog.Call(L"ShowEx"); }, [](HWND w) {
        Press(w, L"Remember my choice");
        Screenshot(L"taskdialog-showex-cancel", w);
        Click(ControlByText(w, L"Cancel", L"Button"));
    }, &outcome);
    g_report.CheckEqual(L"a cancelled ShowEx returns 2", outcome.AsLong(), 2);
    g_report.CheckEqual(L"and writes back the unchecked box", dialog.Property(L"VerificationChecked").AsLong(), 0);
}

void BadInput(Object& dialog, const std::wstring& iconDll) {
    // 33 captions: the platform takes 32; a two-dimensional list is no list.
    std::vector<std::wstring> many;
    for (int i = 1; i <= 33; ++i) many.push_back(L"B" + std::to_wstring(i));
    dialog.SetProperty(L"CustomButtons", TextArray(many));
    dialog.SetProperty(L"CustomButtonStyle", Long(0));
    dialog.SetProperty(L"RadioButtons", TextArray({L"a", L"b", L"c", L"d"}, 2));
    dialog.SetProperty(L"Title", Text(L"Many buttons"));
    dialog.SetProperty(L"IconResID", Text(L""));
    dialog.SetProperty(L"FooterIconResID", Text(L""));
    Outcome outcome;
    Seen seen = Answered(L"Many buttons", [&] { return dialog.Call(L"ShowEx"); },
                         [](HWND w) { Screenshot(L"taskdialog-33-buttons", w); Press(w, L"B32"); }, &outcome);
    g_report.Check(seen.Has(L"B32") && !seen.Has(L"B33"), L"33 custom buttons: the first 32 are shown");
    g_report.Check(!seen.Has(L"a") && !seen.Has(L"c"), L"a two-dimensional radio list is ignored");
    g_report.CheckEqual(L"the 32nd custom button returns 132", outcome.AsLong(), 132);

    // "#" and text: type mismatch kept in ErrorCode, no dialog, nothing raised.
    dialog.SetProperty(L"IconResFile", Text(iconDll));
    dialog.SetProperty(L"IconResID", Text(L"#abc"));
    dialog.SetProperty(L"Title", Text(L"Never shown"));
    seen = Answered(L"Never shown", [&] { return dialog.Call(L"ShowEx"); }, [](HWND w) { PressKey(w, VK_ESCAPE); },
                    &outcome, false);
    g_report.Check(!seen.shown && outcome.hr == S_OK && outcome.AsLong() == 0, L"IconResID #abc: 0, no dialog, no error");
    g_report.CheckEqual(L"IconResID #abc: ErrorCode 13", dialog.Property(L"ErrorCode").AsLong(), 13);
    dialog.SetProperty(L"IconResID", Text(L"#99999999999"));
    outcome = dialog.Call(L"Show", {Text(L"x"), Long(1), Text(L"Never shown")});
    g_report.CheckEqual(L"IconResID beyond a Long: ErrorCode 6", dialog.Property(L"ErrorCode").AsLong(), 6);
}

void Settings(Object& dialog) {
    dialog.SetProperty(L"Options", Long(0xFFFF));
    g_report.CheckEqual(L"Options 0xFFFF keeps 0xA0C8", dialog.Property(L"Options").AsLong(), 0xA0C8);
    dialog.SetProperty(L"Icon", Long(-3));
    dialog.SetProperty(L"Icon", Long(100));
    g_report.CheckEqual(L"Icon 100 is ignored", dialog.Property(L"Icon").AsLong(), -3);
    dialog.SetProperty(L"CustomButtonStyle", Long(3));
    g_report.CheckEqual(L"CustomButtonStyle 3 is ignored", dialog.Property(L"CustomButtonStyle").AsLong(), 0);
    dialog.SetProperty(L"Title", Text(std::wstring(300, L'T')));
    g_report.CheckEqual(L"Title keeps 256 characters", static_cast<long long>(dialog.Property(L"Title").AsText().size()), 256);
}

}  // namespace

int main() {
    const std::vector<std::wstring> arguments = PathArguments();
    const std::wstring iconDll = arguments.empty() ? L"" : arguments[0];

    Apartment apartment;
    Object dialog = CreateReported<Object>(g_report, L"Kelpa.TaskDialog");
    if (!dialog) return g_report.Finish();
    QuickShow(dialog);
    FullShowEx(dialog, iconDll);
    CancelledShowEx(dialog);
    BadInput(dialog, iconDll);
    Object fresh = Object::Create(L"Kelpa.TaskDialog");
    Settings(fresh);
    return g_report.Finish();
}
