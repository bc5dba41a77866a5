// The drive dialog of "Kelpa.DriveList".
#include "dialogs/DriveListSelection.h"

#include <algorithm>
#include <cwctype>

#include "sysinfo/Volumes.h"

namespace kelpa {
namespace {

constexpr wchar_t kCaption[] = L"KELPA DriveList";

class DriveDialog : public ChoiceDialog {
public:
    // The drives are read before the window exists: nothing that can throw
    // runs inside the window's callbacks.
    DriveDialog(const ChoiceSettings& settings, const std::wstring& initial)
        : ChoiceDialog(settings, kCaption, false, 2535),
          m_initial(initial),
          m_current(DriveListSelection::InitialDrive(L"")),
          m_entries(DriveListSelection::Entries()) {}

    const std::wstring& Chosen() const noexcept { return m_result; }

protected:
    void CreateContent() override {
        m_drives = AddControl(L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, kContentId);
        LRESULT start = CB_ERR, current = CB_ERR;
        for (const std::wstring& entry : m_entries) {
            const LRESULT index = SendMessageW(m_drives, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
            if (_wcsnicmp(entry.c_str(), m_initial.c_str(), 2) == 0) start = index;
            if (_wcsnicmp(entry.c_str(), m_current.c_str(), 2) == 0) current = index;
        }
        // A drive that is not in the list leaves the list on its own choice:
        // the current directory's drive, or the first one.
        if (start == CB_ERR) start = current != CB_ERR ? current : 0;
        SendMessageW(m_drives, CB_SETCURSEL, start, 0);
    }

    // Compact without an information text: the list 315 twips from the top,
    // the button at 1080 and a window 840 twips lower.
    SIZE DesignClient() const override { return {3072, HasInfo() ? 2544 : 1704}; }

    void Layout(int width, int) override {
        const int okWidth = OkWidth();
        const int okLeft = std::max(Px(240), Px(2640) - okWidth);
        if (HasInfo()) {
            PlaceLabel(Px(240), Px(120), Px(2535));
            Place(m_drives, Px(240), Px(1160) + InfoExtra(), Px(2600), Px(2400));
            Place(OkButton(), okLeft, Px(1920) + InfoExtra(), okWidth, Px(380));
        } else {
            Place(m_drives, Px(240), Px(315), Px(2600), Px(2400));
            Place(OkButton(), okLeft, Px(1080), okWidth, Px(380));
        }
        (void)width;
    }

    HWND InitialFocus() const override { return OkButton(); }

    bool TakeResult() override {
        const LRESULT index = SendMessageW(m_drives, CB_GETCURSEL, 0, 0);
        if (index >= 0 && static_cast<size_t>(index) < m_entries.size()) m_result = m_entries[index];
        return true;
    }

private:
    std::wstring m_initial;
    std::wstring m_current;
    std::vector<std::wstring> m_entries;
    HWND m_drives = nullptr;
    std::wstring m_result;
};

}  // namespace

std::vector<std::wstring> DriveListSelection::Entries() {
    std::vector<std::wstring> entries;
    for (const DriveLetter& drive : DriveLetters()) {
        // Lower-case letters, as the classic drive list of the platform shows them.
        std::wstring entry = {static_cast<wchar_t>(std::towlower(drive.drive[0])), L':'};
        VolumeFacts facts;
        // A floppy drive is not asked: an empty one would be slow to answer.
        if (drive.type != DRIVE_REMOVABLE && QueryVolume(drive.drive, facts) && !facts.name.empty())
            entry += L" [" + facts.name + L"]";
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::wstring DriveListSelection::InitialDrive(const std::wstring& defaultDrive) {
    if (!defaultDrive.empty()) {
        const std::wstring drive = {defaultDrive[0], L':'};
        if (GetDriveTypeW(VolumeRoot(drive).c_str()) != DRIVE_NO_ROOT_DIR) return drive;
    }
    wchar_t current[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryW(MAX_PATH, current);
    if (length < 2 || length >= MAX_PATH) return std::wstring();
    return std::wstring(current, 2);
}

std::wstring DriveListSelection::Selection(const std::wstring& defaultDrive, const std::wstring& title) const {
    // Everything of the object is read before the wait (see ChoiceDialog).
    const bool crop = m_crop;
    DriveDialog dialog(m_settings, InitialDrive(defaultDrive));
    if (!dialog.Run(title)) return std::wstring();
    const std::wstring& chosen = dialog.Chosen();
    return crop && chosen.size() > 2 ? chosen.substr(0, 2) : chosen;
}

}  // namespace kelpa
