// "Kelpa.BinFile": the COM face of BinFile. Not creatable by scripts; only
// File.OpenBinary makes one, through Open.
#pragma once

#include <string>

#include "files/BinFile.h"
#include "kelpa_h.h"
#include "runtime/DispatchObject.h"

namespace kelpa {

class BinFileObject : public DispatchObject<BinFileObject, _BinFile, ::BinFile> {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.BinFile";

    // A new object (one reference, the caller's) with the file open in it,
    // or null when the file could not be opened.
    static _BinFile* Open(const std::wstring& path, bool writeAccess);

    HRESULT STDMETHODCALLTYPE BRead(VARIANT* vdata, LONG numbytes, LONG vtype, VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE BWrite(VARIANT* vdata, LONG numbytes, VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE BTrim(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE BFlush() noexcept override;
    HRESULT STDMETHODCALLTYPE BClose() noexcept override;
    HRESULT STDMETHODCALLTYPE get_ByteCount(LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_EOF(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ErrorLevel(LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ErrorLevel(LONG level) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ConvertAnsi(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ConvertAnsi(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_UseUnicode(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_UseUnicode(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_UseHexstring(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_UseHexstring(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_TwistEndian(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_TwistEndian(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_handle(LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Length(LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Length2(LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Location(LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Location(LONG value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Location2(LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Location2(LONG value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_LOC(CY* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_LOC(CY value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_LOF(CY* result) noexcept override;

private:
    BinFile m_file;
};

}  // namespace kelpa
