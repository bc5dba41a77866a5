// uidriver: drives a dialog of another process, step by step, from its
// command line, and prints PASS/FAIL lines and a closing count.
//
//   uidriver STEP ARGS... STEP ARGS...
//
// Steps (texts take \r \n \t \\ \xHH escapes; a control is named by its
// number or its caption without mnemonics):
//   launch CMDLINE              start a program (a leading /unix/path becomes Z:\...)
//   window CLASS CAPTION [MS]   wait for a visible top-level window (CLASS "" = any)
//   absent CLASS CAPTION MS     check that no such window shows within MS
//   controls                    list every control of the window
//   expect-text CONTROL TEXT    check a control's text exactly
//   expect-caption TEXT         check the window's caption
//   expect-items CONTROL A|B|C  check a list's items
//   set-text CONTROL TEXT       set an edit's text
//   select CONTROL INDEX|TEXT   select a list item
//   click CONTROL               press a button
//   key NAME                    press a key (ENTER, ESCAPE, TAB, F1, A, 13...)
//   type TEXT                   type characters into the focused control
//   shot NAME                   save a screenshot of the window as NAME.png (see README)
//   gone [MS]                   wait for the window to close
//   exits CODE [MS]             wait for the launched program to end with CODE
//   sleep MS
// A failed window or launch step ends the run; other failures are counted.
#include <windows.h>
#include <shellapi.h>
#include <memory>

#include "UiDriver.h"

using namespace uidriver;

namespace {

constexpr DWORD kDefaultWaitMs = 15000;

class Runner {
public:
    explicit Runner(std::vector<std::wstring> args) : m_args(std::move(args)) {}

    int Run() {
        while (m_next < m_args.size()) {
            const std::wstring step = m_args[m_next++];
            if (!RunStep(step)) break;
        }
        return m_report.Finish();
    }

private:
    std::wstring Arg(const wchar_t* what) {
        if (m_next >= m_args.size()) throw std::wstring(L"missing ") + what;
        return m_args[m_next++];
    }
    DWORD OptionalMs(DWORD fallback) {
        if (m_next < m_args.size() && !m_args[m_next].empty() &&
            m_args[m_next].find_first_not_of(L"0123456789") == std::wstring::npos)
            return static_cast<DWORD>(std::stoul(m_args[m_next++]));
        return fallback;
    }
    HWND Control(const std::wstring& name) {
        HWND control = m_window ? FindControl(m_window, name) : nullptr;
        if (!control) m_report.Check(false, L"control " + name + L" exists");
        return control;
    }

    bool RunStep(const std::wstring& step) {
        try {
            return Dispatch(step);
        } catch (const std::wstring& problem) {
            m_report.Check(false, step + L": " + problem);
            return false;
        } catch (...) {
            m_report.Check(false, step + L": bad arguments");
            return false;
        }
    }

    bool Dispatch(const std::wstring& step) {
        if (step == L"launch") {
            const std::wstring line = Unescape(Arg(L"command line"));
            // Only the program's path is translated; the arguments stay exact.
            const size_t blank = line.find(L' ');
            const std::wstring program = WindowsPath(line.substr(0, blank));
            const std::wstring command =
                L"\"" + program + L"\"" + (blank == std::wstring::npos ? L"" : line.substr(blank));
            m_process = std::make_unique<Process>();
            const bool ok = m_process->Start(command);
            m_report.Check(ok, L"launch " + Escape(command));
            return ok;
        }
        if (step == L"window") {
            const std::wstring className = Arg(L"class"), caption = Unescape(Arg(L"caption"));
            m_window = WaitForWindow(className, caption, OptionalMs(kDefaultWaitMs));
            m_report.Check(m_window != nullptr, L"window " + className + L" \"" + Escape(caption) + L"\" shows");
            return m_window != nullptr;
        }
        if (step == L"absent") {
            const std::wstring className = Arg(L"class"), caption = Unescape(Arg(L"caption"));
            const HWND found = WaitForWindow(className, caption, OptionalMs(2000));
            m_report.Check(found == nullptr, L"no window " + className + L" \"" + Escape(caption) + L"\"");
            return true;
        }
        if (step == L"controls") {
            if (m_window) ListControls(m_report, m_window);
            return true;
        }
        if (step == L"expect-text") {
            const std::wstring name = Arg(L"control"), expected = Unescape(Arg(L"text"));
            if (HWND control = Control(name)) m_report.CheckEqual(L"text of " + name, TextOf(control), expected);
            return true;
        }
        if (step == L"expect-caption") {
            m_report.CheckEqual(L"caption", m_window ? TextOf(m_window) : L"", Unescape(Arg(L"caption")));
            return true;
        }
        if (step == L"expect-items") {
            const std::wstring name = Arg(L"control"), expected = Unescape(Arg(L"items"));
            if (HWND control = Control(name)) {
                std::wstring joined;
                for (const std::wstring& item : ListItems(control)) joined += (joined.empty() ? L"" : L"|") + item;
                m_report.CheckEqual(L"items of " + name, joined, expected);
            }
            return true;
        }
        if (step == L"set-text") {
            const std::wstring name = Arg(L"control"), text = Unescape(Arg(L"text"));
            if (HWND control = Control(name)) m_report.Check(SetText(control, text), L"set text of " + name);
            return true;
        }
        if (step == L"select") {
            const std::wstring name = Arg(L"control"), item = Unescape(Arg(L"item"));
            if (HWND control = Control(name)) {
                const bool byIndex = !item.empty() && item.find_first_not_of(L"0123456789") == std::wstring::npos;
                const bool ok = byIndex ? SelectItem(control, std::stoi(item)) : SelectItem(control, item);
                m_report.Check(ok, L"select " + item + L" in " + name);
            }
            return true;
        }
        if (step == L"click") {
            const std::wstring name = Arg(L"control");
            if (HWND control = Control(name)) m_report.Check(Click(control), L"click " + name);
            return true;
        }
        if (step == L"key") {
            const std::wstring name = Arg(L"key");
            const UINT key = VirtualKey(name);
            m_report.Check(key != 0 && m_window, L"key " + name);
            if (key && m_window) PressKey(m_window, key);
            return true;
        }
        if (step == L"type") {
            const std::wstring text = Unescape(Arg(L"text"));
            if (m_window) TypeText(m_window, text);
            m_report.Check(m_window != nullptr, L"type \"" + Escape(text) + L"\"");
            return true;
        }
        if (step == L"shot") {
            const std::wstring name = Arg(L"name");
            // No folder configured is not a failure of the dialog under test.
            if (!ScreenshotsWanted())
                m_report.Note(L"screenshot " + name + L" skipped: KELPA_SCREENSHOTS is not set");
            else
                m_report.Check(Screenshot(name, m_window), L"screenshot " + name);
            return true;
        }
        if (step == L"gone") {
            m_report.Check(m_window && WaitGone(m_window, OptionalMs(kDefaultWaitMs)), L"window closed");
            return true;
        }
        if (step == L"exits") {
            const DWORD expected = static_cast<DWORD>(std::stoul(Arg(L"exit code")));
            const DWORD code = m_process ? m_process->Wait(OptionalMs(kDefaultWaitMs)) : STILL_ACTIVE;
            m_report.Check(code == expected, L"program ends with " + std::to_wstring(expected),
                           code == STILL_ACTIVE ? L"still running" : L"ended with " + std::to_wstring(code));
            return true;
        }
        if (step == L"sleep") {
            Sleep(static_cast<DWORD>(std::stoul(Arg(L"milliseconds"))));
            return true;
        }
        throw std::wstring(L"unknown step");
    }

    std::vector<std::wstring> m_args;
    size_t m_next = 0;
    Report m_report;
    HWND m_window = nullptr;
    std::unique_ptr<Process> m_process;
};

}  // namespace

int main() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return Runner(std::move(args)).Run();
}
