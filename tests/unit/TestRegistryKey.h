// A private registry tree under HKCU\Software for one test, deleted with
// everything in it when the test ends.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

#include "runtime/UniqueHandle.h"

namespace kelpa {

class TestRegistryKey {
public:
    TestRegistryKey() {
        static unsigned counter = 0;
        m_subkey = L"Software\\KelpaTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
        RegDeleteTreeW(HKEY_CURRENT_USER, m_subkey.c_str());
        CreateKey(L"");
    }
    ~TestRegistryKey() { RegDeleteTreeW(HKEY_CURRENT_USER, m_subkey.c_str()); }
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;

    // "HKCU\Software\KelpaTest-..." and, with a relative path, below it.
    std::wstring Path(const std::wstring& relative = L"") const {
        return L"HKCU\\" + Subkey(relative);
    }
    std::wstring Subkey(const std::wstring& relative = L"") const {
        return relative.empty() ? m_subkey : m_subkey + L"\\" + relative;
    }

    void CreateKey(const std::wstring& relative) const {
        unique_hkey key;
        RegCreateKeyExW(HKEY_CURRENT_USER, Subkey(relative).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key.put(), nullptr);
    }
    void SetRaw(const std::wstring& relative, const std::wstring& name, DWORD type, const void* data,
                DWORD size) const {
        unique_hkey key;
        RegCreateKeyExW(HKEY_CURRENT_USER, Subkey(relative).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        key.put(), nullptr);
        RegSetValueExW(key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
    }
    // A string value with its terminating NUL, as every well-behaved writer stores it.
    void SetString(const std::wstring& relative, const std::wstring& name, const std::wstring& text,
                   DWORD type = REG_SZ) const {
        SetRaw(relative, name, type, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    }
    void SetDword(const std::wstring& relative, const std::wstring& name, DWORD value) const {
        SetRaw(relative, name, REG_DWORD, &value, sizeof(value));
    }

private:
    std::wstring m_subkey;
};

}  // namespace kelpa
