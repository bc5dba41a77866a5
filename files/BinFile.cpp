// BinFile logic: the open file, the typed conversions and the lazily cached
// position and size.
#include "files/BinFile.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "core/AnsiText.h"
#include "core/ScriptValues.h"

namespace kelpa {
namespace {

const wchar_t kWrongTypeText[] = L"Wrong argument (wrong Variant type)";
const wchar_t kReadCountText[] = L"Number of bytes to read is undefined.";
const wchar_t kPrepareText[] = L"Could not prepare write data.";
const wchar_t kMismatchText[] = L"Write data do not match the requested number of bytes.";
const wchar_t kSizeText[] = L"API function failed to return the file size.";
const wchar_t kPointerText[] = L"API function failed to return the file pointer.";
const wchar_t kSetPointerText[] = L"API function failed to set the file pointer.";
const wchar_t kAssignedPointerText[] = L"Could not set the assigned file pointer.";
const wchar_t kWrongValueText[] = L"Wrong property value: ";

constexpr long long kCurrencyScale = 10000;

// Bytes of a fixed-size number read into or written from a script value.
size_t NumberSize(VARTYPE type) noexcept {
    switch (type) {
    case VT_UI1: return 1;
    case VT_I2: return 2;
    case VT_I4: case VT_R4: return 4;
    case VT_R8: case VT_CY: return 8;
    default: return 0;
    }
}

// The halves of a 64-bit position or size as the split properties report
// them (the low half of 2 GiB or more reads as a negative Long); 0 unknown.
long LowHalf(const std::optional<long long>& value) noexcept {
    return value ? static_cast<long>(static_cast<unsigned long>(*value & 0xFFFFFFFF)) : 0;
}
long HighHalf(const std::optional<long long>& value) noexcept {
    return value ? static_cast<long>(*value >> 32) : 0;
}

int HexDigit(wchar_t c) noexcept {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// A ReadFile or WriteFile of any size: the count a single call takes is a
// DWORD, and a failing call counts as nothing moved.
DWORD Transfer(HANDLE file, void* data, DWORD count, bool write) noexcept {
    DWORD moved = 0;
    const BOOL ok = write ? WriteFile(file, data, count, &moved, nullptr)
                          : ReadFile(file, data, count, &moved, nullptr);
    return ok ? moved : 0;
}

// Reads up to `wanted` bytes straight into the String the script gets, as a
// byte string or, with useUnicode, as UTF-16 units (an odd last byte makes a
// unit whose high byte is zero). No buffer in between: for pieces of a
// megabyte the copy and the zeroing of one cost as much as the read. The
// count read, 0 leaving the target alone.
DWORD ReadRawText(HANDLE file, VARIANT& target, DWORD wanted, bool unicode) {
    const auto whole = [unicode](DWORD count) { return unicode ? (count + 1) / 2 * 2 : count; };
    const UINT allocated = whole(wanted);
    unique_bstr text(SysAllocStringByteLen(nullptr, allocated));
    if (!text) throw std::bad_alloc();
    char* bytes = reinterpret_cast<char*>(text.get());
    const DWORD count = Transfer(file, bytes, wanted, false);
    if (count == 0) return 0;
    const UINT length = whole(count);
    if (count < length) bytes[count] = '\0';
    // A short read at the end of the file: a String of what was read, never
    // one with bytes the file did not give.
    if (length < allocated) {
        text.reset(SysAllocStringByteLen(bytes, length));
        if (!text) throw std::bad_alloc();
    }
    V_VT(&target) = VT_BSTR;
    V_BSTR(&target) = text.release();
    return count;
}

}  // namespace

std::optional<std::string> HexStringBytes(const std::wstring& text) {
    if (text.size() < 3) return std::nullopt;
    std::wstring digits = text.substr(2);
    if (digits.size() % 2) digits.insert(digits.begin(), L'0');
    std::string bytes;
    bytes.reserve(digits.size() / 2);
    for (size_t i = 0; i < digits.size(); i += 2) {
        // As "&H" + the pair reads as a number: no leading digit gives 0, a
        // bad second character leaves the first digit alone.
        const int high = HexDigit(digits[i]);
        const int low = HexDigit(digits[i + 1]);
        const int value = high < 0 ? 0 : low < 0 ? high : high * 16 + low;
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

std::optional<std::string> BytesToWrite(const VARIANT& value, const BinFile::Modes& modes) {
    const VARIANT& held = Dereference(value);
    const bool byReference = (V_VT(&held) & VT_BYREF) != 0;
    const VARTYPE type = static_cast<VARTYPE>(V_VT(&held) & ~VT_BYREF);
    if (byReference && !held.byref) return std::nullopt;
    const void* data = byReference ? held.byref : static_cast<const void*>(&held.llVal);

    if (const size_t size = NumberSize(type)) {
        std::string bytes(static_cast<const char*>(data), size);
        // Integers go big-endian on request; floating point never does.
        if (modes.twistEndian && (type == VT_I2 || type == VT_I4 || type == VT_CY))
            std::reverse(bytes.begin(), bytes.end());
        return bytes;
    }
    if (type == (VT_ARRAY | VT_UI1)) {
        SAFEARRAY* array = byReference ? *static_cast<SAFEARRAY* const*>(data) : V_ARRAY(&held);
        if (!array || SafeArrayGetDim(array) == 0 || array->cbElements != 1) return std::nullopt;
        size_t count = 1;
        for (UINT dimension = 0; dimension < array->cDims; ++dimension) count *= array->rgsabound[dimension].cElements;
        if (count == 0) return std::nullopt;
        void* elements = nullptr;
        if (FAILED(SafeArrayAccessData(array, &elements))) return std::nullopt;
        std::string bytes(static_cast<const char*>(elements), count);
        SafeArrayUnaccessData(array);
        return bytes;
    }
    if (type == VT_BSTR) {
        const BSTR text = byReference ? *static_cast<const BSTR*>(data) : V_BSTR(&held);
        const UINT byteLength = SysStringByteLen(text);
        if (byteLength == 0) return std::nullopt;
        if (modes.useUnicode) return std::string(reinterpret_cast<const char*>(text), byteLength);
        const std::wstring wide(text, SysStringLen(text));
        if (modes.useHexstring && wide.size() >= 2 && wide[0] == L'&' && (wide[1] == L'H' || wide[1] == L'h'))
            return HexStringBytes(wide);
        return ToAnsi(wide);
    }
    return std::nullopt;
}

bool BinFile::Open(const std::wstring& path, bool writeAccess) {
    Close();
    m_path = path;
    m_writeAccess = writeAccess;
    m_nextHigh = 0;
    m_position.reset();
    m_size.reset();
    const DWORD access = writeAccess ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ;
    unique_hfile file(CreateFileW(path.c_str(), access, 0, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_RANDOM_ACCESS | FILE_ATTRIBUTE_ARCHIVE, nullptr));
    if (!file || GetFileType(file.get()) != FILE_TYPE_DISK) return false;
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.get(), &size)) return false;
    m_file = std::move(file);
    m_size = size.QuadPart;
    m_position = 0;
    return true;
}

void BinFile::Close() noexcept {
    if (!m_file) return;
    if (m_writeAccess) FlushFileBuffers(m_file.get());
    m_file.reset();
    m_position.reset();
    m_size.reset();
}

long BinFile::Handle() const noexcept {
    return m_file ? static_cast<long>(reinterpret_cast<intptr_t>(m_file.get())) : 0;
}

void BinFile::Forget(bool size) noexcept {
    m_position.reset();
    if (size) m_size.reset();
}

bool BinFile::WriteAllowed() const {
    if (!m_file) {
        m_errors.Report(kNotOpen, L"File is not open: " + m_path, 1);
        return false;
    }
    if (!m_writeAccess) {
        m_errors.Report(kNoWriteAccess, L"Write access not permitted.", 1);
        return false;
    }
    return true;
}

bool BinFile::Read(VARIANT& data, long numbytes, long vtype) {
    m_byteCount = 0;
    m_eof = false;
    if (!m_file) {
        m_errors.Report(kNotOpen, L"File is not open: " + m_path, 1);
        return false;
    }
    // The value goes where the script's variable is; a fixed-size array
    // there cannot be replaced by another value.
    VARIANT& target = const_cast<VARIANT&>(Dereference(data));
    if (IsByRefArray(target)) {
        m_errors.Report(kWrongType, kWrongTypeText, 2);
        return false;
    }
    VariantClear(&target);
    const VARTYPE type = static_cast<VARTYPE>(vtype);
    const size_t numberSize = vtype == type ? NumberSize(type) : 0;
    if (numberSize == 0 && numbytes == 0) {
        m_errors.Report(kReadCount, kReadCountText, 2);
        return false;
    }
    if (numberSize == 0 && numbytes < 0) {
        m_errors.Report(kReadCount, L"Number of bytes to read is negative.", 2);
        return false;
    }

    if (numberSize) {
        // A short read leaves the missing high bytes zero.
        LONGLONG bytes = 0;
        const DWORD count = Transfer(m_file.get(), &bytes, static_cast<DWORD>(numberSize), false);
        m_position.reset();
        m_eof = count < numberSize;
        if (count == 0) return false;
        m_byteCount = static_cast<long>(count);
        V_VT(&target) = type;
        std::memcpy(&target.llVal, &bytes, numberSize);
        return true;
    }

    const DWORD wanted = static_cast<DWORD>(numbytes);
    if (type == VT_BSTR && (m_modes.useUnicode || !m_modes.convertAnsi)) {
        const DWORD count = ReadRawText(m_file.get(), target, wanted, m_modes.useUnicode);
        m_position.reset();
        m_eof = count < wanted;
        m_byteCount = static_cast<long>(count);
        return count > 0;
    }
    if (type == VT_BSTR) {
        std::string buffer(static_cast<size_t>(wanted), '\0');
        const DWORD count = Transfer(m_file.get(), &buffer[0], wanted, false);
        m_position.reset();
        m_eof = count < wanted;
        if (count == 0) return false;
        const std::wstring converted = FromAnsi(buffer.data(), count);
        const BSTR text = SysAllocStringLen(converted.data(), static_cast<UINT>(converted.size()));
        if (!text) throw std::bad_alloc();
        V_VT(&target) = VT_BSTR;
        V_BSTR(&target) = text;
        m_byteCount = static_cast<long>(count);
        return true;
    }

    // Every other type: a Byte array of numbytes elements, read in place.
    unique_safearray array(SafeArrayCreateVector(VT_UI1, 0, wanted));
    if (!array) throw std::bad_alloc();
    void* elements = nullptr;
    if (FAILED(SafeArrayAccessData(array.get(), &elements))) throw std::bad_alloc();
    const DWORD count = Transfer(m_file.get(), elements, wanted, false);
    std::memset(static_cast<char*>(elements) + count, 0, wanted - count);
    SafeArrayUnaccessData(array.get());
    m_position.reset();
    m_eof = count < wanted;
    if (count == 0) return false;
    m_byteCount = static_cast<long>(count);
    V_VT(&target) = VT_ARRAY | VT_UI1;
    V_ARRAY(&target) = array.release();
    return true;
}

bool BinFile::Write(const VARIANT& data, long numbytes) {
    m_byteCount = 0;
    if (!WriteAllowed()) return false;
    std::optional<std::string> bytes = BytesToWrite(data, m_modes);
    if (!bytes) {
        m_errors.Report(kWriteData, kPrepareText, 2);
        return false;
    }
    if (numbytes < 0) {
        m_errors.Report(kWriteData, L"Number of bytes to write is negative.", 2);
        return false;
    }
    if (static_cast<unsigned long>(numbytes) > bytes->size()) {
        m_errors.Report(kWriteData, kMismatchText, 2);
        return false;
    }
    const DWORD wanted = numbytes == 0 ? static_cast<DWORD>(bytes->size()) : static_cast<DWORD>(numbytes);
    const DWORD count = Transfer(m_file.get(), &(*bytes)[0], wanted, true);
    // Even a failed write may have moved part of the data: ask again.
    Forget(true);
    m_byteCount = static_cast<long>(count);
    return count > 0;
}

bool BinFile::Trim() {
    if (!WriteAllowed()) return false;
    const bool cut = SetEndOfFile(m_file.get()) != FALSE;
    DWORD written = 0;
    const bool touched = cut && WriteFile(m_file.get(), "", 0, &written, nullptr) != FALSE;
    Forget(true);
    if (!touched) return false;
    m_byteCount = 0;
    return true;
}

void BinFile::Flush() {
    if (WriteAllowed()) FlushFileBuffers(m_file.get());
}

std::optional<long long> BinFile::Position() {
    if (!m_position) {
        LARGE_INTEGER zero = {}, position = {};
        if (SetFilePointerEx(m_file.get(), zero, &position, FILE_CURRENT))
            m_position = position.QuadPart;
        else
            m_errors.Report(kApiFailed, kPointerText, 1);
    }
    return m_position;
}

std::optional<long long> BinFile::Size() {
    if (!m_size) {
        LARGE_INTEGER size = {};
        if (GetFileSizeEx(m_file.get(), &size))
            m_size = size.QuadPart;
        else
            m_errors.Report(kApiFailed, kSizeText, 1);
    }
    return m_size;
}

long BinFile::Length() {
    return m_file ? LowHalf(Size()) : 0;
}

long BinFile::Length2() {
    return m_file ? HighHalf(Size()) : 0;
}

long BinFile::Location() {
    return m_file ? LowHalf(Position()) : 0;
}

long BinFile::Location2() {
    return m_file ? HighHalf(Position()) : 0;
}

void BinFile::SetLocation2(long high) {
    if (!m_file) return;
    if (high < 0) {
        m_errors.Report(kWrongValue, std::wstring(kWrongValueText) + L"Location2", 1);
        return;
    }
    m_nextHigh = high;
}

void BinFile::SetLocation(long low) {
    if (!m_file) return;
    MoveTo((static_cast<long long>(m_nextHigh) << 32) | static_cast<unsigned long>(low), kAssignedPointerText);
}

void BinFile::MoveTo(long long position, const wchar_t* failureText) {
    LARGE_INTEGER target = {}, reached = {};
    target.QuadPart = position;
    m_position.reset();
    if (!SetFilePointerEx(m_file.get(), target, &reached, FILE_BEGIN)) {
        m_errors.Report(kApiFailed, failureText, 1);
        return;
    }
    m_position = reached.QuadPart;
}

CY BinFile::Reportable(std::optional<long long> value, const wchar_t* property) const {
    CY result = {};
    if (!value) return result;
    if (*value < 0 || *value > kLargestWhole) {
        m_errors.Report(kWrongValue, std::wstring(kWrongValueText) + property, 1);
        return result;
    }
    result.int64 = *value * kCurrencyScale;
    return result;
}

CY BinFile::Loc() {
    if (!m_file) return CY{};
    return Reportable(Position(), L"LOC");
}

CY BinFile::Lof() {
    if (!m_file) return CY{};
    return Reportable(Size(), L"LOF");
}

void BinFile::SetLoc(CY position) {
    if (!m_file) return;
    if (position.int64 < 0 || position.int64 > kLargestWhole * kCurrencyScale) {
        m_errors.Report(kWrongValue, std::wstring(kWrongValueText) + L"LOC", 1);
        return;
    }
    MoveTo(position.int64 / kCurrencyScale, kSetPointerText);  // the fraction is dropped
}

}  // namespace kelpa
