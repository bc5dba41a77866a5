// System facts, OS version and sounds in-process: the failure values of the
// volume queries, agreement with the platform's own answers, and the rules
// Noise applies before it calls the sound device.
#include <windows.h>
#include <vector>

#include "catch.hpp"
#include "core/kelpafn.h"
#include "sysinfo/Noise.h"
#include "sysinfo/OsVersion.h"
#include "sysinfo/System.h"

using namespace kelpa;
using SystemFacts = kelpa::System;  // ::System is the coclass
using Sounds = kelpa::Noise;

TEST_CASE("volume queries: missing drives give 0 and empty strings", "[system]") {
    CHECK(SystemFacts::VolumeRoot(L"C:") == L"C:\\");
    CHECK(SystemFacts::VolumeRoot(L"C:\\") == L"C:\\");
    CHECK(SystemFacts::VolumeRoot(L"").empty());

    // A letter that no drive uses.
    const DWORD drives = GetLogicalDrives();
    std::wstring missing;
    for (wchar_t letter = L'Z'; letter >= L'D' && missing.empty(); --letter)
        if (!(drives & (1u << (letter - L'A')))) missing = std::wstring(1, letter) + L":";
    REQUIRE_FALSE(missing.empty());
    CHECK(SystemFacts::VolumeGetSN(missing) == 0);
    CHECK(SystemFacts::VolumeGetName(missing).empty());
    CHECK(SystemFacts::VolumeGetFileSys(missing).empty());
    CHECK(SystemFacts::VolumeGetGUID(missing).empty());
    CHECK(SystemFacts::VolumeGetFileSys(L"no such thing").empty());

    // With and without the backslash the same volume answers.
    CHECK(SystemFacts::VolumeGetSN(L"C:") == SystemFacts::VolumeGetSN(L"C:\\"));
    CHECK(SystemFacts::VolumeGetName(L"C:") == SystemFacts::VolumeGetName(L"C:\\"));
    CHECK_FALSE(SystemFacts::VolumeGetFileSys(L"C:").empty());
    const std::wstring guid = SystemFacts::VolumeGetGUID(L"C:");
    CHECK(guid.rfind(L"\\\\?\\Volume{", 0) == 0);
    CHECK(guid.back() == L'\\');
}

TEST_CASE("names, network, code page and metrics agree with the platform", "[system]") {
    wchar_t name[257];
    DWORD length = ARRAYSIZE(name);
    REQUIRE(GetUserNameW(name, &length));
    CHECK(SystemFacts::UserName() == name);

    length = ARRAYSIZE(name);
    REQUIRE(GetComputerNameExW(ComputerNameNetBIOS, name, &length));
    CHECK(SystemFacts::ComputerName(0) == name);
    CHECK(SystemFacts::ComputerName(99).empty());
    CHECK(SystemFacts::ComputerName(-1).empty());

    CHECK(SystemFacts::CurrentCodePage() == static_cast<long>(GetACP()));
    CHECK(SystemFacts::GetMetrics(SM_CXSCREEN) == GetSystemMetrics(SM_CXSCREEN));
    CHECK(SystemFacts::GetMetrics(100000) == 0);

    const long joined = SystemFacts::NetworkType();
    CHECK(joined >= 0);
    CHECK(joined <= 3);
    if (joined == 2 || joined == 3) CHECK_FALSE(SystemFacts::NetworkName().empty());

    SYSTEM_INFO info = {};
    GetNativeSystemInfo(&info);
    const SystemFacts facts;
    CHECK(facts.ProcessorArchitecture() == info.wProcessorArchitecture);
    CHECK(facts.ProcessorInfo() == static_cast<long>(info.dwProcessorType));

    const short firmware = SystemFacts::BiosMode(false);
    CHECK(firmware >= 0);
    CHECK(firmware <= 2);
    const short alternate = SystemFacts::BiosMode(true);
    CHECK(alternate >= 0);
    CHECK(alternate <= 2);
}

TEST_CASE("the OS version record matches the kernel's answer", "[osversion]") {
    OSVERSIONINFOEXW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
    const auto getVersion = reinterpret_cast<RtlGetVersionFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion")));
    REQUIRE(getVersion(&info) == 0);

    const OsVersion version;
    const OsVersionRecord& record = version.Record();
    CHECK(record.major == static_cast<long>(info.dwMajorVersion));
    CHECK(record.minor == static_cast<long>(info.dwMinorVersion));
    CHECK(record.build == static_cast<long>(info.dwBuildNumber));
    CHECK(record.productType == info.wProductType);
    CHECK(record.servicePackMajor == static_cast<short>(info.wServicePackMajor));
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    CHECK(record.is64Bit == (wow64 || sizeof(void*) == 8 ? 1 : 0));
    if (record.major < 6) CHECK(record.edition == 0);

    // The number is computed on demand when start-up did not do it.
    CHECK(OsVersion::Number() == record.major * 100 + record.minor);
    CHECK(OsVersionNumber() == OsVersion::Number());
}

namespace {

struct RecordingDevice : SoundDevice {
    struct Played {
        std::wstring sound;
        bool stop;
        HMODULE module;
        DWORD flags;
    };
    std::vector<std::pair<DWORD, DWORD>> tones;
    std::vector<UINT> messages;
    std::vector<Played> played;
    void Tone(DWORD frequency, DWORD milliseconds) override { tones.emplace_back(frequency, milliseconds); }
    void MessageSound(UINT type) override { messages.push_back(type); }
    void PlayNamed(const wchar_t* sound, HMODULE module, DWORD flags) override {
        played.push_back({sound ? sound : L"", sound == nullptr, module, flags});
    }
};

}  // namespace

TEST_CASE("Ring clamps pitch and length", "[noise]") {
    RecordingDevice device;
    Sounds noise(device);
    noise.Ring(1024, 500);
    noise.Ring(20, 5);
    noise.Ring(40000, 20000);
    noise.Ring(37, 10);
    noise.Ring(-5, -5);
    using Tone = std::pair<DWORD, DWORD>;
    CHECK(device.tones ==
          std::vector<Tone>{{1024, 500}, {37, 10}, {32767, 10000}, {37, 10}, {37, 10}});
}

TEST_CASE("MsgBeep passes the known sounds and plays the default for others", "[noise]") {
    RecordingDevice device;
    Sounds noise(device);
    for (long type : {-1L, 0L, 16L, 32L, 48L, 64L, 17L, 65L, 0x7FFFFFFFL}) noise.MsgBeep(type);
    CHECK(device.messages == std::vector<UINT>{0xFFFFFFFF, 0, 16, 32, 48, 64, 0, 0, 0});
}

TEST_CASE("Play, PlayFile and PlayEvent add their flags and refuse what is unsafe", "[noise]") {
    RecordingDevice device;
    Sounds noise(device);
    noise.PlayFile(L"C:\\missing.wav", 0x1);
    noise.PlayEvent(L"SystemAsterisk", 0);
    noise.Play(L"", 0, 0x1);
    noise.Play(L"x", 0, 0x8 | 0x1);
    REQUIRE(device.played.size() == 4);
    CHECK(device.played[0].flags == (0x20002u | 0x1u));
    CHECK(device.played[0].sound == L"C:\\missing.wav");
    CHECK(device.played[1].flags == 0x10000u);
    CHECK(device.played[2].stop);
    CHECK(device.played[3].flags == 0x9u);

    device.played.clear();
    noise.Play(std::wstring(261, L'a'), 0, 0);                 // too long: ignored
    noise.Play(L"RIFF....WAVE", 0, 0x4);                       // SND_MEMORY: refused
    noise.Play(L"x", 0x12345678, 0x40004);                     // not a module: refused
    noise.Play(std::wstring(260, L'a'), 0, 0);                 // 260 is still accepted
    HMODULE self = GetModuleHandleW(nullptr);
    noise.Play(L"1", static_cast<long>(reinterpret_cast<LONG_PTR>(self)), 0x40004);  // SND_RESOURCE
    REQUIRE(device.played.size() == 2);
    CHECK(device.played[0].sound.size() == 260);
    CHECK(device.played[1].module == self);
    CHECK(device.played[1].flags == 0x40004u);
}

TEST_CASE("every sound member returns on the platform's own device", "[noise]") {
    Sounds noise;
    const DWORD start = GetTickCount();
    noise.Ring(440, 10);
    noise.MsgBeep(48);
    noise.PlayFile(L"C:\\no such sound.wav", 0);
    noise.PlayEvent(L"KelpaNoSuchEvent", 0x2);
    noise.Play(L"", 0, 0);
    CHECK(GetTickCount() - start < 10000);
}
