// The notification-area icon behind "Kelpa.Notice": a hidden window that the
// shell reports the icon's clicks to, the icon with its tool tip, balloons
// and context menu, and the one-shot events. Results are Booleans with the
// reason of a failure in ErrorCode; nothing here raises script errors.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <shellapi.h>
#include <string>
#include <vector>

#include "runtime/UniqueHandle.h"
#include "windows/NoticeIcon.h"

namespace kelpa {

// What the icon reports to its owner. Hold and LetGo bracket the handling of
// an icon message: a handler may release the owner's last reference, and the
// owner must outlive the message that is still being handled.
class NoticeEvents {
public:
    virtual void TrayClick(short action) = 0;
    virtual void BalloonClick() = 0;
    virtual void Hold() noexcept = 0;
    virtual void LetGo() noexcept = 0;

protected:
    ~NoticeEvents() = default;
};

class Notice {
public:
    // The message the shell sends about the icon; with version 4 the event
    // is the low word of lParam, the icon identifier the high word, and
    // wParam carries the position (x low word, y high word).
    static constexpr UINT kCallbackMessage = 0x8008;
    static constexpr size_t kMenuEntryLimit = 8;
    static constexpr short kRightClickWithoutMenu = 123;

    // Error codes (ErrorCode); 2 and 3 come from the icon loading.
    static constexpr long kAddedState = 1;
    static constexpr long kBalloonNeedsVista = 4;

    Notice(NoticeEvents& events, short osVersion);
    ~Notice();
    Notice(const Notice&) = delete;
    Notice& operator=(const Notice&) = delete;

    bool Add();
    bool ChangeIcon();
    void Remove() noexcept;
    bool ShowBalloon();

    long ErrorCode() const noexcept { return m_errorCode; }
    long BalloonOptions() const noexcept { return m_balloonOptions; }
    void SetBalloonOptions(long value) noexcept { m_balloonOptions = value; }
    const std::wstring& BalloonText() const noexcept { return m_balloonText; }
    void SetBalloonText(const std::wstring& value);
    const std::wstring& BalloonTitle() const noexcept { return m_balloonTitle; }
    void SetBalloonTitle(const std::wstring& value);
    short BalloonIcon() const noexcept { return m_balloonIcon; }
    void SetBalloonIcon(short value) noexcept;
    NoticeIconSource& BalloonIconSource() noexcept { return m_balloonSource; }
    NoticeIconSource& TrayIconSource() noexcept { return m_traySource; }
    // The file names are cut to 255 characters, the sizes accept 0 and 1 only.
    static void SetIconFile(NoticeIconSource& source, const std::wstring& value);
    static void SetIconSize(NoticeIconSource& source, short value) noexcept;
    const std::wstring& TipText() const noexcept { return m_tipText; }
    // Cut to 127 characters; shown at once while the icon is added.
    void SetTipText(const std::wstring& value);
    bool TriggerEvent() const noexcept { return m_triggerEvent; }
    void SetTriggerEvent(bool value) noexcept { m_triggerEvent = value; }
    bool UseLoadImageAPI() const noexcept { return m_useImageLoader; }
    void SetUseLoadImageAPI(bool value) noexcept { m_useImageLoader = value; }
    bool BalloonClicked() const noexcept { return m_balloonClicked; }
    short TrayClicked() const noexcept { return m_trayClicked; }
    // Whatever a script assigns, these only reset.
    void ResetBalloonClicked() noexcept { m_balloonClicked = false; }
    void ResetTrayClicked() noexcept { m_trayClicked = 0; }
    // A copy of the value last given, and the entries taken from it.
    void ContextMenu(VARIANT* result) const;
    void SetContextMenu(const VARIANT& value);
    short ContextMenuItems() const noexcept { return static_cast<short>(m_menuEntries.size()); }
    const std::vector<std::wstring>& MenuEntries() const noexcept { return m_menuEntries; }

    HWND Window() const noexcept { return m_window.get(); }
    UINT IconId() const noexcept { return m_iconId; }
    bool Added() const noexcept { return m_added; }

private:
    // Handles one icon message as the shell sends it: the context menu, then
    // the action. The owner may be released by a handler meanwhile.
    void OnIconMessage(WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data) noexcept;
    NOTIFYICONDATAW Record(UINT flags) const noexcept;
    bool AddToShell() noexcept;
    void Report(UINT event, int entry);
    int ShowContextMenu(int x, int y) noexcept;

    NoticeEvents& m_events;
    const short m_osVersion;
    unique_hwnd m_window;
    const UINT m_iconId;
    bool m_added = false;
    unique_hicon m_trayIcon;
    unique_hicon m_balloonIconHandle;
    short m_iconSizeUsed = 0;
    long m_errorCode = 0;
    std::wstring m_tipText;
    std::wstring m_balloonText;
    std::wstring m_balloonTitle;
    short m_balloonIcon = 0;
    long m_balloonOptions = 0;
    NoticeIconSource m_traySource;
    NoticeIconSource m_balloonSource{0, L"", L"", 1};
    bool m_useImageLoader = false;
    bool m_triggerEvent = false;
    bool m_balloonClicked = false;
    short m_trayClicked = 0;
    unique_variant m_contextMenu;
    std::vector<std::wstring> m_menuEntries;
    bool m_busy = false;
};

// The menu entries of a script value: the first up to eight elements of a
// one-dimensional, zero-based array, each as text; none for anything else.
std::vector<std::wstring> MenuEntriesOf(const VARIANT& value);

}  // namespace kelpa
