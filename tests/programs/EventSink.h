// What every event client needs: an IDispatch sink that lives on the stack
// and hands each event to its owner, the connection point of an object's
// default event interface found as a script host finds it, and a message
// pump (the server's calls to the sink arrive as messages of this apartment).
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

#include "ComClient.h"

namespace eventsink {

using Microsoft::WRL::ComPtr;

// What a sink answers to is configurable, to check what Advise accepts.
// Derived sinks say what an event means in OnEvent.
class Sink : public IDispatch {
public:
    enum class Answers { EventInterface, DispatchOnly, Nothing };
    explicit Sink(const IID& events, Answers answers = Answers::EventInterface) : m_events(events), m_answers(answers) {}
    virtual ~Sink() = default;
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override {
        *result = nullptr;
        const bool dispatch = m_answers != Answers::Nothing && iid == IID_IDispatch;
        const bool events = m_answers == Answers::EventInterface && iid == m_events;
        if (iid != IID_IUnknown && !dispatch && !events) return E_NOINTERFACE;
        *result = static_cast<IDispatch*>(this);
        AddRef();
        return S_OK;
    }
    // The count only shows whether the server let go; the sink is not heap-owned.
    ULONG STDMETHODCALLTYPE AddRef() override { return ++m_references; }
    ULONG STDMETHODCALLTYPE Release() override { return --m_references; }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return OnEvent(member, params);
    }

    ULONG m_references = 1;

protected:
    virtual HRESULT OnEvent(DISPID member, DISPPARAMS* params) = 0;

private:
    const IID m_events;
    const Answers m_answers;
};

// Handles the calls that arrive for sinks for the given time.
inline void Pump(DWORD milliseconds) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}

// The connection point of the object's default event interface, which the
// object names through IProvideClassInfo2; null when it has none.
inline ComPtr<IConnectionPoint> EventPoint(IDispatch* object) {
    ComPtr<IProvideClassInfo2> classInfo;
    GUID source = GUID_NULL;
    if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&classInfo))))
        classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source);
    ComPtr<IConnectionPointContainer> container;
    ComPtr<IConnectionPoint> point;
    if (SUCCEEDED(object->QueryInterface(IID_PPV_ARGS(&container)))) container->FindConnectionPoint(source, &point);
    return point;
}

}  // namespace eventsink
