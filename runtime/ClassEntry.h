// What the server needs to know to publish one class: its names, identifiers
// and how instances are made. Each program's table lives in its own folder
// (kelpa/Catalogue.cpp, kelpac/Catalogue.cpp).
#pragma once

#include <windows.h>

namespace kelpa {

enum class Instancing {
    MultiUse,       // one running server serves every object of the class
    SingleUse,      // every object gets a server process of its own
    NotCreatable,   // only handed out by another object; registered through the type library only
};

using CreateFunction = HRESULT (*)(REFIID iid, void** result);

struct ClassEntry {
    const wchar_t* name;  // the class name; the ProgID is "Kelpa." + name
    CLSID clsid;
    IID iid;  // the default interface
    Instancing instancing;
    CreateFunction create;
};

struct ClassTable {
    const ClassEntry* begin_;
    const ClassEntry* end_;
    const ClassEntry* begin() const { return begin_; }
    const ClassEntry* end() const { return end_; }
};

}  // namespace kelpa
