// Facts about the server process for scripts: who made it and which version
// it is (from the running module's version resource), where it lies, its
// process and thread, its parent and the thread of the client's call.
#pragma once

#include <windows.h>
#include <string>

namespace kelpa {

// The version resource fields that Me reads.
struct VersionFacts {
    std::wstring description;
    std::wstring company;
    std::wstring legalNotice;
    WORD major = 0;
    WORD minor = 0;
};

// Read from the module's own resource (not from its file on disk); empty
// fields and version 0.0 when the module has none.
VersionFacts ReadVersionFacts(HMODULE module);

class Me {
public:
    // Description " by " company " " legal notice, exactly as stored.
    static std::wstring About();
    static long InstanceHandle() noexcept;
    // The folder of the server program, without a trailing backslash.
    static std::wstring Path();
    static long ProcessId() noexcept;
    static long ThreadId() noexcept;
    // "major.minor" of the file version.
    static std::wstring Version();
    // The process that started this one, 0 when the snapshot does not say.
    static long ParentProcessId() noexcept;
    // The client thread of the current call, 0 where the platform cannot
    // tell (a call from another machine, or Wine, which lacks the function).
    static long CallerThreadId() noexcept;
};

}  // namespace kelpa
