// Connection points: cookies, the sink list and firing, plus the two
// snapshot enumerators that IConnectionPoint and IConnectionPointContainer
// hand out.
#include "runtime/ConnectionPoint.h"

#include "runtime/UniqueHandle.h"

#include <oleauto.h>
#include <olectl.h>
#include <algorithm>
#include <atomic>
#include <new>

namespace kelpa {
namespace {

// What an enumerator hands out is a counted reference the caller releases.
void AddRefItem(IConnectionPoint* item) { item->AddRef(); }
void ReleaseItem(IConnectionPoint* item) { item->Release(); }
void AddRefItem(const CONNECTDATA& item) { item.pUnk->AddRef(); }
void ReleaseItem(const CONNECTDATA& item) { item.pUnk->Release(); }

// An enumerator over a copy of the list taken when it was made, so a sink
// that unadvises while a client enumerates changes nothing under it.
template <class Enum, class Item>
class SnapshotEnumerator final : public Enum {
public:
    SnapshotEnumerator(std::vector<Item> items, size_t position) noexcept
        : m_items(std::move(items)), m_position(position) {
        for (const Item& item : m_items) AddRefItem(item);
    }
    ~SnapshotEnumerator() {
        for (const Item& item : m_items) ReleaseItem(item);
    }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) noexcept override {
        if (!result) return E_POINTER;
        *result = nullptr;
        if (iid != IID_IUnknown && iid != __uuidof(Enum)) return E_NOINTERFACE;
        *result = static_cast<Enum*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() noexcept override {
        const ULONG left = --m_references;
        if (left == 0) delete this;
        return left;
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG count, Item* items, ULONG* fetched) noexcept override {
        if (!items || (count > 1 && !fetched)) return E_POINTER;
        ULONG given = 0;
        while (given < count && m_position < m_items.size()) {
            items[given] = m_items[m_position++];
            AddRefItem(items[given]);
            ++given;
        }
        if (fetched) *fetched = given;
        return given == count ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) noexcept override {
        const size_t left = m_items.size() - m_position;
        m_position += std::min<size_t>(count, left);
        return count <= left ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Reset() noexcept override {
        m_position = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(Enum** result) noexcept override {
        if (!result) return E_POINTER;
        *result = nullptr;
        return Make(m_items, m_position, result);
    }

    static HRESULT Make(std::vector<Item> items, size_t position, Enum** result) noexcept {
        try {
            auto* enumerator = new SnapshotEnumerator(std::move(items), position);
            enumerator->AddRef();
            *result = enumerator;
            return S_OK;
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }

private:
    std::vector<Item> m_items;
    size_t m_position;
    std::atomic<ULONG> m_references{0};
};

}  // namespace

ConnectionPoint::~ConnectionPoint() {
    for (const Sink& sink : m_sinks) sink.dispatch->Release();
}

HRESULT ConnectionPoint::QueryInterface(REFIID iid, void** result) noexcept {
    if (!result) return E_POINTER;
    *result = nullptr;
    if (iid != IID_IUnknown && iid != IID_IConnectionPoint) return E_NOINTERFACE;
    *result = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
}

ULONG ConnectionPoint::AddRef() noexcept { return m_container.AddRef(); }
ULONG ConnectionPoint::Release() noexcept { return m_container.Release(); }

HRESULT ConnectionPoint::GetConnectionInterface(IID* result) noexcept {
    if (!result) return E_POINTER;
    *result = m_events;
    return S_OK;
}

HRESULT ConnectionPoint::GetConnectionPointContainer(IConnectionPointContainer** result) noexcept {
    if (!result) return E_POINTER;
    m_container.AddRef();
    *result = &m_container;
    return S_OK;
}

HRESULT ConnectionPoint::Advise(IUnknown* sink, DWORD* cookie) noexcept {
    if (!cookie) return E_POINTER;
    *cookie = 0;
    if (!sink) return E_POINTER;
    // A sink should answer for the event interface itself; one that only
    // answers IDispatch (a generic script sink) is taken as well, since
    // events are only ever delivered through IDispatch::Invoke.
    IDispatch* dispatch = nullptr;
    if (FAILED(sink->QueryInterface(m_events, reinterpret_cast<void**>(&dispatch))) || !dispatch) {
        dispatch = nullptr;
        if (FAILED(sink->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch))) || !dispatch)
            return CONNECT_E_CANNOTCONNECT;
    }
    try {
        m_sinks.push_back({m_nextCookie, dispatch});
    } catch (const std::bad_alloc&) {
        dispatch->Release();
        return E_OUTOFMEMORY;
    }
    *cookie = m_nextCookie++;
    if (m_nextCookie == 0) m_nextCookie = 1;  // 0 is never a valid cookie
    return S_OK;
}

HRESULT ConnectionPoint::Unadvise(DWORD cookie) noexcept {
    const auto found = std::find_if(m_sinks.begin(), m_sinks.end(),
                                    [cookie](const Sink& sink) { return sink.cookie == cookie; });
    if (cookie == 0 || found == m_sinks.end()) return CONNECT_E_NOCONNECTION;
    IDispatch* dispatch = found->dispatch;
    m_sinks.erase(found);
    // Released after the list is consistent: the release may call back in.
    dispatch->Release();
    return S_OK;
}

HRESULT ConnectionPoint::EnumConnections(IEnumConnections** result) noexcept {
    if (!result) return E_POINTER;
    *result = nullptr;
    try {
        std::vector<CONNECTDATA> connections;
        for (const Sink& sink : m_sinks) connections.push_back({sink.dispatch, sink.cookie});
        return SnapshotEnumerator<IEnumConnections, CONNECTDATA>::Make(std::move(connections), 0, result);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

unsigned ConnectionPoint::Fire(DISPID member, std::initializer_list<VARIANT> arguments) noexcept {
    try {
        // DISPPARAMS lists arguments last first.
        std::vector<VARIANT> reversed(arguments.begin(), arguments.end());
        std::reverse(reversed.begin(), reversed.end());
        std::vector<IDispatch*> sinks;
        sinks.reserve(m_sinks.size());
        for (const Sink& sink : m_sinks) {
            sink.dispatch->AddRef();
            sinks.push_back(sink.dispatch);
        }
        // The handlers may release the object's last outside reference.
        AddRef();
        unsigned called = 0;
        for (IDispatch* sink : sinks) {
            // Each sink gets its own copy: a handler may change by-reference
            // arguments or clear what it was given.
            unique_variant_array copies(reversed.size());
            for (size_t i = 0; i < reversed.size(); ++i) VariantCopy(&copies[i], &reversed[i]);
            DISPPARAMS params = {copies.data(), nullptr, static_cast<UINT>(copies.size()), 0};
            sink->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                         nullptr);
            sink->Release();
            ++called;
        }
        Release();
        return called;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

HRESULT EventSource::Query(REFIID iid, void** result) noexcept {
    if (!result) return E_POINTER;
    *result = nullptr;
    if (iid != IID_IConnectionPointContainer) return E_NOINTERFACE;
    *result = static_cast<IConnectionPointContainer*>(this);
    AddRef();
    return S_OK;
}

HRESULT EventSource::EnumConnectionPoints(IEnumConnectionPoints** result) noexcept {
    if (!result) return E_POINTER;
    *result = nullptr;
    try {
        std::vector<IConnectionPoint*> points{&m_point};
        return SnapshotEnumerator<IEnumConnectionPoints, IConnectionPoint*>::Make(std::move(points), 0, result);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
}

HRESULT EventSource::FindConnectionPoint(REFIID iid, IConnectionPoint** result) noexcept {
    if (!result) return E_POINTER;
    *result = nullptr;
    if (iid != m_point.Events()) return CONNECT_E_NOCONNECTION;
    m_point.AddRef();
    *result = &m_point;
    return S_OK;
}

}  // namespace kelpa
