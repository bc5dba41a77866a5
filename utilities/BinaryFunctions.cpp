// Binary and number members of Aux. Reads never leave the storage that a
// value owns, arrays are read through their data pointer in storage order
// (the caller's descriptor is never modified), and 64-bit integers are the
// raw 64-bit pattern of a Currency.
#include "utilities/BinaryFunctions.h"

#include <shlwapi.h>
#include <cwchar>

#include "core/ScriptValueAccess.h"
#include "core/ScriptValues.h"
#include "runtime/AutomationErrors.h"
#include "utilities/StringFunctions.h"

namespace kelpa {
namespace {

// `width` bytes at offset pos - 1 of the value's storage, little-endian. The
// position must keep the read inside an 8-byte field; missing bytes are 0.
unsigned long ReadValueBytes(const VARIANT& value, long pos, int width) noexcept {
    if (pos < 1 || pos > 9 - width) return 0;
    const ValueStorage storage = StorageOf(value);
    unsigned long result = 0;
    for (int k = 0; k < width; ++k) {
        const size_t offset = static_cast<size_t>(pos - 1 + k);
        const unsigned long byte = offset < storage.size ? storage.data[offset] : 0;
        result |= byte << (8 * k);
    }
    return result;
}

unsigned long ReadStringBytes(const std::string& bytes, long pos, int width) noexcept {
    if (pos < 1 || static_cast<long long>(pos) + width - 1 > static_cast<long long>(bytes.size())) return 0;
    unsigned long result = 0;
    for (int k = 0; k < width; ++k)
        result |= static_cast<unsigned long>(static_cast<unsigned char>(bytes[pos - 1 + k])) << (8 * k);
    return result;
}

// The size an element of this type must have in an array, so that a
// descriptor with another element size is never read with the wrong stride.
size_t ElementSizeFor(VARTYPE type) noexcept {
    switch (type) {
    case VT_VARIANT: return sizeof(VARIANT);
    case VT_BSTR: return sizeof(BSTR);
    case VT_DISPATCH: case VT_UNKNOWN: return sizeof(void*);
    default: return StorageSize(type);
    }
}

// `count` elements from the start of the array's data into a new array of
// script values whose bounds start at `lower`. Empty when an element cannot
// be copied (records, an unknown element type).
unique_safearray CopyElements(SAFEARRAY* array, VARTYPE type, ULONG count, LONG lower) {
    const size_t elementSize = ElementSizeFor(type);
    if (elementSize == 0 || array->cbElements != elementSize) return unique_safearray();
    SAFEARRAYBOUND bound = {count, lower};
    unique_safearray result(SafeArrayCreate(VT_VARIANT, 1, &bound));
    if (!result) throw std::bad_alloc();
    {
        const ArrayData source(array);
        const ArrayData target(result.get());
        if (!source || !target) return unique_safearray();
        VARIANT* out = reinterpret_cast<VARIANT*>(target.get());
        for (ULONG i = 0; i < count; ++i) {
            VARIANT reference;
            V_VT(&reference) = static_cast<VARTYPE>(VT_BYREF | type);
            reference.byref = source.get() + static_cast<size_t>(i) * elementSize;
            if (FAILED(VariantCopyInd(&out[i], &reference))) return unique_safearray();
        }
    }
    return result;
}

}  // namespace

unsigned char ValueByte(const VARIANT& value, long pos) noexcept {
    return static_cast<unsigned char>(ReadValueBytes(value, pos, 1));
}

short ValueWord(const VARIANT& value, long pos) noexcept {
    return static_cast<short>(ReadValueBytes(value, pos, 2));
}

long ValueDWord(const VARIANT& value, long pos) noexcept {
    return static_cast<long>(ReadValueBytes(value, pos, 4));
}

short StringWord(const std::string& bytes, long pos) noexcept {
    return static_cast<short>(ReadStringBytes(bytes, pos, 2));
}

long StringDWord(const std::string& bytes, long pos) noexcept {
    return static_cast<long>(ReadStringBytes(bytes, pos, 4));
}

short ReverseBytes16(short value) noexcept {
    const unsigned short u = static_cast<unsigned short>(value);
    return static_cast<short>(static_cast<unsigned short>((u >> 8) | (u << 8)));
}

long ReverseBytes32(long value) noexcept {
    const unsigned long u = static_cast<unsigned long>(value);
    return static_cast<long>((u >> 24) | ((u >> 8) & 0xFF00u) | ((u << 8) & 0xFF0000u) | (u << 24));
}

long long ReverseBytes64(long long value) noexcept {
    const unsigned long long u = static_cast<unsigned long long>(value);
    const unsigned long long low = static_cast<unsigned long>(ReverseBytes32(static_cast<long>(u >> 32)));
    const unsigned long long high = static_cast<unsigned long>(ReverseBytes32(static_cast<long>(u & 0xFFFFFFFFu)));
    return static_cast<long long>((high << 32) | low);
}

unique_safearray CopyFirstDimension(const VARIANT& value) {
    SAFEARRAY* array = ArrayOf(value);
    if (!array || SafeArrayGetDim(array) < 1) return unique_safearray();
    // Script code would index it with one subscript, which fails the same way.
    if (SafeArrayGetDim(array) > 1) throw ScriptError(kSubscriptOutOfRange, kAuxSource, L"Subscript out of range");
    LONG lower = 0, upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)) || FAILED(SafeArrayGetUBound(array, 1, &upper)) ||
        upper < lower)
        return unique_safearray();
    return CopyElements(array, ArrayElementType(value), array->rgsabound[0].cElements, lower);
}

unique_safearray FlattenArray(const VARIANT& value) {
    SAFEARRAY* array = ArrayOf(value);
    if (!array || SafeArrayGetDim(array) < 1) return unique_safearray();
    const long long count = TotalElementCount(value);
    if (count < 0 || count >= 0x7FFFFFFF) return unique_safearray();
    return CopyElements(array, ArrayElementType(value), static_cast<ULONG>(count), 0);
}

short DimensionCount(const VARIANT& value) noexcept {
    SAFEARRAY* array = ArrayOf(value);
    return array ? static_cast<short>(SafeArrayGetDim(array)) : 0;
}

long TotalElementCount(const VARIANT& value) noexcept {
    SAFEARRAY* array = ArrayOf(value);
    if (!array || array->cDims == 0) return 0;
    unsigned long long count = 1;
    for (USHORT d = 0; d < array->cDims; ++d) {
        count *= array->rgsabound[d].cElements;
        if (count > 0x7FFFFFFF) return 0x7FFFFFFF;
    }
    return static_cast<long>(count);
}

long long ParseInt64(const std::wstring& text) {
    if (text.empty()) return 0;
    std::wstring platformText = text;
    // "&H1F" is the scripting languages' hexadecimal; the platform reads "0x1F".
    // The character after "&" is overwritten whatever it is.
    if (platformText[0] == L'&') {
        if (platformText.size() >= 2)
            platformText.replace(0, 2, L"0x");
        else
            platformText = L"0";
    }
    LONGLONG result = 0;
    if (!StrToInt64ExW(platformText.c_str(), STIF_SUPPORT_HEX, &result)) return 0;
    return result;
}

std::wstring Hex64Text(long long value) {
    const unsigned long long u = static_cast<unsigned long long>(value);
    const unsigned long high = static_cast<unsigned long>(u >> 32);
    const unsigned long low = static_cast<unsigned long>(u & 0xFFFFFFFFu);
    wchar_t text[24];
    if (high == 0)
        swprintf(text, 24, L"%lX", low);
    else
        swprintf(text, 24, L"%lX%08lX", high, low);
    return text;
}

}  // namespace kelpa
