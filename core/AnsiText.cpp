// ANSI code-page conversions through the platform's converters.
#include "core/AnsiText.h"

#include <windows.h>
#include <climits>
#include <new>

namespace kelpa {

std::string ToAnsi(const std::wstring& text) {
    if (text.empty()) return {};
    if (text.size() > INT_MAX / 2) throw std::bad_alloc();
    const int length = static_cast<int>(text.size());
    const int needed = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
    std::string result(static_cast<size_t>(needed > 0 ? needed : 0), '\0');
    if (needed > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), length, &result[0], needed, nullptr, nullptr);
    return result;
}

std::wstring FromAnsi(const char* bytes, size_t count) {
    if (count == 0) return {};
    if (count > INT_MAX) throw std::bad_alloc();
    const int length = static_cast<int>(count);
    const int needed = MultiByteToWideChar(CP_ACP, 0, bytes, length, nullptr, 0);
    std::wstring result(static_cast<size_t>(needed > 0 ? needed : 0), L'\0');
    if (needed > 0) MultiByteToWideChar(CP_ACP, 0, bytes, length, &result[0], needed);
    return result;
}

}  // namespace kelpa
