// "Kelpa.MInputBox" end to end: InputS and InputM are called through the
// registered server while a driver thread finds the dialog, checks its
// layout, types, presses keys and buttons, and photographs each look. Two
// clients' dialogs open at once end in the reverse order with their own texts.
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <thread>

#include "ComClient.h"
#include "UiDriver.h"

using namespace comclient;
using namespace uidriver;

namespace {

Report g_report;
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kDefaultCaption[] = L"KELPA Multi-InputBox";
HWND Edit(HWND dialog, int row) { return ControlById(dialog, 100 + row); }
HWND Label(HWND dialog, int row) { return ControlById(dialog, 200 + row); }
HWND OkButton(HWND dialog) { return ControlById(dialog, IDOK); }

VARIANT Array(std::vector<VARIANT> items) {
    VARIANT value;
    VariantInit(&value);
    V_VT(&value) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&value) = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(items.size()));
    for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i) {
        SafeArrayPutElement(V_ARRAY(&value), &i, &items[i]);
        VariantClear(&items[i]);
    }
    return value;
}

VARIANT Short(short v) {
    VARIANT x;
    VariantInit(&x);
    V_VT(&x) = VT_I2;
    V_I2(&x) = v;
    return x;
}

// The texts of the array InputM left in vinp, and its type.
std::vector<std::wstring> Texts(const VARIANT& value) {
    std::vector<std::wstring> texts;
    if (!(V_VT(&value) & VT_ARRAY)) return texts;
    SAFEARRAY* array = V_ARRAY(&value);
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    for (LONG i = lower; i <= upper; ++i) {
        kelpa::unique_variant element, text;
        if ((V_VT(&value) & VT_TYPEMASK) == VT_VARIANT) {
            SafeArrayGetElement(array, &i, element.get());
        } else {
            V_VT(element.get()) = VT_BSTR;
            SafeArrayGetElement(array, &i, &V_BSTR(element.get()));
        }
        VariantChangeType(text.get(), element.get(), 0, VT_BSTR);
        texts.emplace_back(V_BSTR(text.get()) ? V_BSTR(text.get()) : L"");
    }
    return texts;
}

std::wstring Joined(const std::vector<std::wstring>& texts) {
    std::wstring out;
    for (size_t i = 0; i < texts.size(); ++i) out += (i ? L"|" : L"") + texts[i];
    return out;
}

// Controls that overlap each other or stick out of the client area.
std::wstring LayoutProblems(HWND dialog) {
    RECT client;
    GetClientRect(dialog, &client);
    std::vector<std::pair<RECT, int>> shown;
    for (const Control& control : Controls(dialog)) {
        if (!control.visible || GetParent(control.window) != dialog) continue;
        RECT r;
        GetWindowRect(control.window, &r);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
        if (r.left < 0 || r.top < 0 || r.right > client.right || r.bottom > client.bottom)
            return L"control " + std::to_wstring(control.id) + L" leaves the client area";
        for (const auto& [other, id] : shown) {
            RECT both;
            if (IntersectRect(&both, &r, &other))
                return L"controls " + std::to_wstring(id) + L" and " + std::to_wstring(control.id) + L" overlap";
        }
        shown.push_back({r, control.id});
    }
    return L"";
}

void CheckLayout(HWND dialog, const std::wstring& what) {
    const std::wstring problem = LayoutProblems(dialog);
    g_report.Check(problem.empty(), what + L": nothing overlaps or clips", problem);
}

void Shot(const wchar_t* name, HWND dialog) {
    if (ScreenshotsWanted()) g_report.Check(Screenshot(name, dialog), std::wstring(L"screenshot ") + name);
}

// A visible balloon tool tip of the process that shows dialog, or null.
HWND BalloonOf(HWND dialog) {
    DWORD server = 0;
    GetWindowThreadProcessId(dialog, &server);
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == server && IsWindowVisible(window) && ClassOf(window) == TOOLTIPS_CLASSW &&
            (GetWindowLongW(window, GWL_STYLE) & TTS_BALLOON))
            return window;
    }
    return nullptr;
}

// Any dialog of the server still open after a failed step is closed, so a
// failing check never leaves a call blocked.
void CloseStrays() {
    std::vector<HWND> windows;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    for (HWND window : windows)
        if (IsWindowVisible(window) && ClassOf(window) == kDialogClass && ControlById(window, 100)) {
            g_report.Note(L"stray dialog \"" + TextOf(window) + L"\" closed");
            PostMessageW(window, WM_CLOSE, 0, 0);
        }
}

using Driver = std::function<void(HWND)>;

// Calls a member on this thread while the driver answers the dialog with this
// caption on another.
Outcome Driven(Object& box, const wchar_t* member, std::vector<VARIANT> arguments, const std::wstring& caption,
               const Driver& drive) {
    std::thread driver([&] {
        HWND dialog = WaitForWindow(kDialogClass, caption, 15000);
        g_report.Check(dialog != nullptr, L"the dialog \"" + caption.substr(0, 40) + L"\" shows");
        if (dialog) drive(dialog);
        if (!dialog || !WaitGone(dialog, 10000)) CloseStrays();
    });
    Outcome outcome = box.Call(member, std::move(arguments));
    driver.join();
    return outcome;
}

VARIANT RefTo(VARIANT& target) {
    VARIANT reference;
    VariantInit(&reference);
    V_VT(&reference) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&reference) = &target;
    return reference;
}

Outcome InputM(Object& box, kelpa::unique_variant& vinp, const std::wstring& caption, const Driver& drive) {
    return Driven(box, L"InputM", {RefTo(*vinp.put())}, caption, drive);
}

void Type(HWND dialog, int row, const std::wstring& text) { SetText(Edit(dialog, row), text); }

void SingleField() {
    Object box = Object::Create(L"Kelpa.MInputBox");
    Outcome outcome = Driven(box, L"InputS", {}, kDefaultCaption, [](HWND dialog) {
        g_report.CheckEqual(L"InputS(): one field", Edit(dialog, 1) == nullptr && Edit(dialog, 0) != nullptr, 1);
        g_report.CheckEqual(L"InputS(): the field takes 1024 characters",
                            SendMessageW(Edit(dialog, 0), EM_GETLIMITTEXT, 0, 0), 1024);
        CheckLayout(dialog, L"one row");
        Shot(L"minputbox-one-row", dialog);
        Type(dialog, 0, L"typed text");
        Click(OkButton(dialog));
    });
    g_report.CheckEqual(L"InputS(): OK returns the typed text", outcome.AsText(), L"typed text");

    outcome = Driven(box, L"InputS", {Text(L"Name"), Text(L""), Text(L"preset")}, kDefaultCaption, [](HWND dialog) {
        Type(dialog, 0, L"thrown away");
        PressKey(dialog, VK_ESCAPE);
    });
    g_report.CheckEqual(L"InputS: Esc returns \"\"", outcome.AsText(), L"");

    // What InputS ignores: fields, limits, arrays, Title and the time-out.
    box.SetProperty(L"InputNumber", Short(3));
    box.SetProperty(L"TextLimit", Short(5));
    box.SetProperty(L"Title", Text(L"Not for InputS"));
    box.SetProperty(L"DlgCancelTime", Short(1));
    box.SetProperty(L"InpLabel", Array({Text(L"array label")}));
    outcome = Driven(box, L"InputS", {Text(L"The prompt"), Text(L""), Text(L"preset")}, kDefaultCaption,
                     [](HWND dialog) {
                         Sleep(1600);
                         g_report.Check(IsWindowVisible(dialog), L"InputS: DlgCancelTime does not end it");
                         g_report.Check(Edit(dialog, 1) == nullptr, L"InputS: InputNumber does not apply");
                         g_report.CheckEqual(L"InputS: the prompt is the label", TextOf(Label(dialog, 0)),
                                             L"The prompt");
                         g_report.CheckEqual(L"InputS: TextLimit does not apply",
                                             SendMessageW(Edit(dialog, 0), EM_GETLIMITTEXT, 0, 0), 1024);
                         Click(OkButton(dialog));
                     });
    g_report.CheckEqual(L"InputS: OK returns the preset text", outcome.AsText(), L"preset");
}

void TenRows() {
    Object box = Object::Create(L"Kelpa.MInputBox");
    std::vector<VARIANT> labels;
    for (int i = 0; i < 10; ++i) labels.push_back(Text(L"Field &" + std::to_wstring(i)));
    box.SetProperty(L"InputNumber", Short(10));
    box.SetProperty(L"InpLabel", Array(labels));
    box.SetProperty(L"Title", Text(L"Ten rows"));
    box.SetProperty(L"AccPrefix", Bool(true));
    kelpa::unique_variant vinp;
    Outcome outcome = InputM(box, vinp, L"Ten rows", [](HWND dialog) {
        g_report.CheckEqual(L"ten rows: the tenth label", WithoutMnemonic(TextOf(Label(dialog, 9))), L"Field 9");
        CheckLayout(dialog, L"ten rows");
        Shot(L"minputbox-ten-rows", dialog);
        Type(dialog, 0, L"first");
        Type(dialog, 9, L"tenth");
        PressKey(dialog, VK_RETURN);
    });
    g_report.CheckEqual(L"ten rows: Enter accepts", outcome.AsLong(), -1);
    g_report.CheckEqual(L"ten rows: a Variant array", V_VT(vinp.get()), VT_ARRAY | VT_VARIANT);
    g_report.CheckEqual(L"ten rows: the texts", Joined(Texts(*vinp.get())), L"first|||||||||tenth");
}

void LooksAndCancel() {
    Object box = Object::Create(L"Kelpa.MInputBox");
    std::wstring info;
    while (info.size() < 256) info += L"A long information text wraps over lines. ";
    std::wstring title(300, L'T');
    box.SetProperty(L"InputNumber", Short(3));
    box.SetProperty(L"Info", Text(info));
    box.SetProperty(L"InfoBig", Bool(true));
    box.SetProperty(L"Title", Text(title));
    box.SetProperty(L"ConvertArr", Bool(false));
    kelpa::unique_variant vinp;
    Outcome outcome = InputM(box, vinp, title.substr(0, 256), [](HWND dialog) {
        CheckLayout(dialog, L"big information text, 256-character title");
        Shot(L"minputbox-info-big", dialog);
        Type(dialog, 1, L"dropped");
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    g_report.CheckEqual(L"close box: InputM returns False", outcome.AsLong(), 0);
    g_report.CheckEqual(L"ConvertArr False: a String array", V_VT(vinp.get()), VT_ARRAY | VT_BSTR);
    g_report.CheckEqual(L"cancelled: three empty texts", Joined(Texts(*vinp.get())), L"||");

    box.SetProperty(L"InfoBig", Bool(false));
    box.SetProperty(L"FontEnlarge", Short(2));
    box.SetProperty(L"InputNumber", Short(10));
    box.SetProperty(L"Title", Text(L"Enlarged"));
    box.SetProperty(L"DlgCancelEsc", Bool(false));
    outcome = InputM(box, vinp, L"Enlarged", [](HWND dialog) {
        CheckLayout(dialog, L"FontEnlarge 2, ten rows, information text");
        Shot(L"minputbox-font-enlarged", dialog);
        PressKey(dialog, VK_ESCAPE);
        Sleep(500);
        g_report.Check(IsWindowVisible(dialog), L"DlgCancelEsc False: Esc leaves the dialog open");
        PostMessageW(dialog, WM_CLOSE, 0, 0);
    });
    g_report.CheckEqual(L"DlgCancelEsc False: the close box still cancels", outcome.AsLong(), 0);
}

void StylesAndLocks() {
    Object box = Object::Create(L"Kelpa.MInputBox");
    box.SetProperty(L"InputNumber", Short(5));
    box.SetProperty(L"Title", Text(L"Styles"));
    box.SetProperty(L"PasswordChar", Text(L"#"));
    box.SetProperty(L"InpLabel", Array({Text(L"Password"), Text(L"Digits"), Text(L"Upper"), Text(L"Lower"),
                                        Text(L"Locked")}));
    box.SetProperty(L"InpTextStyle", Array({Short(4), Short(3), Short(1), Short(2), Short(0)}));
    box.SetProperty(L"InpText", Array({Text(L"secret"), Text(L"12a"), Text(L""), Text(L""), Text(L"fixed")}));
    box.SetProperty(L"InpLocked", Array({Bool(false), Bool(false), Bool(false), Bool(false), Bool(true)}));
    box.SetProperty(L"InpMinLen", Array({Short(0), Short(0), Short(0), Short(0), Short(9)}));
    box.SetProperty(L"InpLabelColor", Array({Long(0x10000FF), Long(0), Long(0x1000000), Long(0), Long(0)}));
    box.SetProperty(L"InpCueText", Array({Text(L""), Text(L"digits only"), Text(L""), Text(L""), Text(L"")}));
    box.SetProperty(L"InputFlags", Short(2));
    kelpa::unique_variant vinp;
    Outcome outcome = InputM(box, vinp, L"Styles", [](HWND dialog) {
        const auto style = [&](int row) { return GetWindowLongW(Edit(dialog, row), GWL_STYLE); };
        g_report.Check(style(0) & ES_PASSWORD, L"style 4: a password field");
        g_report.CheckEqual(L"style 4: masked with PasswordChar",
                            SendMessageW(Edit(dialog, 0), EM_GETPASSWORDCHAR, 0, 0), L'#');
        g_report.Check(style(1) & ES_NUMBER, L"style 3: digits only");
        g_report.CheckEqual(L"style 3: \"12a\" is not shown under CheckNumStyle", TextOf(Edit(dialog, 1)), L"");
        g_report.Check(style(2) & ES_UPPERCASE, L"style 1: upper case");
        g_report.Check(style(3) & ES_LOWERCASE, L"style 2: lower case");
        g_report.Check(style(4) & ES_READONLY, L"InpLocked: read-only");
        CheckLayout(dialog, L"styles");
        Shot(L"minputbox-password", dialog);
        Type(dialog, 1, L"42");
        Click(OkButton(dialog));
    });
    g_report.CheckEqual(L"InputFlags 2: a locked field under its minimum is accepted", outcome.AsLong(), -1);
    g_report.CheckEqual(L"styles: the texts", Joined(Texts(*vinp.get())), L"secret|42|||fixed");

    box.SetProperty(L"InputFlags", Short(0));
    outcome = InputM(box, vinp, L"Styles", [](HWND dialog) {
        Click(OkButton(dialog));
        Sleep(500);
        g_report.Check(IsWindowVisible(dialog), L"InputFlags 0: the locked field's minimum refuses OK");
        PressKey(dialog, VK_ESCAPE);
    });
    g_report.CheckEqual(L"Esc cancels", outcome.AsLong(), 0);
}

void FocusAndSelection() {
    Object box = Object::Create(L"Kelpa.MInputBox");
    box.SetProperty(L"InputNumber", Short(3));
    box.SetProperty(L"Title", Text(L"Focus"));
    box.SetProperty(L"InpText", Array({Text(L"zero"), Text(L"abcd"), Text(L"two")}));
    box.SetProperty(L"InpLocked", Array({Bool(false), Bool(true), Bool(false)}));
    box.SetProperty(L"InputSelection", Bool(false));
    box.SetProperty(L"InputStart", Short(1));
    kelpa::unique_variant vinp;
    DWORD selection = 0;
    auto readSelection = [&](HWND dialog) {
        Sleep(300);
        g_report.Check(FocusOf(dialog) == Edit(dialog, 1), L"InputStart 1 focuses the second field");
        selection = static_cast<DWORD>(SendMessageW(Edit(dialog, 1), EM_GETSEL, 0, 0));
        PressKey(dialog, VK_ESCAPE);
    };
    InputM(box, vinp, L"Focus", readSelection);
    g_report.CheckEqual(L"InputSelection False: the caret at the end", selection, MAKELONG(4, 4));
    box.SetProperty(L"InputFlags", Short(1));
    InputM(box, vinp, L"Focus", readSelection);
    g_report.Check(selection != MAKELONG(4, 4), L"InputFlags 1: a locked field's selection is left alone");

    box.SetProperty(L"InputStart", Short(5));
    InputM(box, vinp, L"Focus", [](HWND dialog) {
        Sleep(300);
        g_report.Check(FocusOf(dialog) == Edit(dialog, 0), L"InputStart beyond the last field focuses field 0");
        PressKey(dialog, VK_ESCAPE);
    });
}

void MinimumBalloon() {
    Object box = Object::Create(L"Kelpa.MInputBox");
    box.SetProperty(L"InputNumber", Short(2));
    box.SetProperty(L"Title", Text(L"Minimum"));
    box.SetProperty(L"InpMinLen", Array({Short(3)}));
    box.SetProperty(L"InpText", Array({Text(L"ab")}));
    box.SetProperty(L"MinBalloonText", Text(L"Three characters at least"));
    box.SetProperty(L"MinBalloonTitle", Text(L"Too short"));
    kelpa::unique_variant vinp;
    Outcome outcome = InputM(box, vinp, L"Minimum", [](HWND dialog) {
        PressKey(dialog, VK_TAB);
        Sleep(500);
        g_report.Check(FocusOf(dialog) == Edit(dialog, 0), L"Tab from a short field: the focus stays");
        Click(OkButton(dialog));
        Sleep(500);
        g_report.Check(IsWindowVisible(dialog), L"OK with a short field: the dialog stays");
        HWND balloon = BalloonOf(dialog);
        g_report.Check(balloon != nullptr, L"the balloon shows");
        if (balloon) g_report.CheckEqual(L"the balloon's text", TextOf(balloon), L"Three characters at least");
        Shot(L"minputbox-balloon", dialog);
        Type(dialog, 0, L"abc");
        Click(OkButton(dialog));
    });
    g_report.CheckEqual(L"three characters are accepted", outcome.AsLong(), -1);
    g_report.CheckEqual(L"minimum: the texts", Joined(Texts(*vinp.get())), L"abc|");
}

// Two clients, each with its own object, call InputM at once; the second
// dialog is answered first.
void ConcurrentCalls() {
    std::vector<std::wstring> first, second;
    long firstResult = 0, secondResult = 0;
    auto client = [](const wchar_t* title, std::vector<std::wstring>& texts, long& result) {
        Apartment apartment;
        Object box = Object::Create(L"Kelpa.MInputBox");
        box.SetProperty(L"InputNumber", Short(2));
        box.SetProperty(L"Title", Text(title));
        kelpa::unique_variant vinp;
        result = box.Call(L"InputM", {RefTo(*vinp.get())}).AsLong();
        texts = Texts(*vinp.get());
    };
    std::thread one(client, L"First call", std::ref(first), std::ref(firstResult));
    HWND firstDialog = WaitForWindow(kDialogClass, L"First call", 15000);
    std::thread two(client, L"Second call", std::ref(second), std::ref(secondResult));
    HWND secondDialog = WaitForWindow(kDialogClass, L"Second call", 15000);
    g_report.Check(firstDialog && secondDialog && firstDialog != secondDialog, L"two calls: two dialogs at once");
    if (secondDialog) {
        Type(secondDialog, 0, L"second A");
        Type(secondDialog, 1, L"second B");
        Click(OkButton(secondDialog));
    }
    two.join();
    if (firstDialog) {
        g_report.Check(IsWindowVisible(firstDialog), L"the first dialog still waits");
        Type(firstDialog, 0, L"first A");
        Click(OkButton(firstDialog));
    }
    one.join();
    g_report.CheckEqual(L"second call: accepted", secondResult, -1);
    g_report.CheckEqual(L"second call: its own texts", Joined(second), L"second A|second B");
    g_report.CheckEqual(L"first call: accepted", firstResult, -1);
    g_report.CheckEqual(L"first call: its own texts", Joined(first), L"first A|");
}

}  // namespace

int main() {
    Apartment apartment;
    HRESULT hr = E_FAIL;
    Object probe = Object::Create(L"Kelpa.MInputBox", &hr);
    g_report.Check(SUCCEEDED(hr), L"Kelpa.MInputBox is created");
    if (!probe) return g_report.Finish();
    SingleField();
    TenRows();
    LooksAndCancel();
    StylesAndLocks();
    FocusAndSelection();
    MinimumBalloon();
    ConcurrentCalls();
    return g_report.Finish();
}
