// File logic in-process: creation, existence, replacement, executable
// classes of Wine's own programs, and file times in whole UTC seconds.
#include <windows.h>
#include <string>

#include "catch.hpp"
#include "core/OleDate.h"
#include "files/File.h"
#include "runtime/UniqueHandle.h"
#include "tests/unit/TestDates.h"
#include "tests/unit/TestFolder.h"

using namespace kelpa;

namespace {

std::wstring SystemFolder() {
    wchar_t path[MAX_PATH] = {};
    GetSystemDirectoryW(path, MAX_PATH);
    return path;
}

std::string Content(const std::wstring& path) {
    unique_hfile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    char buffer[256] = {};
    DWORD read = 0;
    if (file) ReadFile(file.get(), buffer, sizeof(buffer), &read, nullptr);
    return std::string(buffer, read);
}

}  // namespace

TEST_CASE("Create makes new files and empties old ones only when told", "[file]") {
    TestFolder folder;
    const std::wstring path = folder.MakeFile(L"old.txt", "keep");
    CHECK_FALSE(File::Create(path, false));
    CHECK(Content(path) == "keep");
    CHECK(File::Create(path, true));
    CHECK(Content(path).empty());
    CHECK(File::Create(folder.Path() + L"\\new.txt", false));
    CHECK(File::Exists(folder.Path() + L"\\new.txt"));
    CHECK_FALSE(File::Create(folder.Path() + L"\\no\\such\\folder.txt", true));
}

TEST_CASE("Exists finds files, folders and wildcard matches", "[file]") {
    TestFolder folder;
    folder.MakeFile(L"a.sys");
    CHECK(File::Exists(folder.Path()));
    CHECK(File::Exists(folder.Path() + L"\\a.sys"));
    CHECK(File::Exists(folder.Path() + L"\\*.sys"));
    CHECK_FALSE(File::Exists(folder.Path() + L"\\*.none"));
    CHECK_FALSE(File::Exists(folder.Path() + L"\\missing"));
    CHECK_FALSE(File::Exists(L""));
}

TEST_CASE("Replace swaps files with and without a backup", "[file]") {
    TestFolder folder;
    const std::wstring target = folder.MakeFile(L"target.txt", "old");
    const std::wstring replacement = folder.MakeFile(L"new.txt", "new");
    const std::wstring backup = folder.Path() + L"\\backup.txt";
    CHECK(File::Replace(target, replacement, backup));
    CHECK(Content(target) == "new");
    CHECK(Content(backup) == "old");
    CHECK_FALSE(File::Exists(replacement));

    const std::wstring second = folder.MakeFile(L"second.txt", "2nd");
    CHECK(File::Replace(target, second, L""));
    CHECK(Content(target) == "2nd");
    CHECK(Content(backup) == "old");
    CHECK_FALSE(File::Replace(target, folder.Path() + L"\\missing.txt", L""));
    CHECK(Content(target) == "2nd");
}

TEST_CASE("Executable classes of Wine's own programs", "[file]") {
    // The system folder holds programs of this program's own width.
    const DWORD native = sizeof(void*) == 8 ? SCS_64BIT_BINARY : SCS_32BIT_BINARY;
    const std::wstring console = SystemFolder() + L"\\cmd.exe";
    const std::wstring gui = SystemFolder() + L"\\notepad.exe";
    CHECK(File::ExeType(console) == native);
    CHECK(File::ExeType2(console) == native);
    CHECK(File::ExeType3(console, false) == 2);
    CHECK(File::ExeType3(console, true) == 0);
    CHECK(File::ExeType(gui) == native);
    CHECK(File::ExeType3(gui, false) == 1);
    CHECK(File::ExeType3(gui, true) >= 400);

    TestFolder folder;
    // An MS-DOS program: an MZ header with no PE or NE header behind it.
    std::string header(256, '\0');
    header[0] = 'M';
    header[1] = 'Z';
    header[8] = 4;  // header size in paragraphs
    const std::wstring dos = folder.MakeFile(L"dos.exe", header);
    CHECK(File::ExeType(dos) == SCS_DOS_BINARY);
    CHECK(File::ExeType2(dos) == SCS_DOS_BINARY);
    CHECK(File::ExeType3(dos, false) == 3);
    CHECK(File::ExeType3(dos, true) == 0);

    const std::wstring text = folder.MakeFile(L"readme.txt", "just text");
    CHECK(File::ExeType(text) == -1);
    CHECK(File::ExeType2(text) == -1);
    CHECK(File::ExeType3(text, false) == 0);
    CHECK(File::ExeType(folder.Path() + L"\\missing.exe") == -1);
    CHECK(File::Application(folder.Path() + L"\\missing.nothing").empty());
}

TEST_CASE("File times are set, read and compared in whole UTC seconds", "[file]") {
    TestFolder folder;
    const std::wstring path = folder.MakeFile(L"times.txt", "t");
    const std::wstring other = folder.MakeFile(L"other.txt", "o");
    const DATE noon = MakeDate(2020, 6, 15, 12, 0, 0);
    CHECK(File::TimeSet(path, noon, File::kLastWrite));
    CHECK(File::TimeGet(path, File::kLastWrite) == noon);
    // Any selector but 1 and 4 reads the last write time.
    CHECK(File::TimeGet(path, 3) == noon);

    // Milliseconds on disk are dropped when read.
    {
        unique_hfile file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        const SYSTEMTIME system = MakeSystemTime(2021, 3, 4, 12, 0, 0, 750);
        FILETIME time = {};
        SystemTimeToFileTime(&system, &time);
        REQUIRE(SetFileTime(file.get(), nullptr, nullptr, &time));
    }
    CHECK(File::TimeGet(path, File::kLastWrite) == MakeDate(2021, 3, 4, 12, 0, 0));

    // All three at once; Wine keeps no creation time of its own, so only the
    // last access and last write times are read back.
    const DATE morning = MakeDate(2019, 1, 2, 3, 4, 5);
    CHECK(File::TimeSet(path, morning, 7));
    CHECK(File::TimeGet(path, File::kLastWrite) == morning);
    CHECK(File::TimeGet(path, File::kLastAccess) == morning);

    CHECK(File::TimeSet(other, noon, File::kLastWrite));
    CHECK(File::TimeCompare(path, other, File::kLastWrite) == 1);
    CHECK(File::TimeCompare(other, path, File::kLastWrite) == 2);
    CHECK(File::TimeCompare(path, path, File::kLastWrite) == 0);
    CHECK(File::TimeCompare(path, folder.Path() + L"\\missing", 2) == -1);
    CHECK(File::TimeCompare(folder.Path() + L"\\missing", path, 2) == -1);

    // Folders have times too; missing files and impossible Dates fail.
    CHECK(File::TimeSet(folder.Path(), noon, File::kLastWrite));
    CHECK(File::TimeGet(folder.Path(), File::kLastWrite) == noon);
    CHECK(File::TimeGet(folder.Path() + L"\\missing", 2) == 0);
    CHECK_FALSE(File::TimeSet(folder.Path() + L"\\missing", noon, 2));
    CHECK_FALSE(File::TimeSet(path, -700000.0, 2));
    CHECK(File::TimeGet(path, File::kLastWrite) == morning);
}
