// Profile logic in-process: list conversions, limits and the failure texts.
#include <windows.h>

#include "catch.hpp"
#include "tests/unit/TestFolder.h"
#include "utilities/Profile.h"

using namespace kelpa;

TEST_CASE("NUL lists and CR LF text convert both ways", "[profile]") {
    using namespace std::string_literals;
    CHECK(NulsToLineBreaks(L"a=1\0b=2\0"s) == L"a=1\r\nb=2\r\n");
    CHECK(NulsToLineBreaks(L""s) == L"");
    CHECK(LineBreaksToNuls(L"a=1\r\nb=2") == L"a=1\0b=2\0"s);
    CHECK(LineBreaksToNuls(L"a=1\r\nb=2\r\n") == L"a=1\0b=2\0\0"s);
    // A lone CR or LF is not a separator.
    CHECK(LineBreaksToNuls(L"a\rb\nc") == L"a\rb\nc\0"s);
    CHECK(HexLimit(8192) == L"(0x2000).");
    CHECK(HexLimit(32768) == L"(0x8000).");
}

TEST_CASE("Profile failures carry number, source and description", "[profile]") {
    TestFolder folder;
    Profile profile;
    try {
        profile.GetValue(L"a", L"b");
        FAIL("no error raised");
    } catch (const ScriptError& e) {
        CHECK(e.Number() == static_cast<HRESULT>(0x80040340));
        CHECK(e.Source() == L"Kelpa.Profile");
        CHECK(e.Description() == L"No Profile defined.");
    }
    const std::wstring missing = folder.Path() + L"\\none.ini";
    try {
        profile.SetFile(missing);
        FAIL("no error raised");
    } catch (const ScriptError& e) {
        CHECK(e.Number() == static_cast<HRESULT>(0x8004033F));
        CHECK(e.Description() == L"Profile not found: " + missing);
    }
    CHECK(profile.File().empty());

    profile.Errors().Set(0);
    CHECK(profile.GetValue(L"a", L"b").empty());
    CHECK_FALSE(profile.SetValue(L"a", L"b", L"c"));
    CHECK_NOTHROW(profile.SetFile(missing));
}

TEST_CASE("Profile writes within the limits and refuses beyond them", "[profile]") {
    TestFolder folder;
    const std::wstring path = folder.MakeFile(L"limits.ini");
    Profile profile;
    profile.SetFile(path);
    CHECK(profile.SetValue(L"S", L"k", std::wstring(8192, L'x')));
    CHECK_THROWS_AS(profile.SetValue(L"S", L"k", std::wstring(8193, L'x')), ScriptError);
    CHECK(profile.GetValue(L"S", L"k").size() == 8191);
    CHECK(profile.SetSection(L"T", std::wstring(32768, L'y'), true));
    CHECK_THROWS_AS(profile.SetSection(L"T", std::wstring(32769, L'y'), true), ScriptError);
}

TEST_CASE("a relative profile name means the file in the current folder", "[profile]") {
    TestFolder folder;
    folder.MakeFile(L"relative.ini");
    wchar_t previous[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, previous);
    SetCurrentDirectoryW(folder.Path().c_str());
    Profile profile;
    profile.SetFile(L"relative.ini");
    CHECK(profile.File() == L"relative.ini");
    CHECK(profile.SetValue(L"S", L"k", L"here"));
    SetCurrentDirectoryW(previous);
    // Read back through the full path: the value went to this folder's file,
    // not to a file of the same name in the Windows folder.
    Profile direct;
    direct.SetFile(folder.Path() + L"\\relative.ini");
    CHECK(direct.GetValue(L"S", L"k") == L"here");
}
