// Facts about the machine, each a failure-tolerant wrapper over one query:
// a failing query gives the empty string or 0, never an error.
#pragma once

#include <string>

namespace kelpa {

class System {
public:
    // Captures the native processor facts (a 32-bit server on 64-bit Windows
    // reports the 64-bit processor).
    System() noexcept;

    static std::wstring UserName();
    static std::wstring ComputerName(long format);
    static std::wstring NetworkName();
    static long NetworkType() noexcept;
    long ProcessorArchitecture() const noexcept { return m_architecture; }
    long ProcessorInfo() const noexcept { return m_processorType; }
    static long GetMetrics(long index) noexcept;
    static long VolumeGetSN(const std::wstring& drive);
    static std::wstring VolumeGetName(const std::wstring& drive);
    static std::wstring VolumeGetFileSys(const std::wstring& drive);
    static std::wstring VolumeGetGUID(const std::wstring& drive);
    static long CurrentCodePage() noexcept;
    // 1 legacy BIOS, 2 UEFI, 0 unknown; alternate: ask the firmware variables.
    static short BiosMode(bool alternate) noexcept;

    // The root path the volume queries give the system: the drive with a
    // backslash appended when missing; empty stays empty (current volume).
    static std::wstring VolumeRoot(const std::wstring& drive);

private:
    long m_architecture = 0;
    long m_processorType = 0;
};

}  // namespace kelpa
