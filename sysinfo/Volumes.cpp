// Volume facts shared by System and DriveList.
#include "sysinfo/Volumes.h"

namespace kelpa {

std::wstring VolumeRoot(const std::wstring& drive) {
    if (drive.empty() || drive.back() == L'\\') return drive;
    return drive + L'\\';
}

bool QueryVolume(const std::wstring& drive, VolumeFacts& facts) {
    const std::wstring root = VolumeRoot(drive);
    std::vector<wchar_t> name(4096), fileSystem(128);
    DWORD serial = 0, component = 0, flags = 0;
    QuietCriticalErrors quiet;
    if (!GetVolumeInformationW(root.empty() ? nullptr : root.c_str(), name.data(), static_cast<DWORD>(name.size()),
                               &serial, &component, &flags, fileSystem.data(),
                               static_cast<DWORD>(fileSystem.size())))
        return false;
    facts.name = name.data();
    facts.serial = static_cast<long>(serial);
    facts.fileSystem = fileSystem.data();
    facts.flags = static_cast<long>(flags);
    facts.maximumComponent = static_cast<long>(component);
    return true;
}

std::vector<DriveLetter> DriveLetters() {
    std::vector<DriveLetter> drives;
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i))) continue;
        DriveLetter drive;
        drive.drive = {static_cast<wchar_t>(L'A' + i), L':'};
        drive.type = GetDriveTypeW(VolumeRoot(drive.drive).c_str());
        drives.push_back(std::move(drive));
    }
    return drives;
}

}  // namespace kelpa
