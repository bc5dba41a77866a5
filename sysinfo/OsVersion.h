// The true version of the running Windows (RtlGetVersion, which no
// compatibility shim bends), read once when the object is created.
#pragma once

namespace kelpa {

struct OsVersionRecord {
    long major = 0;
    long minor = 0;
    long build = 0;
    short servicePackMajor = 0;
    short servicePackMinor = 0;
    short productType = 0;
    short suiteMask = 0;
    short is64Bit = 0;
    long edition = 0;
};

// Fills the record; every field stays 0 when the kernel does not answer or
// reports a platform other than Windows NT.
OsVersionRecord ReadOsVersion() noexcept;

class OsVersion {
public:
    OsVersion() noexcept : m_record(ReadOsVersion()) {}

    // The server's major * 100 + minor, computed now if start-up left it 0.
    static short Number() noexcept;
    const OsVersionRecord& Record() const noexcept { return m_record; }

private:
    OsVersionRecord m_record;
};

}  // namespace kelpa
