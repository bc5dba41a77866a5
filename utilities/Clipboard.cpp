// Clipboard text. The clipboard is opened without an owner window, as scripts'
// clipboard helpers always have been; it is held only within one member.
#include "utilities/Clipboard.h"

#include <windows.h>
#include <cstring>

#include "runtime/ScriptError.h"
#include "runtime/UniqueHandle.h"

namespace kelpa {
namespace {

// Holds the clipboard open for one scope. Another program may hold it for a
// moment, so opening is tried a few times before giving up.
class OpenClipboardScope {
public:
    OpenClipboardScope() noexcept {
        for (int attempt = 0; attempt < 10 && !m_open; ++attempt) {
            m_open = OpenClipboard(nullptr) != FALSE;
            if (!m_open) Sleep(10);
        }
    }
    ~OpenClipboardScope() {
        if (m_open) CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    explicit operator bool() const noexcept { return m_open; }

private:
    bool m_open = false;
};

// Holds a global memory block locked for one scope.
class GlobalLockScope {
public:
    explicit GlobalLockScope(HGLOBAL block) noexcept : m_block(block), m_data(block ? GlobalLock(block) : nullptr) {}
    ~GlobalLockScope() {
        if (m_data) GlobalUnlock(m_block);
    }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    void* Data() const noexcept { return m_data; }

private:
    HGLOBAL m_block;
    void* m_data;
};

// VB's "Can't open Clipboard", so scripts see the number they know.
[[noreturn]] void ThrowCannotOpen(const wchar_t* source) {
    throw ScriptError(static_cast<HRESULT>(0x800A0209), source, L"Can't open Clipboard");
}

// Hands a block to the clipboard, which owns it from then on.
bool Place(UINT format, const void* data, size_t size) {
    unique_hglobal block(GlobalAlloc(GMEM_MOVEABLE, size));
    if (!block) return false;
    {
        GlobalLockScope lock(block.get());
        if (!lock.Data()) return false;
        memcpy(lock.Data(), data, size);
    }
    if (!SetClipboardData(format, block.get())) return false;
    block.release();
    return true;
}

// The whole block the clipboard holds in a format (which may be larger than
// the text in it); empty when there is none or the clipboard cannot be opened.
std::string ReadBlock(UINT format) {
    if (!IsClipboardFormatAvailable(format)) return std::string();
    OpenClipboardScope clipboard;
    if (!clipboard) return std::string();
    HANDLE data = GetClipboardData(format);
    GlobalLockScope lock(data);
    if (!lock.Data()) return std::string();
    return std::string(static_cast<const char*>(lock.Data()), GlobalSize(data));
}

// Empties the clipboard and places the block in one opening, so no other
// program ever sees the clipboard empty in between.
void Replace(UINT format, const void* data, size_t size, const wchar_t* source) {
    OpenClipboardScope clipboard;
    if (!clipboard) ThrowCannotOpen(source);
    EmptyClipboard();
    Place(format, data, size);  // when it cannot be placed, the clipboard stays empty
}

}  // namespace

void SetClipboardAnsiText(const std::wstring& text, const wchar_t* source) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size() + 1), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size > 0 ? size : 1), '\0');
    if (size > 0)
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), static_cast<int>(text.size() + 1), &bytes[0], size, nullptr,
                            nullptr);
    Replace(CF_TEXT, bytes.data(), bytes.size(), source);
}

std::wstring GetClipboardAnsiText() {
    const std::string block = ReadBlock(CF_TEXT);
    const size_t length = strnlen(block.c_str(), block.size());
    if (length == 0) return std::wstring();
    const int units = MultiByteToWideChar(CP_ACP, 0, block.data(), static_cast<int>(length), nullptr, 0);
    std::wstring result(static_cast<size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0) MultiByteToWideChar(CP_ACP, 0, block.data(), static_cast<int>(length), &result[0], units);
    return result;
}

std::wstring Clipboard::Text() const {
    if (!m_useUnicode) return GetClipboardAnsiText();
    const std::string block = ReadBlock(CF_UNICODETEXT);
    std::wstring text(block.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) memcpy(&text[0], block.data(), text.size() * sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

void Clipboard::SetText(const std::wstring& text) const {
    if (!m_useUnicode) {
        SetClipboardAnsiText(text, kSource);
        return;
    }
    Replace(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t), kSource);
}

}  // namespace kelpa
