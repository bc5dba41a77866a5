// "Kelpa.Registry": the COM face of Registry.
#pragma once

#include "files/Registry.h"
#include "kelpa_h.h"
#include "runtime/DispatchObject.h"

namespace kelpa {

class RegistryObject : public DispatchObject<RegistryObject, _Registry, ::Registry> {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.Registry";

    HRESULT STDMETHODCALLTYPE get_KeyLevels(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_KeyLevels(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ItemType(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ItemType(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ErrorCode(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ConvertStr(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ConvertStr(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ConvertArr(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ConvertArr(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Continue(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Continue(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_Access64(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_Access64(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE GetItems(BSTR sPath, VARIANT* vItems, long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE Search(BSTR sItem, BSTR sPath, BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE RegRead(BSTR sItem, BSTR sVal, VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE RegEntryExists(BSTR sItem, long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE RegRead1(BSTR sItem, BSTR sVal, VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE RegEntryExists1(BSTR sItem, long* result) noexcept override;

private:
    kelpa::Registry m_registry;
};

}  // namespace kelpa
