// COM shim of System: converts arguments, nothing else.
#include "sysinfo/SystemObject.h"

#include "runtime/Conversions.h"

namespace kelpa {

HRESULT SystemObject::get_CurrentCodePage(long* result) noexcept {
    return Call([&] { *result = kelpa::System::CurrentCodePage(); });
}
HRESULT SystemObject::get_ProcessorInfo(long* result) noexcept {
    return Call([&] { *result = m_system.ProcessorInfo(); });
}
HRESULT SystemObject::get_ProcessorArchitecture(long* result) noexcept {
    return Call([&] { *result = m_system.ProcessorArchitecture(); });
}
HRESULT SystemObject::get_NetworkType(NetworkStatus* result) noexcept {
    return Call([&] { *result = static_cast<NetworkStatus>(kelpa::System::NetworkType()); });
}
HRESULT SystemObject::get_NetworkName(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(kelpa::System::NetworkName()); });
}
HRESULT SystemObject::get_ComputerName(ComputerNameFormat f, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(kelpa::System::ComputerName(f)); });
}
HRESULT SystemObject::get_UserName(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(kelpa::System::UserName()); });
}
HRESULT SystemObject::GetMetrics(long n, long* result) noexcept {
    return Call([&] { *result = kelpa::System::GetMetrics(n); });
}
HRESULT SystemObject::VolumeGetSN(BSTR drv, long* result) noexcept {
    return Call([&] { *result = kelpa::System::VolumeGetSN(FromBstr(drv)); });
}
HRESULT SystemObject::VolumeGetName(BSTR drv, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(kelpa::System::VolumeGetName(FromBstr(drv))); });
}
HRESULT SystemObject::VolumeGetFileSys(BSTR drv, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(kelpa::System::VolumeGetFileSys(FromBstr(drv))); });
}
HRESULT SystemObject::VolumeGetGUID(BSTR drv, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(kelpa::System::VolumeGetGUID(FromBstr(drv))); });
}
HRESULT SystemObject::BiosMode(short fAlt, short* result) noexcept {
    return Call([&] { *result = kelpa::System::BiosMode(fAlt != 0); });
}

}  // namespace kelpa
