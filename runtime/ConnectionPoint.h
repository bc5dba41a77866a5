// Events for automation objects: one connection point per event interface,
// offered through IConnectionPointContainer. An object embeds an EventSource
// and answers two hooks of DispatchObject with it:
//
//   HRESULT QueryExtra(REFIID iid, void** result) noexcept { return m_events.Query(iid, result); }
//   static const IID* SourceInterface() noexcept { return &DIID___Clock; }
//   EventSource m_events{static_cast<_Clock*>(this), DIID___Clock};
//
// Both interfaces share the owner's reference count, so a client holding the
// container or the point keeps the object alive, as COM expects. Events fire
// synchronously on the caller's thread, which is the object's apartment.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <initializer_list>
#include <vector>

namespace kelpa {

class EventSource;

class ConnectionPoint final : public IConnectionPoint {
public:
    ConnectionPoint(EventSource& container, REFIID events) noexcept : m_container(container), m_events(events) {}
    ~ConnectionPoint();
    ConnectionPoint(const ConnectionPoint&) = delete;
    ConnectionPoint& operator=(const ConnectionPoint&) = delete;

    // IUnknown: its own identity, the owner's reference count.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override;
    ULONG STDMETHODCALLTYPE Release() noexcept override;

    // IConnectionPoint
    HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* result) noexcept override;
    HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** result) noexcept override;
    HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) noexcept override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) noexcept override;
    HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections** result) noexcept override;

    // Calls the member on every connected sink, in the order of connection.
    // Arguments are given in the order the event declares them. The list of
    // sinks is copied first: a handler may advise or unadvise while it runs.
    // Returns how many sinks were called; their failures are not ours.
    unsigned Fire(DISPID member, std::initializer_list<VARIANT> arguments = {}) noexcept;

    size_t SinkCount() const noexcept { return m_sinks.size(); }
    REFIID Events() const noexcept { return m_events; }

private:
    struct Sink {
        DWORD cookie;
        IDispatch* dispatch;  // one reference held
    };

    EventSource& m_container;
    IID m_events;
    std::vector<Sink> m_sinks;
    DWORD m_nextCookie = 1;
};

class EventSource final : public IConnectionPointContainer {
public:
    // owner: the object's own IUnknown (any of its interfaces will do, as long
    // as its QueryInterface is the object's). events: the event interface.
    EventSource(IUnknown* owner, REFIID events) noexcept : m_owner(owner), m_point(*this, events) {}
    EventSource(const EventSource&) = delete;
    EventSource& operator=(const EventSource&) = delete;

    // For the owner's QueryExtra: answers IConnectionPointContainer.
    HRESULT Query(REFIID iid, void** result) noexcept;

    // IUnknown: the owner's.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) noexcept override {
        return m_owner->QueryInterface(iid, result);
    }
    ULONG STDMETHODCALLTYPE AddRef() noexcept override { return m_owner->AddRef(); }
    ULONG STDMETHODCALLTYPE Release() noexcept override { return m_owner->Release(); }

    // IConnectionPointContainer
    HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** result) noexcept override;
    HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** result) noexcept override;

    unsigned Fire(DISPID member, std::initializer_list<VARIANT> arguments = {}) noexcept {
        return m_point.Fire(member, arguments);
    }
    ConnectionPoint& Point() noexcept { return m_point; }

private:
    IUnknown* m_owner;
    ConnectionPoint m_point;
};

}  // namespace kelpa
