// One owner template for every Win32 and OLE handle kind, in the spirit of
// WIL's unique_any: each kind is a one-line alias naming its close function
// and its invalid value, so no close call is ever written by hand.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <utility>
#include <vector>

namespace kelpa {

namespace detail {
template <class T> T NullValue() { return T{}; }
inline HANDLE InvalidHandleValue() { return INVALID_HANDLE_VALUE; }
inline void CloseHandleFn(HANDLE h) { ::CloseHandle(h); }
inline void CloseKeyFn(HKEY h) { ::RegCloseKey(h); }
inline void FreeLibraryFn(HMODULE h) { ::FreeLibrary(h); }
inline void DestroyIconFn(HICON h) { ::DestroyIcon(h); }
inline void DestroyMenuFn(HMENU h) { ::DestroyMenu(h); }
inline void DestroyWindowFn(HWND h) { ::DestroyWindow(h); }
inline void DeleteObjectFn(HGDIOBJ h) { ::DeleteObject(h); }
inline void FreeStringFn(BSTR s) { ::SysFreeString(s); }
inline void DestroySafeArrayFn(SAFEARRAY* a) { ::SafeArrayDestroy(a); }
inline void GlobalFreeFn(HGLOBAL h) { ::GlobalFree(h); }
inline void DeregisterEventSourceFn(HANDLE h) { ::DeregisterEventSource(h); }
inline void FindCloseFn(HANDLE h) { ::FindClose(h); }
}  // namespace detail

template <class T, void (*Close)(T), T (*Invalid)() = &detail::NullValue<T>>
class UniqueAny {
public:
    UniqueAny() noexcept = default;
    explicit UniqueAny(T value) noexcept : m_value(value) {}
    UniqueAny(const UniqueAny&) = delete;
    UniqueAny& operator=(const UniqueAny&) = delete;
    UniqueAny(UniqueAny&& other) noexcept : m_value(other.release()) {}
    UniqueAny& operator=(UniqueAny&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~UniqueAny() { reset(); }

    T get() const noexcept { return m_value; }
    explicit operator bool() const noexcept { return m_value != Invalid(); }

    // Closing never disturbs the caller's last error: code that just failed a
    // platform call may still want to read it after the handle goes away.
    void reset(T value = Invalid()) noexcept {
        if (m_value != Invalid()) {
            const DWORD lastError = GetLastError();
            Close(m_value);
            SetLastError(lastError);
        }
        m_value = value;
    }
    T release() noexcept { return std::exchange(m_value, Invalid()); }
    // For out-parameters: frees what is held, then lends the slot.
    T* put() noexcept {
        reset();
        return &m_value;
    }

private:
    T m_value = Invalid();
};


// Files and snapshots use INVALID_HANDLE_VALUE as empty; most other handles use null.
using unique_hfile = UniqueAny<HANDLE, detail::CloseHandleFn, detail::InvalidHandleValue>;
using unique_handle = UniqueAny<HANDLE, detail::CloseHandleFn>;
using unique_hkey = UniqueAny<HKEY, detail::CloseKeyFn>;
using unique_hmodule = UniqueAny<HMODULE, detail::FreeLibraryFn>;
using unique_hicon = UniqueAny<HICON, detail::DestroyIconFn>;
using unique_hmenu = UniqueAny<HMENU, detail::DestroyMenuFn>;
using unique_hwnd = UniqueAny<HWND, detail::DestroyWindowFn>;
using unique_hgdiobj = UniqueAny<HGDIOBJ, detail::DeleteObjectFn>;
using unique_bstr = UniqueAny<BSTR, detail::FreeStringFn>;
using unique_safearray = UniqueAny<SAFEARRAY*, detail::DestroySafeArrayFn>;
using unique_hglobal = UniqueAny<HGLOBAL, detail::GlobalFreeFn>;
using unique_eventsource = UniqueAny<HANDLE, detail::DeregisterEventSourceFn>;
using unique_hfind = UniqueAny<HANDLE, detail::FindCloseFn, detail::InvalidHandleValue>;

// A VARIANT that clears itself. It is not a template alias because a VARIANT
// is a value, not a handle: it lives inside the owner.
class unique_variant {
public:
    unique_variant() noexcept { VariantInit(&m_value); }
    unique_variant(const unique_variant&) = delete;
    unique_variant& operator=(const unique_variant&) = delete;
    ~unique_variant() { VariantClear(&m_value); }

    VARIANT* get() noexcept { return &m_value; }
    const VARIANT* get() const noexcept { return &m_value; }
    VARIANT* put() noexcept {
        VariantClear(&m_value);
        return &m_value;
    }
    VARIANT* operator->() noexcept { return &m_value; }
    // Hands the value to the caller (a [retval] slot) and stays empty.
    VARIANT release() noexcept {
        VARIANT out = m_value;
        VariantInit(&m_value);
        return out;
    }

private:
    VARIANT m_value;
};

// A block of VARIANTs (a copied argument list) that clears every element.
class unique_variant_array {
public:
    explicit unique_variant_array(size_t count) : m_values(count) {
        for (VARIANT& value : m_values) VariantInit(&value);
    }
    unique_variant_array(const unique_variant_array&) = delete;
    unique_variant_array& operator=(const unique_variant_array&) = delete;
    ~unique_variant_array() {
        for (VARIANT& value : m_values) VariantClear(&value);
    }

    VARIANT* data() noexcept { return m_values.empty() ? nullptr : m_values.data(); }
    size_t size() const noexcept { return m_values.size(); }
    VARIANT& operator[](size_t index) noexcept { return m_values[index]; }

private:
    std::vector<VARIANT> m_values;
};

}  // namespace kelpa
