// "KelpaC.CWindow" end to end: creates the object through the registered
// kelpac server, attaches to the server's console to read its screen buffer
// and to type while the read members wait, and counts kelpac processes: one
// per object, none left behind.
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

// Wine's console host lacks a few things (see the README's test notes):
// those checks are made on Windows and become notes on Wine.
void CheckOrNote(bool ok, const std::wstring& what, const std::wstring& wineLacks) {
    if (ok || !GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) return g_report.Check(ok, what);
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

long long ServersLeftAfter(DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (!ServerProcesses().empty() && GetTickCount64() < end) Sleep(100);
    return static_cast<long long>(ServerProcesses().size());
}

// A new CWindow and the id of the process that serves it (0 if none new).
Object CreateServed(DWORD& process) {
    const std::set<DWORD> before = ServerProcesses();
    Object window = Object::Create(L"KelpaC.CWindow");
    process = 0;
    for (DWORD id : ServerProcesses())
        if (!before.count(id)) process = id;
    return window;
}

// The server's console as this client sees it once attached.
class Console {
public:
    bool Attach(DWORD process) {
        FreeConsole();
        if (!AttachConsole(process)) return false;
        // Breaks go to every process of the console: this one ignores them.
        SetConsoleCtrlHandler(IgnoreBreak, TRUE);
        const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE, access = GENERIC_READ | GENERIC_WRITE;
        m_output.reset(CreateFileW(L"CONOUT$", access, share, nullptr, OPEN_EXISTING, 0, nullptr));
        m_input.reset(CreateFileW(L"CONIN$", access, share, nullptr, OPEN_EXISTING, 0, nullptr));
        return m_output && m_input;
    }
    void Detach() {
        m_output.reset();
        m_input.reset();
        FreeConsole();
    }
    HANDLE Output() const { return m_output.get(); }
    std::wstring Row(short y, short x = 0, DWORD width = 80) const {
        std::wstring text(width, L'\0');
        DWORD read = 0;
        ReadConsoleOutputCharacterW(m_output.get(), text.data(), width, COORD{x, y}, &read);
        text.resize(read);
        while (!text.empty() && text.back() == L' ') text.pop_back();
        return text;
    }
    long Attribute(short x, short y) const {
        WORD attribute = 0;
        DWORD read = 0;
        ReadConsoleOutputAttribute(m_output.get(), &attribute, 1, COORD{x, y}, &read);
        return attribute;
    }
    COORD Cursor() const {
        CONSOLE_SCREEN_BUFFER_INFO info = {};
        GetConsoleScreenBufferInfo(m_output.get(), &info);
        return info.dwCursorPosition;
    }
    // A raw read of the server has begun (past its flush) once the input mode is 0.
    bool WaitRawRead() const {
        DWORD mode = 1;
        for (int i = 0; i < 500 && (!GetConsoleMode(m_input.get(), &mode) || mode != 0); ++i) Sleep(20);
        Sleep(100);
        return mode == 0;
    }
    // Keys as a keyboard sends them, going down and up; Ctrl+C going down
    // only, as Wine's console raises the event for either direction.
    void Type(const std::wstring& text) {
        for (wchar_t c : text) {
            INPUT_RECORD records[2] = {};
            for (int i = 0; i < 2; ++i) {
                records[i].EventType = KEY_EVENT;
                records[i].Event.KeyEvent = {i == 0, 1, static_cast<WORD>(c == L'\r' ? VK_RETURN : LOBYTE(VkKeyScanW(c))), 0, {},
                                             c == 3 ? LEFT_CTRL_PRESSED : 0u};
                records[i].Event.KeyEvent.uChar.UnicodeChar = c;
            }
            DWORD written = 0;
            WriteConsoleInputW(m_input.get(), records, c == 3 ? 1 : 2, &written);
        }
    }

private:
    static BOOL WINAPI IgnoreBreak(DWORD) { return TRUE; }
    kelpa::unique_hfile m_output, m_input;
};

// Types once a raw read has begun.
std::function<void()> TypeWhenRaw(Console& console, std::wstring keys) {
    return [&console, keys] {
        if (console.WaitRawRead()) console.Type(keys);
    };
}

// Calls a member that waits for keys while another thread types them.
Outcome CallWhileTyping(Object& window, const wchar_t* member, std::vector<VARIANT> arguments,
                        const std::function<void()>& typist) {
    std::thread typing(typist);
    Outcome outcome = window.Call(member, std::move(arguments));
    typing.join();
    return outcome;
}

void BeforeCreate(Object& window) {
    g_report.CheckEqual(L"ConsoleInputMode before Create", window.Property(L"ConsoleInputMode").AsLong(), -1);
    g_report.CheckEqual(L"ReadLine before Create gives \"\" at once", window.Call(L"ReadLine").AsText(), L"");
    g_report.CheckEqual(L"ReadChar before Create gives 0 at once", window.Call(L"ReadChar").AsLong(), 0);
    window.SetProperty(L"TextColor", Long(0x1F4));
    g_report.CheckEqual(L"TextColor keeps the low 8 bits of 0x1F4", window.Property(L"TextColor").AsLong(), 0xF4);
    window.SetProperty(L"TextColor", Long(0));
    window.SetProperty(L"Title", Text(L""));
    g_report.CheckEqual(L"an empty Title stores the default", window.Property(L"Title").AsText(), L"Kelpa Console Window");
}

void WritingAndWindow(Object& window, Console& console) {
    window.Call(L"WriteLine", {Text(L"hello, console")});
    window.Call(L"WriteLine", {Text(L"no end"), Bool(false)});
    window.Call(L"WriteLine", {Text(L"; same line")});
    g_report.CheckEqual(L"WriteLine ends the line by default", console.Row(0) + L"|" + console.Row(1),
                        L"hello, console|no end; same line");
    const long colours[] = {0x1E, 0xF4, 0x0A};
    for (short i = 0; i < 3; ++i) {
        window.SetProperty(L"TextColor", Long(colours[i]));
        window.Call(L"WriteLine", {Text(i == 0 ? L"yellow on blue" : i == 1 ? L"red on bright white" : L"green")});
        g_report.CheckEqual(L"TextColor colours new text", console.Attribute(2, static_cast<short>(2 + i)), colours[i]);
    }
    g_report.CheckEqual(L"TextColor reads the console's attribute", window.Property(L"TextColor").AsLong(), 0x0A);
    window.SetProperty(L"TextColor", Long(0x07));
    HWND consoleWindow = GetConsoleWindow();
    if (ScreenshotsWanted()) g_report.Check(Screenshot(L"cwindow-colours", consoleWindow), L"screenshot of the colours");

    // 2000 or 100,000 characters: the first 1024 and CR LF, 13 rows of 80.
    for (size_t length : {2000, 100000}) {
        const short row = console.Cursor().Y;
        window.Call(L"WriteLine", {Text(std::wstring(1023, L'a') + std::wstring(length - 1023, L'z'))});
        g_report.Check(console.Cursor().Y == row + 13 && console.Row(row + 12) == std::wstring(63, L'a') + L"z",
                       L"a " + std::to_wstring(length) + L"-character line writes 1024 characters and a line end");
    }

    g_report.CheckEqual(L"Create's title is the console's", window.Property(L"Title").AsText(), L"CWindow test");
    window.SetProperty(L"Title", Text(std::wstring(100000, L'T')));
    wchar_t title[512] = {};
    GetConsoleTitleW(title, ARRAYSIZE(title));
    g_report.CheckEqual(L"a 100,000-character Title sets 256", title, std::wstring(256, L'T'));
    window.SetProperty(L"Title", Text(L"CWindow test"));
    CheckOrNote(SendMessageW(consoleWindow, WM_GETICON, ICON_SMALL, 0) != 0, L"the console shows the server's icon",
                L"WM_GETICON gives none after WM_SETICON");
    HMENU menu = GetSystemMenu(consoleWindow, FALSE);
    CheckOrNote(menu && GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND) == static_cast<UINT>(-1),
                L"DisableClose removed Close from the system menu", L"no system menu of another process's window");
    window.SetProperty(L"Topmost", Bool(true));
    const bool topmost = GetWindowLongW(consoleWindow, GWL_EXSTYLE) & WS_EX_TOPMOST;
    window.SetProperty(L"Topmost", Bool(false));
    g_report.Check(topmost && !(GetWindowLongW(consoleWindow, GWL_EXSTYLE) & WS_EX_TOPMOST), L"Topmost and back");
    window.Call(L"Flash", {Long(10)});
    window.Call(L"Create", {Text(L"second")});
    g_report.CheckEqual(L"a second Create changes nothing", window.Property(L"Title").AsText(), L"CWindow test");
}

void Reading(Object& window, Console& console) {
    const long lineMode = window.Property(L"ConsoleInputMode").AsLong();
    g_report.Check(lineMode > 0 && (lineMode & ENABLE_LINE_INPUT), L"the input is in line mode");
    console.Type(L"abcdefgh\rabcd\rgone\rkept\r" + std::wstring(1100, L'x') + L"\r");
    g_report.CheckEqual(L"ReadLine(5) of abcdefgh", window.Call(L"ReadLine", {Long(5)}).AsText(), L"abcde");
    g_report.CheckEqual(L"ReadLine(5) of abcd", window.Call(L"ReadLine", {Long(5)}).AsText(), L"abcd");
    g_report.CheckEqual(L"ReadLine(0) consumes a line", window.Call(L"ReadLine", {Long(0)}).AsText(), L"");
    g_report.CheckEqual(L"and the next read gets the next", window.Call(L"ReadLine").AsText(), L"kept");
    g_report.CheckEqual(L"1100 characters: ReadLine(1024) gives 1024",
                        static_cast<long long>(window.Call(L"ReadLine", {Long(1024)}).AsText().size()), 1024);
    g_report.CheckEqual(L"the rest stays for the next read", window.Call(L"ReadLine").AsText(), std::wstring(74, L'x'));

    console.Type(L"q");
    Outcome key = CallWhileTyping(window, L"ReadChar", {}, TypeWhenRaw(console, L"z"));
    g_report.CheckEqual(L"ReadChar drops keys typed before", key.AsLong(), L'z');
    key = CallWhileTyping(window, L"ReadChar", {}, TypeWhenRaw(console, L"\x3"));
    g_report.CheckEqual(L"ReadChar gives Ctrl+C as 3", key.AsLong(), 3);
    g_report.CheckEqual(L"and sets BreakSignal to 1", window.Call(L"BreakSignal").AsLong(), 1);
    g_report.CheckEqual(L"which BreakSignal resets", window.Call(L"BreakSignal").AsLong(), 0);

    const COORD before = console.Cursor();
    const auto typeAbortB = TypeWhenRaw(console, L"a\x3" L"b");
    Outcome keys = CallWhileTyping(window, L"ReadChars", {Long(3), Bool(true), Bool(false)}, typeAbortB);
    g_report.Check(keys.AsText().empty() && console.Cursor().X == before.X, L"ReadChars(3, True, False) aborts, no echo");
    g_report.CheckEqual(L"with BreakSignal 1", window.Call(L"BreakSignal").AsLong(), 1);
    keys = CallWhileTyping(window, L"ReadChars", {Long(3), Bool(false), Bool(true)}, typeAbortB);
    g_report.CheckEqual(L"ReadChars(3, False, True) keeps Ctrl+C", keys.AsText(), L"a\x3" L"b");
    g_report.CheckEqual(L"and echoes", console.Row(before.Y, before.X, 1) + console.Row(before.Y, before.X + 2, 1), L"ab");
    g_report.CheckEqual(L"BreakSignal stays 0 without abort", window.Call(L"BreakSignal").AsLong(), 0);
    g_report.CheckEqual(L"ReadChars(0) gives \"\" at once", window.Call(L"ReadChars", {Long(0)}).AsText(), L"");
    g_report.CheckEqual(L"the input mode is restored", window.Property(L"ConsoleInputMode").AsLong(), lineMode);

    // Breaks while a line is read: typed Ctrl+C, raised Ctrl+C and Ctrl+Break.
    Outcome line = CallWhileTyping(window, L"ReadLine", {}, [&] {
        Sleep(500);
        console.Type(L"\x3\x3");
        Sleep(300);
        GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
        Sleep(300);
        console.Type(L"still here\r");
    });
    g_report.CheckEqual(L"the server reads on after Ctrl+C", line.AsText(), L"still here");
    g_report.CheckEqual(L"each Ctrl+C counts 1", window.Call(L"BreakSignal").AsLong(), 3);
    line = CallWhileTyping(window, L"ReadLine", {}, [&] {
        Sleep(500);
        GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, 0);
        Sleep(300);
        console.Type(L"on\r");
    });
    g_report.CheckEqual(L"and after Ctrl+Break", line.AsText(), L"on");
    CheckOrNote(window.Call(L"BreakSignal").AsLong() == 1, L"Ctrl+Break counts 1", L"no CTRL_BREAK_EVENT is raised");
}

void Clearing(Object& window, Console& console) {
    window.SetProperty(L"TextColor", Long(0x2F));
    window.Call(L"Cls", {Bool(false)});
    g_report.Check(console.Row(2).empty() && console.Attribute(0, 2) == 0x1E, L"Cls(False) keeps the cell colours");
    // More cells than a 16-bit count holds.
    g_report.Check(SetConsoleScreenBufferSize(console.Output(), COORD{120, 9001}), L"the buffer grows to 120 by 9001");
    DWORD written = 0;
    WriteConsoleOutputCharacterW(console.Output(), L"last", 4, COORD{116, 9000}, &written);
    window.Call(L"Cls");
    g_report.Check(console.Row(9000, 116, 4).empty() && console.Attribute(119, 9000) == 0x2F &&
                       console.Cursor().X == 0 && console.Cursor().Y == 0,
                   L"Cls clears and colours all 1,080,120 cells and homes the cursor");
}

// Ctrl+C with DisableBreak False: the console's default ends the server.
void BreakWithoutHandler() {
    DWORD process = 0;
    Object window = CreateServed(process);
    window.SetProperty(L"DisableBreak", Bool(false));
    window.Call(L"Create");
    Console console;
    kelpa::unique_handle server(OpenProcess(SYNCHRONIZE, FALSE, process));
    const bool attached = console.Attach(process);
    GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
    const bool ended = attached && WaitForSingleObject(server.get(), 5000) == WAIT_OBJECT_0;
    console.Detach();
    g_report.Check(ended, L"without DisableBreak Ctrl+C ends the server");
    g_report.Check(FAILED(window.Call(L"BreakSignal").hr), L"and the next call fails instead of hanging");
}

// A script leaves no process behind: one that ends with its console open, and
// one that lets go of its object and works on (the server then ends while the
// script, which still holds the factory's proxy, lives).
void ScriptLeavesNothing(const char* text, const std::wstring& what) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring script = std::wstring(temp) + L"cwindow-script.vbs";
    {
        kelpa::unique_hfile file(CreateFileW(script.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        WriteFile(file.get(), text, static_cast<DWORD>(strlen(text)), &written, nullptr);
    }
    Process cscript;
    g_report.Check(cscript.Start(L"cscript.exe //nologo \"" + script + L"\"") && cscript.Wait(60000) == 0, what);
    g_report.CheckEqual(L"and leaves no server process", ServersLeftAfter(5000), 0);
    DeleteFileW(script.c_str());
}

}  // namespace

int main() {
    Apartment apartment;
    g_report.CheckEqual(L"no server runs at first", ServersLeftAfter(5000), 0);
    DWORD process = 0, second = 0;
    Object window = CreateServed(process);
    g_report.Check(window && process, L"KelpaC.CWindow is served by a process of its own");
    if (!window || !process) return g_report.Finish();
    BeforeCreate(window);
    window.Call(L"Create", {Text(L"CWindow test")});
    Console console;
    g_report.Check(console.Attach(process), L"Create opens a console to attach to");
    WritingAndWindow(window, console);
    Reading(window, console);
    Clearing(window, console);
    HWND consoleWindow = GetConsoleWindow();
    console.Detach();

    window.Call(L"Remove");
    g_report.Check(WaitGone(consoleWindow, 5000), L"Remove closes the console window");
    g_report.CheckEqual(L"reads after Remove give \"\" at once", window.Call(L"ReadLine").AsText(), L"");
    Object other = CreateServed(second);
    window.Call(L"Create");
    other.Call(L"Create");
    g_report.Check(second && second != process && window.Property(L"ConsoleInputMode").AsLong() > 0 &&
                       other.Property(L"ConsoleInputMode").AsLong() > 0,
                   L"two objects: two processes, each with a console (Create after Remove too)");
    window.Reset();
    other.Reset();
    g_report.CheckEqual(L"releasing them ends both processes", ServersLeftAfter(5000), 0);

    BreakWithoutHandler();
    ScriptLeavesNothing("Set w = CreateObject(\"KelpaC.CWindow\")\r\nw.Create \"left open\"\r\nw.WriteLine \"bye\"\r\n",
                        L"a script ends with its console open");
    ScriptLeavesNothing("Set w = CreateObject(\"KelpaC.CWindow\")\r\nw.Title = \"x\"\r\nSet w = Nothing\r\n"
                        "t = Timer: Do While Timer < t + 3: Loop\r\n",
                        L"a script lets go of its CWindow and works on for 3 s");
    return g_report.Finish();
}
