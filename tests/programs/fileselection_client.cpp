// "Kelpa.FileSelection" end to end: Dialog runs through the registered
// server on this thread while a driver thread types into the common file
// dialog the server shows, pictures it and answers it.
#include <windows.h>
#include <functional>
#include <thread>

#include "ComClient.h"
#include "UiDriver.h"

using namespace comclient;
using namespace uidriver;

namespace {

Report g_report;
constexpr int kFileNameField = 1148;  // cmb13: the explorer-style file name box
constexpr int kOldFileNameField = 1152;  // edt1

// The dialog's push button with this number (its folder view is number 1 too).
HWND ButtonById(HWND window, int id) {
    for (const Control& c : Controls(window))
        if (c.id == id && c.className == L"Button") return c.window;
    return nullptr;
}

// A folder of its own with the given files in it; its path ends without a backslash.
std::wstring MakeFolder(const std::vector<std::wstring>& files) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"kelpa-files-" + std::to_wstring(GetCurrentProcessId());
    CreateDirectoryW(folder.c_str(), nullptr);
    for (const std::wstring& name : files) {
        HANDLE file = CreateFileW((folder + L"\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    return folder;
}

// Runs Dialog(mode) here while the driver answers the dialog titled caption:
// a name typed into the file name box and OK, or Cancel when name is empty.
Outcome Answer(Object& selection, short mode, const std::wstring& caption, const std::wstring& name,
               const wchar_t* shot = nullptr) {
    Outcome outcome;
    std::thread driver([&] {
        HWND window = WaitForWindow(L"#32770", caption, 15000);
        if (!window) {
            g_report.Note(L"no dialog \"" + caption + L"\"");
            return;
        }
        Sleep(500);  // the folder view fills in
        if (shot) Screenshot(shot, window);
        if (name.empty()) {
            Click(ButtonById(window, IDCANCEL));
        } else {
            // The name box is a ComboBoxEx whose combo box and edit carry
            // the same number: the text goes into the edit.
            HWND field = ControlById(window, kOldFileNameField);
            for (const Control& c : Controls(window))
                if (c.id == kFileNameField && c.className == L"Edit") field = c.window;
            SetText(field, name);
            Click(ButtonById(window, IDOK));
        }
        if (!WaitGone(window, 10000)) {
            g_report.Note(L"dialog \"" + caption + L"\" did not close; cancelling");
            Click(ButtonById(window, IDCANCEL));
            WaitGone(window, 5000);
        }
    });
    VARIANT argument;
    VariantInit(&argument);
    V_VT(&argument) = VT_I2;
    V_I2(&argument) = mode;
    outcome = selection.Call(L"Dialog", {argument});
    driver.join();
    return outcome;
}

void OpenSaveAndSeveral(Object& selection, const std::wstring& folder) {
    selection.SetProperty(L"Directory", Text(folder));
    selection.SetProperty(L"DlgTitle", Text(L"Open one"));
    selection.SetProperty(L"Convert", Bool(true));
    selection.SetProperty(L"Filter", Text(L"Text files\r\n*.txt\r\nAll files\r\n*.*"));
    Outcome outcome = Answer(selection, 0, L"Open one", L"b.txt", L"fileselection-open");
    g_report.CheckEqual(L"open: one file", outcome.AsLong(), 1);
    g_report.CheckEqual(L"open: Directory ends with a backslash", selection.Property(L"Directory").AsText(), folder + L"\\");
    g_report.CheckEqual(L"open: FileName is the name", selection.Property(L"FileName").AsText(), L"b.txt");
    g_report.CheckEqual(L"open: ErrorCode 0", selection.Property(L"ErrorCode").AsLong(), 0);

    selection.SetProperty(L"DlgTitle", Text(L"Save one"));
    selection.SetProperty(L"FileExtension", Text(L".text"));
    selection.SetProperty(L"Filter", Text(L""));  // a filter's own extension would win
    outcome = Answer(selection, 1, L"Save one", L"report", L"fileselection-save");
    g_report.CheckEqual(L"save: one name", outcome.AsLong(), 1);
    g_report.CheckEqual(L"save: the default extension \"tex\" is added", selection.Property(L"FileName").AsText(), L"report.tex");

    selection.SetProperty(L"DlgTitle", Text(L"Open several"));
    selection.SetProperty(L"FileName", Text(L""));
    outcome = Answer(selection, 2, L"Open several", L"\"a.txt\" \"b.txt\" \"c.txt\"", L"fileselection-several");
    g_report.CheckEqual(L"several: three files", outcome.AsLong(), 3);
    g_report.CheckEqual(L"several: the directory", selection.Property(L"Directory").AsText(), folder + L"\\");
    g_report.CheckEqual(L"several: names each ended by CR LF", selection.Property(L"FileName").AsText(),
                        L"a.txt\r\nb.txt\r\nc.txt\r\n");

    selection.SetProperty(L"Convert", Bool(false));
    outcome = Answer(selection, 2, L"Open several", L"\"c.txt\" \"a.txt\"");
    g_report.CheckEqual(L"several without Convert: names each ended by NUL", selection.Property(L"FileName").AsText(),
                        std::wstring(L"c.txt") + L'\0' + L"a.txt" + L'\0');
    outcome = Answer(selection, 2, L"Open several", L"a.txt");
    g_report.CheckEqual(L"several, one picked: 1", outcome.AsLong(), 1);
    g_report.CheckEqual(L"several, one picked: the plain name", selection.Property(L"FileName").AsText(), L"a.txt");

    outcome = Answer(selection, 0, L"Open several", L"");
    g_report.CheckEqual(L"cancel: 0", outcome.AsLong(), 0);
    g_report.CheckEqual(L"cancel: ErrorCode -1", selection.Property(L"ErrorCode").AsLong(), -1);
    g_report.CheckEqual(L"cancel: FileName kept", selection.Property(L"FileName").AsText(), L"a.txt");
}

void SettingsAndBadInput(Object& selection) {
    Outcome outcome = selection.Call(L"Dialog", {Long(3)});
    g_report.CheckEqual(L"mode 3 raises 0x80040353", outcome.number, static_cast<HRESULT>(0x80040353));
    g_report.CheckEqual(L"mode 3: the description", outcome.description, L"Mode parameter: Invalid argument.");
    selection.SetProperty(L"ErrorLevel", Long(0));
    outcome = selection.Call(L"Dialog", {Long(-1)});
    g_report.Check(outcome.hr == S_OK && outcome.AsLong() == 0, L"mode -1 with ErrorLevel 0: 0, silently");

    selection.SetProperty(L"FileExtension", Text(L"jpeg"));
    g_report.CheckEqual(L"FileExtension jpeg reads jpe", selection.Property(L"FileExtension").AsText(), L"jpe");
    selection.SetProperty(L"FileExtension", Text(L".a"));
    g_report.CheckEqual(L"FileExtension .a stays", selection.Property(L"FileExtension").AsText(), L".a");
    selection.SetProperty(L"Convert", Bool(true));
    selection.SetProperty(L"Filter", Text(L"Text files\r\n*.txt"));
    g_report.CheckEqual(L"Filter with Convert", selection.Property(L"Filter").AsText(),
                        std::wstring(L"Text files") + L'\0' + L"*.txt" + L'\0');

    // Odd layouts: no closing NULs at all, a lone description, 100,000
    // characters; a folder that does not exist and a 300-character name.
    selection.SetProperty(L"Convert", Bool(false));
    selection.SetProperty(L"Filter", Text(std::wstring(L"|||") + L'\0' + std::wstring(100000, L'|')));
    selection.SetProperty(L"Directory", Text(L"C:\\no\\such\\folder"));
    selection.SetProperty(L"FileName", Text(std::wstring(300, L'n')));
    g_report.CheckEqual(L"FileName keeps 260 characters",
                        static_cast<long long>(selection.Property(L"FileName").AsText().size()), 260);
    selection.SetProperty(L"DlgTitle", Text(L"Odd settings"));
    outcome = Answer(selection, 0, L"Odd settings", L"", L"fileselection-odd-settings");
    g_report.Check(outcome.hr == S_OK && selection.Property(L"ErrorCode").AsLong() != 0,
                   L"odd filter, missing folder, 260-character name: the dialog still answers",
                   L"ErrorCode " + std::to_wstring(selection.Property(L"ErrorCode").AsLong()));
    selection.SetProperty(L"Filter", Text(L"Only a description"));
    selection.SetProperty(L"FileName", Text(L""));
    outcome = Answer(selection, 2, L"Odd settings", L"");
    g_report.CheckEqual(L"a lone description, several: cancelled", selection.Property(L"ErrorCode").AsLong(), -1);
}

}  // namespace

int main() {
    Apartment apartment;
    HRESULT hr = E_FAIL;
    Object selection = Object::Create(L"Kelpa.FileSelection", &hr);
    g_report.Check(SUCCEEDED(hr), L"Kelpa.FileSelection is created");
    if (!selection) return g_report.Finish();
    OpenSaveAndSeveral(selection, MakeFolder({L"a.txt", L"b.txt", L"c.txt"}));
    Object fresh = Object::Create(L"Kelpa.FileSelection");
    SettingsAndBadInput(fresh);
    return g_report.Finish();
}
