// COM shim of File: converts arguments, nothing else.
#include "files/FileObject.h"

#include "files/BinFileObject.h"
#include "runtime/Conversions.h"

namespace kelpa {

HRESULT FileObject::Application(BSTR filespec, BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(File::Application(FromBstr(filespec))); });
}

HRESULT FileObject::Create(BSTR filespec, VARIANT_BOOL overwrite, VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(File::Create(FromBstr(filespec), FromVariantBool(overwrite))); });
}

HRESULT FileObject::ExeType(BSTR filespec, LONG* result) noexcept {
    return Call([&] { *result = File::ExeType(FromBstr(filespec)); });
}

HRESULT FileObject::ExeType2(BSTR filespec, LONG* result) noexcept {
    return Call([&] { *result = File::ExeType2(FromBstr(filespec)); });
}

HRESULT FileObject::ExeType3(BSTR filespec, VARIANT_BOOL winversion, short* result) noexcept {
    return Call([&] { *result = File::ExeType3(FromBstr(filespec), FromVariantBool(winversion)); });
}

HRESULT FileObject::Exists(BSTR filespec, VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(File::Exists(FromBstr(filespec))); });
}

HRESULT FileObject::Replace(BSTR filespec, BSTR replacementfile, BSTR backupfile, VARIANT_BOOL* result) noexcept {
    return Call([&] {
        *result = ToVariantBool(File::Replace(FromBstr(filespec), FromBstr(replacementfile), FromBstr(backupfile)));
    });
}

HRESULT FileObject::OpenBinary(BSTR filespec, VARIANT_BOOL write_access, _BinFile** result) noexcept {
    return Call([&] { *result = BinFileObject::Open(FromBstr(filespec), FromVariantBool(write_access)); });
}

HRESULT FileObject::TimeSet(BSTR path, DATE dt, short which, VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(File::TimeSet(FromBstr(path), dt, which)); });
}

HRESULT FileObject::TimeGet(BSTR path, short which, DATE* result) noexcept {
    return Call([&] { *result = File::TimeGet(FromBstr(path), which); });
}

HRESULT FileObject::TimeCompare(BSTR file1, BSTR file2, short which, short* result) noexcept {
    return Call([&] { *result = File::TimeCompare(FromBstr(file1), FromBstr(file2), which); });
}

}  // namespace kelpa
