// The rows a check list shows for the shapes of arrays scripts pass, and the
// result a list composes; no window is shown here.
#include <windows.h>

#include "catch.hpp"
#include "dialogs/CheckListSelection.h"
#include "dialogs/ListSelection.h"
#include "runtime/ScriptError.h"
#include "runtime/UniqueHandle.h"

using namespace kelpa;

namespace {

// A one-dimensional array of this element type with these bounds, owned by value.
void MakeArray(VARIANT* value, VARTYPE type, LONG lower, ULONG count) {
    SAFEARRAYBOUND bound = {count, lower};
    V_VT(value) = VT_ARRAY | type;
    V_ARRAY(value) = SafeArrayCreate(type, 1, &bound);
}

void PutText(VARIANT* array, LONG index, const wchar_t* text) {
    if ((V_VT(array) & VT_TYPEMASK) == VT_BSTR) {
        unique_bstr element(SysAllocString(text));
        SafeArrayPutElement(V_ARRAY(array), &index, element.get());
        return;
    }
    unique_variant element;
    V_VT(element.get()) = VT_BSTR;
    V_BSTR(element.get()) = SysAllocString(text);
    SafeArrayPutElement(V_ARRAY(array), &index, element.get());
}

std::wstring Describe(const std::vector<CheckRow>& rows) {
    std::wstring out;
    for (const CheckRow& row : rows) out += row.text + L"@" + std::to_wstring(row.position) + (row.checked ? L"+ " : L"- ");
    return out;
}

}  // namespace

TEST_CASE("check-list rows from a typed String array and a Long array of checks", "[choice]") {
    unique_variant items, checks;
    MakeArray(items.get(), VT_BSTR, 0, 3);
    PutText(items.get(), 0, L"a");
    PutText(items.get(), 1, L"");
    PutText(items.get(), 2, L"c");
    MakeArray(checks.get(), VT_I4, 0, 5);
    for (LONG i = 0; i < 5; ++i) {
        LONG state = i == 2 ? 7 : 0;
        SafeArrayPutElement(V_ARRAY(checks.get()), &i, &state);
    }
    // The empty text is no row; the checks array's extra elements are ignored.
    const auto rows = CheckListSelection::RowsFromArrays(*items.get(), checks.get());
    REQUIRE(rows);
    CHECK(Describe(*rows) == L"a@0- c@2+ ");
    CHECK(CheckListSelection::Mask(*rows) == 4);
}

TEST_CASE("check-list arrays through a script's reference, and shapes that are refused", "[choice]") {
    unique_variant held, reference;
    MakeArray(held.get(), VT_VARIANT, 0, 2);
    PutText(held.get(), 0, L"x");
    PutText(held.get(), 1, L"y");
    V_VT(reference.get()) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(reference.get()) = held.get();
    const auto rows = CheckListSelection::RowsFromArrays(*reference.get(), nullptr);
    REQUIRE(rows);
    CHECK(Describe(*rows) == L"x@0- y@1- ");

    unique_variant fromOne;
    MakeArray(fromOne.get(), VT_VARIANT, 1, 2);
    CHECK_FALSE(CheckListSelection::RowsFromArrays(*fromOne.get(), nullptr));

    unique_variant decimals;
    MakeArray(decimals.get(), VT_DECIMAL, 0, 2);
    CHECK_FALSE(CheckListSelection::RowsFromArrays(*decimals.get(), nullptr));

    // A checks array that fails the check refuses the whole call.
    unique_variant tooMany;
    MakeArray(tooMany.get(), VT_VARIANT, 0, 31);
    CHECK_FALSE(CheckListSelection::RowsFromArrays(*held.get(), tooMany.get()));
}

TEST_CASE("a list's result keeps list order and the items' full text", "[choice]") {
    const std::vector<std::wstring> items = ListSelection::Items(std::wstring(L"a\0b\r\n\r\nc\r\nd\r\n", 13));
    REQUIRE(items.size() == 3);
    CHECK(ListSelection::Result(items, {2, 0}, true) == std::wstring(L"a\0b\r\nd\r\n", 8));
    CHECK(ListSelection::Result(items, {1}, false) == L"c");
    CHECK(ListSelection::Result(items, {7}, false).empty());
}
