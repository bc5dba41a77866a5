// What the robustness programs know about each member of each class: read
// from the type library, so every class added later is covered without new
// code. Members that wait for a person or make noise are listed once here.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <string>
#include <vector>

#include "runtime/ClassEntry.h"

namespace kelpa::robustness {

struct Member {
    std::wstring name;
    MEMBERID id = 0;
    WORD invokeKind = 0;                  // INVOKE_FUNC, INVOKE_PROPERTYGET, ...
    std::vector<VARTYPE> parameterTypes;  // without the [retval]; VT_PTR for ByRef Variant
    short optionalCount = 0;
};

struct ClassMembers {
    const ClassEntry* entry = nullptr;  // create is null for a class served by another program
    std::vector<Member> members;  // the callable ones
};

// Members that block on a user or wait on purpose; never called by the
// fuzzer or the leak checks.
bool IsSkippedMember(const std::wstring& className, const std::wstring& member);

// Every class of the catalogue with the members of its default interface.
std::vector<ClassMembers> ReadCatalogueMembers();

// Every creatable class of another server program (kelpac.exe), read from the
// type library in its file; its objects are made through the registered server.
std::vector<ClassMembers> ReadServerMembers(const std::wstring& programPath);

// A new object of the class: in-process from the catalogue, or through the
// registered server for a class of another program.
HRESULT CreateObject(const ClassMembers& cls, IDispatch** object);

// A Unix path as CMake gives it ("/a/b"), in the form Wine's programs open
// ("Z:\\a\\b"); any other path unchanged.
std::wstring WindowsPath(const char* path);

// The running processes of a program, by file name.
std::vector<DWORD> ProgramProcesses(const std::wstring& fileName);

}  // namespace kelpa::robustness
