// Volume facts read by more than one class: the System object's volume
// members and the drive list dialog both go through these, so an empty
// removable drive is treated the same way everywhere.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

namespace kelpa {

// Volume queries on an empty removable drive must not let the system ask
// the (absent) user to insert a disk: the server has no one to ask.
class QuietCriticalErrors {
public:
    QuietCriticalErrors() noexcept { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &m_previous); }
    ~QuietCriticalErrors() { SetThreadErrorMode(m_previous, nullptr); }
    QuietCriticalErrors(const QuietCriticalErrors&) = delete;
    QuietCriticalErrors& operator=(const QuietCriticalErrors&) = delete;

private:
    DWORD m_previous = 0;
};

struct VolumeFacts {
    std::wstring name;
    long serial = 0;
    std::wstring fileSystem;
    long flags = 0;
    long maximumComponent = 0;
};

// The root path the volume queries give the system: the drive with a
// backslash appended when missing; empty stays empty (current volume).
std::wstring VolumeRoot(const std::wstring& drive);

// False when the volume cannot be read (no such drive, no medium).
bool QueryVolume(const std::wstring& drive, VolumeFacts& facts);

// The drive letters in use ("C:", "Z:"...), in alphabetical order, with the
// platform's drive type of each (DRIVE_FIXED, DRIVE_REMOVABLE...).
struct DriveLetter {
    std::wstring drive;
    UINT type = DRIVE_UNKNOWN;
};
std::vector<DriveLetter> DriveLetters();

}  // namespace kelpa
