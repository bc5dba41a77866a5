// Base of every Kelpa automation object, in the spirit of C++/WinRT's
// implements<>: IUnknown, IDispatch through the cached type library,
// ISupportErrorInfo and IProvideClassInfo2 are written once here.
//
//   class ProfileObject : public DispatchObject<ProfileObject, _Profile, ::Profile> {
//   public:
//       static constexpr const wchar_t* kSource = L"Kelpa.Profile";
//       ...interface methods, each `return Call([&] { ... });`
//   };
//
// A derived class that offers more interfaces (connection points) defines
// QueryExtra; one with an event interface defines SourceInterface.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <dispex.h>
#include <atomic>
#include <new>

#include "runtime/Dispatch.h"
#include "runtime/ScriptError.h"
#include "runtime/ServerLifetime.h"
#include "runtime/TypeLibrary.h"

namespace kelpa {

template <class Derived, class Interface, class Coclass>
class DispatchObject : public Interface, public IDispatchEx, public ISupportErrorInfo, public IProvideClassInfo2 {
public:
    DispatchObject() noexcept { ServerObjectCreated(); }
    virtual ~DispatchObject() { ServerObjectDestroyed(); }
    DispatchObject(const DispatchObject&) = delete;
    DispatchObject& operator=(const DispatchObject&) = delete;

    // Class factory entry: a new object, answering for the interface asked.
    static HRESULT CreateInstance(REFIID iid, void** result) noexcept {
        if (!result) return E_POINTER;
        *result = nullptr;
        try {
            Derived* object = new Derived();
            object->AddRef();
            const HRESULT hr = object->QueryInterface(iid, result);
            object->Release();
            return hr;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        } catch (const ScriptError& e) {
            // An object built on a platform object the system refused.
            return e.Number();
        } catch (...) {
            return E_UNEXPECTED;
        }
    }

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) noexcept override {
        if (!result) return E_POINTER;
        *result = nullptr;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(Interface))
            *result = static_cast<Interface*>(this);
        else if (iid == __uuidof(IDispatchEx))
            *result = static_cast<IDispatchEx*>(this);
        else if (iid == IID_ISupportErrorInfo)
            *result = static_cast<ISupportErrorInfo*>(this);
        else if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2)
            *result = static_cast<IProvideClassInfo2*>(this);
        else
            return static_cast<Derived*>(this)->QueryExtra(iid, result);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        const ULONG left = --m_references;
        if (left == 0) delete static_cast<Derived*>(this);
        return left;
    }

    // IDispatch
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override {
        if (!count) return E_POINTER;
        *count = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** result) noexcept override {
        if (!result) return E_POINTER;
        *result = nullptr;
        if (index != 0) return DISP_E_BADINDEX;
        const InterfaceInfo* info = Info();
        if (!info) return TYPE_E_ELEMENTNOTFOUND;
        info->typeInfo->AddRef();
        *result = info->typeInfo;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                            DISPID* ids) noexcept override {
        const InterfaceInfo* info = Info();
        if (!info) return TYPE_E_ELEMENTNOTFOUND;
        return DispGetIDsOfNames(info->typeInfo, names, count, ids);
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception,
                                     UINT* argumentError) noexcept override {
        const InterfaceInfo* info = Info();
        if (!info) return TYPE_E_ELEMENTNOTFOUND;
        return InvokeThroughTypeInfo(*info, static_cast<Interface*>(this), member, flags, params, result,
                                     exception, argumentError);
    }

    // IDispatchEx: the script engines prefer it; answering it saves them a
    // failed QueryInterface - a round trip to the server - on every call.
    HRESULT STDMETHODCALLTYPE GetDispID(BSTR name, DWORD, DISPID* id) noexcept override {
        return GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, id);
    }
    HRESULT STDMETHODCALLTYPE InvokeEx(DISPID member, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                                       EXCEPINFO* exception, IServiceProvider*) noexcept override {
        return Invoke(member, IID_NULL, locale, flags, params, result, exception, nullptr);
    }
    HRESULT STDMETHODCALLTYPE DeleteMemberByName(BSTR, DWORD) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeleteMemberByDispID(DISPID) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMemberProperties(DISPID, DWORD, DWORD*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMemberName(DISPID, BSTR*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetNextDispID(DWORD, DISPID, DISPID*) noexcept override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetNameSpaceParent(IUnknown**) noexcept override { return E_NOTIMPL; }

    // ISupportErrorInfo
    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) noexcept override {
        return iid == __uuidof(Interface) ? S_OK : S_FALSE;
    }

    // IProvideClassInfo2
    HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** result) noexcept override {
        if (!result) return E_POINTER;
        *result = nullptr;
        const InterfaceInfo* info = FindInterfaceInfo(__uuidof(Coclass));
        if (!info) return TYPE_E_ELEMENTNOTFOUND;
        info->typeInfo->AddRef();
        *result = info->typeInfo;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* result) noexcept override {
        if (!result) return E_POINTER;
        const IID* source = Derived::SourceInterface();
        if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID || !source) {
            *result = GUID_NULL;
            return E_INVALIDARG;
        }
        *result = *source;
        return S_OK;
    }

    // Hooks for derived classes (hidden by name, not virtual).
    HRESULT QueryExtra(REFIID, void**) noexcept { return E_NOINTERFACE; }
    static const IID* SourceInterface() noexcept { return nullptr; }

protected:
    // Runs a member's logic at the boundary: exceptions become HRESULTs and
    // ScriptErrors become the script's Err.Number/Source/Description.
    template <class F>
    HRESULT Call(F&& logic) noexcept {
        return Boundary(__uuidof(Interface), Derived::kSource, std::forward<F>(logic));
    }

private:
    static const InterfaceInfo* Info() noexcept { return FindInterfaceInfo(__uuidof(Interface)); }

    std::atomic<ULONG> m_references{0};
};

}  // namespace kelpa
