// COM shim of BinFile: converts arguments, nothing else.
#include "files/BinFileObject.h"

#include <new>

#include "runtime/Conversions.h"

namespace kelpa {

_BinFile* BinFileObject::Open(const std::wstring& path, bool writeAccess) {
    _BinFile* created = nullptr;
    if (FAILED(CreateInstance(__uuidof(_BinFile), reinterpret_cast<void**>(&created)))) throw std::bad_alloc();
    bool opened = false;
    try {
        opened = static_cast<BinFileObject*>(created)->m_file.Open(path, writeAccess);
    } catch (...) {
        created->Release();
        throw;
    }
    if (opened) return created;
    created->Release();
    return nullptr;
}

HRESULT BinFileObject::BRead(VARIANT* vdata, LONG numbytes, LONG vtype, VARIANT_BOOL* result) noexcept {
    return Call([&] {
        *result = VARIANT_FALSE;
        if (!vdata) ThrowInvalidCall(kSource);
        *result = ToVariantBool(m_file.Read(*vdata, numbytes, vtype));
    });
}

HRESULT BinFileObject::BWrite(VARIANT* vdata, LONG numbytes, VARIANT_BOOL* result) noexcept {
    return Call([&] {
        *result = VARIANT_FALSE;
        if (!vdata) ThrowInvalidCall(kSource);
        *result = ToVariantBool(m_file.Write(*vdata, numbytes));
    });
}

HRESULT BinFileObject::BTrim(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_file.Trim()); });
}

HRESULT BinFileObject::BFlush() noexcept {
    return Call([&] { m_file.Flush(); });
}

HRESULT BinFileObject::BClose() noexcept {
    return Call([&] { m_file.Close(); });
}

HRESULT BinFileObject::get_ByteCount(LONG* result) noexcept {
    return Call([&] { *result = m_file.ByteCount(); });
}

HRESULT BinFileObject::get_EOF(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_file.Eof()); });
}

HRESULT BinFileObject::get_ErrorLevel(LONG* result) noexcept {
    return Call([&] { *result = m_file.Errors().Get(); });
}

HRESULT BinFileObject::put_ErrorLevel(LONG level) noexcept {
    return Call([&] { m_file.Errors().Set(level); });
}

HRESULT BinFileObject::get_ConvertAnsi(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_file.Switches().convertAnsi); });
}

HRESULT BinFileObject::put_ConvertAnsi(VARIANT_BOOL value) noexcept {
    return Call([&] { m_file.Switches().convertAnsi = FromVariantBool(value); });
}

HRESULT BinFileObject::get_UseUnicode(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_file.Switches().useUnicode); });
}

HRESULT BinFileObject::put_UseUnicode(VARIANT_BOOL value) noexcept {
    return Call([&] { m_file.Switches().useUnicode = FromVariantBool(value); });
}

HRESULT BinFileObject::get_UseHexstring(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_file.Switches().useHexstring); });
}

HRESULT BinFileObject::put_UseHexstring(VARIANT_BOOL value) noexcept {
    return Call([&] { m_file.Switches().useHexstring = FromVariantBool(value); });
}

HRESULT BinFileObject::get_TwistEndian(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_file.Switches().twistEndian); });
}

HRESULT BinFileObject::put_TwistEndian(VARIANT_BOOL value) noexcept {
    return Call([&] { m_file.Switches().twistEndian = FromVariantBool(value); });
}

HRESULT BinFileObject::get_handle(LONG* result) noexcept {
    return Call([&] { *result = m_file.Handle(); });
}

HRESULT BinFileObject::get_Length(LONG* result) noexcept {
    return Call([&] { *result = m_file.Length(); });
}

HRESULT BinFileObject::get_Length2(LONG* result) noexcept {
    return Call([&] { *result = m_file.Length2(); });
}

HRESULT BinFileObject::get_Location(LONG* result) noexcept {
    return Call([&] { *result = m_file.Location(); });
}

HRESULT BinFileObject::put_Location(LONG value) noexcept {
    return Call([&] { m_file.SetLocation(value); });
}

HRESULT BinFileObject::get_Location2(LONG* result) noexcept {
    return Call([&] { *result = m_file.Location2(); });
}

HRESULT BinFileObject::put_Location2(LONG value) noexcept {
    return Call([&] { m_file.SetLocation2(value); });
}

HRESULT BinFileObject::get_LOC(CY* result) noexcept {
    return Call([&] { *result = m_file.Loc(); });
}

HRESULT BinFileObject::put_LOC(CY value) noexcept {
    return Call([&] { m_file.SetLoc(value); });
}

HRESULT BinFileObject::get_LOF(CY* result) noexcept {
    return Call([&] { *result = m_file.Lof(); });
}

}  // namespace kelpa
