// The answers of the common file dialog in every shape it returns them, the
// setting rules of FileSelection, and the list and flag readers the
// platform-dialog classes share.
#include <windows.h>

#include "catch.hpp"
#include "core/ScriptValues.h"
#include "files/FileSelection.h"
#include "runtime/ScriptError.h"
#include "runtime/UniqueHandle.h"
#include "windows/ShellProgressDialog.h"

using namespace kelpa;
using namespace std::string_literals;

namespace {
// A VARIANT array of texts with the given lower bound and dimensions.
void MakeArray(VARIANT* target, const std::vector<std::wstring>& items, LONG lower = 0, UINT dims = 1) {
    SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(items.size() / dims), lower}, {dims, 0}};
    SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, dims, bounds);
    VARIANT* data = nullptr;
    SafeArrayAccessData(array, reinterpret_cast<void**>(&data));
    for (size_t i = 0; i < items.size(); ++i) {
        V_VT(&data[i]) = VT_BSTR;
        V_BSTR(&data[i]) = SysAllocString(items[i].c_str());
    }
    SafeArrayUnaccessData(array);
    V_VT(target) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(target) = array;
}
}  // namespace

TEST_CASE("A file dialog answer is read in each of its shapes", "[fileselection]") {
    // One file: the full path, the name starting at the offset.
    FileChoice one = ReadFileChoice(L"C:\\data\\a.txt\0\0\0"s, 8, L"a.txt");
    CHECK(one.directory == L"C:\\data\\");
    CHECK(one.names == L"a.txt");
    CHECK(one.count == 1);

    // Several: directory, NUL, names each ended by NUL, one more NUL.
    FileChoice several = ReadFileChoice(L"C:\\data\0a.txt\0b.txt\0c.txt\0\0\0\0"s, 8, L"");
    CHECK(several.directory == L"C:\\data\\");
    CHECK(several.names == L"a.txt\0b.txt\0c.txt\0"s);
    CHECK(several.count == 3);

    // A root directory already ends with its backslash.
    CHECK(ReadFileChoice(L"C:\\\0a\0b\0\0"s, 4, L"").directory == L"C:\\");

    // A list without its closing double NUL was cut: nothing is taken.
    FileChoice cut = ReadFileChoice(L"C:\\d\0a.txt\0b.t"s, 5, L"");
    CHECK(cut.names.empty());
    CHECK(cut.count == 0);

    // An offset beyond the buffer never reads past it.
    CHECK(ReadFileChoice(L"C:\\x"s, 400, L"x").directory == L"C:\\x");
}

TEST_CASE("FileSelection settings", "[fileselection]") {
    FileSelection s;
    const std::pair<const wchar_t*, const wchar_t*> extensions[] = {
        {L".txt", L"txt"}, {L"jpeg", L"jpe"}, {L".html", L"htm"}, {L".a", L".a"}, {L"", L""}, {L"..x", L".x"}};
    for (const auto& [given, stored] : extensions) {
        s.SetFileExtension(given);
        CHECK(s.FileExtension() == stored);
    }
    s.SetConvert(true);
    s.SetFilter(L"Text files\r\n*.txt\r\nAll\r\n*.*");
    CHECK(s.Filter() == L"Text files\0*.txt\0All\0*.*\0"s);
    s.SetConvert(false);
    s.SetFilter(L"as\r\ngiven");
    CHECK(s.Filter() == L"as\r\ngiven");

    unique_variant list;
    MakeArray(list.get(), {L"Text", L"*.txt"}, 1);
    s.SetFilterFrom(*list.get());
    CHECK(s.Filter() == L"Text\0*.txt\0\0"s);
    unique_variant number;
    V_VT(number.get()) = VT_I4;
    s.SetFilterFrom(*number.get());
    CHECK(s.Filter() == L"Text\0*.txt\0\0"s);

    CHECK(FileSelection::MultipleBufferLength(0) == 20 * 260);
    CHECK(FileSelection::MultipleBufferLength(-5) == 20 * 260);
    CHECK(FileSelection::MultipleBufferLength(2) == 2 * 260);
    CHECK(FileSelection::MultipleBufferLength(1000000) == 128 * 260);
}

TEST_CASE("Caption lists are read from one-dimensional arrays only", "[dialogs]") {
    unique_variant list;
    std::vector<std::wstring> many;
    for (int i = 0; i < 33; ++i) many.push_back(std::to_wstring(i));
    MakeArray(list.get(), many);
    auto texts = ArrayTexts(*list.get(), 32, true, L"test");
    REQUIRE(texts);
    CHECK(texts->size() == 32);
    CHECK(texts->back() == L"31");

    MakeArray(list.put(), {L"a", L"b"}, 1);
    CHECK_FALSE(ArrayTexts(*list.get(), 32, true, L"test"));
    CHECK(ArrayTexts(*list.get(), 32, false, L"test")->size() == 2);
    MakeArray(list.put(), {L"a", L"b", L"c", L"d"}, 0, 2);
    CHECK_FALSE(ArrayTexts(*list.get(), 32, false, L"test"));

    // An element without a text form is a type mismatch.
    MakeArray(list.put(), {L"a"});
    VARIANT* element = nullptr;
    SafeArrayAccessData(V_ARRAY(list.get()), reinterpret_cast<void**>(&element));
    VariantClear(element);
    V_VT(element) = VT_NULL;
    SafeArrayUnaccessData(V_ARRAY(list.get()));
    HRESULT number = S_OK;
    try {
        ArrayTexts(*list.get(), 32, true, L"test");
    } catch (const ScriptError& e) {
        number = e.Number();
    }
    CHECK(number == kTypeMismatch);
}

TEST_CASE("Progress dialog start flags", "[progressdialog]") {
    CHECK(FilterProgressFlags(0).flags == 0);
    CHECK(FilterProgressFlags(0).lastLine == 3);
    CHECK(FilterProgressFlags(3).flags == 2);
    CHECK(FilterProgressFlags(3).lastLine == 2);
    CHECK(FilterProgressFlags(-1).flags == 0x7E);
    CHECK(FilterProgressFlags(0x80 | 0x41).flags == 0x40);
    CHECK(FilterProgressFlags(0x80 | 0x41).lastLine == 3);
}
