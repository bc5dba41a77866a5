// Registry reader in-process, on a private tree under HKCU: every value type
// and its empty forms, key and value tests, item lists, the depth-first order
// of Search, the limits of its buffers and bad paths.
#include <windows.h>
#include <wrl/client.h>
#include <functional>

#include "catch.hpp"
#include "files/Registry.h"
#include "files/RegistryObject.h"
#include "tests/unit/TestRegistryKey.h"

using Microsoft::WRL::ComPtr;
using namespace kelpa;
using Reader = kelpa::Registry;  // ::Registry is the coclass
using namespace std::string_literals;

namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// Subkey names of a key in the order the platform enumerates them.
std::vector<std::wstring> EnumeratedSubkeys(const std::wstring& subkey) {
    std::vector<std::wstring> names;
    unique_hkey key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, subkey.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS) return names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = ARRAYSIZE(name);
        if (RegEnumKeyExW(key.get(), i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

// The open handles of this process, counted in the system's handle table
// (Wine's GetProcessHandleCount always answers 0).
DWORD HandleCount() {
    struct Entry {
        ULONG processId;
        BYTE objectType, flags;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    using QueryFn = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<BYTE> buffer(1 << 20);
    for (;;) {
        ULONG needed = 0;
        const LONG status = query(16 /* SystemHandleInformation */, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == static_cast<LONG>(0xC0000004) /* STATUS_INFO_LENGTH_MISMATCH */ && buffer.size() < (64u << 20)) {
            buffer.resize(buffer.size() * 2);
            continue;
        }
        if (status != 0) return 0;
        break;
    }
    const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
    const Entry* entries = reinterpret_cast<const Entry*>(buffer.data() + sizeof(ULONG_PTR));
    DWORD mine = 0;
    for (ULONG i = 0; i < count; ++i)
        if (entries[i].processId == GetCurrentProcessId()) ++mine;
    return mine;
}

}  // namespace

TEST_CASE("paths split into a known root and the rest", "[registry]") {
    CHECK(RootKeyOf(L"hkcu") == HKEY_CURRENT_USER);
    CHECK(RootKeyOf(L"HKEY_LOCAL_MACHINE") == HKEY_LOCAL_MACHINE);
    CHECK(RootKeyOf(L"Hkcr") == HKEY_CLASSES_ROOT);
    CHECK(RootKeyOf(L"HKU") == HKEY_USERS);
    CHECK(RootKeyOf(L"HKCC") == HKEY_CURRENT_CONFIG);
    CHECK(RootKeyOf(L"HKXX") == nullptr);
    CHECK(RootKeyOf(L"") == nullptr);
    const RegistryPath path = SplitRegistryPath(L"hkcu\\Software\\A\\");
    CHECK(path.root == HKEY_CURRENT_USER);
    CHECK(path.rootName == L"hkcu");
    CHECK(path.rest == L"Software\\A\\");

    std::wstring text = L"HKCU\\A\\\\";
    CHECK(NormaliseRegistryPath(text));
    CHECK(text == L"HKCU\\A\\");  // only one trailing backslash goes
    text = L"\\";
    CHECK_FALSE(NormaliseRegistryPath(text));
    text = L"";
    CHECK_FALSE(NormaliseRegistryPath(text));
}

TEST_CASE("RegRead converts every value type", "[registry]") {
    TestRegistryKey tree;
    tree.SetString(L"", L"sz", L"text");
    tree.SetString(L"", L"", L"default value");
    tree.SetString(L"", L"expand", L"%SystemRoot%\\x", REG_EXPAND_SZ);
    tree.SetRaw(L"", L"multi", REG_MULTI_SZ, L"a\0b\0\0", 10);
    tree.SetDword(L"", L"dword", 0xFFFFFFFF);
    const unsigned long long qword = 0x0102030405060708ULL;
    tree.SetRaw(L"", L"qword", REG_QWORD, &qword, 8);
    const BYTE binary[] = {0, 1, 0xFF};
    tree.SetRaw(L"", L"binary", REG_BINARY, binary, 3);
    tree.SetRaw(L"", L"none", REG_NONE, binary, 3);
    tree.SetString(L"", L"with\\backslash", L"slashed");

    Reader registry;
    RegistryValue value = registry.RegRead(tree.Path(L"sz"), L"");
    CHECK(registry.ErrorCode() == 0);
    CHECK(value.kind == RegistryValue::Kind::Text);
    CHECK(value.text == L"text");

    value = registry.RegRead(tree.Path() + L"\\", L"");
    CHECK(value.text == L"default value");
    value = registry.RegRead(tree.Path(), L"with\\backslash");
    CHECK(value.text == L"slashed");

    wchar_t root[MAX_PATH];
    GetEnvironmentVariableW(L"SystemRoot", root, MAX_PATH);
    value = registry.RegRead(tree.Path(L"expand"), L"");
    CHECK(value.text == std::wstring(root) + L"\\x");
    registry.SetConvertStr(false);
    value = registry.RegRead(tree.Path(L"expand"), L"");
    CHECK(value.text == L"%SystemRoot%\\x");

    value = registry.RegRead(tree.Path(L"multi"), L"");
    CHECK(value.kind == RegistryValue::Kind::Text);
    CHECK(value.text == L"a\0b\0"s);
    registry.SetConvertStr(true);
    value = registry.RegRead(tree.Path(L"multi"), L"");
    CHECK(value.kind == RegistryValue::Kind::TextList);
    CHECK(value.items == std::vector<std::wstring>{L"a", L"b"});

    value = registry.RegRead(tree.Path(L"dword"), L"");
    CHECK(value.kind == RegistryValue::Kind::Number);
    CHECK(value.number == -1);

    value = registry.RegRead(tree.Path(L"qword"), L"");
    CHECK(value.kind == RegistryValue::Kind::Bytes);
    CHECK(value.bytes == std::vector<BYTE>{8, 7, 6, 5, 4, 3, 2, 1});
    value = registry.RegRead(tree.Path(L"binary"), L"");
    CHECK(value.bytes == std::vector<BYTE>{0, 1, 0xFF});

    value = registry.RegRead(tree.Path(L"none"), L"");
    CHECK(value.kind == RegistryValue::Kind::Empty);
    CHECK(registry.ErrorCode() == Reader::kNothingFound);
    value = registry.RegRead(tree.Path(L"missing"), L"");
    CHECK(value.kind == RegistryValue::Kind::Empty);
    CHECK(registry.ErrorCode() == Reader::kNothingFound);
    registry.RegRead(tree.Path(L"NoKey\\sz"), L"");
    CHECK(registry.ErrorCode() == Reader::kNothingFound);

    // RegRead1 takes the value name from the path, whatever sVal says.
    value = registry.RegRead1(tree.Path(L"sz"));
    CHECK(value.text == L"text");
}

TEST_CASE("empty and malformed value data give empty results, never an error", "[registry]") {
    TestRegistryKey tree;
    tree.SetRaw(L"", L"sz0", REG_SZ, L"", 0);
    tree.SetRaw(L"", L"sz1", REG_SZ, "x", 1);
    tree.SetRaw(L"", L"sz2", REG_SZ, L"", 2);
    tree.SetRaw(L"", L"unterminated", REG_SZ, L"ab", 4);
    tree.SetRaw(L"", L"odd", REG_SZ, L"abc", 5);
    tree.SetRaw(L"", L"tail", REG_SZ, L"ab\0junk", 16);
    tree.SetRaw(L"", L"multi0", REG_MULTI_SZ, L"", 0);
    tree.SetRaw(L"", L"multi2", REG_MULTI_SZ, L"", 2);
    tree.SetRaw(L"", L"multi4", REG_MULTI_SZ, L"\0", 4);
    tree.SetRaw(L"", L"multiUnterminated", REG_MULTI_SZ, L"a\0b", 6);
    tree.SetRaw(L"", L"multiHole", REG_MULTI_SZ, L"a\0\0b\0\0", 12);
    tree.SetRaw(L"", L"binary0", REG_BINARY, "", 0);
    tree.SetRaw(L"", L"dword0", REG_DWORD, "", 0);

    Reader registry;
    for (const wchar_t* name : {L"sz0", L"sz1", L"sz2"}) {
        INFO(Narrow(name));
        const RegistryValue value = registry.RegRead(tree.Path(name), L"");
        CHECK(registry.ErrorCode() == 0);
        CHECK(value.kind == RegistryValue::Kind::Text);
        CHECK(value.text.empty());
    }
    // Data without its NUL keeps every character; the tail after a NUL goes.
    CHECK(registry.RegRead(tree.Path(L"unterminated"), L"").text == L"ab");
    CHECK(registry.RegRead(tree.Path(L"odd"), L"").text == L"ab");  // half a character is no character
    CHECK(registry.RegRead(tree.Path(L"tail"), L"").text == L"ab");

    for (const wchar_t* name : {L"multi0", L"multi2", L"multi4"}) {
        INFO(Narrow(name));
        const RegistryValue value = registry.RegRead(tree.Path(name), L"");
        CHECK(registry.ErrorCode() == 0);
        CHECK(value.kind == RegistryValue::Kind::TextList);
        CHECK(value.items.empty());
    }
    CHECK(registry.RegRead(tree.Path(L"multiUnterminated"), L"").items == std::vector<std::wstring>{L"a", L"b"});
    CHECK(registry.RegRead(tree.Path(L"multiHole"), L"").items == std::vector<std::wstring>{L"a", L"", L"b"});

    for (const wchar_t* name : {L"binary0", L"dword0"}) {
        INFO(Narrow(name));
        const RegistryValue value = registry.RegRead(tree.Path(name), L"");
        CHECK(registry.ErrorCode() == 0);
        CHECK(value.kind == RegistryValue::Kind::Empty);
    }
}

TEST_CASE("RegRead refuses bad paths with 801", "[registry]") {
    Reader registry;
    for (const wchar_t* path : {L"", L"HKLM", L"HKLM\\", L"HKXX\\Software", L"\\", L"\\Software"}) {
        INFO(Narrow(path));
        const RegistryValue value = registry.RegRead(path, L"");
        CHECK(value.kind == RegistryValue::Kind::Empty);
        CHECK(registry.ErrorCode() == Reader::kBadArgument);
    }
}

TEST_CASE("RegEntryExists tells keys from values", "[registry]") {
    TestRegistryKey tree;
    tree.CreateKey(L"Sub");
    tree.SetString(L"Sub", L"value", L"1");
    tree.SetString(L"Sub", L"a\\b\\c", L"2");
    Reader registry;

    CHECK(registry.RegEntryExists(L"HKCU\\Software") == 1);
    CHECK(registry.RegEntryExists(L"HKCU") == 1);
    CHECK(registry.ErrorCode() == 0);
    CHECK(registry.RegEntryExists(tree.Path(L"Sub")) == 1);
    CHECK(registry.RegEntryExists(tree.Path(L"Sub\\value")) == 2);
    CHECK(registry.RegEntryExists(tree.Path(L"Sub\\a\\b\\c")) == 2);
    CHECK(registry.ErrorCode() == 0);
    CHECK(registry.RegEntryExists(tree.Path(L"Sub\\missing")) == 0);
    CHECK(registry.ErrorCode() == Reader::kNothingFound);
    CHECK(registry.RegEntryExists(L"HK") == 0);
    CHECK(registry.ErrorCode() == Reader::kBadArgument);
    CHECK(registry.RegEntryExists(L"HKXX\\Software") == 0);
    CHECK(registry.ErrorCode() == Reader::kBadArgument);

    // A value directly under a root: only RegEntryExists1 finds it.
    const std::wstring name = L"KelpaTestRootValue-" + std::to_wstring(GetCurrentProcessId());
    {
        unique_hkey user;
        REQUIRE(RegOpenKeyExW(HKEY_CURRENT_USER, nullptr, 0, KEY_SET_VALUE, user.put()) == ERROR_SUCCESS);
        REQUIRE(RegSetValueExW(user.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(L"x"), 4) ==
                ERROR_SUCCESS);
    }
    CHECK(registry.RegEntryExists(L"HKCU\\" + name) == 0);
    CHECK(registry.RegEntryExists1(L"HKCU\\" + name) == 2);
    RegDeleteKeyValueW(HKEY_CURRENT_USER, nullptr, name.c_str());

    CHECK(registry.RegEntryExists1(tree.Path(L"Sub\\value")) == 2);
    CHECK(registry.RegEntryExists1(tree.Path(L"Sub\\a\\b\\c")) == 0);  // split once only
    CHECK(registry.ErrorCode() == ERROR_FILE_NOT_FOUND);
    CHECK(registry.RegEntryExists1(tree.Path(L"Sub\\missing")) == 0);
    CHECK(registry.ErrorCode() == ERROR_FILE_NOT_FOUND);
}

TEST_CASE("GetItems lists subkeys or value names in enumeration order", "[registry]") {
    TestRegistryKey tree;
    for (const wchar_t* name : {L"b", L"A", L"c", L"Empty"}) tree.CreateKey(name);
    tree.SetString(L"b", L"v2", L"x");
    tree.SetString(L"b", L"v1", L"y");
    Reader registry;

    RegistryItems items = registry.GetItems(tree.Path() + L"\\", false);
    CHECK(registry.ErrorCode() == 0);
    CHECK(items.stored == 4);
    CHECK(items.names == EnumeratedSubkeys(tree.Subkey()));

    registry.SetItemType(1);
    items = registry.GetItems(tree.Path(L"b"), false);
    CHECK(items.stored == 2);
    std::sort(items.names.begin(), items.names.end());
    CHECK(items.names == std::vector<std::wstring>{L"v1", L"v2"});

    items = registry.GetItems(tree.Path(L"Empty"), false);
    CHECK(items.stored == 0);
    CHECK(registry.ErrorCode() == Reader::kNothingFound);
    registry.SetItemType(0);
    items = registry.GetItems(tree.Path(L"Empty"), false);
    CHECK(registry.ErrorCode() == Reader::kNothingFound);

    registry.GetItems(tree.Path(L"Missing"), false);
    CHECK(registry.ErrorCode() == ERROR_FILE_NOT_FOUND);
    for (const wchar_t* bad : {L"", L"\\", L"HKXX\\Software"}) {
        INFO(Narrow(bad));
        items = registry.GetItems(bad, false);
        CHECK(items.stored == 0);
        CHECK(registry.ErrorCode() == Reader::kBadArgument);
    }
    items = registry.GetItems(tree.Path(), true);
    CHECK(items.stored == 0);
    CHECK(registry.ErrorCode() == Reader::kBadArgument);
}

TEST_CASE("Search finds matches depth-first in the platform's enumeration order", "[registry]") {
    TestRegistryKey tree;
    // "Target" three times at different depths, under siblings whose names
    // sort differently with and without regard to case.
    tree.CreateKey(L"b\\Target");
    tree.CreateKey(L"B2\\x\\Target");
    tree.CreateKey(L"a\\Target\\y");
    tree.CreateKey(L"a\\target");  // other case: no match
    Reader registry;

    // The expected order, from the platform's own enumeration.
    std::vector<std::wstring> expected;
    std::function<void(const std::wstring&, int)> walk = [&](const std::wstring& relative, int level) {
        for (const std::wstring& name : EnumeratedSubkeys(tree.Subkey(relative))) {
            const std::wstring child = relative.empty() ? name : relative + L"\\" + name;
            if (name == L"Target") expected.push_back(L"HKCU\\" + tree.Subkey(child));
            if (level < 4) walk(child, level + 1);
        }
    };
    walk(L"", 1);
    REQUIRE(expected.size() == 3);

    for (long i = 0; i < 3; ++i) {
        registry.SetContinue(i);
        INFO("Continue " << i);
        CHECK(registry.Search(L"Target", tree.Path()) == expected[static_cast<size_t>(i)]);
        CHECK(registry.ErrorCode() == 0);
    }
    registry.SetContinue(3);
    CHECK(registry.Search(L"Target", tree.Path()).empty());
    CHECK(registry.ErrorCode() == Reader::kNothingFound);

    // The root name comes back upper-cased, the rest as written.
    registry.SetContinue(0);
    const std::wstring lower = L"hkcu\\" + tree.Subkey();
    CHECK(registry.Search(L"Target", lower + L"\\") == L"HKCU\\" + tree.Subkey() + expected[0].substr(lower.size()));
}

TEST_CASE("Search for value names and string data, with the depth limit", "[registry]") {
    TestRegistryKey tree;
    tree.SetString(L"one", L"Name", L"first");
    tree.SetString(L"one\\two\\three", L"Name", L"needle");
    tree.SetString(L"one\\two\\three\\four", L"Other", L"needle");
    tree.SetDword(L"one", L"Number", 7);
    Reader registry;

    registry.SetItemType(1);
    CHECK(registry.Search(L"Name", tree.Path()) == tree.Path(L"one\\Name"));
    registry.SetContinue(1);
    CHECK(registry.Search(L"Name", tree.Path()) == tree.Path(L"one\\two\\three\\Name"));
    registry.SetContinue(0);
    CHECK(registry.Search(L"name", tree.Path()).empty());  // case counts
    CHECK(registry.ErrorCode() == Reader::kNothingFound);

    registry.SetItemType(2);
    CHECK(registry.Search(L"needle", tree.Path()) == tree.Path(L"one\\two\\three\\Name"));
    registry.SetContinue(1);
    // Level 5 (tree, one, two, three, four): beyond the default KeyLevels 4.
    CHECK(registry.Search(L"needle", tree.Path()).empty());
    registry.SetKeyLevels(5);
    CHECK(registry.Search(L"needle", tree.Path()) == tree.Path(L"one\\two\\three\\four\\Other"));

    // Lets outside the ranges are ignored.
    registry.SetKeyLevels(0);
    registry.SetKeyLevels(65);
    CHECK(registry.KeyLevels() == 5);
    registry.SetContinue(65);
    registry.SetItemType(3);
    registry.SetAccess64(-1);
    CHECK(registry.Continue() == 1);
    CHECK(registry.ItemType() == 2);
    CHECK(registry.Access64() == 0);
}

TEST_CASE("Search skips names and data too long for its buffers and goes on", "[registry]") {
    TestRegistryKey tree;
    const std::wstring longName(3000, L'n');
    tree.SetString(L"a", longName, L"needle");
    tree.SetString(L"a", L"big", L"needle" + std::wstring(2100, L'x'));  // 4214 bytes of data
    tree.SetString(L"b", L"found", L"needle");
    Reader registry;
    registry.SetItemType(1);
    CHECK(registry.Search(longName, tree.Path()).empty());
    CHECK(registry.ErrorCode() == Reader::kNothingFound);
    registry.SetItemType(2);
    CHECK(registry.Search(L"needle", tree.Path()) == tree.Path(L"b\\found"));
}

TEST_CASE("Search reaches 64 levels and no further, and refuses bad arguments", "[registry]") {
    TestRegistryKey tree;
    std::wstring deep;
    for (int level = 1; level <= 65; ++level) deep += (deep.empty() ? L"k" : L"\\k") + std::to_wstring(level);
    tree.CreateKey(deep);
    Reader registry;
    registry.SetKeyLevels(64);
    // Level 1 is the tree's own key; names are compared down to level 65.
    const std::wstring found = registry.Search(L"k64", tree.Path());
    CHECK(found == tree.Path(deep.substr(0, deep.find(L"\\k65"))));
    CHECK(registry.Search(L"k65", tree.Path()).empty());
    CHECK(registry.ErrorCode() == Reader::kNothingFound);

    for (const auto& bad : std::vector<std::pair<std::wstring, std::wstring>>{
             {L"", tree.Path()}, {L"\\", tree.Path()}, {L"x", L""}, {L"x", L"\\"}, {L"x", L"HKXX\\Software"}}) {
        INFO(Narrow(bad.first) << " in " << Narrow(bad.second));
        CHECK(registry.Search(bad.first, bad.second).empty());
        CHECK(registry.ErrorCode() == Reader::kBadArgument);
    }
    registry.Search(L"x", tree.Path(L"Missing"));
    CHECK(registry.ErrorCode() == Reader::kNothingFound);
}

TEST_CASE("no registry member leaves a key open", "[registry]") {
    TestRegistryKey tree;
    tree.SetString(L"a\\b", L"v", L"needle");
    tree.SetRaw(L"a", L"multi", REG_MULTI_SZ, L"a\0\0", 6);
    Reader registry;
    const auto exercise = [&] {
        registry.RegRead(tree.Path(L"a\\b\\v"), L"");
        registry.RegRead(tree.Path(L"a\\multi"), L"");
        registry.RegRead(tree.Path(L"a\\missing"), L"");
        registry.RegEntryExists(tree.Path(L"a\\b\\v"));
        registry.RegEntryExists(tree.Path(L"a\\x\\y\\z"));
        registry.RegEntryExists1(tree.Path(L"a\\missing"));
        registry.GetItems(tree.Path(L"a"), false);
        registry.GetItems(L"HKCU", false);
        for (long type = 0; type <= 2; ++type) {
            registry.SetItemType(type);
            registry.Search(L"needle", tree.Path());
            registry.Search(L"v", L"HKCU\\" + tree.Subkey());
        }
    };
    exercise();  // first use may open lasting handles of the platform's own
    const DWORD before = HandleCount();
    {
        unique_hkey probe;
        RegOpenKeyExW(HKEY_CURRENT_USER, tree.Subkey().c_str(), 0, KEY_READ, probe.put());
        if (HandleCount() != before + 1) {
            WARN("the platform does not count registry handles; nothing to compare");
            return;
        }
    }
    for (int i = 0; i < 20; ++i) exercise();
    CHECK(HandleCount() == before);
}

TEST_CASE("Registry object shapes results as script values", "[registry]") {
    TestRegistryKey tree;
    tree.SetRaw(L"", L"multi", REG_MULTI_SZ, L"a\0b\0\0", 10);
    const BYTE binary[] = {9, 8};
    tree.SetRaw(L"", L"binary", REG_BINARY, binary, 2);
    tree.CreateKey(L"child");
    ComPtr<_Registry> registry;
    REQUIRE(RegistryObject::CreateInstance(IID__Registry, &registry) == S_OK);

    const auto read = [&](const std::wstring& path, VARTYPE expected) {
        unique_bstr item(SysAllocString(path.c_str())), none(SysAllocString(L""));
        unique_variant result;
        REQUIRE(registry->RegRead(item.get(), none.get(), result.get()) == S_OK);
        CHECK(V_VT(result.get()) == expected);
        if (V_VT(result.get()) & VT_ARRAY) {
            LONG upper = -1;
            SafeArrayGetUBound(V_ARRAY(result.get()), 1, &upper);
            CHECK(upper == 1);
        }
    };
    read(tree.Path(L"multi"), VT_ARRAY | VT_VARIANT);
    read(tree.Path(L"binary"), VT_ARRAY | VT_VARIANT);
    REQUIRE(registry->put_ConvertArr(VARIANT_FALSE) == S_OK);
    read(tree.Path(L"multi"), VT_ARRAY | VT_BSTR);
    read(tree.Path(L"binary"), VT_ARRAY | VT_UI1);

    // A fixed-size array variable arrives as a reference to an array: refused.
    unique_bstr path(SysAllocString(tree.Path().c_str()));
    SAFEARRAY* fixed = SafeArrayCreateVector(VT_VARIANT, 0, 3);
    unique_safearray owner(fixed);
    VARIANT byRefArray;
    V_VT(&byRefArray) = VT_ARRAY | VT_BYREF | VT_VARIANT;
    V_ARRAYREF(&byRefArray) = &fixed;
    long count = -1, code = 0;
    REQUIRE(registry->GetItems(path.get(), &byRefArray, &count) == S_OK);
    CHECK(count == 0);
    registry->get_ErrorCode(&code);
    CHECK(code == 801);
    CHECK(fixed == owner.get());

    unique_variant items;
    REQUIRE(registry->GetItems(path.get(), items.get(), &count) == S_OK);
    CHECK(count == 1);
    REQUIRE(V_VT(items.get()) == (VT_ARRAY | VT_BSTR));
    BSTR first = nullptr;
    LONG index = 0;
    REQUIRE(SafeArrayGetElement(V_ARRAY(items.get()), &index, &first) == S_OK);
    unique_bstr firstOwner(first);
    CHECK(std::wstring(first) == L"child");
}
