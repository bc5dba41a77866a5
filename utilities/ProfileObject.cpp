// COM shim of Profile: converts arguments, nothing else.
#include "utilities/ProfileObject.h"

#include "runtime/Conversions.h"

namespace kelpa {

HRESULT ProfileObject::get_ErrorLevel(short* result) noexcept {
    return Call([&] { *result = static_cast<short>(m_profile.Errors().Get()); });
}

HRESULT ProfileObject::put_ErrorLevel(short level) noexcept {
    return Call([&] { m_profile.Errors().Set(level); });
}

HRESULT ProfileObject::get_File(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_profile.File()); });
}

HRESULT ProfileObject::put_File(BSTR path) noexcept {
    return Call([&] { m_profile.SetFile(FromBstr(path)); });
}

HRESULT ProfileObject::GetValue(BSTR section, BSTR key, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_profile.GetValue(FromBstr(section), FromBstr(key))); });
}

HRESULT ProfileObject::GetSection(BSTR section, VARIANT_BOOL cvt, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_profile.GetSection(FromBstr(section), FromVariantBool(cvt))); });
}

HRESULT ProfileObject::GetSectionNames(VARIANT_BOOL cvt, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_profile.GetSectionNames(FromVariantBool(cvt))); });
}

HRESULT ProfileObject::SetValue(BSTR section, BSTR key, BSTR entry, VARIANT_BOOL* result) noexcept {
    return Call([&] {
        *result = ToVariantBool(m_profile.SetValue(FromBstr(section), FromBstr(key), FromBstr(entry)));
    });
}

HRESULT ProfileObject::SetSection(BSTR section, BSTR entries, VARIANT_BOOL cvt, VARIANT_BOOL* result) noexcept {
    return Call([&] {
        *result = ToVariantBool(
            m_profile.SetSection(FromBstr(section), FromBstr(entries), FromVariantBool(cvt)));
    });
}

}  // namespace kelpa
