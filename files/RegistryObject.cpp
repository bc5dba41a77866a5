// COM shim of Registry: converts arguments and shapes results as script values.
#include "files/RegistryObject.h"

#include "core/ScriptArrays.h"
#include "core/ScriptValues.h"
#include "runtime/Conversions.h"

namespace kelpa {
namespace {

void PutValue(const RegistryValue& value, bool convertArr, VARIANT* result) {
    VariantInit(result);
    switch (value.kind) {
    case RegistryValue::Kind::Empty:
        break;
    case RegistryValue::Kind::Text:
        V_BSTR(result) = ToBstr(value.text);
        V_VT(result) = VT_BSTR;
        break;
    case RegistryValue::Kind::Number:
        V_VT(result) = VT_I4;
        V_I4(result) = value.number;
        break;
    case RegistryValue::Kind::TextList:
        PutStringArray(result, value.items, convertArr);
        break;
    case RegistryValue::Kind::Bytes:
        PutByteArray(result, value.bytes, convertArr);
        break;
    }
}

}  // namespace

HRESULT RegistryObject::get_KeyLevels(long* result) noexcept {
    return Call([&] { *result = m_registry.KeyLevels(); });
}
HRESULT RegistryObject::put_KeyLevels(long value) noexcept {
    return Call([&] { m_registry.SetKeyLevels(value); });
}
HRESULT RegistryObject::get_ItemType(long* result) noexcept {
    return Call([&] { *result = m_registry.ItemType(); });
}
HRESULT RegistryObject::put_ItemType(long value) noexcept {
    return Call([&] { m_registry.SetItemType(value); });
}
HRESULT RegistryObject::get_ErrorCode(long* result) noexcept {
    return Call([&] { *result = m_registry.ErrorCode(); });
}
HRESULT RegistryObject::get_ConvertStr(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_registry.ConvertStr()); });
}
HRESULT RegistryObject::put_ConvertStr(VARIANT_BOOL value) noexcept {
    return Call([&] { m_registry.SetConvertStr(FromVariantBool(value)); });
}
HRESULT RegistryObject::get_ConvertArr(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_registry.ConvertArr()); });
}
HRESULT RegistryObject::put_ConvertArr(VARIANT_BOOL value) noexcept {
    return Call([&] { m_registry.SetConvertArr(FromVariantBool(value)); });
}
HRESULT RegistryObject::get_Continue(long* result) noexcept {
    return Call([&] { *result = m_registry.Continue(); });
}
HRESULT RegistryObject::put_Continue(long value) noexcept {
    return Call([&] { m_registry.SetContinue(value); });
}
HRESULT RegistryObject::get_Access64(long* result) noexcept {
    return Call([&] { *result = m_registry.Access64(); });
}
HRESULT RegistryObject::put_Access64(long value) noexcept {
    return Call([&] { m_registry.SetAccess64(value); });
}

HRESULT RegistryObject::GetItems(BSTR sPath, VARIANT* vItems, long* result) noexcept {
    return Call([&] {
        VARIANT* target = OutTarget(vItems);
        const bool fixedArray = !target || IsByRefArray(*target);
        const RegistryItems items = m_registry.GetItems(FromBstr(sPath), fixedArray);
        if (items.stored > 0) PutStringArray(target, items.names, m_registry.ConvertArr());
        *result = items.stored;
    });
}

HRESULT RegistryObject::Search(BSTR sItem, BSTR sPath, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_registry.Search(FromBstr(sItem), FromBstr(sPath))); });
}

HRESULT RegistryObject::RegRead(BSTR sItem, BSTR sVal, VARIANT* result) noexcept {
    return Call([&] { PutValue(m_registry.RegRead(FromBstr(sItem), FromBstr(sVal)), m_registry.ConvertArr(), result); });
}

HRESULT RegistryObject::RegEntryExists(BSTR sItem, long* result) noexcept {
    return Call([&] { *result = m_registry.RegEntryExists(FromBstr(sItem)); });
}

HRESULT RegistryObject::RegRead1(BSTR sItem, BSTR, VARIANT* result) noexcept {
    return Call([&] { PutValue(m_registry.RegRead1(FromBstr(sItem)), m_registry.ConvertArr(), result); });
}

HRESULT RegistryObject::RegEntryExists1(BSTR sItem, long* result) noexcept {
    return Call([&] { *result = m_registry.RegEntryExists1(FromBstr(sItem)); });
}

}  // namespace kelpa
