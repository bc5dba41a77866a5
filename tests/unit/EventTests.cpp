// Connection points and the Clock's timer in-process: advising, firing,
// enumerating, lifetimes, and the timer table.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>
#include <functional>
#include <vector>

#include "catch.hpp"
#include "core/windowfn.h"
#include "kelpa_h.h"
#include "runtime/ConnectionPoint.h"
#include "windows/ClockObject.h"
#include "windows/ClockTimer.h"

using Microsoft::WRL::ComPtr;
using namespace kelpa;

namespace {

// A sink that records every call: dispatch id and the first argument.
class RecordingSink : public IDispatch {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
        *result = nullptr;
        if (iid != IID_IUnknown && iid != IID_IDispatch && iid != DIID___Clock) return E_NOINTERFACE;
        *result = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT*,
                                     EXCEPINFO*, UINT*) override {
        calls.push_back(member);
        CHECK(flags == DISPATCH_METHOD);
        argumentCounts.push_back(params ? params->cArgs : 0);
        // The last argument listed is the event's first parameter.
        if (params && params->cArgs > 0 && V_VT(&params->rgvarg[params->cArgs - 1]) == VT_I2)
            firstArguments.push_back(V_I2(&params->rgvarg[params->cArgs - 1]));
        if (onCall) onCall();
        return S_OK;
    }

    ULONG references = 1;
    std::vector<DISPID> calls;
    std::vector<UINT> argumentCounts;
    std::vector<short> firstArguments;
    std::function<void()> onCall;
};

// An owner for an EventSource outside any real class: counts references.
class Owner : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
        if (iid == IID_IConnectionPointContainer) return events.Query(iid, result);
        *result = nullptr;
        if (iid != IID_IUnknown) return E_NOINTERFACE;
        *result = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }

    ULONG references = 1;
    EventSource events{this, DIID___Clock};
};

VARIANT Short(short value) {
    VARIANT v;
    V_VT(&v) = VT_I2;
    V_I2(&v) = value;
    return v;
}

void PumpFor(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (GetTickCount64() < end) WaitStep();
}

}  // namespace

TEST_CASE("a connection point advises, fires in order and unadvises", "[events]") {
    Owner owner;
    ConnectionPoint& point = owner.events.Point();
    RecordingSink a, b;
    DWORD cookieA = 0, cookieB = 0;
    REQUIRE(point.Advise(&a, &cookieA) == S_OK);
    REQUIRE(point.Advise(&b, &cookieB) == S_OK);
    CHECK(cookieA != 0);
    CHECK(cookieB != cookieA);
    CHECK(a.references == 2);

    CHECK(owner.events.Fire(2, {Short(7), Short(8)}) == 2u);
    REQUIRE(a.calls.size() == 1);
    CHECK(a.calls[0] == 2);
    CHECK(a.argumentCounts[0] == 2u);
    REQUIRE(a.firstArguments.size() == 1);
    CHECK(a.firstArguments[0] == 7);
    CHECK(b.calls.size() == 1);

    CHECK(point.Unadvise(cookieA) == S_OK);
    CHECK(a.references == 1);
    CHECK(point.Unadvise(cookieA) == CONNECT_E_NOCONNECTION);
    CHECK(point.Unadvise(0) == CONNECT_E_NOCONNECTION);
    CHECK(owner.events.Fire(1) == 1u);
    CHECK(a.calls.size() == 1);
    CHECK(b.calls.size() == 2);

    CHECK(point.Advise(nullptr, &cookieA) == E_POINTER);
    CHECK(point.Advise(&a, nullptr) == E_POINTER);
    CHECK(point.Unadvise(cookieB) == S_OK);
    CHECK(owner.references == 1);  // firing held and let go of the owner
}

TEST_CASE("a handler may unadvise itself or others while an event fires", "[events]") {
    Owner owner;
    ConnectionPoint& point = owner.events.Point();
    RecordingSink a, b;
    DWORD cookieA = 0, cookieB = 0;
    point.Advise(&a, &cookieA);
    point.Advise(&b, &cookieB);
    a.onCall = [&] {
        point.Unadvise(cookieA);
        point.Unadvise(cookieB);
    };
    // The list was copied before the first call: b still gets this event.
    CHECK(owner.events.Fire(1) == 2u);
    CHECK(b.calls.size() == 1);
    CHECK(point.SinkCount() == 0u);
    CHECK(a.references == 1);
    CHECK(b.references == 1);
}

TEST_CASE("container, point and enumerators share the owner's identity and count", "[events]") {
    Owner owner;
    ComPtr<IConnectionPointContainer> container;
    REQUIRE(owner.QueryInterface(IID_PPV_ARGS(&container)) == S_OK);
    CHECK(owner.references == 2);

    ComPtr<IConnectionPoint> point;
    REQUIRE(container->FindConnectionPoint(DIID___Clock, &point) == S_OK);
    ComPtr<IConnectionPoint> other;
    CHECK(container->FindConnectionPoint(IID_IDispatch, &other) == CONNECT_E_NOCONNECTION);
    CHECK(!other);
    IID iid = GUID_NULL;
    point->GetConnectionInterface(&iid);
    CHECK(iid == DIID___Clock);
    ComPtr<IConnectionPointContainer> back;
    REQUIRE(point->GetConnectionPointContainer(&back) == S_OK);
    CHECK(back.Get() == container.Get());
    ComPtr<IUnknown> pointIdentity;
    CHECK(point->QueryInterface(IID_PPV_ARGS(&pointIdentity)) == S_OK);
    CHECK(pointIdentity.Get() == static_cast<IUnknown*>(point.Get()));
    ComPtr<IDispatch> none;
    CHECK(point->QueryInterface(IID_PPV_ARGS(&none)) == E_NOINTERFACE);

    ComPtr<IEnumConnectionPoints> points;
    REQUIRE(container->EnumConnectionPoints(&points) == S_OK);
    IConnectionPoint* listed[2] = {};
    ULONG fetched = 0;
    CHECK(points->Next(2, listed, &fetched) == S_FALSE);
    REQUIRE(fetched == 1u);
    CHECK(listed[0] == point.Get());
    listed[0]->Release();
    CHECK(points->Reset() == S_OK);
    CHECK(points->Skip(2) == S_FALSE);

    RecordingSink a, b;
    DWORD cookieA = 0, cookieB = 0;
    point->Advise(&a, &cookieA);
    point->Advise(&b, &cookieB);
    ComPtr<IEnumConnections> connections;
    REQUIRE(point->EnumConnections(&connections) == S_OK);
    point->Unadvise(cookieA);  // the enumerator keeps its snapshot
    CONNECTDATA data[3] = {};
    CHECK(connections->Next(3, data, &fetched) == S_FALSE);
    REQUIRE(fetched == 2u);
    CHECK(data[0].dwCookie == cookieA);
    CHECK(data[1].dwCookie == cookieB);
    ComPtr<IEnumConnections> clone;
    REQUIRE(connections->Clone(&clone) == S_OK);
    CHECK(clone->Next(1, data + 2, nullptr) == S_FALSE);  // the clone stands at the same place
    for (ULONG i = 0; i < fetched; ++i) data[i].pUnk->Release();
    clone.Reset();
    connections.Reset();
    CHECK(a.references == 1);
    CHECK(b.references == 2);
    point->Unadvise(cookieB);
    CHECK(b.references == 1);

    points.Reset();
    back.Reset();
    pointIdentity.Reset();
    point.Reset();
    container.Reset();
    CHECK(owner.references == 1);
}

TEST_CASE("the Clock answers its event interface and releases its sinks", "[events][clock]") {
    ComPtr<IDispatch> clock;
    REQUIRE(ClockObject::CreateInstance(IID_IDispatch, &clock) == S_OK);
    ComPtr<IProvideClassInfo2> info;
    REQUIRE(clock.As(&info) == S_OK);
    GUID source = GUID_NULL;
    CHECK(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source) == S_OK);
    CHECK(source == DIID___Clock);
    CHECK(info->GetGUID(12345, &source) == E_INVALIDARG);

    ComPtr<IConnectionPointContainer> container;
    REQUIRE(clock.As(&container) == S_OK);
    ComPtr<IConnectionPoint> point;
    REQUIRE(container->FindConnectionPoint(DIID___Clock, &point) == S_OK);
    RecordingSink sink;
    DWORD cookie = 0;
    REQUIRE(point->Advise(&sink, &cookie) == S_OK);

    ComPtr<_Clock> typed;
    REQUIRE(clock.As(&typed) == S_OK);
    VARIANT_BOOL started = VARIANT_FALSE;
    REQUIRE(typed->SetTimer(100, &started) == S_OK);
    CHECK(started == VARIANT_TRUE);
    PumpFor(600);
    REQUIRE(sink.calls.size() == 1);
    CHECK(sink.calls[0] == 1);
    CHECK(sink.argumentCounts[0] == 0u);

    // Released with the timer running and the sink still connected: the
    // sink is let go and no callback comes.
    REQUIRE(typed->SetTimer(100, &started) == S_OK);
    typed.Reset();
    point.Reset();
    container.Reset();
    info.Reset();
    clock.Reset();
    CHECK(sink.references == 1);
    PumpFor(400);
    CHECK(sink.calls.size() == 1);
}

TEST_CASE("clock timers: one expiry each, replaced, stopped, and re-armed from the handler", "[clock]") {
    int expiries = 0;
    ClockTimer* self = nullptr;
    int rearm = 0;
    ClockTimer timer([&] {
        ++expiries;
        CHECK(!self->Running());  // stopped before the handler runs
        if (rearm-- > 0) self->Start(50);
    });
    self = &timer;

    CHECK(!timer.Start(0));
    CHECK(!timer.Running());
    CHECK(timer.Start(50));
    CHECK(timer.Running());
    PumpFor(400);
    CHECK(expiries == 1);
    CHECK(!timer.Running());

    expiries = 0;
    timer.Start(2000);
    timer.Start(50);  // replaces the first
    PumpFor(400);
    CHECK(expiries == 1);

    expiries = 0;
    timer.Start(50);
    timer.Stop();
    CHECK(!timer.Start(0));
    PumpFor(300);
    CHECK(expiries == 0);

    rearm = 2;
    timer.Start(50);
    PumpFor(600);
    CHECK(expiries == 3);

    // Two timers expire each to their own owner.
    int other = 0;
    {
        ClockTimer second([&] { ++other; });
        second.Start(50);
        timer.Start(50);
        expiries = 0;
        PumpFor(300);
        CHECK(other == 1);
        CHECK(expiries == 1);
        second.Start(50);
    }  // destroyed while running: no callback afterwards
    PumpFor(300);
    CHECK(other == 1);
}
