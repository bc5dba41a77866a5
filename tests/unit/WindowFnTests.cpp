// The shared window operations on real windows of this thread (the tests
// run on the Xvfb display).
#include <windows.h>
#include <vector>

#include "catch.hpp"
#include "core/windowfn.h"

using namespace kelpa;

namespace {

// A dialog built from an in-memory template the way the dialog windows are
// designed: "MS Shell Dlg 2" at 9 points, a multi-line edit and an OK
// button. OK and Cancel (and so closing) destroy it.
INT_PTR CALLBACK TestDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        DestroyWindow(dialog);
        return TRUE;
    }
    return FALSE;
}

class DialogTemplate {
public:
    DialogTemplate() {
        Dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_SETFONT | DS_MODALFRAME);
        Dword(0);  // extended style
        Word(2);   // controls
        Word(10); Word(10); Word(200); Word(150);
        Word(0); Word(0);  // no menu, default class
        Text(L"windowfn test");
        Word(9);
        Text(L"MS Shell Dlg 2");
        Control(WS_CHILD | WS_VISIBLE | ES_MULTILINE | WS_VSCROLL | WS_BORDER, 5, 5, 180, 60, 10, 0x0081);
        Control(WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 5, 100, 50, 14, IDOK, 0x0080);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_words.data()); }

private:
    void Word(WORD w) { m_words.push_back(w); }
    void Dword(DWORD d) { Word(LOWORD(d)); Word(HIWORD(d)); }
    void Text(const wchar_t* t) {
        for (; *t; ++t) Word(*t);
        Word(0);
    }
    void Control(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom) {
        while (m_words.size() % 2) Word(0);  // DWORD alignment
        Dword(style); Dword(0);
        Word(x); Word(y); Word(cx); Word(cy); Word(id);
        Word(0xFFFF); Word(atom);  // predefined class: 0x80 button, 0x81 edit
        Word(0);  // no text
        Word(0);  // no creation data
    }
    std::vector<WORD> m_words;
};

struct TestWindow {
    unique_hwnd window;
    HWND edit = nullptr;
    HWND button = nullptr;

    TestWindow() {
        static const DialogTemplate design;
        window.reset(CreateDialogIndirectParamW(GetModuleHandleW(nullptr), design.Get(), nullptr, TestDialogProc, 0));
        REQUIRE(window);
        edit = GetDlgItem(window.get(), 10);
        button = GetDlgItem(window.get(), IDOK);
        REQUIRE(edit);
        REQUIRE(button);
        HandlePendingMessages();
    }
};

LONG ExStyle(HWND window) { return GetWindowLongW(window, GWL_EXSTYLE); }

void CALLBACK SetDoneFlag(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    *reinterpret_cast<bool*>(GetWindowLongPtrW(window, GWLP_USERDATA)) = true;
}

}  // namespace

TEST_CASE("flash parameters for each count", "[windowfn]") {
    FLASHWINFO info = FlashParameters(nullptr, 10);
    CHECK(info.cbSize == (sizeof(void*) == 8 ? 32u : 20u));  // the record holds a window handle
    CHECK(info.dwFlags == 15u);
    CHECK(info.uCount == 0u);
    CHECK(info.dwTimeout == 0u);
    info = FlashParameters(nullptr, 9);
    CHECK(info.dwFlags == static_cast<DWORD>(FLASHW_ALL));
    CHECK(info.uCount == 9u);
    info = FlashParameters(nullptr, 1);
    CHECK(info.dwFlags == static_cast<DWORD>(FLASHW_ALL));
    CHECK(info.uCount == 1u);
    CHECK(FlashParameters(nullptr, 0).dwFlags == static_cast<DWORD>(FLASHW_STOP));
    CHECK(FlashParameters(nullptr, -5).dwFlags == static_cast<DWORD>(FLASHW_STOP));
}

TEST_CASE("topmost on and off", "[windowfn]") {
    TestWindow w;
    SetTopmost(w.window.get(), true);
    CHECK((ExStyle(w.window.get()) & WS_EX_TOPMOST) != 0);
    SetTopmost(w.window.get(), false);
    CHECK((ExStyle(w.window.get()) & WS_EX_TOPMOST) == 0);
}

TEST_CASE("bring to front activates, then applies topmost", "[windowfn]") {
    TestWindow first, second;
    BringToFront(first.window.get(), false);
    HandlePendingMessages();
    CHECK(GetForegroundWindow() == first.window.get());
    CHECK((ExStyle(first.window.get()) & WS_EX_TOPMOST) == 0);

    BringToFront(second.window.get(), true);
    HandlePendingMessages();
    CHECK(GetForegroundWindow() == second.window.get());
    CHECK((ExStyle(second.window.get()) & WS_EX_TOPMOST) != 0);

    // Already in front: nothing changes, not even topmost.
    SetTopmost(second.window.get(), false);
    BringToFront(second.window.get(), true);
    CHECK((ExStyle(second.window.get()) & WS_EX_TOPMOST) == 0);

    // A minimised window is restored.
    ShowWindow(first.window.get(), SW_MINIMIZE);
    BringToFront(first.window.get(), false);
    HandlePendingMessages();
    CHECK(!IsIconic(first.window.get()));
}

TEST_CASE("resize, set style and add style bits", "[windowfn]") {
    TestWindow w;
    RECT before;
    GetWindowRect(w.window.get(), &before);
    Resize(w.window.get(), 321, 234);
    RECT after;
    GetWindowRect(w.window.get(), &after);
    CHECK(after.right - after.left == 321);
    CHECK(after.bottom - after.top == 234);
    CHECK(after.left == before.left);
    CHECK(after.top == before.top);

    SetStyle(w.window.get(), WS_POPUP | WS_VISIBLE | WS_BORDER);
    // The system adds WS_CLIPSIBLINGS to every top-level window.
    CHECK((GetWindowLongW(w.window.get(), GWL_STYLE) & ~WS_CLIPSIBLINGS) ==
          static_cast<LONG>(WS_POPUP | WS_VISIBLE | WS_BORDER));

    AddStyleBits(w.edit, ES_NUMBER, false, false);
    CHECK((GetWindowLongW(w.edit, GWL_STYLE) & ES_NUMBER) != 0);
    CHECK((GetWindowLongW(w.edit, GWL_STYLE) & ES_MULTILINE) != 0);
    AddStyleBits(w.edit, WS_EX_CLIENTEDGE, true, true);
    CHECK((ExStyle(w.edit) & WS_EX_CLIENTEDGE) != 0);

    // Gone windows are ignored, not failed.
    HWND gone = w.window.get();
    w.window.reset();
    SetStyle(gone, WS_POPUP);
    AddStyleBits(gone, 1, true, true);
    Resize(gone, 1, 1);
    FrameChanged(gone);
    Flash(gone, 3);
    BringToFront(gone, true);
}

TEST_CASE("scroll to end shows the last line", "[windowfn]") {
    TestWindow w;
    std::wstring text;
    for (int i = 0; i < 200; ++i) text += L"line " + std::to_wstring(i) + L"\r\n";
    SetWindowTextW(w.edit, text.c_str());
    CHECK(SendMessageW(w.edit, EM_GETFIRSTVISIBLELINE, 0, 0) == 0);
    ScrollToEnd(w.edit);
    CHECK(SendMessageW(w.edit, EM_GETFIRSTVISIBLELINE, 0, 0) > 150);
}

TEST_CASE("fonts: modern face and enlarged size for the window and every control", "[windowfn]") {
    TestWindow w;
    CHECK(FontFace(w.button) != L"Segoe UI");
    CHECK(FontPoints(w.button) == 9);
    WindowFonts fonts;
    fonts.Modernise(w.window.get());
    // The dialog window gets the font too, but Wine's dialogs do not answer
    // WM_GETFONT with a font set later: the controls are what shows it.
    for (HWND window : {w.edit, w.button}) CHECK(FontFace(window) == L"Segoe UI");
    fonts.Enlarge(w.window.get(), 11);
    for (HWND window : {w.edit, w.button}) {
        CHECK(FontPoints(window) == 11);
        CHECK(FontFace(window) == L"Segoe UI");  // the size change keeps the face
    }
    fonts.Enlarge(w.window.get(), 10);
    CHECK(FontPoints(w.button) == 10);
}

TEST_CASE("twips become pixels at the screen's DPI", "[windowfn]") {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    CHECK(TwipsToPixels(nullptr, 1440) == dpi);
    CHECK(TwipsToPixels(nullptr, 0) == 0);
    CHECK(TwipsToPixels(nullptr, 720) == dpi / 2);
}

TEST_CASE("a wait step dispatches pending messages and passes WM_QUIT on", "[windowfn]") {
    TestWindow w;
    bool done = false;
    // A posted close reaches the window through the wait step; the dialog's
    // own handling (here: destroying it) ends the wait.
    PostMessageW(w.window.get(), WM_CLOSE, 0, 0);
    const ULONGLONG start = GetTickCount64();
    WaitForDialog(w.window.get(), done);
    CHECK(!IsWindow(w.window.get()));
    CHECK(GetTickCount64() - start < 2000);
    w.window.release();

    PostQuitMessage(7);
    CHECK(!WaitStep());
    MSG message;
    REQUIRE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    CHECK(message.wParam == 7);

    // A done flag set by a message handler ends the wait.
    TestWindow v;
    SetWindowLongPtrW(v.window.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&done));
    SetTimer(v.window.get(), 1, 100, SetDoneFlag);
    WaitForDialog(v.window.get(), done);
    CHECK(done);
}

TEST_CASE("resource modules load as resources only", "[windowfn]") {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    unique_hmodule module = LoadResourceModule(self);
    REQUIRE(module);
    // The type library of the test program is there to be found.
    CHECK(FindResourceW(module.get(), MAKEINTRESOURCEW(1), L"TYPELIB") != nullptr);
    CHECK(!LoadResourceModule(L"C:\\no\\such\\file.dll"));
    CHECK(!LoadResourceModule(L""));
}
