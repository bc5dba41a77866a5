// The class factory for every Kelpa class, and the registration of all of
// them with the COM runtime while the server runs.
#pragma once

#include <windows.h>
#include <vector>
#include <wrl/client.h>

#include "runtime/ClassEntry.h"

namespace kelpa {

class ClassFactory : public IClassFactory {
public:
    explicit ClassFactory(CreateFunction create) noexcept : m_create(create) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) noexcept override;
    // Factories live as long as the server; they are not counted as objects.
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return 2; }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** result) noexcept override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) noexcept override;

private:
    CreateFunction m_create;
};

// Registers a factory for every creatable class, multi- or single-use as
// the catalogue says; revoked on Revoke()
// or destruction. Only the server's apartment thread uses it.
class ClassObjectRegistrations {
public:
    explicit ClassObjectRegistrations(ClassTable table);
    ~ClassObjectRegistrations() { Revoke(); }
    ClassObjectRegistrations(const ClassObjectRegistrations&) = delete;
    ClassObjectRegistrations& operator=(const ClassObjectRegistrations&) = delete;

    HRESULT Register() noexcept;
    void Revoke() noexcept;

    // Revoking releases the marshalled factory that the COM runtime hands to
    // clients; a client that fetched it just before cannot connect after.
    // Holding marshalled references of our own keeps the factories reachable
    // through a grace period, after which ReleaseHeld lets them go.
    void HoldWhileRevoking() noexcept;
    void ReleaseHeld() noexcept;

private:
    ClassTable m_table;
    std::vector<ClassFactory> m_factories;
    std::vector<DWORD> m_cookies;
    std::vector<Microsoft::WRL::ComPtr<IStream>> m_held;
};

}  // namespace kelpa
