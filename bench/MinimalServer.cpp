// The physical limit for the server benchmarks: a local server with one
// class and nothing else - no type library, no error objects, no linger. It
// ends as soon as its last object is released.
//   minimal_server.exe -Embedding     (started by COM)
// ProgID "KelpaBench.Minimal", members:
//   Ping()                        returns 0: the cost of one late-bound call;
//   Move(vdata, numbytes, vtype)  returns True with numbytes bytes in vdata, as
//                                 a Byte array, or as a byte String when vtype
//                                 is 8: the transport cost of BinFile.BRead.
// It answers IDispatchEx as Kelpa's objects do, so a script engine makes the
// same round trips per call to both.
#include <windows.h>
#include <objbase.h>
#include <dispex.h>
#include <atomic>
#include <cstring>
#include <string>

// {5B1D5F0A-7C55-4E0B-9C0E-2A6F3D8E1B01}
static const CLSID kClsid = {0x5b1d5f0a, 0x7c55, 0x4e0b, {0x9c, 0x0e, 0x2a, 0x6f, 0x3d, 0x8e, 0x1b, 0x01}};
static std::atomic<long> g_objects{0};
static DWORD g_mainThread = 0;

enum : DISPID { kPing = 1, kMove = 2 };

// The integer a script passed (a literal arrives as VT_I2, a variable by
// reference), or fallback when the argument is missing.
static HRESULT LongArgument(const DISPPARAMS* params, UINT position, LONG fallback, LONG* value) {
    if (position >= params->cArgs) {
        *value = fallback;
        return S_OK;
    }
    VARIANT converted;
    VariantInit(&converted);
    const HRESULT hr =
        VariantChangeType(&converted, &params->rgvarg[params->cArgs - 1 - position], 0, VT_I4);
    if (FAILED(hr)) return hr;
    *value = V_I4(&converted);
    return S_OK;
}

// Moves numbytes bytes into the caller's variable the way BRead's reads do:
// the old value is freed, a new one allocated and filled from memory (where
// BRead fills it from the file), and the proxy carries both ways.
static HRESULT Move(const DISPPARAMS* params, VARIANT* result) {
    if (params->cArgs < 2 || params->cNamedArgs) return DISP_E_BADPARAMCOUNT;
    VARIANT& data = params->rgvarg[params->cArgs - 1];
    if (V_VT(&data) != (VT_BYREF | VT_VARIANT) || !V_VARIANTREF(&data)) return DISP_E_TYPEMISMATCH;
    LONG count = 0, type = 0;
    HRESULT hr = LongArgument(params, 1, 0, &count);
    if (SUCCEEDED(hr)) hr = LongArgument(params, 2, 0, &type);
    if (FAILED(hr)) return hr;
    if (count <= 0) return E_INVALIDARG;
    // The source stands for the file system cache: filled once, copied from.
    static std::string source;
    if (source.size() < static_cast<size_t>(count)) source.assign(static_cast<size_t>(count), 'x');

    VARIANT& target = *V_VARIANTREF(&data);
    VariantClear(&target);
    if (type == VT_BSTR) {
        const BSTR text = SysAllocStringByteLen(source.data(), static_cast<UINT>(count));
        if (!text) return E_OUTOFMEMORY;
        V_VT(&target) = VT_BSTR;
        V_BSTR(&target) = text;
    } else {
        SAFEARRAY* array = SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(count));
        void* elements = nullptr;
        if (!array || FAILED(SafeArrayAccessData(array, &elements))) {
            if (array) SafeArrayDestroy(array);
            return E_OUTOFMEMORY;
        }
        std::memcpy(elements, source.data(), static_cast<size_t>(count));
        SafeArrayUnaccessData(array);
        V_VT(&target) = VT_ARRAY | VT_UI1;
        V_ARRAY(&target) = array;
    }
    if (result) {
        V_VT(result) = VT_BOOL;
        V_BOOL(result) = VARIANT_TRUE;
    }
    return S_OK;
}

class Minimal : public IDispatchEx {
public:
    Minimal() { ++g_objects; }
    virtual ~Minimal() {
        if (--g_objects == 0) PostThreadMessageW(g_mainThread, WM_QUIT, 0, 0);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IDispatchEx)) {
            *out = static_cast<IDispatchEx*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_refs; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --m_refs;
        if (!left) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
        if (count != 1) return DISP_E_UNKNOWNNAME;
        if (_wcsicmp(names[0], L"Ping") == 0)
            ids[0] = kPing;
        else if (_wcsicmp(names[0], L"Move") == 0)
            ids[0] = kMove;
        else
            return DISP_E_UNKNOWNNAME;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO*, UINT*) override {
        if (id == kMove) return Move(params, result);
        if (id != kPing) return DISP_E_MEMBERNOTFOUND;
        if (result) {
            V_VT(result) = VT_I4;
            V_I4(result) = 0;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDispID(BSTR name, DWORD, DISPID* id) override {
        return GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, id);
    }
    HRESULT STDMETHODCALLTYPE InvokeEx(DISPID id, LCID locale, WORD flags, DISPPARAMS* params, VARIANT* result,
                                       EXCEPINFO* exception, IServiceProvider*) override {
        return Invoke(id, IID_NULL, locale, flags, params, result, exception, nullptr);
    }
    HRESULT STDMETHODCALLTYPE DeleteMemberByName(BSTR, DWORD) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeleteMemberByDispID(DISPID) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMemberProperties(DISPID, DWORD, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMemberName(DISPID, BSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetNextDispID(DWORD, DISPID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetNameSpaceParent(IUnknown**) override { return E_NOTIMPL; }

private:
    std::atomic<ULONG> m_refs{0};
};
class Factory : public IClassFactory {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IClassFactory) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
        if (outer) return CLASS_E_NOAGGREGATION;
        Minimal* object = new Minimal();
        object->AddRef();
        const HRESULT hr = object->QueryInterface(iid, out);
        object->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    g_mainThread = GetCurrentThreadId();
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    static Factory factory;
    DWORD cookie = 0;
    if (FAILED(CoRegisterClassObject(kClsid, &factory, CLSCTX_LOCAL_SERVER, REGCLS_MULTIPLEUSE, &cookie))) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    CoRevokeClassObject(cookie);
    CoUninitialize();
    return 0;
}
