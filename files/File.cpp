// File operations through the kernel and the shell.
#include "files/File.h"

#include <shellapi.h>
#include <optional>

#include "core/OleDate.h"
#include "core/ScriptValues.h"
#include "runtime/UniqueHandle.h"

namespace kelpa {
namespace {

// Generous for FindExecutableW, which writes at most MAX_PATH characters
// but is known to overrun short buffers on some systems.
constexpr DWORD kExecutableBuffer = 8192;

constexpr DWORD kAttributeAccess = FILE_READ_ATTRIBUTES | FILE_WRITE_ATTRIBUTES;
// Backup semantics let a directory be opened for its times too.
constexpr DWORD kTimeFlags = FILE_FLAG_RANDOM_ACCESS | FILE_FLAG_BACKUP_SEMANTICS;

unique_hfile OpenForTimes(const std::wstring& path, DWORD access) {
    return unique_hfile(CreateFileW(path.c_str(), access, 0, nullptr, OPEN_EXISTING, kTimeFlags, nullptr));
}

DWORD_PTR ShellExeType(const std::wstring& filespec) {
    if (filespec.size() >= MAX_PATH) return 0;  // the shell's buffers are MAX_PATH long
    SHFILEINFOW info = {};
    return SHGetFileInfoW(filespec.c_str(), 0, &info, sizeof(info), SHGFI_EXETYPE);
}

std::optional<FILETIME> ReadTime(HANDLE file, short which) {
    FILETIME time = {};
    const BOOL ok = which == File::kCreation     ? GetFileTime(file, &time, nullptr, nullptr)
                    : which == File::kLastAccess ? GetFileTime(file, nullptr, &time, nullptr)
                                                 : GetFileTime(file, nullptr, nullptr, &time);
    if (!ok) return std::nullopt;
    return time;
}

}  // namespace

std::wstring File::Application(const std::wstring& filespec) {
    // FindExecutableW works on MAX_PATH buffers of its own, and Wine's
    // overruns its stack on a longer name: no such file can be opened by an
    // association anyway, so the answer is "none".
    if (filespec.size() >= MAX_PATH) return {};
    std::wstring buffer(kExecutableBuffer, L'\0');
    const auto code = reinterpret_cast<INT_PTR>(FindExecutableW(filespec.c_str(), nullptr, &buffer[0]));
    return code > 32 ? CutAtNul(buffer) : std::wstring();
}

bool File::Create(const std::wstring& filespec, bool overwrite) {
    unique_hfile file(CreateFileW(filespec.c_str(), GENERIC_WRITE, 0, nullptr, overwrite ? CREATE_ALWAYS : CREATE_NEW,
                                  0, nullptr));
    return static_cast<bool>(file);
}

long File::ExeType(const std::wstring& filespec) {
    DWORD type = 0;
    return GetBinaryTypeW(filespec.c_str(), &type) ? static_cast<long>(type) : -1;
}

long File::ExeType2(const std::wstring& filespec) {
    const long type = ExeType(filespec);
    switch (type) {
    case SCS_32BIT_BINARY: case SCS_DOS_BINARY: case SCS_WOW_BINARY: case SCS_64BIT_BINARY:
        return ShellExeType(filespec) ? type : -1;
    default:
        return type;
    }
}

short File::ExeType3(const std::wstring& filespec, bool winversion) {
    const DWORD_PTR answer = ShellExeType(filespec);
    if (!answer) return 0;
    const WORD signature = LOWORD(answer);
    const WORD version = HIWORD(answer);
    if (winversion) return version ? static_cast<short>(HIBYTE(version) * 100 + LOBYTE(version)) : 0;
    switch (signature) {
    case 0x454E: return 4;               // "NE": 16-bit Windows
    case 0x4550: return version ? 1 : 2;  // "PE": a GUI program carries its Windows version
    case 0x5A4D: return 3;               // "MZ": MS-DOS
    case 0x4D5A: return 3;               // the same as Wine writes it, bytes swapped
    default: return 0;
    }
}

bool File::Exists(const std::wstring& filespec) {
    WIN32_FIND_DATAW found = {};
    unique_hfind search(FindFirstFileW(filespec.c_str(), &found));
    return static_cast<bool>(search);
}

bool File::Replace(const std::wstring& filespec, const std::wstring& replacement, const std::wstring& backup) {
    return ReplaceFileW(filespec.c_str(), replacement.c_str(), backup.empty() ? nullptr : backup.c_str(),
                        REPLACEFILE_WRITE_THROUGH | REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != FALSE;
}

bool File::TimeSet(const std::wstring& path, DATE dt, short which) {
    unique_hfile file = OpenForTimes(path, kAttributeAccess);
    if (!file) return false;
    // The Date is taken as UTC as it stands: no local-time conversion.
    const std::optional<SYSTEMTIME> system = DateToSystemTime(dt);
    FILETIME time = {};
    if (!system || !SystemTimeToFileTime(&*system, &time)) return false;
    bool outcome = true;
    if (which & kCreation) outcome = SetFileTime(file.get(), &time, nullptr, nullptr) != FALSE;
    if (which & kLastWrite) outcome = SetFileTime(file.get(), nullptr, nullptr, &time) != FALSE;
    if (which & kLastAccess) outcome = SetFileTime(file.get(), nullptr, &time, nullptr) != FALSE;
    return outcome;
}

DATE File::TimeGet(const std::wstring& path, short which) {
    std::optional<FILETIME> time;
    if (unique_hfile file = OpenForTimes(path, FILE_READ_ATTRIBUTES)) time = ReadTime(file.get(), which);
    SYSTEMTIME system = {};
    if (!time || !FileTimeToSystemTime(&*time, &system)) return 0;
    return SystemTimeToDate(system).value_or(0);
}

short File::TimeCompare(const std::wstring& path1, const std::wstring& path2, short which) {
    // Opens for attributes only take part in no sharing check, so a file
    // compared with itself opens twice.
    unique_hfile first = OpenForTimes(path1, FILE_READ_ATTRIBUTES);
    if (!first) return -1;
    unique_hfile second = OpenForTimes(path2, FILE_READ_ATTRIBUTES);
    if (!second) return -1;
    const std::optional<FILETIME> time1 = ReadTime(first.get(), which);
    const std::optional<FILETIME> time2 = ReadTime(second.get(), which);
    if (!time1 || !time2) return -1;
    switch (CompareFileTime(&*time1, &*time2)) {
    case -1: return 1;
    case 0: return 0;
    default: return 2;
    }
}

}  // namespace kelpa
