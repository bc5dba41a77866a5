// The input box object: settings, the per-field arrays and the two calls.
#include "dialogs/MInputBox.h"

#include <new>

#include "core/ScriptArrays.h"
#include "core/ScriptValueAccess.h"
#include "core/ScriptValues.h"
#include "runtime/ScriptError.h"

namespace kelpa {
namespace {

// The array of a per-field property when it takes part, else null.
SAFEARRAY* FieldArrayOf(const VARIANT* value) {
    if (!value) return nullptr;
    SAFEARRAY* array = ArrayOf(*value);
    if (!array || SafeArrayGetDim(array) != 1) return nullptr;
    LONG lower = 0, upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper))) return nullptr;
    return lower == 0 && upper >= 0 ? array : nullptr;
}

// Element index as a plain value (references followed), or false when the
// array has no such element or holds objects or records, which no field
// setting converts from (and converting would call into the script).
bool ElementOf(SAFEARRAY* array, LONG index, unique_variant& element) {
    LONG upper = -1;
    if (FAILED(SafeArrayGetUBound(array, 1, &upper)) || index > upper) return false;
    VARTYPE type = VT_EMPTY;
    if (FAILED(SafeArrayGetVartype(array, &type))) return false;
    unique_variant raw;
    switch (type) {
    case VT_VARIANT:
        if (FAILED(SafeArrayGetElement(array, &index, raw.get()))) return false;
        break;
    case VT_I1: case VT_I2: case VT_I4: case VT_I8: case VT_INT: case VT_UI1: case VT_UI2: case VT_UI4:
    case VT_UI8: case VT_UINT: case VT_R4: case VT_R8: case VT_CY: case VT_DATE: case VT_BSTR: case VT_BOOL:
    case VT_ERROR:
        // Every one of these fits the value field of a VARIANT.
        if (FAILED(SafeArrayGetElement(array, &index, &raw.get()->llVal))) return false;
        V_VT(raw.get()) = type;
        break;
    default:
        return false;
    }
    if (FAILED(VariantCopyInd(element.put(), raw.get()))) return false;
    const VARTYPE held = V_VT(element.get());
    return !(held & VT_ARRAY) && held != VT_DISPATCH && held != VT_UNKNOWN && held != VT_RECORD &&
           held != VT_NULL && held != VT_EMPTY;
}

template <class Assign>
void ReadEach(const VARIANT* value, int count, VARTYPE type, Assign assign) {
    SAFEARRAY* array = FieldArrayOf(value);
    if (!array) return;
    for (int i = 0; i < count; ++i) {
        unique_variant element;
        if (!ElementOf(array, i, element)) continue;
        unique_variant converted;
        // VARIANT_ALPHABOOL: a Boolean reads "True"/"False" as in the scripts.
        if (FAILED(VariantChangeTypeEx(converted.get(), element.get(), LOCALE_USER_DEFAULT, VARIANT_ALPHABOOL, type)))
            continue;
        assign(i, *converted.get());
    }
}

std::wstring AsText(const VARIANT& value) { return std::wstring(V_BSTR(&value), SysStringLen(V_BSTR(&value))); }

void ReadColours(const VARIANT* value, int count, long FieldSettings::*member, std::vector<FieldSettings>& fields) {
    SAFEARRAY* array = FieldArrayOf(value);
    if (!array) return;
    for (int i = 0; i < count; ++i) {
        unique_variant element;
        if (!ElementOf(array, i, element)) continue;
        const VARIANT& held = *element.get();
        if (V_VT(&held) == VT_I2)
            fields[i].*member = static_cast<unsigned short>(V_I2(&held));
        else if (V_VT(&held) == VT_I4)
            fields[i].*member = V_I4(&held);
    }
}

}  // namespace

std::vector<FieldSettings> ReadFields(const VARIANT* const (&arrays)[kFieldArrayCount], int count) {
    std::vector<FieldSettings> fields(count > 0 ? count : 0);
    auto text = [&](FieldArray which, std::wstring FieldSettings::*member) {
        ReadEach(arrays[which], count, VT_BSTR, [&](int i, const VARIANT& v) { fields[i].*member = AsText(v); });
    };
    auto integer = [&](FieldArray which, short FieldSettings::*member) {
        ReadEach(arrays[which], count, VT_I2, [&](int i, const VARIANT& v) { fields[i].*member = V_I2(&v); });
    };
    text(kLabels, &FieldSettings::label);
    text(kTexts, &FieldSettings::text);
    text(kCueTexts, &FieldSettings::cue);
    text(kTipTexts, &FieldSettings::tip);
    integer(kStyles, &FieldSettings::style);
    integer(kMaxLengths, &FieldSettings::maxLength);
    integer(kMinLengths, &FieldSettings::minLength);
    ReadEach(arrays[kLocked], count, VT_BOOL,
             [&](int i, const VARIANT& v) { fields[i].locked = V_BOOL(&v) != VARIANT_FALSE; });
    ReadColours(arrays[kLabelColours], count, &FieldSettings::labelColour, fields);
    ReadColours(arrays[kTextColours], count, &FieldSettings::textColour, fields);
    return fields;
}

void MInputBox::SetMinBalloonText(const std::wstring& value) {
    if (!value.empty()) m_minBalloonText = value.substr(0, 160);
}

void MInputBox::SetMinBalloonTitle(const std::wstring& value) {
    if (!value.empty()) m_minBalloonTitle = value.substr(0, 80);
}

void MInputBox::SetPasswordChar(const std::wstring& value) {
    if (value.empty()) return;
    // The first character, both halves of it when it lies outside the
    // basic plane: half a surrogate pair is no character at all.
    const bool pair = value.size() > 1 && IS_SURROGATE_PAIR(value[0], value[1]);
    m_passwordChar = value.substr(0, pair ? 2 : 1);
}

void MInputBox::GetFieldArray(FieldArray which, VARIANT* result) const {
    VariantInit(result);
    const HRESULT hr = VariantCopy(result, const_cast<VARIANT*>(m_arrays[which].get()));
    if (hr == E_OUTOFMEMORY) throw std::bad_alloc();
}

namespace {

// Whether a value is, or an array of script values holds at any depth, an object.
bool HoldsObject(const VARIANT& value) {
    const VARTYPE type = V_VT(&value) & VT_TYPEMASK;
    if (type == VT_DISPATCH || type == VT_UNKNOWN) return true;
    if (V_VT(&value) != (VT_ARRAY | VT_VARIANT) || !V_ARRAY(&value)) return false;
    SAFEARRAY* array = V_ARRAY(&value);
    unsigned long long count = 1;
    for (UINT d = 0; d < array->cDims; ++d) count *= array->rgsabound[d].cElements;
    VARIANT* elements = nullptr;
    if (FAILED(SafeArrayAccessData(array, reinterpret_cast<void**>(&elements)))) return false;
    bool found = false;
    for (unsigned long long i = 0; i < count && !found; ++i) found = HoldsObject(elements[i]);
    SafeArrayUnaccessData(array);
    return found;
}

}  // namespace

void MInputBox::SetFieldArray(FieldArray which, const VARIANT* value) {
    unique_variant copy;
    // A reference (a script's variable) is stored as the value it names.
    if (value && FAILED(VariantCopyInd(copy.get(), const_cast<VARIANT*>(value)))) throw std::bad_alloc();
    // Texts, numbers or arrays of them: an object kept here, even inside an
    // array, could be this object itself (a cycle that never lets go), and under Wine a read of
    // the property that carries extra arguments crashed with one kept.
    if (HoldsObject(*copy.get())) ThrowTypeMismatch(kSource);
    VariantClear(m_arrays[which].get());
    *m_arrays[which].get() = copy.release();
}

InputDialogSettings MInputBox::DialogSettings(bool multi) const {
    InputDialogSettings settings;
    settings.cancelByEsc = m_dlgCancelEsc;
    settings.topmost = m_topmost;
    settings.buttonText = m_buttonText;
    settings.info = m_info;
    settings.modernFont = m_fontModernize;
    settings.enlarge = m_fontEnlarge;
    settings.infoBig = m_infoBig;
    if (!multi) return settings;
    settings.alignInput = m_alignInput;
    settings.alignLabel = m_alignLabel;
    settings.labelEditRatio = m_labelEditRatio;
    settings.accessKeys = m_accPrefix;
    settings.cueAtFocus = m_showCueAtFocus;
    settings.tipTarget = m_showTipControl;
    settings.selectAllOnFocus = m_inputSelection;
    settings.passwordChar = m_passwordChar;
    settings.balloonText = m_minBalloonText;
    settings.balloonTitle = m_minBalloonTitle;
    settings.fieldCount = m_inputNumber;
    settings.firstFocus = m_inputStart;
    settings.textLimit = m_textLimit;
    settings.digitsCheck = m_checkNumStyle;
    settings.flags = m_inputFlags;
    return settings;
}

std::wstring MInputBox::InputS(const std::wstring& prompt, const std::wstring& title, const std::wstring& preset) {
    InputDialog dialog(DialogSettings(false));
    RunningScope running(m_running, dialog);
    return dialog.ShowSingle(prompt, title.substr(0, 256), preset);
}

bool MInputBox::InputM(VARIANT* vinp) {
    if (!vinp) return false;
    if (IsByRefArray(*vinp) || IsByRefArray(Dereference(*vinp))) return false;
    // The settings of this call are fixed now: a property changed by a
    // nested call while the dialog waits does not reach it.
    const VARIANT* arrays[kFieldArrayCount];
    for (int i = 0; i < kFieldArrayCount; ++i) arrays[i] = m_arrays[i].get();
    const std::vector<FieldSettings> fields = ReadFields(arrays, m_inputNumber);
    InputDialog dialog(DialogSettings(true));
    RunningScope running(m_running, dialog);

    unique_variant empty;
    StoreScriptValue(*vinp, *empty.get());
    const InputResult result = dialog.ShowMulti(m_title, fields, m_dlgCancelTime);

    unique_variant texts;
    try {
        PutStringArray(texts.get(), result.texts, m_convertArr);
    } catch (const std::bad_alloc&) {
        texts.put();  // a conversion that fails half-way leaves Empty
    }
    StoreScriptValue(*vinp, *texts.get());
    return result.accepted;
}

}  // namespace kelpa
