// BinFile logic in-process: opening, typed reads and writes, the failure
// table with its thresholds, and the cached position and size after every
// kind of change, checked against what the system says through the handle.
#include <windows.h>
#include <oleauto.h>
#include <new>
#include <string>

#include "catch.hpp"
#include "files/BinFile.h"
#include "runtime/UniqueHandle.h"
#include "tests/unit/TestFolder.h"

using namespace kelpa;

namespace {

std::string FileBytes(const std::wstring& path) {
    unique_hfile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr));
    std::string content(1 << 16, '\0');
    DWORD read = 0;
    if (file) ReadFile(file.get(), &content[0], static_cast<DWORD>(content.size()), &read, nullptr);
    content.resize(read);
    return content;
}

// The failure a call raised, or number 0 when it raised none.
template <class F>
ScriptError Failure(F&& call) {
    try {
        call();
    } catch (const ScriptError& e) {
        return e;
    }
    return ScriptError(S_OK, L"", L"");
}

struct Variant {
    Variant() { VariantInit(&value); }
    ~Variant() { VariantClear(&value); }
    VARIANT value;
};

CY Currency(long long raw) {
    CY value;
    value.int64 = raw;
    return value;
}

VARIANT Long(long v) {
    VARIANT value;
    V_VT(&value) = VT_I4;
    V_I4(&value) = v;
    return value;
}

// The file's real position and size, asked through the object's own handle.
struct Truth {
    long long position;
    long long size;
};
Truth Actual(const BinFile& file) {
    const HANDLE handle = reinterpret_cast<HANDLE>(static_cast<intptr_t>(file.Handle()));
    LARGE_INTEGER zero = {}, position = {}, size = {};
    SetFilePointerEx(handle, zero, &position, FILE_CURRENT);
    GetFileSizeEx(handle, &size);
    return {position.QuadPart, size.QuadPart};
}

// Every cached property against the truth.
void CheckCache(BinFile& file, const char* after) {
    INFO("after " << after);
    const Truth truth = Actual(file);
    CHECK(file.Location() == static_cast<long>(truth.position & 0xFFFFFFFF));
    CHECK(file.Location2() == static_cast<long>(truth.position >> 32));
    CHECK(file.Loc().int64 == truth.position * 10000);
    CHECK(file.Length() == static_cast<long>(truth.size & 0xFFFFFFFF));
    CHECK(file.Length2() == static_cast<long>(truth.size >> 32));
    CHECK(file.Lof().int64 == truth.size * 10000);
}

}  // namespace

TEST_CASE("OpenBinary opens only existing disk files that nobody holds", "[binfile]") {
    TestFolder folder;
    const std::wstring path = folder.MakeFile(L"data.bin", "0123456789");
    BinFile file;
    CHECK_FALSE(file.Open(folder.Path() + L"\\missing.bin", true));
    CHECK_FALSE(file.Open(folder.Path(), false));  // a directory
    CHECK_FALSE(file.Open(L"NUL", false));          // a device
    CHECK_FALSE(file.Open(L"\\\\.\\NUL", false));
    CHECK_FALSE(file.IsOpen());
    REQUIRE(file.Open(path, true));
    CHECK(file.Handle() != 0);
    CHECK(file.Length() == 10);
    CHECK(file.Location() == 0);

    // Held exclusively: a second object, with or without write access, fails.
    BinFile second;
    CHECK_FALSE(second.Open(path, false));
    file.Close();
    CHECK(file.Handle() == 0);
    CHECK(second.Open(path, false));

    // A read-only file opens for reading; for writing only where the platform
    // itself allows it (Wine run as root ignores the attribute).
    const std::wstring locked = folder.MakeFile(L"locked.bin", "abc");
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    const bool writable = static_cast<bool>(
        unique_hfile(CreateFileW(locked.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
    BinFile third;
    CHECK(third.Open(locked, true) == writable);
    third.Close();
    CHECK(third.Open(locked, false));
    third.Close();
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_CASE("BRead reads typed values and marks the end of the file", "[binfile]") {
    TestFolder folder;
    const std::string content("\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A", 10);
    const std::wstring path = folder.MakeFile(L"data.bin", content);
    BinFile file;
    REQUIRE(file.Open(path, false));
    Variant v;

    SECTION("numbers take their own size whatever numbytes says") {
        CHECK(file.Read(v.value, 0, VT_I4));
        CHECK(V_VT(&v.value) == VT_I4);
        CHECK(V_I4(&v.value) == 0x04030201);
        CHECK(file.Read(v.value, 100, VT_I2));
        CHECK(V_VT(&v.value) == VT_I2);
        CHECK(V_I2(&v.value) == 0x0605);
        CHECK(file.ByteCount() == 2);
        CHECK(file.Read(v.value, 0, VT_UI1));
        CHECK(V_UI1(&v.value) == 7);
        // Three bytes left for a Double: the missing high bytes stay 0.
        CHECK(file.Read(v.value, 0, VT_CY));
        CHECK(V_VT(&v.value) == VT_CY);
        CHECK(V_CY(&v.value).int64 == 0x0A0908);
        CHECK(file.ByteCount() == 3);
        CHECK(file.Eof());
    }
    SECTION("a Byte array keeps all its elements after a short read") {
        CHECK(file.Read(v.value, 8, 0));
        CHECK(file.Read(v.value, 4, 0));
        REQUIRE(V_VT(&v.value) == (VT_ARRAY | VT_UI1));
        SAFEARRAY* array = V_ARRAY(&v.value);
        CHECK(array->rgsabound[0].cElements == 4);
        CHECK(array->rgsabound[0].lLbound == 0);
        const unsigned char* bytes = static_cast<const unsigned char*>(array->pvData);
        CHECK(bytes[0] == 9);
        CHECK(bytes[1] == 10);
        CHECK(bytes[2] == 0);
        CHECK(bytes[3] == 0);
        CHECK(file.ByteCount() == 2);
        CHECK(file.Eof());
        // At the end: nothing read, False, Empty.
        CHECK_FALSE(file.Read(v.value, 4, 0));
        CHECK(file.ByteCount() == 0);
        CHECK(file.Eof());
        CHECK(V_VT(&v.value) == VT_EMPTY);
    }
    SECTION("Strings: byte string, Unicode and ANSI") {
        CHECK(file.Read(v.value, 5, VT_BSTR));
        REQUIRE(V_VT(&v.value) == VT_BSTR);
        CHECK(SysStringByteLen(V_BSTR(&v.value)) == 5);
        CHECK(std::string(reinterpret_cast<const char*>(V_BSTR(&v.value)), 5) == content.substr(0, 5));

        file.Switches().useUnicode = true;
        file.SetLoc(CY{});
        CHECK(file.Read(v.value, 5, VT_BSTR));
        REQUIRE(SysStringLen(V_BSTR(&v.value)) == 3);
        CHECK(V_BSTR(&v.value)[0] == 0x0201);
        CHECK(V_BSTR(&v.value)[2] == 0x0005);
        CHECK(file.ByteCount() == 5);
    }
    SECTION("a String from a short read holds only the bytes read") {
        file.SetLocation(7);
        CHECK(file.Read(v.value, 8, VT_BSTR));
        REQUIRE(V_VT(&v.value) == VT_BSTR);
        CHECK(SysStringByteLen(V_BSTR(&v.value)) == 3);
        CHECK(std::string(reinterpret_cast<const char*>(V_BSTR(&v.value)), 3) == content.substr(7));
        CHECK(file.ByteCount() == 3);
        CHECK(file.Eof());

        file.Switches().useUnicode = true;
        file.SetLocation(7);
        CHECK(file.Read(v.value, 8, VT_BSTR));
        REQUIRE(SysStringLen(V_BSTR(&v.value)) == 2);
        CHECK(V_BSTR(&v.value)[0] == 0x0908);
        CHECK(V_BSTR(&v.value)[1] == 0x000A);
        CHECK(file.Eof());
        CHECK_FALSE(file.Read(v.value, 8, VT_BSTR));
        CHECK(V_VT(&v.value) == VT_EMPTY);
    }
}

TEST_CASE("BRead converts ANSI text and refuses bad counts and fixed arrays", "[binfile]") {
    TestFolder folder;
    const std::wstring path = folder.MakeFile(L"text.txt", "Hello");
    BinFile file;
    REQUIRE(file.Open(path, false));
    Variant v;
    file.Switches().convertAnsi = true;
    CHECK(file.Read(v.value, 5, VT_BSTR));
    CHECK(std::wstring(V_BSTR(&v.value)) == L"Hello");

    // A fixed-size array variable arrives as a reference to an array.
    SAFEARRAY* fixed = SafeArrayCreateVector(VT_VARIANT, 0, 3);
    VARIANT target;
    V_VT(&target) = VT_BYREF | VT_ARRAY | VT_VARIANT;
    V_ARRAYREF(&target) = &fixed;
    ScriptError e = Failure([&] { file.Read(target, 4, 0); });
    CHECK(e.Number() == static_cast<HRESULT>(0x80040360));
    CHECK(e.Source() == L"Kelpa.BinFile");
    CHECK(e.Description() == L"Wrong argument (wrong Variant type)");
    CHECK(V_VT(&target) == (VT_BYREF | VT_ARRAY | VT_VARIANT));
    CHECK(*V_ARRAYREF(&target) == fixed);
    SafeArrayDestroy(fixed);

    e = Failure([&] { file.Read(v.value, 0, 0); });
    CHECK(e.Number() == static_cast<HRESULT>(0x8004034D));
    CHECK(e.Description() == L"Number of bytes to read is undefined.");
    CHECK(V_VT(&v.value) == VT_EMPTY);
    CHECK(Failure([&] { file.Read(v.value, 0, VT_BSTR); }).Description() == L"Number of bytes to read is undefined.");
    e = Failure([&] { file.Read(v.value, -5, 0); });
    CHECK(e.Number() == static_cast<HRESULT>(0x8004034D));
    CHECK(e.Description() == L"Number of bytes to read is negative.");
    CHECK(Failure([&] { file.Read(v.value, -1, VT_BSTR); }).Number() == static_cast<HRESULT>(0x8004034D));
    CHECK(file.Location() == 5);

    // A count far beyond what the process can hold is refused, not a crash.
    file.SetLoc(CY{});
    try {
        const bool read = file.Read(v.value, 0x7FFFFFFF, 0);
        CHECK((read && file.ByteCount() == 5));
    } catch (const std::bad_alloc&) {
        SUCCEED("out of memory reported");
    }
}

TEST_CASE("BWrite turns each value type into bytes", "[binfile]") {
    BinFile::Modes modes;
    VARIANT value = Long(0x01020304);
    CHECK(*BytesToWrite(value, modes) == std::string("\x04\x03\x02\x01", 4));
    modes.twistEndian = true;
    CHECK(*BytesToWrite(value, modes) == std::string("\x01\x02\x03\x04", 4));

    V_VT(&value) = VT_I2;
    V_I2(&value) = 0x0102;
    CHECK(*BytesToWrite(value, modes) == std::string("\x01\x02", 2));
    V_VT(&value) = VT_CY;
    V_CY(&value).int64 = 0x0102030405060708LL;
    CHECK(*BytesToWrite(value, modes) == std::string("\x01\x02\x03\x04\x05\x06\x07\x08", 8));
    // Floating point is never turned round.
    V_VT(&value) = VT_R8;
    V_R8(&value) = 1.0;
    CHECK(*BytesToWrite(value, modes) == std::string("\0\0\0\0\0\0\xF0\x3F", 8));
    V_VT(&value) = VT_R4;
    V_R4(&value) = 1.0f;
    CHECK(*BytesToWrite(value, modes) == std::string("\0\0\x80\x3F", 4));
    V_VT(&value) = VT_UI1;
    V_UI1(&value) = 0xAB;
    CHECK(*BytesToWrite(value, modes) == "\xAB");

    // Through references, as a script variable arrives.
    long number = 7;
    VARIANT reference;
    V_VT(&reference) = VT_BYREF | VT_I4;
    V_I4REF(&reference) = &number;
    modes.twistEndian = false;
    CHECK(*BytesToWrite(reference, modes) == std::string("\x07\0\0\0", 4));
    VARIANT outer;
    V_VT(&outer) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&outer) = &reference;
    CHECK(*BytesToWrite(outer, modes) == std::string("\x07\0\0\0", 4));

    // Byte arrays are copied whole; undimensioned or empty ones fail.
    SAFEARRAY* bytes = SafeArrayCreateVector(VT_UI1, 0, 3);
    static_cast<unsigned char*>(bytes->pvData)[1] = 0x55;
    V_VT(&value) = VT_ARRAY | VT_UI1;
    V_ARRAY(&value) = bytes;
    CHECK(*BytesToWrite(value, modes) == std::string("\0\x55\0", 3));
    SafeArrayDestroy(bytes);
    V_ARRAY(&value) = nullptr;
    CHECK_FALSE(BytesToWrite(value, modes));
    SAFEARRAY* none = SafeArrayCreateVector(VT_UI1, 0, 0);
    V_ARRAY(&value) = none;
    CHECK_FALSE(BytesToWrite(value, modes));
    SafeArrayDestroy(none);

    // Everything else fails.
    for (VARTYPE type : {VT_EMPTY, VT_NULL, VT_BOOL, VT_DATE, VT_DISPATCH, VT_DECIMAL, VT_I8, VT_ERROR}) {
        INFO("type " << type);
        VARIANT other = {};
        V_VT(&other) = type;
        CHECK_FALSE(BytesToWrite(other, modes));
    }
    SAFEARRAY* variants = SafeArrayCreateVector(VT_VARIANT, 0, 2);
    V_VT(&value) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&value) = variants;
    CHECK_FALSE(BytesToWrite(value, modes));
    SafeArrayDestroy(variants);
}

TEST_CASE("BWrite strings: ANSI, Unicode and hex strings", "[binfile]") {
    BinFile::Modes modes;
    Variant text;
    V_VT(&text.value) = VT_BSTR;
    V_BSTR(&text.value) = SysAllocString(L"&H0aFF");
    CHECK(*BytesToWrite(text.value, modes) == "&H0aFF");
    modes.useHexstring = true;
    CHECK(*BytesToWrite(text.value, modes) == "\x0A\xFF");
    modes.useUnicode = true;
    CHECK(BytesToWrite(text.value, modes)->size() == 12);

    CHECK(*HexStringBytes(L"&H1A2B") == "\x1A\x2B");
    CHECK(*HexStringBytes(L"&h123") == std::string("\x01\x23", 2));
    // Pairs read as "&H" + pair: a bad first digit gives 0, a bad second the first alone.
    CHECK(*HexStringBytes(L"&HG1") == std::string("\0", 1));
    CHECK(*HexStringBytes(L"&H1G") == "\x01");
    CHECK_FALSE(HexStringBytes(L"&H"));

    modes.useUnicode = false;
    SysFreeString(V_BSTR(&text.value));
    V_BSTR(&text.value) = SysAllocString(L"&H");
    CHECK_FALSE(BytesToWrite(text.value, modes));
    SysFreeString(V_BSTR(&text.value));
    V_BSTR(&text.value) = SysAllocString(L"");
    CHECK_FALSE(BytesToWrite(text.value, modes));
    modes.useUnicode = true;
    CHECK_FALSE(BytesToWrite(text.value, modes));
}

TEST_CASE("BWrite writes, checks the count and the access", "[binfile]") {
    TestFolder folder;
    const std::wstring path = folder.MakeFile(L"out.bin", "abcdef");
    BinFile file;
    REQUIRE(file.Open(path, true));
    VARIANT value = Long(0x44434241);
    CHECK(file.Write(value, 0));
    CHECK(file.ByteCount() == 4);
    CHECK(file.Write(value, 2));
    CHECK(file.ByteCount() == 2);
    CHECK(file.Length() == 6);
    ScriptError e = Failure([&] { file.Write(value, 5); });
    CHECK(e.Number() == static_cast<HRESULT>(0x8004034E));
    CHECK(e.Description() == L"Write data do not match the requested number of bytes.");
    e = Failure([&] { file.Write(value, -1); });
    CHECK(e.Number() == static_cast<HRESULT>(0x8004034E));
    CHECK(e.Description() == L"Number of bytes to write is negative.");
    VARIANT empty = {};
    e = Failure([&] { file.Write(empty, 0); });
    CHECK(e.Description() == L"Could not prepare write data.");
    CHECK(file.ByteCount() == 0);
    file.Close();
    CHECK(FileBytes(path) == "ABCDAB");

    // Read-only: every writing member fails with severity 1.
    REQUIRE(file.Open(path, false));
    e = Failure([&] { file.Write(value, 0); });
    CHECK(e.Number() == static_cast<HRESULT>(0x8004034C));
    CHECK(e.Description() == L"Write access not permitted.");
    CHECK(Failure([&] { file.Trim(); }).Number() == static_cast<HRESULT>(0x8004034C));
    CHECK(Failure([&] { file.Flush(); }).Number() == static_cast<HRESULT>(0x8004034C));
    Variant v;
    CHECK(file.Read(v.value, 0, VT_I4));
    file.Close();
    CHECK(FileBytes(path) == "ABCDAB");

    // Closed: the not-open text names the file.
    for (auto call : {+[](BinFile& f) { Variant w; f.Read(w.value, 1, 0); },
                      +[](BinFile& f) { VARIANT x = Long(1); f.Write(x, 0); },
                      +[](BinFile& f) { f.Trim(); }, +[](BinFile& f) { f.Flush(); }}) {
        e = Failure([&] { call(file); });
        CHECK(e.Number() == static_cast<HRESULT>(0x8004034A));
        CHECK(e.Description() == L"File is not open: " + path);
    }
    // Properties of a closed file are 0 without error; Close twice is harmless.
    CHECK(file.Length() == 0);
    CHECK(file.Location() == 0);
    CHECK(file.Lof().int64 == 0);
    CHECK_NOTHROW(file.SetLocation(5));
    CHECK_NOTHROW(file.Close());
}

TEST_CASE("ErrorLevel raises failures by their severity", "[binfile]") {
    TestFolder folder;
    const std::wstring path = folder.MakeFile(L"e.bin", "xyz");
    BinFile file;
    REQUIRE(file.Open(path, false));
    Variant v;
    VARIANT value = Long(1);
    file.Errors().Set(3);
    CHECK(file.Errors().Get() == 2);
    file.Errors().Set(1);
    // Severity 2 is now silent with the failure result; severity 1 still raises.
    CHECK_FALSE(file.Read(v.value, 0, 0));
    CHECK(Failure([&] { file.Write(value, 0); }).Number() == static_cast<HRESULT>(0x8004034C));
    file.Errors().Set(0);
    CHECK_FALSE(file.Write(value, 0));
    CHECK_NOTHROW(file.SetLocation2(-1));
    file.Close();
    CHECK_FALSE(file.Read(v.value, 1, 0));
}

TEST_CASE("Cached position and size follow every change", "[binfile]") {
    TestFolder folder;
    const std::wstring path = folder.MakeFile(L"cache.bin", std::string(100, 'a'));
    BinFile file;
    REQUIRE(file.Open(path, true));
    Variant v;
    CheckCache(file, "open");
    file.Read(v.value, 10, 0);
    CheckCache(file, "read");
    file.SetLoc(Currency(95 * 10000));
    CheckCache(file, "LOC let");
    VARIANT value = Long(0x31323334);
    file.Write(value, 0);  // overwrites 5 bytes past 95 and extends to 99... then 103
    CheckCache(file, "write across the end");
    file.Write(value, 0);
    CheckCache(file, "write extending");
    CHECK(file.Length() == 103);
    file.SetLocation(50);
    CheckCache(file, "Location let");
    file.Write(value, 0);
    CheckCache(file, "write inside");
    CHECK(file.Trim());
    CHECK(file.ByteCount() == 0);
    CheckCache(file, "trim");
    CHECK(file.Length() == 54);
    file.Read(v.value, 10, 0);
    CHECK(file.Eof());
    CheckCache(file, "read at the end");

    // Location2 only chooses the high half of the next Location let.
    file.SetLocation2(1);
    CheckCache(file, "Location2 let");
    CHECK(file.Location2() == 0);
    file.SetLocation(16);
    CHECK(Actual(file).position == 0x100000010LL);
    CheckCache(file, "Location let above 4 GiB");
    CHECK(file.Location2() == 1);
    CHECK(file.Location() == 16);
    CHECK(file.Loc().int64 == 0x100000010LL * 10000);
    file.SetLocation(-1);  // the low half is unsigned: 0xFFFFFFFF
    CHECK(Actual(file).position == 0x1FFFFFFFFLL);
    CheckCache(file, "Location let of -1");
    CHECK(file.Length() == 54);

    file.SetLocation2(0);
    file.SetLocation(3);
    CheckCache(file, "back below 4 GiB");
    CHECK(file.Location() == 3);
}

TEST_CASE("LOC and Location2 lets refuse values outside their range", "[binfile]") {
    TestFolder folder;
    const std::wstring path = folder.MakeFile(L"loc.bin", std::string(20, 'a'));
    BinFile file;
    REQUIRE(file.Open(path, false));
    file.SetLoc(Currency(109000));  // 10.9
    CHECK(file.Location() == 10);
    ScriptError e = Failure([&] { file.SetLoc(Currency(-10000)); });
    CHECK(e.Number() == static_cast<HRESULT>(0x80040361));
    CHECK(e.Description() == L"Wrong property value: LOC");
    CHECK(Failure([&] { file.SetLoc(Currency(-1)); }).Number() == static_cast<HRESULT>(0x80040361));
    CHECK(Failure([&] { file.SetLoc(Currency(BinFile::kLargestWhole * 10000 + 1)); }).Number() ==
          static_cast<HRESULT>(0x80040361));
    CHECK(file.Location() == 10);
    e = Failure([&] { file.SetLocation2(-1); });
    CHECK(e.Description() == L"Wrong property value: Location2");
    CHECK(file.Location() == 10);
}

TEST_CASE("A position beyond what a Currency holds is refused or reported, never written", "[binfile]") {
    TestFolder folder;
    const std::wstring path = folder.MakeFile(L"huge.bin", "abc");
    BinFile file;
    REQUIRE(file.Open(path, true));
    file.SetLocation2(0x7FFFFFFF);
    const ScriptError moved = Failure([&] { file.SetLocation(0); });
    if (moved.Number() == S_OK) {
        // The platform took the position: LOC cannot show it, the halves can.
        CHECK(file.Location2() == 0x7FFFFFFF);
        CHECK(Failure([&] { file.Loc(); }).Description() == L"Wrong property value: LOC");
        VARIANT value = Long(1);
        CHECK_FALSE(file.Write(value, 0));
        CHECK(file.ByteCount() == 0);
    } else {
        CHECK(moved.Number() == static_cast<HRESULT>(0x80040350));
        CHECK(moved.Description() == L"Could not set the assigned file pointer.");
    }
    CHECK(file.Length() == 3);
    CHECK(file.Lof().int64 == 30000);
    file.Close();
    BinFile check;
    REQUIRE(check.Open(path, false));
    CHECK(check.Length() == 3);
}

TEST_CASE("Releasing the object flushes and closes the file", "[binfile]") {
    TestFolder folder;
    const std::wstring path = folder.MakeFile(L"keep.bin", "....");
    {
        BinFile file;
        REQUIRE(file.Open(path, true));
        VARIANT value = Long(0x64636261);
        CHECK(file.Write(value, 0));
    }
    CHECK(FileBytes(path) == "abcd");
    BinFile again;
    CHECK(again.Open(path, true));
}
