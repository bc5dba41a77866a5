// Local-server mechanics: registry entries for each class, the type library,
// and the message loop that keeps the apartment alive while objects exist.
#include "runtime/Server.h"

#include <oleauto.h>
#include <wrl/client.h>

#include "runtime/ClassFactory.h"
#include "runtime/DynamicImport.h"
#include "runtime/ServerLifetime.h"
#include "runtime/UniqueHandle.h"

namespace kelpa {
namespace {

std::wstring GuidText(const GUID& guid) {
    wchar_t text[64] = {};
    StringFromGUID2(guid, text, ARRAYSIZE(text));
    return text;
}

LSTATUS SetString(HKEY root, const std::wstring& path, const wchar_t* name, const std::wstring& value) {
    unique_hkey key;
    LSTATUS status = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(), nullptr);
    if (status != ERROR_SUCCESS) return status;
    return RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

LSTATUS WriteClasses(HKEY classesRoot, const ServerDescription& server, const std::wstring& exePath) {
    const std::wstring libraryId = GuidText(server.libraryId);
    const std::wstring version =
        std::to_wstring(server.libraryMajor) + L"." + std::to_wstring(server.libraryMinor);
    for (const ClassEntry& entry : server.classes) {
        if (entry.instancing == Instancing::NotCreatable) continue;
        const std::wstring progId = std::wstring(server.progIdPrefix) + entry.name;
        const std::wstring clsidKey = L"CLSID\\" + GuidText(entry.clsid);
        LSTATUS status = SetString(classesRoot, clsidKey, nullptr, progId);
        if (status != ERROR_SUCCESS) return status;
        // Quoted, so a folder with blanks in its name still starts the right program.
        SetString(classesRoot, clsidKey + L"\\LocalServer32", nullptr, L"\"" + exePath + L"\"");
        SetString(classesRoot, clsidKey + L"\\ProgID", nullptr, progId);
        SetString(classesRoot, clsidKey + L"\\TypeLib", nullptr, libraryId);
        SetString(classesRoot, clsidKey + L"\\Version", nullptr, version);
        SetString(classesRoot, progId, nullptr, progId);
        status = SetString(classesRoot, progId + L"\\CLSID", nullptr, GuidText(entry.clsid));
        if (status != ERROR_SUCCESS) return status;
    }
    return ERROR_SUCCESS;
}

unique_hkey OpenClassesRoot(HKEY hive) {
    unique_hkey key;
    RegCreateKeyExW(hive, L"Software\\Classes", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, key.put(),
                    nullptr);
    return key;
}

// The 32-bit and the 64-bit build of a server register the same classes.
// A 64-bit system keeps each width's CLSID keys in its own registry view, but
// ProgIDs and type libraries in one place for both.
#ifdef _WIN64
constexpr SYSKIND kSysKind = SYS_WIN64;
#else
constexpr SYSKIND kSysKind = SYS_WIN32;
#endif

// Whether a build of the server, of either width, still registers the class.
bool ClassRegisteredInAnyView(const GUID& clsid) {
    const std::wstring path = L"Software\\Classes\\CLSID\\" + GuidText(clsid) + L"\\LocalServer32";
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
            unique_hkey key;
            if (RegOpenKeyExW(hive, path.c_str(), 0, KEY_READ | view, key.put()) == ERROR_SUCCESS) return true;
        }
    }
    return false;
}

// Deletes this build's CLSID keys from both hives. Returns whether the other
// width's build still registers the classes: it then keeps the shared keys.
bool DeleteClasses(const ServerDescription& server) {
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        unique_hkey root = OpenClassesRoot(hive);
        if (!root) continue;
        for (const ClassEntry& entry : server.classes)
            RegDeleteTreeW(root.get(), (L"CLSID\\" + GuidText(entry.clsid)).c_str());
    }
    bool otherBuildRemains = false;
    for (const ClassEntry& entry : server.classes) {
        if (entry.instancing == Instancing::NotCreatable) continue;
        if (ClassRegisteredInAnyView(entry.clsid)) {
            otherBuildRemains = true;
            continue;
        }
        for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
            unique_hkey root = OpenClassesRoot(hive);
            if (root) RegDeleteTreeW(root.get(), (std::wstring(server.progIdPrefix) + entry.name).c_str());
        }
    }
    return otherBuildRemains;
}

// Removes only this width's path of the type library, leaving its interfaces
// and the other width's path to the build that still uses them.
void DeleteTypeLibPath(const ServerDescription& server) {
    const std::wstring version =
        L"Software\\Classes\\TypeLib\\" + GuidText(server.libraryId) + L"\\" +
        std::to_wstring(server.libraryMajor) + L"." + std::to_wstring(server.libraryMinor);
    const wchar_t* width = kSysKind == SYS_WIN64 ? L"\\0\\win64" : L"\\0\\win32";
    for (HKEY hive : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) RegDeleteTreeW(hive, (version + width).c_str());
}

// The per-user variants are missing from mingw's headers; oleaut32 has them
// since Vista (and Wine has them).
HRESULT RegisterTypeLibPerUser(ITypeLib* library, std::wstring path) {
    using Fn = HRESULT(WINAPI*)(ITypeLib*, OLECHAR*, OLECHAR*);
    auto registerForUser = LoadedFunction<Fn>(L"oleaut32.dll", "RegisterTypeLibForUser");
    return registerForUser ? registerForUser(library, path.data(), nullptr) : E_NOTIMPL;
}

void UnregisterTypeLibPerUser(const ServerDescription& server) {
    using Fn = HRESULT(WINAPI*)(REFGUID, WORD, WORD, LCID, SYSKIND);
    auto unregisterForUser = LoadedFunction<Fn>(L"oleaut32.dll", "UnRegisterTypeLibForUser");
    if (unregisterForUser)
        unregisterForUser(server.libraryId, server.libraryMajor, server.libraryMinor, LOCALE_NEUTRAL, kSysKind);
}

// The server's own hidden window: it receives the idle notice and the linger
// timer, and being a window its messages are delivered by any message loop on
// the thread, a dialog's included.
constexpr UINT_PTR kLingerTimer = 1;
DWORD g_lingerMilliseconds = 3000;
// A server of single-use classes has served its one object once the object
// is gone: no client can reach its class objects any more, so it ends at once.
bool g_singleUse = false;
bool g_servedItsObject = false;

bool AllSingleUse(const ServerDescription& server) {
    bool any = false;
    for (const ClassEntry& entry : server.classes) {
        if (entry.instancing == Instancing::MultiUse) return false;
        any |= entry.instancing == Instancing::SingleUse;
    }
    return any;
}

LRESULT CALLBACK ServerWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kMessageServerIdle) {
        if (g_singleUse) {
            g_servedItsObject = true;
            PostQuitMessage(0);
            return 0;
        }
        SetTimer(window, kLingerTimer, g_lingerMilliseconds, nullptr);
        return 0;
    }
    if (message == WM_TIMER && wParam == kLingerTimer) {
        KillTimer(window, kLingerTimer);
        if (ServerObjectCount() == 0) PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Handles what is already on its way in (an activation that obtained a class
// factory just before the revocation) for a while before the process ends,
// and stops at once when such an activation creates an object.
void DrainMessages(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    MSG message;
    while (GetTickCount64() < end && ServerObjectCount() == 0) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace

std::wstring ModulePath(HMODULE module) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

HRESULT RegisterServer(const ServerDescription& server, const std::wstring& exePath) noexcept {
    try {
        Microsoft::WRL::ComPtr<ITypeLib> library;
        HRESULT hr = LoadTypeLibEx(exePath.c_str(), REGKIND_NONE, &library);
        if (FAILED(hr)) return hr;

        bool perUser = false;
        {
            unique_hkey machine = OpenClassesRoot(HKEY_LOCAL_MACHINE);
            const LSTATUS status = machine ? WriteClasses(machine.get(), server, exePath) : ERROR_ACCESS_DENIED;
            if (status == ERROR_ACCESS_DENIED) {
                perUser = true;
            } else if (status != ERROR_SUCCESS) {
                return HRESULT_FROM_WIN32(status);
            }
        }
        if (perUser) {
            unique_hkey user = OpenClassesRoot(HKEY_CURRENT_USER);
            if (!user) return E_ACCESSDENIED;
            const LSTATUS status = WriteClasses(user.get(), server, exePath);
            if (status != ERROR_SUCCESS) return HRESULT_FROM_WIN32(status);
        }

        std::wstring path = exePath;
        return perUser ? RegisterTypeLibPerUser(library.Get(), path)
                       : RegisterTypeLib(library.Get(), path.data(), nullptr);
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

HRESULT UnregisterServer(const ServerDescription& server) noexcept {
    try {
        if (DeleteClasses(server)) {
            DeleteTypeLibPath(server);
            return S_OK;
        }
        UnRegisterTypeLib(server.libraryId, server.libraryMajor, server.libraryMinor, LOCALE_NEUTRAL, kSysKind);
        UnregisterTypeLibPerUser(server);
        return S_OK;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

int RunServer(const ServerDescription& server, DWORD lingerMilliseconds) noexcept {
    g_lingerMilliseconds = lingerMilliseconds;
    g_singleUse = AllSingleUse(server);
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = ServerWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KelpaServerWindow";
    RegisterClassW(&windowClass);
    unique_hwnd window(CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       windowClass.hInstance, nullptr));
    if (!window) return 1;
    ServerNotifyIdleTo(window.get());

    // The factories outlive the apartment: a client may still hold a reference
    // to a factory's stub when the server ends (Wine's clients keep theirs),
    // and CoUninitialize releases those stubs, calling the factory. Freed with
    // the stack frame, the factory would be called after its memory was gone.
    static ClassObjectRegistrations registrations(server.classes);
    if (FAILED(registrations.Register())) return 1;
    // A client that started us but never created an object must not leave
    // the process behind: the same linger applies from the start.
    SetTimer(window.get(), kLingerTimer, lingerMilliseconds, nullptr);

    for (;;) {
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (g_servedItsObject) break;
        // Wine hands a client the class object of a server that is on its way
        // out (CoReleaseServerProcess does not suspend class objects there):
        // revoke first, keeping the factories reachable for a client that
        // fetched one just before, then serve what is already on its way in.
        // Wine keeps no count of the clients holding a factory (their
        // references outlive even the client), so the grace period is a time:
        // one second covers an activation delayed by a loaded machine.
        registrations.HoldWhileRevoking();
        registrations.Revoke();
        DrainMessages(1000);
        registrations.ReleaseHeld();
        if (ServerObjectCount() == 0) break;
        if (FAILED(registrations.Register())) break;
    }
    registrations.Revoke();
    ServerNotifyIdleTo(nullptr);
    return 0;
}

}  // namespace kelpa
