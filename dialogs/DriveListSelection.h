// The settings of "Kelpa.DriveList" and its Selection: one of the computer's
// drives picked from a drop-down list.
#pragma once

#include <string>
#include <vector>

#include "dialogs/ChoiceDialog.h"

namespace kelpa {

class DriveListSelection {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.DriveList";
    static constexpr size_t kInfoLength = 128;

    ChoiceSettings& Settings() noexcept { return m_settings; }
    bool Crop() const noexcept { return m_crop; }
    void SetCrop(bool value) noexcept { m_crop = value; }

    // The chosen entry ("c: [System]"), or its drive letter and colon with
    // Crop; "" when the dialog is closed without OK. defaultDrive: the drive
    // the list starts on (its first letter); empty or not a drive: the
    // drive of the current directory.
    std::wstring Selection(const std::wstring& defaultDrive, const std::wstring& title) const;

    // The entries of the drive list: a drive letter and a colon, then the
    // volume's name in brackets when it has one.
    static std::vector<std::wstring> Entries();
    // The drive ("X:") the list starts on.
    static std::wstring InitialDrive(const std::wstring& defaultDrive);

private:
    ChoiceSettings m_settings{kInfoLength};
    bool m_crop = false;
};

}  // namespace kelpa
