// The physical limit for the server benchmarks: a local server with one
// class and one trivial method and nothing else - no type library, no error
// objects, no linger. It ends as soon as its last object is released.
//   minimal_server.exe -Embedding     (started by COM)
// ProgID "KelpaBench.Minimal", method Ping() returning 0.
#include <windows.h>
#include <objbase.h>
#include <atomic>

// {5B1D5F0A-7C55-4E0B-9C0E-2A6F3D8E1B01}
static const CLSID kClsid = {0x5b1d5f0a, 0x7c55, 0x4e0b, {0x9c, 0x0e, 0x2a, 0x6f, 0x3d, 0x8e, 0x1b, 0x01}};
static std::atomic<long> g_objects{0};
static DWORD g_mainThread = 0;

class Minimal : public IDispatch {
public:
    Minimal() { ++g_objects; }
    virtual ~Minimal() {
        if (--g_objects == 0) PostThreadMessageW(g_mainThread, WM_QUIT, 0, 0);
    }
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (iid == IID_IUnknown || iid == IID_IDispatch) {
            *out = static_cast<IDispatch*>(this);
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
        if (count != 1 || _wcsicmp(names[0], L"Ping") != 0) return DISP_E_UNKNOWNNAME;
        ids[0] = 1;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*,
                                     UINT*) override {
        if (id != 1) return DISP_E_MEMBERNOTFOUND;
        if (result) {
            V_VT(result) = VT_I4;
            V_I4(result) = 0;
        }
        return S_OK;
    }

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
