// Class factories: one generic factory per catalogue entry.
#include "runtime/ClassFactory.h"

#include "runtime/ServerLifetime.h"

namespace kelpa {

HRESULT ClassFactory::QueryInterface(REFIID iid, void** result) noexcept {
    if (!result) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *result = static_cast<IClassFactory*>(this);
        return S_OK;
    }
    *result = nullptr;
    return E_NOINTERFACE;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** result) noexcept {
    if (!result) return E_POINTER;
    *result = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return m_create(iid, result);
}

HRESULT ClassFactory::LockServer(BOOL lock) noexcept {
    if (lock)
        ServerObjectCreated();
    else
        ServerObjectDestroyed();
    return S_OK;
}

ClassObjectRegistrations::ClassObjectRegistrations(ClassTable table) : m_table(table) {
    for (const ClassEntry& entry : m_table) m_factories.emplace_back(entry.create);
}

HRESULT ClassObjectRegistrations::Register() noexcept {
    size_t index = 0;
    for (const ClassEntry& entry : m_table) {
        ClassFactory& factory = m_factories[index++];
        if (entry.instancing == Instancing::NotCreatable) continue;
        // A single-use class object is withdrawn by the runtime once a client
        // has connected to it, so the next client starts a new process.
        const DWORD use = entry.instancing == Instancing::SingleUse ? REGCLS_SINGLEUSE : REGCLS_MULTIPLEUSE;
        DWORD cookie = 0;
        const HRESULT hr = CoRegisterClassObject(entry.clsid, &factory, CLSCTX_LOCAL_SERVER, use, &cookie);
        if (FAILED(hr)) {
            Revoke();
            return hr;
        }
        m_cookies.push_back(cookie);
    }
    return S_OK;
}

void ClassObjectRegistrations::HoldWhileRevoking() noexcept {
    size_t index = 0;
    for (const ClassEntry& entry : m_table) {
        ClassFactory& factory = m_factories[index++];
        if (entry.instancing != Instancing::MultiUse) continue;
        // Both identities a client may connect through: the runtime marshals
        // the factory as IUnknown, the client then asks for IClassFactory.
        for (const IID* iid : {&IID_IUnknown, &IID_IClassFactory}) {
            Microsoft::WRL::ComPtr<IStream> stream;
            if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) continue;
            if (SUCCEEDED(CoMarshalInterface(stream.Get(), *iid, static_cast<IClassFactory*>(&factory), MSHCTX_LOCAL,
                                             nullptr, MSHLFLAGS_TABLESTRONG)))
                m_held.push_back(stream);
        }
    }
}

void ClassObjectRegistrations::ReleaseHeld() noexcept {
    for (auto& stream : m_held) {
        LARGE_INTEGER start = {};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        CoReleaseMarshalData(stream.Get());
    }
    m_held.clear();
}

void ClassObjectRegistrations::Revoke() noexcept {
    for (DWORD cookie : m_cookies) CoRevokeClassObject(cookie);
    m_cookies.clear();
}

}  // namespace kelpa
