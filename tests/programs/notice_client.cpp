// "Kelpa.Notice" end to end: properties, icons in Wine's tray, balloons, the
// context menu and the TrayClick/BalloonClick events, through the registered
// server. Clicks on the icon are real: they go to the icon's window in Wine's
// tray, which tells the server as the shell does (version 4). Wine's balloon
// has no click handling at all, so a balloon click is the message the shell
// would send, posted to the object's message window.
//   notice_client ICON_DLL ICO_FILE
#include <windows.h>
#include <ocidl.h>
#include <commctrl.h>
#include <shellapi.h>
#include <functional>

#include "ComClient.h"
#include "UiDriver.h"
#include "kelpa_h.h"

using namespace comclient;
using namespace uidriver;

namespace {

Report g_report;
constexpr UINT kCallback = 0x8008;

// Records every event as (dispatch id, argument); -1 when there is none.
class Sink : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
        *result = nullptr;
        if (iid != IID_IUnknown && iid != IID_IDispatch && iid != DIID___Notice) return E_NOINTERFACE;
        *result = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }  // lives on the stack
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override { return *count = 0, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        const bool hasArgument = params && params->cArgs == 1 && V_VT(&params->rgvarg[0]) == VT_I2;
        events.push_back({member, hasArgument ? V_I2(&params->rgvarg[0]) : -1});
        if (onEvent) onEvent();
        return S_OK;
    }
    std::vector<std::pair<DISPID, int>> events;
    std::function<void()> onEvent;
};

void Pump(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}

// Windows of a class, top-level, visible or not, with the process of each.
std::vector<HWND> WindowsOfClass(const wchar_t* className, HWND parent = nullptr) {
    std::vector<HWND> found;
    for (HWND w = FindWindowExW(parent, nullptr, className, nullptr); w; w = FindWindowExW(parent, w, className, nullptr))
        found.push_back(w);
    return found;
}
HWND TrayIconWindow() {  // the last icon of Wine's stand-alone tray
    HWND tray = FindWindowW(L"__winex11_standalone_tray", nullptr);
    const std::vector<HWND> icons = WindowsOfClass(L"__winex11_tray_icon", tray);
    return icons.empty() ? nullptr : icons.back();
}
size_t TrayIconCount() {
    return WindowsOfClass(L"__winex11_tray_icon", FindWindowW(L"__winex11_standalone_tray", nullptr)).size();
}
HWND MessageWindow() {
    const std::vector<HWND> windows = WindowsOfClass(L"KelpaNoticeWindow");
    return windows.empty() ? nullptr : windows.back();
}

void Click(UINT down, UINT up) {
    HWND icon = TrayIconWindow();
    PostMessageW(icon, down, 0, MAKELPARAM(4, 4));
    PostMessageW(icon, up, 0, MAKELPARAM(4, 4));
    Pump(700);
}

// A visible window of the server: the balloon (a tooltip with TTS_BALLOON) or a menu.
HWND WaitForPopup(const wchar_t* className, DWORD style, DWORD timeoutMs) {
    for (const ULONGLONG end = GetTickCount64() + timeoutMs; GetTickCount64() < end; Pump(100))
        for (HWND w : WindowsOfClass(className))
            if (IsWindowVisible(w) && (GetWindowLongW(w, GWL_STYLE) & style) == style) return w;
    return nullptr;
}

VARIANT StringArray(const std::vector<std::wstring>& items, LONG lowerBound = 0) {
    SAFEARRAYBOUND bound = {static_cast<ULONG>(items.size()), lowerBound};
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&v) = SafeArrayCreate(VT_VARIANT, 1, &bound);
    for (LONG i = 0; i < static_cast<LONG>(items.size()); ++i) {
        VARIANT item = Text(items[i]);
        LONG index = lowerBound + i;
        SafeArrayPutElement(V_ARRAY(&v), &index, &item);
        VariantClear(&item);
    }
    return v;
}

void Expect(Object& notice, const wchar_t* call, long result, long errorCode, const std::wstring& what) {
    const Outcome outcome = notice.Call(call);
    g_report.Check(outcome.hr == S_OK && outcome.AsLong() == result && notice.Property(L"ErrorCode").AsLong() == errorCode,
                   what, L"result " + std::to_wstring(outcome.AsLong()) + L", ErrorCode " +
                             std::to_wstring(notice.Property(L"ErrorCode").AsLong()));
}

void Properties(Object& notice) {
    g_report.CheckEqual(L"BIconSize starts large (1)", notice.Property(L"BIconSize").AsLong(), 1);
    const std::pair<const wchar_t*, size_t> cuts[] = {
        {L"TipText", 127}, {L"BalloonText", 255}, {L"BalloonTitle", 63}, {L"IconFile", 255}};
    for (const auto& [name, length] : cuts) {
        notice.SetProperty(name, Text(std::wstring(100000, L'x')));
        g_report.CheckEqual(std::wstring(name) + L" of 100,000 characters keeps " + std::to_wstring(length),
                            static_cast<long long>(notice.Property(name).AsText().size()), length);
        notice.SetProperty(name, Text(L""));
    }
    notice.SetProperty(L"IconSize", Long(2));
    notice.SetProperty(L"BalloonIcon", Long(6));
    notice.SetProperty(L"TrayClicked", Long(5));
    g_report.Check(notice.Property(L"IconSize").AsLong() == 0 && notice.Property(L"BalloonIcon").AsLong() == 0 &&
                       notice.Property(L"TrayClicked").AsLong() == 0,
                   L"IconSize 2 and BalloonIcon 6 are ignored, TrayClicked 5 stores 0");
    std::vector<std::wstring> ten;
    for (int i = 0; i < 10; ++i) ten.push_back(std::wstring(i == 3 ? 100000 : 5, static_cast<wchar_t>(L'a' + i)));
    notice.SetProperty(L"ContextMenu", StringArray(ten));
    g_report.CheckEqual(L"ten menu strings give 8 entries", notice.Property(L"ContextMenuItems").AsLong(), 8);
    const Outcome menu = notice.Property(L"ContextMenu");
    g_report.Check(menu.type == (VT_ARRAY | VT_VARIANT), L"ContextMenu returns the array given");
    notice.SetProperty(L"ContextMenu", StringArray({L"Open", L"Exit"}, 1));
    g_report.CheckEqual(L"an array with lower bound 1 gives none", notice.Property(L"ContextMenuItems").AsLong(), 0);
}

void Icons(Object& notice, const std::wstring& dll, const std::wstring& ico) {
    Expect(notice, L"ChangeIcon", 0, 1, L"ChangeIcon before Add: False, ErrorCode 1");
    Expect(notice, L"ShowBalloon", 0, 1, L"ShowBalloon before Add: False, ErrorCode 1");
    notice.SetProperty(L"IconFile", Text(L"C:\\no\\such\\file.ico"));
    Expect(notice, L"Add", 0, 2, L"Add with a missing icon file: False, ErrorCode 2");
    notice.SetProperty(L"IconFile", Text(dll));
    notice.SetProperty(L"IconID", Long(999));
    Expect(notice, L"Add", 0, 2, L"Add with a resource id the module lacks: False, ErrorCode 2");
    notice.SetProperty(L"IconFile", Text(L"C:\\windows\\win.ini"));
    Expect(notice, L"Add", 0, 2, L"Add with a file that is no icon: False, ErrorCode 2");
    const size_t before = TrayIconCount();
    notice.SetProperty(L"IconFile", Text(dll));
    notice.SetProperty(L"IconID", Long(101));
    notice.SetProperty(L"TipText", Text(L"Kelpa notice"));
    Expect(notice, L"Add", -1, 0, L"Add with icon 101 of a module");
    g_report.CheckEqual(L"Wine's tray shows one more icon", static_cast<long long>(TrayIconCount()), before + 1);
    Expect(notice, L"Add", 0, 1, L"a second Add: False, ErrorCode 1");
    notice.SetProperty(L"IconFile", Text(ico));
    notice.SetProperty(L"UseLoadImageAPI", Bool(true));
    Expect(notice, L"ChangeIcon", -1, 0, L"ChangeIcon to an .ico file (image loader)");
    notice.SetProperty(L"IconFile", Text(L""));
    notice.SetProperty(L"IconID", Long(3));
    notice.SetProperty(L"UseLoadImageAPI", Bool(false));
    // Wine's shell hands out no stock icon (success, but no handle).
    const Outcome stock = notice.Call(L"ChangeIcon");
    const long stockError = notice.Property(L"ErrorCode").AsLong();
    g_report.Check(stock.hr == S_OK && (stock.AsLong() == -1 ? stockError == 0 : stockError == 2),
                   L"ChangeIcon to stock icon 3: True, or False with ErrorCode 2 where the shell has none",
                   L"result " + std::to_wstring(stock.AsLong()) + L", ErrorCode " + std::to_wstring(stockError));
    notice.SetProperty(L"IconID", Long(32515));
    Expect(notice, L"ChangeIcon", -1, 0, L"ChangeIcon to system icon 32515");
    if (ScreenshotsWanted()) Screenshot(L"notice-tray-icon", FindWindowW(L"__winex11_standalone_tray", nullptr));

    notice.SetProperty(L"BalloonTitle", Text(L"Kelpa"));
    notice.SetProperty(L"BalloonText", Text(L"The backup has finished."));
    notice.SetProperty(L"BalloonIcon", Long(5));
    Expect(notice, L"ShowBalloon", -1, 0, L"a balloon with the tray icon");
    notice.SetProperty(L"BalloonIcon", Long(0));
    notice.SetProperty(L"BIconFile", Text(L"C:\\no\\such.dll"));
    Expect(notice, L"ShowBalloon", 0, 2, L"a balloon whose own icon is missing: False, ErrorCode 2");
    notice.SetProperty(L"BIconFile", Text(dll));
    notice.SetProperty(L"BIconName", Text(L"KELPANAMED"));
    Expect(notice, L"ShowBalloon", -1, 0, L"a balloon with its own icon KELPANAMED");
    // Wine's tray draws no balloon icon of the caller's (it keeps the bare
    // handle, which means nothing in its process), and a standard one only
    // without NIIF_LARGE_ICON, which it passes on to the tooltip as the icon.
    notice.SetProperty(L"BalloonIcon", Long(2));
    notice.SetProperty(L"BIconSize", Long(0));
    Expect(notice, L"ShowBalloon", -1, 0, L"a balloon with the information icon");
    HWND balloon = WaitForPopup(L"tooltips_class32", TTS_BALLOON, 5000);
    g_report.Check(balloon != nullptr, L"Wine shows the balloon");
    if (balloon && ScreenshotsWanted()) Screenshot(L"notice-balloon", balloon);
    // Wait the balloon out, its window spans the icon.
    for (int i = 0; i < 150 && WaitForPopup(L"tooltips_class32", TTS_BALLOON, 0); ++i) Pump(100);
}

void Events(Object& notice, Sink& sink) {
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP);
    g_report.Check(notice.Property(L"TrayClicked").AsLong() == 1 && sink.events.empty(),
                   L"a click without TriggerEvent: TrayClicked 1, no event");
    notice.SetProperty(L"TriggerEvent", Bool(true));
    Click(WM_RBUTTONDOWN, WM_RBUTTONUP);
    g_report.Check(sink.events.size() == 1 && sink.events[0] == std::make_pair(DISPID(1), 2) &&
                       notice.Property(L"TriggerEvent").AsLong() == 0,
                   L"a right click without a menu: TrayClick(2), TriggerEvent cleared");
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP);
    g_report.CheckEqual(L"no event once the trigger is spent", static_cast<long long>(sink.events.size()), 1);

    notice.SetProperty(L"ContextMenu", StringArray({L"Open", L"-", L"Exit"}));
    const std::pair<std::vector<UINT>, int> choices[] = {{{VK_DOWN, VK_DOWN, VK_RETURN}, 12}, {{VK_ESCAPE}, 10}};
    for (const auto& [keys, expected] : choices) {
        notice.SetProperty(L"TriggerEvent", Bool(true));
        sink.events.clear();
        Click(WM_RBUTTONDOWN, WM_RBUTTONUP);
        HWND menu = WaitForPopup(L"#32768", 0, 3000);
        g_report.Check(menu != nullptr, L"a right click opens the context menu");
        if (menu && expected == 12 && ScreenshotsWanted()) Screenshot(L"notice-context-menu", menu);
        for (UINT key : keys) PostMessageW(menu, WM_KEYDOWN, key, 0), Pump(150);
        Pump(700);
        g_report.Check(sink.events.size() == 1 && sink.events[0].second == expected &&
                           notice.Property(L"TrayClicked").AsLong() == expected,
                       L"menu: TrayClick(" + std::to_wstring(expected) + L") and TrayClicked");
    }

    notice.SetProperty(L"TriggerEvent", Bool(true));
    sink.events.clear();
    PostMessageW(MessageWindow(), kCallback, 0, MAKELPARAM(NIN_BALLOONUSERCLICK, 0));
    Pump(700);
    g_report.Check(sink.events.size() == 1 && sink.events[0].first == 2 && notice.Property(L"BalloonClicked").AsLong() == -1,
                   L"a balloon click: BalloonClick and BalloonClicked");

    // A handler that re-arms the trigger and clicks again while it runs: the
    // second click finds the icon busy and raises nothing.
    sink.events.clear();
    VARIANT none;
    VariantInit(&none);
    notice.SetProperty(L"ContextMenu", none);  // a right click would now report 2
    notice.SetProperty(L"TrayClicked", Long(0));
    notice.SetProperty(L"TriggerEvent", Bool(true));
    sink.onEvent = [&] {
        sink.onEvent = nullptr;
        notice.SetProperty(L"TriggerEvent", Bool(true));
        PostMessageW(MessageWindow(), kCallback, 0, MAKELPARAM(WM_CONTEXTMENU, 0));
        Pump(500);
    };
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP);
    g_report.Check(sink.events.size() == 1 && notice.Property(L"TrayClicked").AsLong() == 1,
                   L"a click while the handler runs raises nothing and changes nothing");
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP);
    g_report.CheckEqual(L"the trigger re-armed in the handler serves the next click",
                        static_cast<long long>(sink.events.size()), 2);
}

void Lifetime(Object& notice, Sink& sink) {
    // The shell restarted: the icon is gone until the taskbar broadcast.
    const size_t before = TrayIconCount();
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof(data);
    data.hWnd = MessageWindow();
    for (data.uID = 0; data.uID < 1000 && !Shell_NotifyIconW(NIM_MODIFY, &data); ++data.uID) {}
    Shell_NotifyIconW(NIM_DELETE, &data);
    const size_t deleted = TrayIconCount();
    SendMessageW(data.hWnd, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
    Pump(300);
    g_report.Check(deleted == before - 1 && TrayIconCount() == before, L"TaskbarCreated adds the deleted icon again");

    sink.events.clear();
    notice.SetProperty(L"TriggerEvent", Bool(true));
    sink.onEvent = [&] { notice.Reset(); };  // the script lets go inside its handler
    Click(WM_LBUTTONDOWN, WM_LBUTTONUP);
    Pump(500);
    g_report.Check(sink.events.size() == 1 && TrayIconCount() == before - 1 && MessageWindow() == nullptr,
                   L"released inside its handler: icon and window gone");
    HRESULT hr = E_FAIL;
    Object again = Object::Create(L"Kelpa.Notice", &hr);
    g_report.Check(SUCCEEDED(hr) && again.Property(L"ErrorCode").hr == S_OK, L"the server still serves new objects");
}

}  // namespace

int main() {
    Apartment apartment;
    const std::vector<std::wstring> arguments = PathArguments();
    const std::wstring dll = arguments.size() > 1 ? arguments[0] : L"", ico = arguments.size() > 1 ? arguments[1] : L"";
    Object notice = CreateReported<Object>(g_report, L"Kelpa.Notice");
    if (!notice) return g_report.Finish();
    Properties(notice);
    Icons(notice, dll, ico);
    Sink sink;
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    DWORD cookie = 0;
    if (SUCCEEDED(notice.Get()->QueryInterface(IID_PPV_ARGS(&container)))) container->FindConnectionPoint(DIID___Notice, &point);
    g_report.Check(point && SUCCEEDED(point->Advise(&sink, &cookie)), L"Advise at the __Notice connection point");
    // Both share the object's reference count: only `notice` may keep it alive.
    point.Reset();
    container.Reset();
    if (cookie) {
        Events(notice, sink);
        Lifetime(notice, sink);
    }
    return g_report.Finish();
}
