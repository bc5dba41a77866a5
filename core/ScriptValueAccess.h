// Reading the raw storage of a script value and writing results back into
// a parameter that a script passed by reference. Both follow references the
// way the scripting languages do, and neither touches memory beyond the
// value's own storage.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <cstddef>

namespace kelpa {

// Bytes that a value of the base type (no flags) occupies where a VARIANT
// keeps or references it: 1 for Byte, 2 for Integer and Boolean, 8 for
// Double, Currency and Date... 0 for types whose value field only points
// elsewhere (String, objects, records) and for Empty and Null.
size_t StorageSize(VARTYPE baseType) noexcept;

// The storage of a value's own bytes, after following VT_BYREF|VT_VARIANT:
// the value field, or the storage a typed reference points to; for a String
// its text and terminating NUL. Empty for objects, arrays, Empty and Null,
// whose value field holds only a pointer or nothing.
struct ValueStorage {
    const unsigned char* data = nullptr;
    size_t size = 0;
};
ValueStorage StorageOf(const VARIANT& value) noexcept;

// Writes value into a parameter received as [in, out] VARIANT*: through
// VT_BYREF|VT_VARIANT references to the script's variable; into a typed
// reference (VT_BYREF|VT_I4 from a typed client) converted to that type.
// False, with the target unchanged, when the value cannot be stored there.
bool StoreScriptValue(VARIANT& target, const VARIANT& value) noexcept;

// The data of a SAFEARRAY, locked for as long as the owner lives
// (SafeArrayAccessData / SafeArrayUnaccessData).
class ArrayData {
public:
    explicit ArrayData(SAFEARRAY* array) noexcept {
        if (array && SUCCEEDED(SafeArrayAccessData(array, &m_data))) m_array = array;
    }
    ArrayData(const ArrayData&) = delete;
    ArrayData& operator=(const ArrayData&) = delete;
    ~ArrayData() {
        if (m_array) SafeArrayUnaccessData(m_array);
    }
    explicit operator bool() const noexcept { return m_array != nullptr; }
    unsigned char* get() const noexcept { return static_cast<unsigned char*>(m_data); }

private:
    SAFEARRAY* m_array = nullptr;
    void* m_data = nullptr;
};

}  // namespace kelpa
