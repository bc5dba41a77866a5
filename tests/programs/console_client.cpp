// "KelpaC.CWindow" end to end: this client creates the object through the
// registered kelpac server, attaches to the server's console to read its
// screen buffer and to type into it while the object's read members wait,
// and checks that every object gets its own process and that none is left.
//
//   console_client
#include <windows.h>
#include <tlhelp32.h>
#include <functional>
#include <set>
#include <thread>

#include "ComClient.h"
#include "UiDriver.h"

using namespace comclient;
using namespace uidriver;

namespace {

Report g_report;

// Wine's console host lacks a few things Windows has (measured: it keeps no
// icon sent to its window, gives no system menu of its window to another
// process, and raises no Ctrl+Break event); those checks become notes there.
bool OnWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

void CheckOrNote(bool ok, const std::wstring& what, const std::wstring& wineLacks) {
    if (ok || !OnWine()) return g_report.Check(ok, what);
    g_report.Note(L"not checked on Wine: " + what + L" (" + wineLacks + L")");
}

std::set<DWORD> ServerProcesses() {
    std::set<DWORD> found;
    kelpa::unique_hfile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry))
        if (_wcsicmp(entry.szExeFile, KELPAC_SERVER_PROGRAM) == 0) found.insert(entry.th32ProcessID);
    return found;
}

// Waits until no server process is left; the count of those still running.
size_t WaitNoServers(DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!ServerProcesses().empty() && GetTickCount64() < end) Sleep(100);
    return ServerProcesses().size();
}

// One CWindow and the process that serves it.
struct Served {
    Object object;
    DWORD process = 0;
};

Served CreateServed() {
    const std::set<DWORD> before = ServerProcesses();
    Served served;
    HRESULT hr = E_FAIL;
    served.object = Object::Create(L"KelpaC.CWindow", &hr);
    for (DWORD id : ServerProcesses())
        if (!before.count(id)) served.process = id;
    return served;
}

// The server's console as this client sees it once attached to it.
class Console {
public:
    bool Attach(DWORD process) {
        FreeConsole();
        if (!AttachConsole(process)) return false;
        // Ctrl+C and Ctrl+Break go to every process of the console: this one
        // ignores them, so only the server answers.
        SetConsoleCtrlHandler(IgnoreBreak, TRUE);
        m_output.reset(CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
        m_input.reset(CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
        return m_output && m_input;
    }
    void Detach() {
        m_output.reset();
        m_input.reset();
        FreeConsole();
    }
    HANDLE Output() const { return m_output.get(); }

    std::wstring Row(short y, short from = 0, DWORD width = 80) const {
        std::wstring text(width, L'\0');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(m_output.get(), text.data(), width, COORD{from, y}, &read);
        text.resize(read);
        while (!text.empty() && text.back() == L' ') text.pop_back();
        return text;
    }
    WORD Attribute(short x, short y) const {
        WORD attribute = 0;
        DWORD read = 0;
        ReadConsoleOutputAttribute(m_output.get(), &attribute, 1, COORD{x, y}, &read);
        return attribute;
    }
    CONSOLE_SCREEN_BUFFER_INFO Info() const {
        CONSOLE_SCREEN_BUFFER_INFO info = {};
        GetConsoleScreenBufferInfo(m_output.get(), &info);
        return info;
    }
    DWORD InputMode() const {
        DWORD mode = 0;
        return GetConsoleMode(m_input.get(), &mode) ? mode : 0xFFFFFFFF;
    }
    // A raw read of the server has begun once it set the input mode to 0.
    bool WaitRawRead(DWORD timeoutMs) const {
        const ULONGLONG end = GetTickCount64() + timeoutMs;
        while (InputMode() != 0) {
            if (GetTickCount64() >= end) return false;
            Sleep(20);
        }
        Sleep(100);  // past the flush that precedes the read
        return true;
    }

    void Key(wchar_t c, WORD virtualKey = 0, DWORD control = 0) {
        INPUT_RECORD records[2] = {};
        for (int i = 0; i < 2; ++i) {
            KEY_EVENT_RECORD& key = records[i].Event.KeyEvent;
            records[i].EventType = KEY_EVENT;
            key.bKeyDown = i == 0;
            key.wRepeatCount = 1;
            key.uChar.UnicodeChar = c;
            key.wVirtualKeyCode = virtualKey ? virtualKey : LOBYTE(VkKeyScanW(c));
            key.dwControlKeyState = control;
        }
        DWORD written = 0;
        WriteConsoleInputW(m_input.get(), records, 2, &written);
    }
    void Type(const std::wstring& text) {
        for (wchar_t c : text) {
            if (c == L'\r') Key(L'\r', VK_RETURN);
            else Key(c);
        }
    }
    void CtrlC() { Key(3, 'C', LEFT_CTRL_PRESSED); }
    // Only the key going down: Wine's console raises the Ctrl+C event for
    // the key going up as well, which a keyboard sends separately.
    void CtrlCDown() {
        INPUT_RECORD record = {};
        record.EventType = KEY_EVENT;
        record.Event.KeyEvent = {TRUE, 1, 'C', 0, {}, LEFT_CTRL_PRESSED};
        record.Event.KeyEvent.uChar.UnicodeChar = 3;
        DWORD written = 0;
        WriteConsoleInputW(m_input.get(), &record, 1, &written);
    }

private:
    static BOOL WINAPI IgnoreBreak(DWORD) { return TRUE; }
    kelpa::unique_hfile m_output;
    kelpa::unique_hfile m_input;
};

// Calls a member that waits for keys while another thread types them.
Outcome CallWhileTyping(Object& object, const wchar_t* member, std::vector<VARIANT> arguments,
                        const std::function<void()>& typist) {
    std::thread typing(typist);
    Outcome outcome = object.Call(member, std::move(arguments));
    typing.join();
    return outcome;
}

void BeforeCreate(Object& window) {
    g_report.CheckEqual(L"ConsoleInputMode before Create is -1", window.Property(L"ConsoleInputMode").AsLong(), -1);
    g_report.CheckEqual(L"ReadLine before Create gives \"\" at once", window.Call(L"ReadLine").AsText(), L"");
    g_report.CheckEqual(L"ReadChar before Create gives 0 at once", window.Call(L"ReadChar").AsLong(), 0);
    g_report.CheckEqual(L"BreakSignal works without a console", window.Call(L"BreakSignal").AsLong(), 0);
    window.SetProperty(L"TextColor", Long(0x1F4));
    g_report.CheckEqual(L"TextColor keeps the low 8 bits of 0x1F4", window.Property(L"TextColor").AsLong(), 0xF4);
    window.SetProperty(L"TextColor", Long(0));
    window.SetProperty(L"Title", Text(L""));
    g_report.CheckEqual(L"an empty Title stores the default", window.Property(L"Title").AsText(),
                        L"Kelpa Console Window");
    g_report.CheckEqual(L"DisableBreak is True at first", window.Property(L"DisableBreak").AsLong(), -1);
    g_report.CheckEqual(L"DisableClose is True at first", window.Property(L"DisableClose").AsLong(), -1);
}

void WritingAndColours(Object& window, Console& console) {
    window.Call(L"WriteLine", {Text(L"hello, console")});
    g_report.CheckEqual(L"WriteLine writes at the cursor", console.Row(0), L"hello, console");
    g_report.CheckEqual(L"and ends the line (nl defaults to True)", console.Info().dwCursorPosition.Y, 1);
    window.Call(L"WriteLine", {Text(L"no end"), Bool(false)});
    window.Call(L"WriteLine", {Text(L"; same line")});
    g_report.CheckEqual(L"nl False writes no line end", console.Row(1), L"no end; same line");

    window.SetProperty(L"TextColor", Long(0x1E));
    window.Call(L"WriteLine", {Text(L"yellow on blue")});
    g_report.CheckEqual(L"TextColor sets the attribute of new text", console.Attribute(0, 2), 0x1E);
    g_report.CheckEqual(L"TextColor reads the console's attribute", window.Property(L"TextColor").AsLong(), 0x1E);
    window.SetProperty(L"TextColor", Long(0xF4));
    window.Call(L"WriteLine", {Text(L"red on bright white")});
    g_report.CheckEqual(L"0xF4 is red on bright white", console.Attribute(3, 3), 0xF4);
    window.SetProperty(L"TextColor", Long(0x0A));
    window.Call(L"WriteLine", {Text(L"green on black")});
    window.SetProperty(L"TextColor", Long(0x07));
    HWND consoleWindow = GetConsoleWindow();
    if (ScreenshotsWanted()) g_report.Check(Screenshot(L"cwindow-colours", consoleWindow), L"screenshot of the colours");

    // 2000 characters: the first 1024 and CR LF; the buffer is 80 wide.
    const short row = console.Info().dwCursorPosition.Y;
    std::wstring longLine;
    for (int i = 0; i < 2000; ++i) longLine += static_cast<wchar_t>(L'a' + i % 26);
    window.Call(L"WriteLine", {Text(longLine)});
    const short width = console.Info().dwSize.X;
    const int rows = (1024 + width - 1) / width;
    g_report.CheckEqual(L"a 2000-character line writes 1024 characters and a line end",
                        console.Info().dwCursorPosition.Y - row, rows);
    g_report.CheckEqual(L"its last row ends with character 1024",
                        console.Row(static_cast<short>(row + rows - 1)),
                        longLine.substr(static_cast<size_t>((rows - 1) * width), 1024 - (rows - 1) * width));
    window.Call(L"WriteLine", {Text(std::wstring(100000, L'z'))});
    g_report.CheckEqual(L"a 100,000-character line writes 1024 characters",
                        console.Info().dwCursorPosition.Y - row, 2 * rows);
}

void TitleIconAndWindow(Object& window, Console&) {
    g_report.CheckEqual(L"Create's title is the console's", window.Property(L"Title").AsText(), L"CWindow test");
    window.SetProperty(L"Title", Text(L"Renamed"));
    wchar_t title[512] = {};
    GetConsoleTitleW(title, ARRAYSIZE(title));
    g_report.CheckEqual(L"Title sets the console's title", title, L"Renamed");
    window.SetProperty(L"Title", Text(std::wstring(100000, L'T')));
    g_report.CheckEqual(L"a 100,000-character Title keeps 256", window.Property(L"Title").AsText(),
                        std::wstring(256, L'T'));
    window.SetProperty(L"Title", Text(L"CWindow test"));

    HWND consoleWindow = GetConsoleWindow();
    g_report.Check(consoleWindow != nullptr, L"the console has a window");
    const LRESULT icon = SendMessageW(consoleWindow, WM_GETICON, ICON_SMALL, 0);
    CheckOrNote(icon != 0, L"the console window shows the server's icon", L"WM_GETICON gives none after WM_SETICON");
    HMENU menu = GetSystemMenu(consoleWindow, FALSE);
    CheckOrNote(menu && GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) == static_cast<UINT>(-1),
                L"DisableClose removed Close from the system menu", L"GetSystemMenu of another process's window is null");
    window.SetProperty(L"Topmost", Bool(true));
    g_report.Check((GetWindowLongW(consoleWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0, L"Topmost makes it topmost");
    window.SetProperty(L"Topmost", Bool(false));
    g_report.Check((GetWindowLongW(consoleWindow, GWL_EXSTYLE) & WS_EX_TOPMOST) == 0, L"and not any more");
    g_report.Check(SUCCEEDED(window.Call(L"Flash", {Long(10)}).hr) && SUCCEEDED(window.Call(L"Flash", {Long(0)}).hr),
                   L"Flash until activated, then stop");
    const HRESULT again = window.Call(L"Create", {Text(L"second")}).hr;
    g_report.Check(SUCCEEDED(again) && window.Property(L"Title").AsText() == L"CWindow test",
                   L"a second Create changes nothing");
}

void Reading(Object& window, Console& console) {
    const long lineMode = window.Property(L"ConsoleInputMode").AsLong();
    g_report.Check(lineMode > 0 && (lineMode & ENABLE_LINE_INPUT), L"the input is in line mode",
                   std::to_wstring(lineMode));
    console.Type(L"abcdefgh\r");
    g_report.CheckEqual(L"ReadLine(5) of abcdefgh", window.Call(L"ReadLine", {Long(5)}).AsText(), L"abcde");
    console.Type(L"abcd\r");
    g_report.CheckEqual(L"ReadLine(5) of abcd", window.Call(L"ReadLine", {Long(5)}).AsText(), L"abcd");
    console.Type(L"gone\rkept\r");
    g_report.CheckEqual(L"ReadLine(0) consumes a line", window.Call(L"ReadLine", {Long(0)}).AsText(), L"");
    g_report.CheckEqual(L"and the next read gets the next", window.Call(L"ReadLine").AsText(), L"kept");

    console.Type(std::wstring(1100, L'x') + L"\r");
    const std::wstring first = window.Call(L"ReadLine", {Long(1024)}).AsText();
    g_report.CheckEqual(L"a 1100-character line: ReadLine(1024) gives 1024", static_cast<long long>(first.size()), 1024);
    g_report.CheckEqual(L"the rest stays for the next read", window.Call(L"ReadLine").AsText(), std::wstring(74, L'x'));

    console.Type(L"q");
    Outcome key = CallWhileTyping(window, L"ReadChar", {}, [&] {
        if (console.WaitRawRead(10000)) console.Type(L"z");
    });
    g_report.CheckEqual(L"ReadChar drops keys typed before and reads a new one", key.AsLong(), L'z');
    key = CallWhileTyping(window, L"ReadChar", {}, [&] {
        if (console.WaitRawRead(10000)) console.CtrlC();
    });
    g_report.CheckEqual(L"ReadChar gives Ctrl+C as 3", key.AsLong(), 3);
    g_report.CheckEqual(L"and sets BreakSignal to 1", window.Call(L"BreakSignal").AsLong(), 1);
    g_report.CheckEqual(L"which BreakSignal resets", window.Call(L"BreakSignal").AsLong(), 0);
    g_report.CheckEqual(L"the input mode is restored after a key", window.Property(L"ConsoleInputMode").AsLong(),
                        lineMode);

    const COORD before = console.Info().dwCursorPosition;
    Outcome keys = CallWhileTyping(window, L"ReadChars", {Long(3), Bool(true), Bool(false)}, [&] {
        if (!console.WaitRawRead(10000)) return;
        console.Type(L"a");
        console.CtrlC();
        console.Type(L"b");
    });
    g_report.CheckEqual(L"ReadChars(3, True, False) aborts on Ctrl+C", keys.AsText(), L"");
    g_report.CheckEqual(L"with BreakSignal 1", window.Call(L"BreakSignal").AsLong(), 1);
    g_report.Check(console.Info().dwCursorPosition.X == before.X, L"and echoes nothing");
    keys = CallWhileTyping(window, L"ReadChars", {Long(3), Bool(false), Bool(true)}, [&] {
        if (!console.WaitRawRead(10000)) return;
        console.Type(L"a");
        console.CtrlC();
        console.Type(L"b");
    });
    g_report.CheckEqual(L"ReadChars(3, False, True) keeps Ctrl+C as 3", keys.AsText(), L"a\x3" L"b");
    g_report.CheckEqual(L"and echoes the keys", console.Row(before.Y, before.X, 1) + console.Row(before.Y, before.X + 2, 1),
                        L"ab");
    g_report.CheckEqual(L"BreakSignal stays 0 without abort", window.Call(L"BreakSignal").AsLong(), 0);
    keys = CallWhileTyping(window, L"ReadChars", {Long(4)}, [&] {
        if (console.WaitRawRead(10000)) console.Type(L"wxyz");
    });
    g_report.CheckEqual(L"ReadChars(4) reads four keys", keys.AsText(), L"wxyz");
    const ULONGLONG started = GetTickCount64();
    g_report.CheckEqual(L"ReadChars(0) gives \"\"", window.Call(L"ReadChars", {Long(0)}).AsText(), L"");
    g_report.Check(GetTickCount64() - started < 2000, L"at once");
    g_report.CheckEqual(L"the input mode is restored after keys", window.Property(L"ConsoleInputMode").AsLong(),
                        lineMode);
}

// Ctrl+C and Ctrl+Break reach the server's handler while it waits for a
// line: typed (the console turns the key into the event) or raised.
void BreaksDuringALine(Object& window, Console& console) {
    Outcome line = CallWhileTyping(window, L"ReadLine", {}, [&] {
        Sleep(500);
        console.CtrlCDown();
        Sleep(300);
        console.CtrlCDown();
        Sleep(300);
        GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
        Sleep(300);
        console.Type(L"still here\r");
    });
    g_report.Check(SUCCEEDED(line.hr), L"the server survives Ctrl+C with DisableBreak",
                   L"hr " + std::to_wstring(line.hr));
    g_report.CheckEqual(L"and the line is read after the breaks", line.AsText(), L"still here");
    g_report.CheckEqual(L"each Ctrl+C counts 1", window.Call(L"BreakSignal").AsLong(), 3);
    line = CallWhileTyping(window, L"ReadLine", {}, [&] {
        Sleep(500);
        GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0);
        Sleep(300);
        GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0);
        Sleep(300);
        console.Type(L"after breaks\r");
    });
    g_report.Check(SUCCEEDED(line.hr) && line.AsText() == L"after breaks", L"the server survives Ctrl+Break");
    CheckOrNote(window.Call(L"BreakSignal").AsLong() == 2, L"each Ctrl+Break counts 1",
                L"GenerateConsoleCtrlEvent raises no CTRL_BREAK_EVENT");
}

void Clearing(Object& window, Console& console) {
    window.SetProperty(L"TextColor", Long(0x2F));
    window.Call(L"Cls", {Bool(false)});
    g_report.CheckEqual(L"Cls(False) blanks the text", console.Row(2), L"");
    g_report.CheckEqual(L"and keeps the cell colours", console.Attribute(0, 2), 0x1E);
    window.Call(L"Cls");
    g_report.CheckEqual(L"Cls repaints with the current colour", console.Attribute(0, 2), 0x2F);
    const CONSOLE_SCREEN_BUFFER_INFO info = console.Info();
    g_report.Check(info.dwCursorPosition.X == 0 && info.dwCursorPosition.Y == 0, L"and homes the cursor");

    // More cells than a 16-bit count holds.
    const BOOL resized = SetConsoleScreenBufferSize(console.Output(), COORD{120, 9001});
    g_report.Check(resized != FALSE, L"the buffer grows to 120 by 9001");
    DWORD written = 0;
    WriteConsoleOutputCharacterW(console.Output(), L"last", 4, COORD{116, 9000}, &written);
    window.Call(L"Cls");
    g_report.CheckEqual(L"Cls clears the last cell of 1,080,120", console.Row(9000, 116, 4), L"");
    g_report.CheckEqual(L"and colours it", console.Attribute(119, 9000), 0x2F);
    window.SetProperty(L"TextColor", Long(0x07));
}

// Ctrl+C with DisableBreak False: the console's default, which ends the process.
void BreakWithoutHandler() {
    Served served = CreateServed();
    if (!served.object || !served.process) return g_report.Check(false, L"a second CWindow is created");
    served.object.SetProperty(L"DisableBreak", Bool(false));
    served.object.Call(L"Create", {Text(L"unguarded")});
    Console console;
    if (!console.Attach(served.process)) return g_report.Check(false, L"attached to the unguarded console");
    kelpa::unique_handle process(OpenProcess(SYNCHRONIZE, FALSE, served.process));
    GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    const bool ended = WaitForSingleObject(process.get(), 5000) == WAIT_OBJECT_0;
    console.Detach();
    g_report.Check(ended, L"without DisableBreak Ctrl+C ends the server (the console's default)");
    const Outcome after = served.object.Call(L"BreakSignal");
    g_report.Check(FAILED(after.hr), L"and the script's next call fails instead of hanging",
                   L"hr " + std::to_wstring(after.hr));
    served.object.Reset();
}

// Every object its own process; a script that ends with its console open
// leaves none behind.
void Processes(const std::wstring& scriptFolder) {
    Served one = CreateServed();
    Served two = CreateServed();
    g_report.Check(one.process && two.process && one.process != two.process, L"each CWindow has a process of its own");
    one.object.Call(L"Create", {Text(L"one")});
    two.object.Call(L"Create", {Text(L"two")});
    g_report.Check(one.object.Property(L"ConsoleInputMode").AsLong() > 0 &&
                       two.object.Property(L"ConsoleInputMode").AsLong() > 0,
                   L"and a console of its own");
    one.object.Reset();
    two.object.Reset();
    g_report.CheckEqual(L"releasing them ends both processes", static_cast<long long>(WaitNoServers(5000)), 0);

    const std::wstring script = scriptFolder + L"\\cwindow-open.vbs";
    {
        kelpa::unique_hfile file(CreateFileW(script.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        const char text[] =
            "Set w = CreateObject(\"KelpaC.CWindow\")\r\nw.Create \"left open\"\r\nw.WriteLine \"bye\"\r\n";
        DWORD written = 0;
        WriteFile(file.get(), text, sizeof(text) - 1, &written, nullptr);
    }
    Process cscript;
    const bool ran = cscript.Start(L"cscript.exe //nologo \"" + script + L"\"") && cscript.Wait(60000) == 0;
    g_report.Check(ran, L"a script ends with its console open");
    g_report.CheckEqual(L"and leaves no server process", static_cast<long long>(WaitNoServers(5000)), 0);
    DeleteFileW(script.c_str());
}

}  // namespace

int main() {
    Apartment apartment;
    g_report.CheckEqual(L"no server runs at first", static_cast<long long>(WaitNoServers(5000)), 0);
    Served served = CreateServed();
    g_report.Check(served.object && served.process, L"KelpaC.CWindow is created in a server process of its own");
    if (!served.object || !served.process) return g_report.Finish();
    Object& window = served.object;

    BeforeCreate(window);
    window.Call(L"Create", {Text(L"CWindow test")});
    g_report.Check(window.Property(L"ConsoleInputMode").AsLong() > 0, L"Create opens the console");
    Console console;
    if (!console.Attach(served.process)) {
        g_report.Check(false, L"attached to the server's console");
        return g_report.Finish();
    }
    WritingAndColours(window, console);
    TitleIconAndWindow(window, console);
    Reading(window, console);
    BreaksDuringALine(window, console);
    Clearing(window, console);

    HWND consoleWindow = GetConsoleWindow();
    console.Detach();
    window.Call(L"Remove");
    g_report.Check(WaitGone(consoleWindow, 5000), L"Remove closes the console window");
    g_report.CheckEqual(L"reads after Remove give \"\" at once", window.Call(L"ReadLine").AsText(), L"");
    g_report.CheckEqual(L"ConsoleInputMode after Remove is -1", window.Property(L"ConsoleInputMode").AsLong(), -1);
    window.Call(L"Create", {Text(L"again")});
    g_report.Check(window.Property(L"ConsoleInputMode").AsLong() > 0, L"Create after Remove opens a new console");
    served.object.Reset();
    g_report.CheckEqual(L"releasing the object ends its process", static_cast<long long>(WaitNoServers(5000)), 0);

    BreakWithoutHandler();
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = temp;
    if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    Processes(folder);
    return g_report.Finish();
}
