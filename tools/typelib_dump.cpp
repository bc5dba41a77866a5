// Writes a type library as JSON, so that the tools that make the help file
// and the installer packages read the classes from the one description the
// servers themselves dispatch through.
//   typelib_dump.exe LIBRARY OUT.json
// LIBRARY is a .tlb or a program with an embedded library (of either width).
// Dual interfaces are written in their vtable view, so [out, retval]
// parameters stay visible as results.
#include <windows.h>
#include <oleauto.h>
#include <wrl/client.h>

#include <cstdio>
#include <string>
#include <vector>

#include "runtime/UniqueHandle.h"

using Microsoft::WRL::ComPtr;
using kelpa::unique_bstr;

namespace {

std::string Utf8(const wchar_t* text, int length = -1) {
    if (!text) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string result(size > 0 ? size : 0, '\0');
    if (size > 0) WideCharToMultiByte(CP_UTF8, 0, text, length, result.data(), size, nullptr, nullptr);
    if (length == -1 && !result.empty()) result.pop_back();  // the terminator
    return result;
}

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (c < 0x20) {
                    char code[8];
                    std::snprintf(code, sizeof code, "\\u%04x", c);
                    out += code;
                } else {
                    out += static_cast<char>(c);
                }
        }
    }
    return out + "\"";
}

std::string Quoted(BSTR text) { return Quoted(Utf8(text, text ? static_cast<int>(SysStringLen(text)) : 0)); }

std::string GuidText(const GUID& guid) {
    wchar_t text[64] = {};
    StringFromGUID2(guid, text, ARRAYSIZE(text));
    return Utf8(text);
}

// Releases what ITypeInfo hands out with its own release call.
template <class T, void (STDMETHODCALLTYPE ITypeInfo::*Release)(T*)>
class TypeInfoData {
public:
    TypeInfoData(ITypeInfo* info, T* data) : info_(info), data_(data) {}
    ~TypeInfoData() {
        if (data_) (info_->*Release)(data_);
    }
    TypeInfoData(const TypeInfoData&) = delete;
    TypeInfoData& operator=(const TypeInfoData&) = delete;
    T* operator->() const { return data_; }
    T& operator*() const { return *data_; }
    explicit operator bool() const { return data_ != nullptr; }

private:
    ITypeInfo* info_;
    T* data_;
};
using TypeAttr = TypeInfoData<TYPEATTR, &ITypeInfo::ReleaseTypeAttr>;
using FuncDesc = TypeInfoData<FUNCDESC, &ITypeInfo::ReleaseFuncDesc>;
using VarDesc = TypeInfoData<VARDESC, &ITypeInfo::ReleaseVarDesc>;

TYPEATTR* GetAttr(ITypeInfo* info) {
    TYPEATTR* attr = nullptr;
    info->GetTypeAttr(&attr);
    return attr;
}

std::string TypeName(ITypeInfo* info, const TYPEDESC& type) {
    switch (type.vt) {
        case VT_PTR: return TypeName(info, *type.lptdesc) + "*";
        case VT_SAFEARRAY: return "SAFEARRAY(" + TypeName(info, *type.lptdesc) + ")";
        case VT_USERDEFINED: {
            ComPtr<ITypeInfo> referenced;
            unique_bstr name;
            if (SUCCEEDED(info->GetRefTypeInfo(type.hreftype, &referenced)) &&
                SUCCEEDED(referenced->GetDocumentation(MEMBERID_NIL, name.put(), nullptr, nullptr, nullptr)))
                return Utf8(name.get());
            return "?";
        }
        case VT_EMPTY: return "void";
        case VT_VOID: return "void";
        case VT_HRESULT: return "HRESULT";
        case VT_I1: return "char";
        case VT_UI1: return "unsigned char";
        case VT_I2: return "short";
        case VT_UI2: return "unsigned short";
        case VT_I4: return "long";
        case VT_UI4: return "unsigned long";
        case VT_I8: return "__int64";
        case VT_UI8: return "unsigned __int64";
        case VT_INT: return "int";
        case VT_UINT: return "unsigned int";
        case VT_R4: return "single";
        case VT_R8: return "double";
        case VT_CY: return "CURRENCY";
        case VT_DATE: return "DATE";
        case VT_BSTR: return "BSTR";
        case VT_DISPATCH: return "IDispatch*";
        case VT_UNKNOWN: return "IUnknown*";
        case VT_BOOL: return "VARIANT_BOOL";
        case VT_VARIANT: return "VARIANT";
        case VT_ERROR: return "SCODE";
        case VT_LPSTR: return "LPSTR";
        case VT_LPWSTR: return "LPWSTR";
        default: return "vt" + std::to_string(type.vt);
    }
}

// A default value as the IDL would write it: text quoted, numbers as numbers.
std::string DefaultText(const VARIANT& value) {
    if (value.vt == VT_BSTR) return Quoted(value.bstrVal);
    VARIANT text;
    VariantInit(&text);
    std::string result = "null";
    if (SUCCEEDED(VariantChangeTypeEx(&text, const_cast<VARIANT*>(&value), LOCALE_INVARIANT, VARIANT_ALPHABOOL, VT_BSTR)))
        result = Quoted(text.bstrVal);
    VariantClear(&text);
    return result;
}

std::string Flags(unsigned flags, const std::vector<std::pair<unsigned, const char*>>& names) {
    std::string out = "[";
    for (const auto& [bit, name] : names) {
        if (!(flags & bit)) continue;
        if (out.size() > 1) out += ",";
        out += Quoted(std::string(name));
    }
    return out + "]";
}

std::string TypeFlags(unsigned flags) {
    return Flags(flags, {{TYPEFLAG_FAPPOBJECT, "appobject"},     {TYPEFLAG_FCANCREATE, "cancreate"},
                         {TYPEFLAG_FLICENSED, "licensed"},       {TYPEFLAG_FPREDECLID, "predeclid"},
                         {TYPEFLAG_FHIDDEN, "hidden"},           {TYPEFLAG_FCONTROL, "control"},
                         {TYPEFLAG_FDUAL, "dual"},               {TYPEFLAG_FNONEXTENSIBLE, "nonextensible"},
                         {TYPEFLAG_FOLEAUTOMATION, "oleautomation"}, {TYPEFLAG_FRESTRICTED, "restricted"},
                         {TYPEFLAG_FAGGREGATABLE, "aggregatable"}, {TYPEFLAG_FREPLACEABLE, "replaceable"},
                         {TYPEFLAG_FDISPATCHABLE, "dispatchable"}, {TYPEFLAG_FREVERSEBIND, "reversebind"},
                         {TYPEFLAG_FPROXY, "proxy"}});
}

struct Documentation {
    unique_bstr name, helpString;
    DWORD helpContext = 0;
};

Documentation Document(ITypeInfo* info, MEMBERID id) {
    Documentation doc;
    info->GetDocumentation(id, doc.name.put(), doc.helpString.put(), &doc.helpContext, nullptr);
    return doc;
}

std::string Functions(ITypeInfo* info, const TYPEATTR& attr) {
    std::string out = "[";
    for (UINT i = 0; i < attr.cFuncs; ++i) {
        FUNCDESC* raw = nullptr;
        if (FAILED(info->GetFuncDesc(i, &raw))) continue;
        FuncDesc func(info, raw);
        Documentation doc = Document(info, func->memid);
        std::vector<unique_bstr> names(func->cParams + 1);
        std::vector<BSTR> raws(func->cParams + 1, nullptr);
        UINT count = 0;
        info->GetNames(func->memid, raws.data(), static_cast<UINT>(raws.size()), &count);
        for (size_t n = 0; n < raws.size(); ++n) names[n].reset(raws[n]);
        const char* kind = func->invkind == INVOKE_PROPERTYGET      ? "propget"
                           : func->invkind == INVOKE_PROPERTYPUT    ? "propput"
                           : func->invkind == INVOKE_PROPERTYPUTREF ? "propputref"
                                                                    : "method";
        if (out.size() > 1) out += ",";
        out += "\n    {\"name\":" + Quoted(doc.name.get()) + ",\"memid\":" + std::to_string(func->memid) +
               ",\"invkind\":" + Quoted(std::string(kind)) + ",\"helpstring\":" + Quoted(doc.helpString.get()) +
               ",\"helpcontext\":" + std::to_string(doc.helpContext) +
               ",\"flags\":" + Flags(func->wFuncFlags, {{FUNCFLAG_FHIDDEN, "hidden"},
                                                        {FUNCFLAG_FRESTRICTED, "restricted"},
                                                        {FUNCFLAG_FSOURCE, "source"},
                                                        {FUNCFLAG_FBINDABLE, "bindable"},
                                                        {FUNCFLAG_FDEFAULTBIND, "defaultbind"}}) +
               ",\"returns\":" + Quoted(TypeName(info, func->elemdescFunc.tdesc)) + ",\"params\":[";
        for (SHORT p = 0; p < func->cParams; ++p) {
            const ELEMDESC& param = func->lprgelemdescParam[p];
            const USHORT flags = param.paramdesc.wParamFlags;
            // GetNames answers by member id, so a property put gets its Get's names:
            // the index arguments match, the value itself has no name in the library.
            const bool putValue = func->invkind != INVOKE_FUNC && func->invkind != INVOKE_PROPERTYGET &&
                                  p == func->cParams - 1;
            std::string name = !putValue && p + 1 < static_cast<SHORT>(count) ? Utf8(names[p + 1].get()) : "RHS";
            if (p) out += ",";
            out += "{\"name\":" + Quoted(name) + ",\"type\":" + Quoted(TypeName(info, param.tdesc)) +
                   ",\"flags\":" + Flags(flags, {{PARAMFLAG_FIN, "in"},
                                                  {PARAMFLAG_FOUT, "out"},
                                                  {PARAMFLAG_FRETVAL, "retval"},
                                                  {PARAMFLAG_FOPT, "optional"},
                                                  {PARAMFLAG_FLCID, "lcid"}});
            if ((flags & PARAMFLAG_FHASDEFAULT) && param.paramdesc.pparamdescex)
                out += ",\"default\":" + DefaultText(param.paramdesc.pparamdescex->varDefaultValue);
            out += "}";
        }
        out += "]}";
    }
    return out + "]";
}

std::string Values(ITypeInfo* info, const TYPEATTR& attr) {
    std::string out = "[";
    for (UINT i = 0; i < attr.cVars; ++i) {
        VARDESC* raw = nullptr;
        if (FAILED(info->GetVarDesc(i, &raw))) continue;
        VarDesc var(info, raw);
        Documentation doc = Document(info, var->memid);
        if (out.size() > 1) out += ",";
        out += "\n    {\"name\":" + Quoted(doc.name.get()) + ",\"helpstring\":" + Quoted(doc.helpString.get());
        if (var->varkind == VAR_CONST && var->lpvarValue) {
            VARIANT number;
            VariantInit(&number);
            if (SUCCEEDED(VariantChangeType(&number, var->lpvarValue, 0, VT_I4)))
                out += ",\"value\":" + std::to_string(number.lVal);
            VariantClear(&number);
        }
        out += "}";
    }
    return out + "]";
}

std::string Implements(ITypeInfo* info, const TYPEATTR& attr) {
    std::string out = "[";
    for (UINT i = 0; i < attr.cImplTypes; ++i) {
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> implemented;
        INT flags = 0;
        if (FAILED(info->GetRefTypeOfImplType(i, &ref)) || FAILED(info->GetRefTypeInfo(ref, &implemented))) continue;
        info->GetImplTypeFlags(i, &flags);
        TypeAttr implAttr(implemented.Get(), GetAttr(implemented.Get()));
        if (!implAttr) continue;
        Documentation doc = Document(implemented.Get(), MEMBERID_NIL);
        if (out.size() > 1) out += ",";
        out += "{\"name\":" + Quoted(doc.name.get()) + ",\"guid\":" + Quoted(GuidText(implAttr->guid)) +
               ",\"default\":" + ((flags & IMPLTYPEFLAG_FDEFAULT) ? "true" : "false") +
               ",\"source\":" + ((flags & IMPLTYPEFLAG_FSOURCE) ? "true" : "false") + "}";
    }
    return out + "]";
}

const char* KindName(TYPEKIND kind) {
    switch (kind) {
        case TKIND_ENUM: return "enum";
        case TKIND_RECORD: return "record";
        case TKIND_MODULE: return "module";
        case TKIND_INTERFACE: return "interface";
        case TKIND_DISPATCH: return "dispatch";
        case TKIND_COCLASS: return "coclass";
        case TKIND_ALIAS: return "alias";
        case TKIND_UNION: return "union";
        default: return "unknown";
    }
}

std::string Type(ITypeInfo* described) {
    ComPtr<ITypeInfo> info = described;
    TypeAttr attr(info.Get(), GetAttr(info.Get()));
    if (!attr) return {};
    const TYPEKIND kind = attr->typekind;
    const WORD flags = attr->wTypeFlags;
    const GUID guid = attr->guid;
    // The vtable half of a dual interface lists the members as declared.
    ComPtr<ITypeInfo> members = info;
    if (kind == TKIND_DISPATCH && (flags & TYPEFLAG_FDUAL)) {
        HREFTYPE ref = 0;
        ComPtr<ITypeInfo> vtable;
        if (SUCCEEDED(info->GetRefTypeOfImplType(-1, &ref)) && SUCCEEDED(info->GetRefTypeInfo(ref, &vtable)))
            members = vtable;
    }
    TypeAttr memberAttr(members.Get(), GetAttr(members.Get()));
    Documentation doc = Document(info.Get(), MEMBERID_NIL);
    std::string out = "\n  {\"kind\":" + Quoted(std::string(kind == TKIND_DISPATCH && (flags & TYPEFLAG_FDUAL)
                                                                 ? "interface"
                                                                 : KindName(kind))) +
                      ",\"name\":" + Quoted(doc.name.get()) + ",\"guid\":" + Quoted(GuidText(guid)) +
                      ",\"flags\":" + TypeFlags(flags) + ",\"helpstring\":" + Quoted(doc.helpString.get()) +
                      ",\"helpcontext\":" + std::to_string(doc.helpContext);
    if (kind == TKIND_COCLASS) out += ",\"implements\":" + Implements(info.Get(), *attr);
    if (memberAttr) {
        out += ",\"functions\":" + Functions(members.Get(), *memberAttr);
        out += ",\"values\":" + Values(members.Get(), *memberAttr);
    }
    return out + "}";
}

int Dump(const wchar_t* path, const wchar_t* outPath) {
    ComPtr<ITypeLib> library;
    HRESULT hr = LoadTypeLibEx(path, REGKIND_NONE, &library);
    if (FAILED(hr)) {
        std::fprintf(stderr, "typelib_dump: cannot load a type library from %s (0x%08lX)\n", Utf8(path).c_str(),
                     static_cast<unsigned long>(hr));
        return 1;
    }
    TLIBATTR* libAttr = nullptr;
    library->GetLibAttr(&libAttr);
    unique_bstr name, helpString, helpFile;
    library->GetDocumentation(-1, name.put(), helpString.put(), nullptr, helpFile.put());
    // The help file comes back with the library's folder in front; the name is what the IDL says.
    std::wstring file = helpFile.get() ? helpFile.get() : L"";
    const size_t slash = file.find_last_of(L"\\/");
    if (slash != std::wstring::npos) file.erase(0, slash + 1);
    std::string out = "{\"name\":" + Quoted(name.get()) + ",\"guid\":" + Quoted(GuidText(libAttr->guid)) +
                      ",\"version\":\"" + std::to_string(libAttr->wMajorVerNum) + "." +
                      std::to_string(libAttr->wMinorVerNum) + "\",\"lcid\":" + std::to_string(libAttr->lcid) +
                      ",\"libflags\":" + std::to_string(libAttr->wLibFlags) +
                      ",\"syskind\":\"" + (libAttr->syskind == SYS_WIN64 ? "win64" : "win32") + "\"" +
                      ",\"helpstring\":" + Quoted(helpString.get()) + ",\"helpfile\":" + Quoted(Utf8(file.c_str())) +
                      ",\"types\":[";
    library->ReleaseTLibAttr(libAttr);
    const UINT count = library->GetTypeInfoCount();
    for (UINT i = 0; i < count; ++i) {
        ComPtr<ITypeInfo> info;
        if (FAILED(library->GetTypeInfo(i, &info))) continue;
        if (i) out += ",";
        out += Type(info.Get());
    }
    out += "]}\n";
    kelpa::unique_hfile outFile(
        CreateFileW(outPath, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!outFile || !WriteFile(outFile.get(), out.data(), static_cast<DWORD>(out.size()), &written, nullptr) ||
        written != out.size()) {
        std::fprintf(stderr, "typelib_dump: cannot write %s\n", Utf8(outPath).c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: typelib_dump LIBRARY OUT.json\n");
        return 2;
    }
    CoInitialize(nullptr);
    const int result = Dump(argv[1], argv[2]);
    CoUninitialize();
    return result;
}
