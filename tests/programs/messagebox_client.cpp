// "Kelpa.MessageBox" end to end: this client calls Show through the
// registered server and blocks in it, while a driver thread finds the box
// the server shows, reads it, takes its picture and presses a button.
//
//   messagebox_client ICON_DLL
// ICON_DLL: the test tree's resource-only module (integer icon 101 red,
// icon KELPANAMED blue).
#include <windows.h>
#include <shellapi.h>
#include <map>
#include <set>
#include <thread>

#include "ComClient.h"
#include "UiDriver.h"

using namespace comclient;
using namespace uidriver;

namespace {

Report g_report;

constexpr int kIconControl = 1088;  // the message box's icon (static control)
constexpr int kTextControl = 65535;  // the message box's text

// What the driver saw of one box.
struct Box {
    bool shown = false;
    std::wstring caption;
    std::wstring text;
    std::set<int> buttons;  // identifiers of the visible buttons (IDOK, IDYES...)
    int defaultButton = 0;
    bool iconVisible = false;  // the icon control shows something
    PixelCounts iconPixels;
    double likeness = 0;  // of the icon control to the expected icon, when one was given
    std::map<int, std::wstring> captions;
};


bool IsKelpaServer(DWORD processId) {
    kelpa::unique_handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    wchar_t path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!process || !QueryFullProcessImageNameW(process.get(), 0, path, &size)) return false;
    const std::wstring image(path, size);
    const size_t name = image.find_last_of(L"\\/") + 1;
    return _wcsicmp(image.c_str() + name, KELPA_SERVER_PROGRAM) == 0;
}

struct Answer {
    std::wstring caption;       // the box to wait for
    int button = IDOK;          // what to press
    const wchar_t* shot = nullptr;  // screenshot name, if any
    HICON expectedIcon = nullptr;   // icon to compare the icon control with
    bool expectBox = true;          // false: wait briefly, answer nothing
};

Box Read(HWND window, const Answer& answer) {
    Box box;
    box.shown = true;
    box.caption = TextOf(window);
    RECT iconRect = {}, textRect = {};
    for (const Control& control : Controls(window)) {
        if (control.id == kTextControl) {
            box.text = control.text;
            GetWindowRect(control.window, &textRect);
        }
        if (control.id == kIconControl && control.visible) {
            GetWindowRect(control.window, &iconRect);
            box.iconPixels = CountPixels(control.window);
            box.likeness = IconLikeness(control.window, answer.expectedIcon);
        }
        if (control.className == L"Button" && control.visible) {
            box.buttons.insert(control.id);
            box.captions[control.id] = WithoutMnemonic(control.text);
            if ((control.style & 0x0F) == BS_DEFPUSHBUTTON) box.defaultButton = control.id;
        }
    }
    // Wine leaves the icon control visible when there is no icon and lays
    // the text over it; a box with an icon puts the text to its right.
    box.iconVisible = iconRect.right > iconRect.left && textRect.left >= iconRect.right;
    return box;
}

// The driver's side: wait for the box, read it, picture it, answer it. When
// the expected box never shows, any message box of a kelpa.exe is answered
// with its first button, so a wrong caption fails the check instead of
// hanging the test.
void Drive(const Answer& answer, Box& seen) {
    HWND window = WaitForWindow(L"#32770", answer.caption, answer.expectBox ? 15000 : 2000);
    if (!window) {
        if (!answer.expectBox) return;
        std::vector<HWND> windows;
        EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
        for (HWND stray : windows) {
            DWORD owner = 0;
            GetWindowThreadProcessId(stray, &owner);
            if (!IsWindowVisible(stray) || ClassOf(stray) != L"#32770" || !IsKelpaServer(owner)) continue;
            g_report.Note(L"unexpected box \"" + Escape(TextOf(stray)) + L"\" answered");
            for (const Control& control : Controls(stray))
                if (control.className == L"Button" && control.visible) {
                    Click(control.window);
                    break;
                }
        }
        return;
    }
    seen = Read(window, answer);
    if (answer.shot && ScreenshotsWanted())
        g_report.Check(Screenshot(answer.shot, window), L"screenshot " + std::wstring(answer.shot));
    if (HWND button = ControlById(window, answer.button)) Click(button);
    WaitGone(window, 10000);
}

// Show(arguments...) on this thread while the driver answers on another.
Box ShowAnswered(Object& box, std::vector<VARIANT> arguments, const Answer& answer, Outcome* outcome) {
    Box seen;
    std::thread driver([&] { Drive(answer, seen); });
    *outcome = box.Call(L"Show", std::move(arguments));
    driver.join();
    return seen;
}

std::wstring Join(const std::set<int>& values) {
    std::wstring out;
    for (int value : values) out += (out.empty() ? L"" : L",") + std::to_wstring(value);
    return out;
}

void ButtonSets(Object& box) {
    // Each set and the results of its buttons, which are also their control identifiers.
    const std::vector<std::set<int>> sets = {
        {IDOK}, {IDOK, IDCANCEL}, {IDABORT, IDRETRY, IDIGNORE}, {IDYES, IDNO, IDCANCEL},
        {IDYES, IDNO}, {IDRETRY, IDCANCEL}, {IDCANCEL, IDTRYAGAIN, IDCONTINUE},
    };
    for (long set = 0; set < static_cast<long>(sets.size()); ++set) {
        box.SetProperty(L"Buttons", Long(set));
        for (int button : sets[set]) {
            const std::wstring name = L"Buttons " + std::to_wstring(set) + L", button " + std::to_wstring(button);
            Answer answer{name, button};
            const std::wstring shot = L"messagebox-buttons-" + std::to_wstring(set);
            if (button == *sets[set].begin()) answer.shot = shot.c_str();
            Outcome outcome;
            const Box seen = ShowAnswered(box, {Text(L"Which one?"), Long(-1), Text(name)}, answer, &outcome);
            g_report.CheckEqual(name + L": box shows those buttons", Join(seen.buttons), Join(sets[set]));
            g_report.CheckEqual(name + L": Show returns it", outcome.AsLong(), button);
        }
    }
    box.SetProperty(L"Buttons", Long(0));
}

void DefaultButton(Object& box) {
    box.SetProperty(L"Buttons", Long(3));
    box.SetProperty(L"DefButton", Long(2));
    Outcome outcome;
    Box seen = ShowAnswered(box, {Text(L"No is the default"), Long(-1), Text(L"DefButton 2")},
                            {L"DefButton 2", IDNO}, &outcome);
    g_report.CheckEqual(L"DefButton 2 makes the second button (No) the default", seen.defaultButton, IDNO);

    box.SetProperty(L"DefButton", Long(1));
    box.SetProperty(L"Buttons", Long(0));
    // Precedence's bits are checked where the style is composed (unit
    // tests): Wine 8 does not make an MB_TOPMOST box a topmost window.
}

void TextsAndTitle(Object& box) {
    // A fresh object shows an OK box with empty text and caption.
    Object fresh = Object::Create(L"Kelpa.MessageBox");
    Outcome outcome;
    Box seen = ShowAnswered(fresh, {}, {L"", IDOK}, &outcome);
    g_report.Check(seen.shown, L"Show() on a fresh object shows a box with an empty caption");
    g_report.CheckEqual(L"Show(): empty text", seen.text, L"");
    g_report.CheckEqual(L"Show(): OK only", Join(seen.buttons), std::to_wstring(IDOK));
    g_report.CheckEqual(L"Show(): returns 1 for OK", outcome.AsLong(), 1);

    // Properties stand in for empty arguments.
    box.SetProperty(L"Text", Text(L"Text from the property"));
    box.SetProperty(L"Title", Text(L"Title from the property"));
    seen = ShowAnswered(box, {}, {L"Title from the property", IDOK}, &outcome);
    g_report.CheckEqual(L"Text property is the default message", seen.text, L"Text from the property");
    seen = ShowAnswered(box, {Text(L"Given text"), Long(-1), Text(L"Given title")}, {L"Given title", IDOK}, &outcome);
    g_report.CheckEqual(L"a message argument wins over Text", seen.text, L"Given text");

    // A title argument is cut to 256 characters; a text never is.
    std::wstring longTitle;
    for (int i = 0; longTitle.size() < 300; ++i) longTitle += std::to_wstring(i % 10);
    std::wstring longText;
    for (int i = 0; i < 60; ++i) longText += L"Line " + std::to_wstring(i) + L" of a long text\r\n";
    seen = ShowAnswered(box, {Text(longText), Long(-1), Text(longTitle)}, {longTitle.substr(0, 256), IDOK}, &outcome);
    g_report.Check(seen.shown, L"a 300-character title shows cut to its first 256");
    g_report.CheckEqual(L"a long text is shown whole", static_cast<long long>(seen.text.size()),
                        static_cast<long long>(longText.size()));
    box.SetProperty(L"Text", Text(L""));
    box.SetProperty(L"Title", Text(L""));
}

void StandardAndSystemIcons(Object& box) {
    HICON exclamation = LoadIconW(nullptr, IDI_EXCLAMATION);
    HICON information = LoadIconW(nullptr, IDI_INFORMATION);
    Outcome outcome;

    box.SetProperty(L"Icon", Long(48));
    Box seen = ShowAnswered(box, {Text(L"Icon 48"), Long(-1), Text(L"Icon 48")},
                            {L"Icon 48", IDOK, L"messagebox-icon-48", exclamation}, &outcome);
    g_report.Check(seen.iconVisible && seen.likeness > 0.95, L"Icon 48 shows the exclamation icon",
                   L"likeness " + std::to_wstring(seen.likeness));

    box.SetProperty(L"Icon", Long(32516));
    seen = ShowAnswered(box, {Text(L"Icon 32516"), Long(-1), Text(L"Icon 32516")},
                        {L"Icon 32516", IDOK, L"messagebox-icon-32516", information}, &outcome);
    g_report.Check(seen.iconVisible && seen.likeness > 0.95, L"Icon 32516 shows the system information icon",
                   L"likeness " + std::to_wstring(seen.likeness));

    box.SetProperty(L"Icon", Long(100));
    seen = ShowAnswered(box, {Text(L"Icon 100"), Long(-1), Text(L"Icon 100")}, {L"Icon 100", IDOK}, &outcome);
    g_report.Check(seen.shown && !seen.iconVisible, L"Icon 100 without a file shows no icon",
                   L"drawn " + std::to_wstring(seen.iconPixels.drawn) + L" of " + std::to_wstring(seen.iconPixels.total));
    box.SetProperty(L"Icon", Long(0));
}

void IconsFromFile(Object& box, const std::wstring& iconDll) {
    Outcome outcome;
    box.SetProperty(L"IconResFile", Text(iconDll));

    box.SetProperty(L"IconResID", Text(L"#101"));
    Box seen = ShowAnswered(box, {Text(L"#101"), Long(-1), Text(L"Icon #101")},
                            {L"Icon #101", IDOK, L"messagebox-icon-file-101"}, &outcome);
    g_report.Check(seen.iconVisible && seen.iconPixels.red > seen.iconPixels.total / 2,
                   L"IconResID #101 shows the file's integer icon 101 (red)",
                   L"red " + std::to_wstring(seen.iconPixels.red) + L" of " + std::to_wstring(seen.iconPixels.total));

    box.SetProperty(L"IconResID", Text(L"KELPANAMED"));
    seen = ShowAnswered(box, {Text(L"named"), Long(-1), Text(L"Icon named")},
                        {L"Icon named", IDOK, L"messagebox-icon-file-named"}, &outcome);
    g_report.Check(seen.iconVisible && seen.iconPixels.blue > seen.iconPixels.total / 2,
                   L"IconResID KELPANAMED shows the file's named icon (blue)",
                   L"blue " + std::to_wstring(seen.iconPixels.blue) + L" of " + std::to_wstring(seen.iconPixels.total));

    box.SetProperty(L"IconResID", Text(L""));
    box.SetProperty(L"Icon", Long(101));
    seen = ShowAnswered(box, {Text(L"Icon 101 from the file"), Long(-1), Text(L"Icon 101 file")},
                        {L"Icon 101 file", IDOK}, &outcome);
    g_report.Check(seen.iconVisible && seen.iconPixels.red > seen.iconPixels.total / 2,
                   L"with a file and no IconResID, Icon is the file's resource number");

    box.SetProperty(L"Icon", Long(0));
    seen = ShowAnswered(box, {Text(L"file, no icon"), Long(-1), Text(L"File no icon")}, {L"File no icon", IDOK},
                        &outcome);
    g_report.Check(seen.shown && !seen.iconVisible, L"a file without IconResID or Icon gives no icon");

    // A complete style ignores every property: Yes/No, no icon, first button.
    box.SetProperty(L"IconResID", Text(L"#101"));
    box.SetProperty(L"Precedence", Bool(true));
    box.SetProperty(L"Options", Long(0x40000));
    box.SetProperty(L"Buttons", Long(2));
    box.SetProperty(L"DefButton", Long(3));
    seen = ShowAnswered(box, {Text(L"Style 4"), Long(4), Text(L"Complete style")},
                        {L"Complete style", IDNO, L"messagebox-complete-style"}, &outcome);
    g_report.CheckEqual(L"Show with style 4: Yes/No only", Join(seen.buttons), Join({IDYES, IDNO}));
    g_report.Check(!seen.iconVisible, L"Show with style 4: no icon");
    g_report.CheckEqual(L"Show with style 4: the first button is the default", seen.defaultButton, IDYES);
    g_report.CheckEqual(L"Show with style 4 returns No", outcome.AsLong(), IDNO);
    box.SetProperty(L"Precedence", Bool(false));
    box.SetProperty(L"Options", Long(0));
    box.SetProperty(L"Buttons", Long(0));
    box.SetProperty(L"DefButton", Long(1));

    // "#" and no number: type mismatch, and no box.
    box.SetProperty(L"IconResID", Text(L"#abc"));
    seen = ShowAnswered(box, {Text(L"never shown"), Long(-1), Text(L"Bad number")}, {L"Bad number", IDOK, nullptr, nullptr, false}, &outcome);
    g_report.CheckEqual(L"IconResID #abc: error 13", outcome.number, static_cast<HRESULT>(0x800A000D));
    g_report.CheckEqual(L"IconResID #abc: source", outcome.source, L"Kelpa.MessageBox");
    g_report.Check(!seen.shown, L"IconResID #abc: no box is shown");

    // A file that does not load: a box without an icon.
    box.SetProperty(L"IconResFile", Text(L"C:\\no\\such\\icons.dll"));
    box.SetProperty(L"IconResID", Text(L"#101"));
    seen = ShowAnswered(box, {Text(L"missing file"), Long(-1), Text(L"Missing file")}, {L"Missing file", IDOK},
                        &outcome);
    g_report.Check(seen.shown && !seen.iconVisible, L"an icon file that does not load gives a box without icon");
    g_report.CheckEqual(L"and Show still returns OK", outcome.AsLong(), IDOK);
    box.SetProperty(L"IconResFile", Text(L""));
    box.SetProperty(L"IconResID", Text(L""));
}

void Language(Object& box) {
    // The same box in the system's language and in German: Wine and Windows
    // both carry German message-box captions.
    Outcome outcome;
    box.SetProperty(L"Buttons", Long(4));
    const Box plain = ShowAnswered(box, {Text(L"Language 0"), Long(-1), Text(L"Language 0")},
                                   {L"Language 0", IDYES}, &outcome);
    box.SetProperty(L"Language", Long(0x0407));
    const Box german = ShowAnswered(box, {Text(L"Language 0x0407"), Long(-1), Text(L"Language 0407")},
                                    {L"Language 0407", IDYES, L"messagebox-language-0407"}, &outcome);
    g_report.Note(L"Yes button: \"" + plain.captions.at(IDYES) + L"\", with 0x0407: \"" +
                  (german.captions.count(IDYES) ? german.captions.at(IDYES) : L"?") + L"\"");
    g_report.CheckEqual(L"Language 0x0407 gives German captions", german.captions.count(IDYES) ? german.captions.at(IDYES) : L"",
                        L"Ja");
    g_report.CheckEqual(L"Language 0x0407: Show still returns Yes", outcome.AsLong(), IDYES);
    box.SetProperty(L"Language", Long(0));
    box.SetProperty(L"Buttons", Long(0));
}

}  // namespace

int main() {
    const std::vector<std::wstring> arguments = PathArguments();
    const std::wstring iconDll = arguments.empty() ? L"" : arguments[0];

    Apartment apartment;
    Object box = CreateReported<Object>(g_report, L"Kelpa.MessageBox");
    if (!box) return g_report.Finish();

    ButtonSets(box);
    DefaultButton(box);
    TextsAndTitle(box);
    StandardAndSystemIcons(box);
    if (!iconDll.empty()) IconsFromFile(box, iconDll);
    else g_report.Check(false, L"the icon module's path is given");
    Language(box);
    return g_report.Finish();
}
