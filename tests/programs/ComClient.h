// Late-bound automation calls from C++ test clients, the way a script makes
// them: create by ProgID, then properties and methods by name through
// IDispatch. For what scripts under Wine cannot do (events, driving the
// dialogs that a blocking call opens).
#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <wrl/client.h>
#include <algorithm>
#include <string>
#include <vector>

#include "runtime/UniqueHandle.h"

namespace comclient {

using Microsoft::WRL::ComPtr;

struct Apartment {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~Apartment() {
        if (SUCCEEDED(hr)) CoUninitialize();
    }
};

inline VARIANT Long(long value) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

inline VARIANT Bool(bool value) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BOOL;
    V_BOOL(&v) = value ? VARIANT_TRUE : VARIANT_FALSE;
    return v;
}

// The VARIANT owns a new BSTR; the call helpers clear their arguments.
inline VARIANT Text(const std::wstring& text) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return v;
}

// The outcome of one call: its HRESULT, the script-visible error (number,
// source, description) and the result, read as a Long and as text.
struct Outcome {
    HRESULT hr = E_FAIL;
    HRESULT number = S_OK;
    std::wstring source;
    std::wstring description;
    VARTYPE type = VT_EMPTY;
    long numberValue = -999999;  // the result as a Long, when it converts
    std::wstring text;            // the result as text, when it converts

    long AsLong() const { return numberValue; }
    const std::wstring& AsText() const { return text; }

    void Keep(VARIANT& value) {
        type = V_VT(&value);
        kelpa::unique_variant converted;
        if (SUCCEEDED(VariantChangeType(converted.get(), &value, 0, VT_I4))) numberValue = V_I4(converted.get());
        if (SUCCEEDED(VariantChangeType(converted.put(), &value, 0, VT_BSTR)) && V_BSTR(converted.get()))
            text.assign(V_BSTR(converted.get()), SysStringLen(V_BSTR(converted.get())));
    }
};

class Object {
public:
    Object() = default;
    explicit Object(ComPtr<IDispatch> dispatch) : m_dispatch(std::move(dispatch)) {}

    static Object Create(const wchar_t* progId, HRESULT* result = nullptr) {
        CLSID clsid;
        HRESULT hr = CLSIDFromProgID(progId, &clsid);
        ComPtr<IDispatch> dispatch;
        if (SUCCEEDED(hr)) hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_PPV_ARGS(&dispatch));
        if (result) *result = hr;
        return Object(dispatch);
    }

    IDispatch* Get() const { return m_dispatch.Get(); }
    explicit operator bool() const { return m_dispatch != nullptr; }
    void Reset() { m_dispatch.Reset(); }

    // Calls a member with positional arguments given in script order; the
    // arguments are cleared afterwards.
    Outcome Invoke(const wchar_t* name, WORD flags, std::vector<VARIANT> arguments) {
        Outcome outcome;
        DISPID id = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        outcome.hr = m_dispatch->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
        if (SUCCEEDED(outcome.hr)) {
            std::reverse(arguments.begin(), arguments.end());
            DISPID put = DISPID_PROPERTYPUT;
            DISPPARAMS params = {arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
            if (flags == DISPATCH_PROPERTYPUT) {
                params.rgdispidNamedArgs = &put;
                params.cNamedArgs = 1;
            }
            EXCEPINFO exception = {};
            UINT argumentError = 0;
            kelpa::unique_variant value;
            outcome.hr = m_dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                            flags == DISPATCH_PROPERTYPUT ? nullptr : value.get(), &exception,
                                            &argumentError);
            outcome.Keep(*value.get());
            if (outcome.hr == DISP_E_EXCEPTION) {
                outcome.number = exception.scode ? exception.scode : static_cast<HRESULT>(exception.wCode);
                if (exception.bstrSource) outcome.source = exception.bstrSource;
                if (exception.bstrDescription) outcome.description = exception.bstrDescription;
                SysFreeString(exception.bstrSource);
                SysFreeString(exception.bstrDescription);
                SysFreeString(exception.bstrHelpFile);
            } else {
                outcome.number = outcome.hr;
            }
        }
        for (VARIANT& argument : arguments) VariantClear(&argument);
        return outcome;
    }

    Outcome Call(const wchar_t* name, std::vector<VARIANT> arguments = {}) {
        return Invoke(name, DISPATCH_METHOD, std::move(arguments));
    }
    Outcome Property(const wchar_t* name) { return Invoke(name, DISPATCH_PROPERTYGET, {}); }
    HRESULT SetProperty(const wchar_t* name, VARIANT value) {
        return Invoke(name, DISPATCH_PROPERTYPUT, {value}).hr;
    }

private:
    ComPtr<IDispatch> m_dispatch;
};

}  // namespace comclient
