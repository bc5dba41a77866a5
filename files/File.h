// Small file operations for scripts: the program associated with a document,
// creating, testing and atomically replacing files, classifying executables
// and reading, setting and comparing file times. Nothing is kept between
// calls and nothing raises: each operation reports failure in its result.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <string>

namespace kelpa {

class File {
public:
    // The time a member works on: 1 creation, 2 last write, 4 last access.
    // TimeSet takes a mask; the others read 1 and 4 and treat anything else as 2.
    enum Which : short { kCreation = 1, kLastWrite = 2, kLastAccess = 4 };

    static std::wstring Application(const std::wstring& filespec);
    static bool Create(const std::wstring& filespec, bool overwrite);
    // The GetBinaryTypeW class (0 Win32, 1 MS-DOS, 2 Win16, 3 PIF, 4 POSIX,
    // 5 OS/2, 6 Win64), or -1.
    static long ExeType(const std::wstring& filespec);
    // As ExeType, but a program the shell does not take for one is -1.
    static long ExeType2(const std::wstring& filespec);
    // From the shell's header reading: 1 Windows GUI, 2 console, 3 MS-DOS,
    // 4 16-bit Windows, 0 other; or the expected Windows version (major * 100
    // + minor) of a GUI program.
    static short ExeType3(const std::wstring& filespec, bool winversion);
    static bool Exists(const std::wstring& filespec);
    static bool Replace(const std::wstring& filespec, const std::wstring& replacement, const std::wstring& backup);

    // Times are UTC Dates in whole seconds; failure reads as the Date 0.
    static bool TimeSet(const std::wstring& path, DATE dt, short which);
    static DATE TimeGet(const std::wstring& path, short which);
    // 1 when path1's time is earlier, 0 equal, 2 later, -1 when unreadable.
    static short TimeCompare(const std::wstring& path1, const std::wstring& path2, short which);
};

}  // namespace kelpa
