// "Kelpa.FileSelection": the COM face of FileSelection.
#pragma once

#include "files/FileSelection.h"
#include "kelpa_h.h"
#include "runtime/DispatchObject.h"

namespace kelpa {

class FileSelectionObject : public DispatchObject<FileSelectionObject, _FileSelection, ::FileSelection> {
public:
    static constexpr const wchar_t* kSource = FileSelection::kSource;

    HRESULT STDMETHODCALLTYPE Dialog(short mode, long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE SetFilter(VARIANT* f) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Directory(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Directory(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_DlgTitle(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_DlgTitle(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ErrorLevel(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ErrorLevel(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_FileName(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_FileName(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_FileExtension(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_FileExtension(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Filter(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Filter(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_FileNumber(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_FileNumber(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Convert(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Convert(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ErrorCode(long* result) noexcept override;

private:
    FileSelection m_selection;
};

}  // namespace kelpa
