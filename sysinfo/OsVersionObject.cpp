// COM shim of OsVersion: hands out the record read at creation.
#include "sysinfo/OsVersionObject.h"

namespace kelpa {

HRESULT OsVersionObject::get_Bitness(short* result) noexcept {
    return Call([&] { *result = m_version.Record().is64Bit; });
}
HRESULT OsVersionObject::get_Product2(long* result) noexcept {
    return Call([&] { *result = m_version.Record().edition; });
}
HRESULT OsVersionObject::get_Product(short* result) noexcept {
    return Call([&] { *result = m_version.Record().productType; });
}
HRESULT OsVersionObject::get_Suite(short* result) noexcept {
    return Call([&] { *result = m_version.Record().suiteMask; });
}
HRESULT OsVersionObject::get_SPMinor(long* result) noexcept {
    return Call([&] { *result = m_version.Record().servicePackMinor; });
}
HRESULT OsVersionObject::get_SPMajor(long* result) noexcept {
    return Call([&] { *result = m_version.Record().servicePackMajor; });
}
HRESULT OsVersionObject::get_Build(long* result) noexcept {
    return Call([&] { *result = m_version.Record().build; });
}
HRESULT OsVersionObject::get_Minor(long* result) noexcept {
    return Call([&] { *result = m_version.Record().minor; });
}
HRESULT OsVersionObject::get_Major(long* result) noexcept {
    return Call([&] { *result = m_version.Record().major; });
}
HRESULT OsVersionObject::get_Number(short* result) noexcept {
    return Call([&] { *result = kelpa::OsVersion::Number(); });
}

}  // namespace kelpa
