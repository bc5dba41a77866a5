// Command line and start-up values of kelpa.exe.
#include <windows.h>

#include "catch.hpp"

#include "core/kelpafn.h"
#include "runtime/ServerProgram.h"

using namespace kelpa;

TEST_CASE("the argument part follows the program name and its blanks", "[startup]") {
    CHECK(ArgumentPart(L"kelpa.exe /?") == L"/?");
    CHECK(ArgumentPart(L"\"C:\\Program Files\\kelpa.exe\"   /? ") == L"/? ");
    CHECK(ArgumentPart(L"kelpa.exe") == L"");
    CHECK(ArgumentPart(L"\"C:\\x y\\kelpa.exe\"") == L"");
    CHECK(ArgumentPart(L"kelpa.exe\t-Embedding") == L"-Embedding");
}

TEST_CASE("only exactly /? asks for the usage box", "[startup]") {
    CHECK(ParseStartMode(L"/?") == StartMode::Usage);
    CHECK(ParseStartMode(L"/? ") == StartMode::Nothing);
    CHECK(ParseStartMode(L"-?") == StartMode::Nothing);
    CHECK(ParseStartMode(L"/h") == StartMode::Nothing);
    CHECK(ParseStartMode(L"anything") == StartMode::Nothing);
}

TEST_CASE("COM's start switch and the registration switches", "[startup]") {
    CHECK(ParseStartMode(L"-Embedding") == StartMode::Serve);
    CHECK(ParseStartMode(L"/embedding") == StartMode::Serve);
    CHECK(ParseStartMode(L"-EMBEDDING") == StartMode::Serve);
    CHECK(ParseStartMode(L"") == StartMode::Register);
    CHECK(ParseStartMode(L"   ") == StartMode::Register);
    CHECK(ParseStartMode(L"/regserver") == StartMode::Register);
    CHECK(ParseStartMode(L"-RegServer") == StartMode::Register);
    CHECK(ParseStartMode(L"/unregserver") == StartMode::Unregister);
    CHECK(ParseStartMode(L"/regserver extra") == StartMode::Nothing);
}

TEST_CASE("the usage text ends in two line breaks", "[startup]") {
    const std::wstring text = UsageText(L"kelpa.exe");
    CHECK(text ==
          L"kelpa.exe command line arguments:\r\n\r\n/regserver\r\n\tregister this component (default arg.)\r\n"
          L"/unregserver\r\n\tunregister this component\r\n\r\n");
    CHECK(std::wstring(kUsageTitle) == L"KELPA by OLMA");
}

TEST_CASE("the OS version number is major * 100 + minor", "[startup]") {
    ComputeOsVersionNumber();
    OSVERSIONINFOEXW info;
    REQUIRE(QueryWindowsVersion(info));
    CHECK(info.dwOSVersionInfoSize == 284);
    CHECK(OsVersionNumber() == static_cast<short>(info.dwMajorVersion * 100 + info.dwMinorVersion));
    CHECK(OsVersionNumber() >= 600);
}
