// The COM object base and type-library dispatch, in-process: what every
// class inherits, checked once through Profile.
#include <windows.h>
#include <oleauto.h>
#include <dispex.h>
#include <wrl/client.h>

#include "catch.hpp"
#include "kelpa/Catalogue.h"
#include "kelpa_h.h"
#include "runtime/ServerLifetime.h"
#include "runtime/TypeLibrary.h"
#include "runtime/UniqueHandle.h"
#include "utilities/ProfileObject.h"

using Microsoft::WRL::ComPtr;
using namespace kelpa;

namespace {

DISPID IdOf(IDispatch* object, const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    const HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    INFO("GetIDsOfNames(" << std::string(name, name + wcslen(name)) << ") = " << std::hex << hr);
    REQUIRE(hr == S_OK);
    return id;
}

// Calls a method with positional arguments given in script order.
HRESULT CallMethod(IDispatch* object, const wchar_t* name, std::vector<VARIANT> arguments, VARIANT* result,
                   EXCEPINFO* exception) {
    std::reverse(arguments.begin(), arguments.end());
    DISPPARAMS params = {arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
    UINT argumentError = 0;
    return object->Invoke(IdOf(object, name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result,
                          exception, &argumentError);
}

VARIANT Text(const wchar_t* text) {
    VARIANT v;
    V_VT(&v) = VT_BSTR;
    V_BSTR(&v) = SysAllocString(text);
    return v;
}

ComPtr<IDispatch> NewProfile() {
    ComPtr<IDispatch> object;
    REQUIRE(ProfileObject::CreateInstance(IID_IDispatch, &object) == S_OK);
    return object;
}

}  // namespace

TEST_CASE("every function of the type library has a readable description", "[typelib]") {
    ITypeLib* library = KelpaTypeLib();
    REQUIRE(library);
    const UINT count = library->GetTypeInfoCount();
    CHECK(count > 0);
    for (UINT i = 0; i < count; ++i) {
        ComPtr<ITypeInfo> info;
        REQUIRE(library->GetTypeInfo(i, &info) == S_OK);
        TYPEATTR* attr = nullptr;
        REQUIRE(info->GetTypeAttr(&attr) == S_OK);
        const WORD functions = attr->cFuncs;
        info->ReleaseTypeAttr(attr);
        for (UINT f = 0; f < functions; ++f) {
            FUNCDESC* desc = nullptr;
            const HRESULT hr = info->GetFuncDesc(f, &desc);
            INFO("type " << i << " function " << f << " hr " << std::hex << hr);
            CHECK(hr == S_OK);
            if (desc) info->ReleaseFuncDesc(desc);
        }
    }
}

TEST_CASE("every catalogue class is described by the library", "[typelib]") {
    for (const ClassEntry& entry : KelpaServer().classes) {
        INFO(std::string(entry.name, entry.name + wcslen(entry.name)));
        CHECK(FindInterfaceInfo(entry.clsid) != nullptr);
        CHECK(FindInterfaceInfo(entry.iid) != nullptr);
    }
}

TEST_CASE("the object answers only for its interfaces and counts references", "[dispatch]") {
    const long before = ServerObjectCount();
    {
        ComPtr<IDispatch> object = NewProfile();
        CHECK(ServerObjectCount() == before + 1);
        ComPtr<IUnknown> unknown;
        CHECK(object.As(&unknown) == S_OK);
        ComPtr<_Profile> typed;
        CHECK(object.As(&typed) == S_OK);
        ComPtr<IPersist> persist;
        CHECK(object.As(&persist) == E_NOINTERFACE);
        ComPtr<ISupportErrorInfo> errors;
        REQUIRE(object.As(&errors) == S_OK);
        CHECK(errors->InterfaceSupportsErrorInfo(IID__Profile) == S_OK);
        ComPtr<IProvideClassInfo2> classInfo;
        REQUIRE(object.As(&classInfo) == S_OK);
        ComPtr<ITypeInfo> coclass;
        REQUIRE(classInfo->GetClassInfo(&coclass) == S_OK);
        TYPEATTR* attr = nullptr;
        REQUIRE(coclass->GetTypeAttr(&attr) == S_OK);
        CHECK(attr->guid == CLSID_Profile);
        coclass->ReleaseTypeAttr(attr);
        GUID source = {};
        CHECK(classInfo->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source) == E_INVALIDARG);

        object->AddRef();
        CHECK(object->Release() == 5);  // object, unknown, typed, errors, classInfo
    }
    CHECK(ServerObjectCount() == before);
}

TEST_CASE("omitted optional arguments arrive with their defaults", "[dispatch]") {
    ComPtr<IDispatch> object = NewProfile();
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + L"kelpa-dispatch.ini";
    {
        unique_hfile file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        REQUIRE(file);
    }
    ComPtr<_Profile> typed;
    REQUIRE(object.As(&typed) == S_OK);
    unique_bstr bstrPath(SysAllocString(path.c_str()));
    REQUIRE(typed->put_File(bstrPath.get()) == S_OK);
    VARIANT_BOOL written = VARIANT_FALSE;
    unique_bstr s(SysAllocString(L"S")), k(SysAllocString(L"k")), v(SysAllocString(L"v"));
    REQUIRE(typed->SetValue(s.get(), k.get(), v.get(), &written) == S_OK);
    CHECK(written == VARIANT_TRUE);

    unique_variant result;
    EXCEPINFO exception = {};
    REQUIRE(CallMethod(object.Get(), L"GetSection", {Text(L"S")}, result.get(), &exception) == S_OK);
    REQUIRE(V_VT(result.get()) == VT_BSTR);
    CHECK(std::wstring(V_BSTR(result.get())) == L"k=v\r\n");  // cvt True by default
    DeleteFileW(path.c_str());
}

TEST_CASE("a failing member reaches the client as number, source and description", "[dispatch]") {
    ComPtr<IDispatch> object = NewProfile();
    unique_variant result;
    EXCEPINFO exception = {};
    const HRESULT hr = CallMethod(object.Get(), L"GetValue", {Text(L"a"), Text(L"b")}, result.get(), &exception);
    CHECK(hr == DISP_E_EXCEPTION);
    CHECK(exception.scode == static_cast<SCODE>(0x80040340));
    REQUIRE(exception.bstrSource);
    CHECK(std::wstring(exception.bstrSource) == L"Kelpa.Profile");
    REQUIRE(exception.bstrDescription);
    CHECK(std::wstring(exception.bstrDescription) == L"No Profile defined.");
    CHECK(exception.bstrHelpFile == nullptr);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
}

TEST_CASE("IDispatchEx answers as IDispatch does", "[dispatch]") {
    ComPtr<IDispatch> object = NewProfile();
    ComPtr<IDispatchEx> extended;
    REQUIRE(object->QueryInterface(__uuidof(IDispatchEx), &extended) == S_OK);
    unique_bstr name(SysAllocString(L"errorlevel"));
    DISPID id = 0;
    REQUIRE(extended->GetDispID(name.get(), fdexNameCaseInsensitive, &id) == S_OK);
    CHECK(id == IdOf(object.Get(), L"ErrorLevel"));
    unique_bstr unknown(SysAllocString(L"NoSuchMember"));
    CHECK(extended->GetDispID(unknown.get(), 0, &id) == DISP_E_UNKNOWNNAME);

    DISPPARAMS none = {};
    unique_variant result;
    REQUIRE(extended->InvokeEx(IdOf(object.Get(), L"ErrorLevel"), LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none,
                               result.get(), nullptr, nullptr) == S_OK);
    CHECK(V_VT(result.get()) == VT_I2);
    CHECK(V_I2(result.get()) == 1);

    // Failures carry the error object through InvokeEx too.
    VARIANT arguments[] = {Text(L"b"), Text(L"a")};
    DISPPARAMS params = {arguments, nullptr, 2, 0};
    EXCEPINFO exception = {};
    CHECK(extended->InvokeEx(IdOf(object.Get(), L"GetValue"), LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params,
                             result.put(), &exception, nullptr) == DISP_E_EXCEPTION);
    CHECK(exception.scode == static_cast<SCODE>(0x80040340));
    for (VARIANT& argument : arguments) VariantClear(&argument);
    SysFreeString(exception.bstrSource);
    SysFreeString(exception.bstrDescription);
    SysFreeString(exception.bstrHelpFile);
}
