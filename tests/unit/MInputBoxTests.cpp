// The input box's rules without a person: the row layout, the field rules,
// the colour rule, the per-field arrays, and a release that arrives while a
// call waits in its dialog.
#include <windows.h>

#include "catch.hpp"
#include "dialogs/DialogParts.h"
#include "dialogs/InputDialog.h"
#include "dialogs/MInputBox.h"
#include "dialogs/MInputBoxObject.h"
#include "runtime/UniqueHandle.h"

using namespace kelpa;

namespace {

// A SAFEARRAY of script values with the given bounds.
void VariantVector(unique_variant& value, LONG lower, std::vector<VARIANT> items) {
    SAFEARRAYBOUND bound = {static_cast<ULONG>(items.size()), lower};
    V_VT(value.get()) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(value.get()) = SafeArrayCreate(VT_VARIANT, 1, &bound);
    for (size_t i = 0; i < items.size(); ++i) {
        LONG index = lower + static_cast<LONG>(i);
        SafeArrayPutElement(V_ARRAY(value.get()), &index, &items[i]);
        VariantClear(&items[i]);
    }
}

VARIANT Of(short v) { VARIANT x; VariantInit(&x); V_VT(&x) = VT_I2; V_I2(&x) = v; return x; }
VARIANT Of(long v) { VARIANT x; VariantInit(&x); V_VT(&x) = VT_I4; V_I4(&x) = v; return x; }
VARIANT Of(double v) { VARIANT x; VariantInit(&x); V_VT(&x) = VT_R8; V_R8(&x) = v; return x; }
VARIANT Of(const wchar_t* v) { VARIANT x; VariantInit(&x); V_VT(&x) = VT_BSTR; V_BSTR(&x) = SysAllocString(v); return x; }
VARIANT Null() { VARIANT x; VariantInit(&x); V_VT(&x) = VT_NULL; return x; }

std::vector<FieldSettings> Read(FieldArray which, const VARIANT* value, int count) {
    const VARIANT* arrays[kFieldArrayCount] = {};
    arrays[which] = value;
    return ReadFields(arrays, count);
}

}  // namespace

TEST_CASE("Input rows follow the design in twips", "[minputbox]") {
    const RowForm form = InputDialogForm(4);
    // Without an information text one row moves up under the caption.
    RowLayout bare = LayOutRows(form, 1, 0);
    CHECK(bare.labels[0].top == 340);
    CHECK(bare.edits[0].top == 300);
    CHECK(bare.button.top == 1080);
    // Ten rows push the button and the window down by 9 pitches.
    RowLayout ten = LayOutRows(form, 10, 0);
    CHECK(ten.button.top - bare.button.top == 4140);
    CHECK(ten.clientHeight - bare.clientHeight == 4140);
    CHECK(ten.edits[9].Bottom() < ten.button.top);
    // With the information text the rows start at 1200.
    RowLayout info = LayOutRows(form, 3, 840);
    CHECK(info.labels[0].top == 1200);
    CHECK(info.labels[1].top == 1660);
    CHECK(info.labels[2].top == 2120);
    CHECK(info.edits[2].top == 2080);
    CHECK(LayOutRows(form, 1, 840).clientHeight == 2544);
    // A taller text pushes everything below it down by the difference.
    RowLayout tall = LayOutRows(form, 1, 2000);
    CHECK(tall.labels[0].top == 1200 + 1160);
    CHECK(tall.info.Bottom() < tall.edits[0].top);
    // The ratio moves the edit column; 7 keeps the label clear of the edit.
    const RowForm seven = InputDialogForm(7);
    CHECK(seven.label.left + seven.label.width < seven.edit.left);
    CHECK(InputDialogForm(1).edit.left == 900);
    CHECK(InputDialogForm(1).edit.width == 3500);
}

TEST_CASE("Field rules: maximum, minimum, digits check, cut preset text", "[minputbox]") {
    FieldSettings field;
    field.maxLength = 2000;
    CHECK(ApplyFieldRules(field, 50, true).maxLength == 50);
    field.maxLength = 5;
    field.minLength = 6;
    CHECK(ApplyFieldRules(field, 1024, true).minLength == 0);
    field.minLength = 5;
    CHECK(ApplyFieldRules(field, 1024, true).minLength == 5);
    field.text = L"abcdefgh";
    CHECK(ApplyFieldRules(field, 1024, true).text == L"abcde");
    field.style = kDigitsOnly;
    field.maxLength = 0;
    field.text = L"12a";
    CHECK(ApplyFieldRules(field, 1024, true).text.empty());
    CHECK(ApplyFieldRules(field, 1024, false).text == L"12a");
    field.text = L"0123";
    CHECK(ApplyFieldRules(field, 1024, true).text == L"0123");
}

TEST_CASE("Field colours: low 24 bits a colour, 0 the default, 0x1000000 bold", "[minputbox]") {
    const FieldColour red = DecodeFieldColour(0x10000FF);
    CHECK(red.hasColour);
    CHECK(red.colour == RGB(255, 0, 0));
    CHECK(red.bold);
    const FieldColour boldOnly = DecodeFieldColour(0x1000000);
    CHECK_FALSE(boldOnly.hasColour);
    CHECK(boldOnly.bold);
    CHECK_FALSE(DecodeFieldColour(0xFFFF).bold);
}

TEST_CASE("Per-field arrays: shape, conversions and defaults", "[minputbox]") {
    unique_variant labels;
    VariantVector(labels, 0, {Of(L"one"), Null(), Of(7L), Of(L"four")});
    auto fields = Read(kLabels, labels.get(), 3);
    REQUIRE(fields.size() == 3);
    CHECK(fields[0].label == L"one");
    CHECK(fields[1].label.empty());  // Null keeps the default
    CHECK(fields[2].label == L"7");

    unique_variant fromOne;
    VariantVector(fromOne, 1, {Of(L"a"), Of(L"b")});
    CHECK(Read(kLabels, fromOne.get(), 2)[0].label.empty());

    // Two dimensions: not a per-field array at all.
    unique_variant square;
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
    V_VT(square.get()) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(square.get()) = SafeArrayCreate(VT_VARIANT, 2, bounds);
    CHECK(Read(kLabels, square.get(), 2)[0].label.empty());

    unique_variant colours;
    VariantVector(colours, 0, {Of(short(-1)), Of(0x10000FFL), Of(255.0)});
    fields = Read(kLabelColours, colours.get(), 3);
    CHECK(fields[0].labelColour == 0xFFFF);
    CHECK(fields[1].labelColour == 0x10000FF);
    CHECK(fields[2].labelColour == 0);

    unique_variant lengths;
    VariantVector(lengths, 0, {Of(L"12"), Of(99999L), Of(L"x")});
    fields = Read(kMaxLengths, lengths.get(), 3);
    CHECK(fields[0].maxLength == 12);
    CHECK(fields[1].maxLength == 0);  // overflows an Integer
    CHECK(fields[2].maxLength == 0);

    // A typed array (a String() from a compiled client) is read the same way.
    unique_variant typed;
    V_VT(typed.get()) = VT_ARRAY | VT_BSTR;
    V_ARRAY(typed.get()) = SafeArrayCreateVector(VT_BSTR, 0, 1);
    LONG zero = 0;
    unique_bstr text(SysAllocString(L"typed"));
    SafeArrayPutElement(V_ARRAY(typed.get()), &zero, text.get());
    CHECK(Read(kTexts, typed.get(), 1)[0].text == L"typed");
}

namespace {
IUnknown* g_released = nullptr;
void CALLBACK ReleaseLater(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (g_released) g_released->Release();
    g_released = nullptr;
}
}  // namespace

TEST_CASE("A release during InputM ends the call as cancelled", "[minputbox]") {
    _MInputBox* box = nullptr;
    REQUIRE(SUCCEEDED(MInputBoxObject::CreateInstance(__uuidof(_MInputBox), reinterpret_cast<void**>(&box))));
    box->put_InputNumber(3);
    unique_bstr title(SysAllocString(L"Released while waiting"));
    box->put_Title(title.get());
    // The client's last reference goes while the dialog waits: the wait loop
    // dispatches the timer as it would the release of a departed client.
    g_released = box;
    SetTimer(nullptr, 0, 300, ReleaseLater);
    unique_variant vinp;
    VARIANT reference;
    V_VT(&reference) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&reference) = vinp.get();
    VARIANT_BOOL accepted = VARIANT_TRUE;
    const HRESULT hr = box->InputM(&reference, &accepted);
    CHECK(hr == S_OK);
    CHECK(accepted == VARIANT_FALSE);
    CHECK(g_released == nullptr);
    REQUIRE(V_VT(vinp.get()) == (VT_ARRAY | VT_VARIANT));
    LONG upper = -1;
    SafeArrayGetUBound(V_ARRAY(vinp.get()), 1, &upper);
    CHECK(upper == 2);
    CHECK(FindWindowW(nullptr, L"Released while waiting") == nullptr);
}
