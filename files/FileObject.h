// "Kelpa.File": the COM face of File.
#pragma once

#include "files/File.h"
#include "kelpa_h.h"
#include "runtime/DispatchObject.h"

namespace kelpa {

class FileObject : public DispatchObject<FileObject, _File, ::File> {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.File";

    HRESULT STDMETHODCALLTYPE Application(BSTR filespec, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE Create(BSTR filespec, VARIANT_BOOL overwrite, VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE ExeType(BSTR filespec, LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE ExeType2(BSTR filespec, LONG* result) noexcept override;
    HRESULT STDMETHODCALLTYPE ExeType3(BSTR filespec, VARIANT_BOOL winversion, short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE Exists(BSTR filespec, VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE Replace(BSTR filespec, BSTR replacementfile, BSTR backupfile,
                                      VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE OpenBinary(BSTR filespec, VARIANT_BOOL write_access, _BinFile** result) noexcept override;
    HRESULT STDMETHODCALLTYPE TimeSet(BSTR path, DATE dt, short which, VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE TimeGet(BSTR path, short which, DATE* result) noexcept override;
    HRESULT STDMETHODCALLTYPE TimeCompare(BSTR file1, BSTR file2, short which, short* result) noexcept override;
};

}  // namespace kelpa
