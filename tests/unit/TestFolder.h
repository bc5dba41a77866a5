// A private temporary folder per test, removed with everything in it.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <string>

#include "runtime/UniqueHandle.h"

namespace kelpa {

class TestFolder {
public:
    TestFolder() {
        wchar_t base[MAX_PATH];
        GetTempPathW(MAX_PATH, base);
        static unsigned counter = 0;
        m_path = std::wstring(base) + L"kelpa-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                 std::to_wstring(++counter);
        CreateDirectoryW(m_path.c_str(), nullptr);
    }
    ~TestFolder() {
        std::wstring from = m_path + L'\0';
        SHFILEOPSTRUCTW operation = {};
        operation.wFunc = FO_DELETE;
        operation.pFrom = from.c_str();
        operation.fFlags = FOF_NO_UI;
        SHFileOperationW(&operation);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::wstring& Path() const { return m_path; }

    // Creates (or empties) a file in the folder and returns its full path.
    std::wstring MakeFile(const std::wstring& name, const std::string& content = {}) const {
        const std::wstring path = m_path + L"\\" + name;
        unique_hfile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        if (file && !content.empty())
            WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        return path;
    }

private:
    std::wstring m_path;
};

}  // namespace kelpa
