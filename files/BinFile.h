// Byte-level access to one existing file for scripts: typed reads and writes
// at a movable position, truncation, and the size and position as 32-bit
// halves or as one 64-bit number. The file is held open exclusively from
// Open until Close or destruction, which flushes it first.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <optional>
#include <string>

#include "core/ErrorLevel.h"
#include "runtime/ScriptError.h"
#include "runtime/UniqueHandle.h"

namespace kelpa {

class BinFile {
public:
    static constexpr HRESULT kNotOpen = ObjectError(842);
    static constexpr HRESULT kNoWriteAccess = ObjectError(844);
    static constexpr HRESULT kReadCount = ObjectError(845);
    static constexpr HRESULT kWriteData = ObjectError(846);
    static constexpr HRESULT kApiFailed = ObjectError(848);
    static constexpr HRESULT kWrongType = ObjectError(864);
    static constexpr HRESULT kWrongValue = ObjectError(865);
    // The largest whole number a Currency holds: positions and sizes beyond
    // it cannot be reported through LOC and LOF.
    static constexpr long long kLargestWhole = 922337203685477LL;

    // The read and write mode switches, all off at creation.
    struct Modes {
        bool convertAnsi = false;
        bool useUnicode = false;
        bool useHexstring = false;
        bool twistEndian = false;
    };

    BinFile() noexcept : m_errors(L"Kelpa.BinFile", 2, 2) {}
    ~BinFile() { Close(); }
    BinFile(const BinFile&) = delete;
    BinFile& operator=(const BinFile&) = delete;

    // Opens an existing disk file, without sharing; reports no error.
    bool Open(const std::wstring& path, bool writeAccess);
    bool IsOpen() const noexcept { return static_cast<bool>(m_file); }

    // The member operations; failures go through ErrorLevel.
    bool Read(VARIANT& data, long numbytes, long vtype);
    bool Write(const VARIANT& data, long numbytes);
    bool Trim();
    void Flush();
    void Close() noexcept;

    ErrorLevel& Errors() noexcept { return m_errors; }
    Modes& Switches() noexcept { return m_modes; }
    long ByteCount() const noexcept { return m_byteCount; }
    bool Eof() const noexcept { return m_eof; }
    long Handle() const noexcept;

    long Length();
    long Length2();
    long Location();
    long Location2();
    void SetLocation(long low);
    void SetLocation2(long high);
    // LOC and LOF as Currency values (the byte count times 10,000).
    CY Loc();
    void SetLoc(CY position);
    CY Lof();

private:
    bool WriteAllowed() const;
    std::optional<long long> Position();
    std::optional<long long> Size();
    // Sets the position from the start of the file; reports failureText.
    void MoveTo(long long position, const wchar_t* failureText);
    CY Reportable(std::optional<long long> value, const wchar_t* property) const;
    void Forget(bool size) noexcept;

    ErrorLevel m_errors;
    Modes m_modes;
    std::wstring m_path;
    unique_hfile m_file;
    bool m_writeAccess = false;
    long m_byteCount = 0;
    bool m_eof = false;
    // The file position and size as last asked of the system, or nothing when
    // a read, write, truncation or move may have changed them: the next
    // property asks again, so a property never reports an outdated value.
    std::optional<long long> m_position;
    std::optional<long long> m_size;
    // The high half that the next Location let moves within, as Location2
    // let set it. Kept apart from the cached position: setting it does not
    // move the file, and reading Location2 reports where the file really is.
    long m_nextHigh = 0;
};

// The bytes BWrite writes for a script value (following references), or
// nothing when the value cannot be written. Exposed for the unit tests.
std::optional<std::string> BytesToWrite(const VARIANT& value, const BinFile::Modes& modes);
// "&H1A2B" style text (the "&H" already checked) as bytes, or nothing when
// fewer than three characters.
std::optional<std::string> HexStringBytes(const std::wstring& text);

}  // namespace kelpa
