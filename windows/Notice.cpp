// The notification-area icon of "Kelpa.Notice".
#include "windows/Notice.h"

#include <commctrl.h>
#include <algorithm>
#include <atomic>
#include <ctime>

#include "core/ScriptValueAccess.h"
#include "core/ScriptValues.h"
#include "core/windowfn.h"

namespace kelpa {
namespace {

constexpr wchar_t kWindowClass[] = L"KelpaNoticeWindow";
constexpr short kVista = 600;
constexpr size_t kTipLength = 127;
constexpr size_t kBalloonTextLength = 255;
constexpr size_t kBalloonTitleLength = 63;
constexpr size_t kIconFileLength = 255;
constexpr short kMenuChosen = 0;

// Balloon option bits as scripts give them.
constexpr long kOptionNoSound = 1;
constexpr long kOptionRealTime = 2;
constexpr long kOptionQuietTime = 4;

// The window class is the process's, registered on first use; its procedure
// is the default one, the icon logic sits in each window's subclass.
const wchar_t* WindowClass() {
    static const ATOM atom = [] {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kWindowClass;
        return RegisterClassExW(&windowClass);
    }();
    return atom ? kWindowClass : nullptr;
}

// Explorer broadcasts this to top-level windows when it (re)creates the
// taskbar; icons are gone then and must be added again.
UINT TaskbarCreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

// The shell tells icons apart by window and identifier. Every object has its
// own window, but an identifier of its own too keeps two objects created in
// the same second from ever looking alike: the count starts at the seconds
// since midnight and goes on from object to object, within 0 to 999.
UINT NextIconId() {
    static std::atomic<unsigned> next{[] {
        SYSTEMTIME now;
        GetLocalTime(&now);
        return static_cast<unsigned>(now.wHour * 3600 + now.wMinute * 60 + now.wSecond + (now.wMilliseconds >= 500));
    }()};
    return next++ % 1000;
}

template <size_t N>
void CopyText(wchar_t (&field)[N], const std::wstring& text) {
    const size_t length = std::min(text.size(), N - 1);
    std::copy_n(text.data(), length, field);
    field[length] = L'\0';
}

// Reads one element of an array of any element type into a VARIANT.
bool ReadElement(SAFEARRAY* array, VARTYPE type, LONG* indices, VARIANT& element) {
    if (type == VT_VARIANT) return SUCCEEDED(SafeArrayGetElement(array, indices, &element));
    if (type == VT_BSTR) {
        BSTR text = nullptr;
        if (FAILED(SafeArrayGetElement(array, indices, &text))) return false;
        V_VT(&element) = VT_BSTR;
        V_BSTR(&element) = text;
        return true;
    }
    const size_t size = StorageSize(type);
    if (size == 0 || size > sizeof(element.llVal)) return false;
    if (FAILED(SafeArrayGetElement(array, indices, &element.llVal))) return false;
    V_VT(&element) = type;
    return true;
}

}  // namespace

std::vector<std::wstring> MenuEntriesOf(const VARIANT& value) {
    std::vector<std::wstring> entries;
    const short count = ElementCount(value);
    SAFEARRAY* array = ArrayOf(value);
    VARTYPE type = VT_EMPTY;
    if (count <= 0 || !array || FAILED(SafeArrayGetVartype(array, &type))) return entries;
    // SafeArrayGetElement takes the last dimension first; the first dimension
    // runs over the entries and every other one stays at its lower bound.
    const UINT dimensions = SafeArrayGetDim(array);
    std::vector<LONG> indices(dimensions, 0);
    for (UINT dimension = 2; dimension <= dimensions; ++dimension)
        SafeArrayGetLBound(array, dimension, &indices[dimensions - dimension]);
    const size_t wanted = std::min<size_t>(static_cast<size_t>(count), Notice::kMenuEntryLimit);
    for (size_t i = 0; i < wanted; ++i) {
        indices[dimensions - 1] = static_cast<LONG>(i);
        unique_variant element, text;
        std::wstring entry;
        if (ReadElement(array, type, indices.data(), *element.get()) &&
            SUCCEEDED(VariantChangeType(text.get(), element.get(), VARIANT_ALPHABOOL, VT_BSTR)) && V_BSTR(text.get()))
            entry.assign(V_BSTR(text.get()), SysStringLen(V_BSTR(text.get())));
        entries.push_back(std::move(entry));
    }
    return entries;
}

Notice::Notice(NoticeEvents& events, short osVersion)
    : m_events(events), m_osVersion(osVersion), m_iconId(NextIconId()) {
    TaskbarCreatedMessage();
    if (const wchar_t* windowClass = WindowClass()) {
        // Top-level (not message-only), so that the taskbar's broadcast reaches it.
        m_window.reset(CreateWindowExW(WS_EX_TOOLWINDOW, windowClass, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       GetModuleHandleW(nullptr), nullptr));
    }
    if (m_window && !SetWindowSubclass(m_window.get(), SubclassProc, reinterpret_cast<UINT_PTR>(this),
                                       reinterpret_cast<DWORD_PTR>(this)))
        m_window.reset();
}

Notice::~Notice() {
    // The subclass goes first: while Remove waits for the shell, the thread
    // handles messages sent to it, and a click must not reach a dying object.
    if (m_window) RemoveWindowSubclass(m_window.get(), SubclassProc, reinterpret_cast<UINT_PTR>(this));
    Remove();
}

NOTIFYICONDATAW Notice::Record(UINT flags) const noexcept {
    NOTIFYICONDATAW data = {};
    // Before Vista the shell knows the record only up to the balloon icon.
    data.cbSize = m_osVersion >= kVista ? sizeof(data) : NOTIFYICONDATAW_V3_SIZE;
    data.hWnd = m_window.get();
    data.uID = m_iconId;
    data.uFlags = flags;
    return data;
}

bool Notice::AddToShell() noexcept {
    NOTIFYICONDATAW data = Record(NIF_MESSAGE | NIF_ICON | NIF_SHOWTIP);
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = m_trayIcon.get();
    if (!m_tipText.empty()) {
        data.uFlags |= NIF_TIP;
        CopyText(data.szTip, m_tipText);
    }
    if (!Shell_NotifyIconW(NIM_ADD, &data)) return false;
    data.uVersion = m_osVersion >= kVista ? NOTIFYICON_VERSION_4 : NOTIFYICON_VERSION;
    if (Shell_NotifyIconW(NIM_SETVERSION, &data)) return true;
    // An icon whose messages would arrive in a format nobody decodes is
    // worse than none: take it away again.
    Shell_NotifyIconW(NIM_DELETE, &data);
    return false;
}

bool Notice::Add() {
    if (m_added) {
        m_errorCode = kAddedState;
        return false;
    }
    unique_hicon icon = LoadNoticeIcon(m_traySource, m_useImageLoader, m_osVersion, m_errorCode);
    if (!icon) return false;
    m_trayIcon = std::move(icon);
    m_iconSizeUsed = m_traySource.size;
    m_trayClicked = 0;
    m_added = AddToShell();
    return m_added;
}

bool Notice::ChangeIcon() {
    if (!m_added) {
        m_errorCode = kAddedState;
        return false;
    }
    unique_hicon icon = LoadNoticeIcon(m_traySource, m_useImageLoader, m_osVersion, m_errorCode);
    if (!icon) return false;
    m_iconSizeUsed = m_traySource.size;
    m_trayIcon = std::move(icon);
    NOTIFYICONDATAW data = Record(NIF_ICON);
    data.hIcon = m_trayIcon.get();
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void Notice::Remove() noexcept {
    NOTIFYICONDATAW data = Record(0);
    if (data.hWnd) Shell_NotifyIconW(NIM_DELETE, &data);
    m_balloonIconHandle.reset();
    m_trayIcon.reset();
    m_added = false;
}

bool Notice::ShowBalloon() {
    if (!m_added) {
        m_errorCode = kAddedState;
        return false;
    }
    m_balloonClicked = false;
    m_errorCode = 0;
    bool large = m_balloonSource.size != 0;
    DWORD infoFlags = NIIF_USER;
    HICON icon = nullptr;
    if (m_balloonIcon >= 1 && m_balloonIcon <= 4) {
        infoFlags = static_cast<DWORD>(m_balloonIcon - 1);  // none, information, warning, error
    } else if (m_balloonIcon == 5) {
        if (!m_trayIcon) {
            m_errorCode = kNoticeNoIcon;
            return false;
        }
        icon = m_trayIcon.get();
        large = m_iconSizeUsed != 0;
    } else {
        if (m_osVersion < kVista) {
            m_errorCode = kBalloonNeedsVista;
            return false;
        }
        unique_hicon loaded = LoadNoticeIcon(m_balloonSource, m_useImageLoader, m_osVersion, m_errorCode);
        if (!loaded) return false;
        m_balloonIconHandle = std::move(loaded);
        icon = m_balloonIconHandle.get();
    }
    NOTIFYICONDATAW data = Record(NIF_INFO | ((m_balloonOptions & kOptionRealTime) ? NIF_REALTIME : 0));
    data.dwInfoFlags = infoFlags | (large ? NIIF_LARGE_ICON : 0) | ((m_balloonOptions & kOptionNoSound) ? NIIF_NOSOUND : 0) |
                       ((m_balloonOptions & kOptionQuietTime) ? NIIF_RESPECT_QUIET_TIME : 0);
    if (icon) (m_osVersion >= kVista ? data.hBalloonIcon : data.hIcon) = icon;
    CopyText(data.szInfo, m_balloonText);
    CopyText(data.szInfoTitle, m_balloonTitle);
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void Notice::SetBalloonText(const std::wstring& value) { m_balloonText = value.substr(0, kBalloonTextLength); }
void Notice::SetBalloonTitle(const std::wstring& value) { m_balloonTitle = value.substr(0, kBalloonTitleLength); }

void Notice::SetBalloonIcon(short value) noexcept {
    if (InRange(value, 0, 5)) m_balloonIcon = value;
}

void Notice::SetIconFile(NoticeIconSource& source, const std::wstring& value) {
    source.file = value.substr(0, kIconFileLength);
}

void Notice::SetIconSize(NoticeIconSource& source, short value) noexcept {
    if (InRange(value, 0, 1)) source.size = value;
}

void Notice::SetTipText(const std::wstring& value) {
    m_tipText = value.substr(0, kTipLength);
    if (!m_added) return;
    // NIF_SHOWTIP again: with version 4 a change without it may hide the tip.
    NOTIFYICONDATAW data = Record(NIF_TIP | NIF_SHOWTIP);
    CopyText(data.szTip, m_tipText);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void Notice::ContextMenu(VARIANT* result) const {
    VariantInit(result);
    const HRESULT hr = VariantCopy(result, const_cast<VARIANT*>(m_contextMenu.get()));
    if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
}

void Notice::SetContextMenu(const VARIANT& value) {
    if (m_osVersion < kVista) return;
    // Whatever cannot be copied leaves an empty value; the menu is taken
    // from the entries, which never fail.
    VariantCopyInd(m_contextMenu.put(), const_cast<VARIANT*>(&Dereference(value)));
    m_menuEntries = MenuEntriesOf(value);
}

LRESULT CALLBACK Notice::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data) noexcept {
    auto* notice = reinterpret_cast<Notice*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(window, SubclassProc, id);
        return DefSubclassProc(window, message, wParam, lParam);
    }
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    try {
        if (message == kCallbackMessage) {
            // May end with the object released: nothing of it is touched after.
            notice->OnIconMessage(wParam, lParam);
        } else if (message != 0 && message == TaskbarCreatedMessage() && notice->m_added) {
            notice->AddToShell();
        }
    } catch (...) {
        // Nothing may leave a window procedure; the click is lost.
    }
    return result;
}

void Notice::OnIconMessage(WPARAM wParam, LPARAM lParam) {
    const UINT event = static_cast<WORD>(LowWord(static_cast<long>(lParam)));
    if (event != WM_CONTEXTMENU && event != NIN_SELECT && event != NIN_KEYSELECT && event != NIN_BALLOONUSERCLICK)
        return;
    if (m_busy) return;
    struct Holding {
        NoticeEvents* events;
        explicit Holding(NoticeEvents* held) : events(held) { events->Hold(); }
        ~Holding() { events->LetGo(); }
    } holding(&m_events);
    if (event == WM_CONTEXTMENU) {
        if (m_menuEntries.empty()) {
            Report(kRightClickWithoutMenu, 0);
        } else {
            // A second click while the menu is open finds the icon busy.
            m_busy = true;
            const int chosen = ShowContextMenu(LowWord(static_cast<long>(wParam)), HighWord(static_cast<long>(wParam)));
            m_busy = false;
            Report(kMenuChosen, chosen);
        }
    } else {
        Report(event, 0);
    }
}

void Notice::Report(UINT event, int entry) {
    if (m_busy) return;
    m_busy = true;
    // The busy flag must fall even if a handler's failure comes back as an exception.
    struct Idle {
        bool& busy;
        ~Idle() { busy = false; }
    } idle{m_busy};
    const bool fire = m_triggerEvent;
    if (fire) m_triggerEvent = false;
    if (event == NIN_BALLOONUSERCLICK) {
        m_balloonClicked = true;
        if (fire) m_events.BalloonClick();
    } else {
        const short action = event == kMenuChosen                ? static_cast<short>(10 + entry)
                             : event == kRightClickWithoutMenu ? short{2}
                                                               : short{1};
        m_trayClicked = action;
        if (fire) m_events.TrayClick(action);
    }
    // Clicks that queued up while the handler ran are dropped here, not raised later.
    HandlePendingMessages();
}

int Notice::ShowContextMenu(int x, int y) noexcept {
    unique_hmenu menu(CreatePopupMenu());
    if (!menu) return 0;
    UINT next = 1;
    for (const std::wstring& entry : m_menuEntries) {
        if (entry == L"-")
            AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuW(menu.get(), MF_STRING, next++, entry.c_str());
    }
    HWND window = m_window.get();
    // The foreground and WM_NULL dance lets the menu close when the user
    // clicks elsewhere, which a menu of a background window never notices.
    PostMessageW(window, WM_NULL, 0, 0);
    SetForegroundWindow(window);
    const int chosen = static_cast<int>(TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, window, nullptr));
    PostMessageW(window, WM_NULL, 0, 0);
    EndMenu();
    menu.reset();
    NOTIFYICONDATAW data = Record(0);
    Shell_NotifyIconW(NIM_SETFOCUS, &data);
    return chosen;
}

}  // namespace kelpa
