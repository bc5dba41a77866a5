// The common file dialog calls of "Kelpa.FileSelection" and the reading of
// their answers.
#include "files/FileSelection.h"

#include <commdlg.h>
#include <cderr.h>
#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/ScriptValues.h"

namespace kelpa {
namespace {

constexpr DWORD kOpenFlags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST |
                             OFN_NODEREFERENCELINKS | OFN_DONTADDTORECENT;
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                             OFN_NOREADONLYRETURN | OFN_NODEREFERENCELINKS | OFN_DONTADDTORECENT;
constexpr DWORD kMultipleFlags = kOpenFlags | OFN_ALLOWMULTISELECT | OFN_EXPLORER;
constexpr long kFewestFiles = 20;
constexpr long kMostFiles = 128;
constexpr long kCancelled = -1;

// Every CR LF becomes a NUL, and a NUL ends the whole.
std::wstring LinesToItems(const std::wstring& text) {
    std::wstring out;
    out.reserve(text.size() + 1);
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') {
            out += L'\0';
            ++i;
        } else {
            out += text[i];
        }
    }
    out += L'\0';
    return out;
}

}  // namespace

FileChoice ReadFileChoice(const std::wstring& buffer, size_t offset, const std::wstring& title) {
    FileChoice choice;
    offset = std::min(offset, buffer.size());
    if (offset > 0 && buffer[offset - 1] == L'\0') {
        const size_t directoryEnd = buffer.find(L'\0');
        choice.directory = buffer.substr(0, directoryEnd);
        if (choice.directory.empty() || choice.directory.back() != L'\\') choice.directory += L'\\';
        // The names run up to the first empty one (two NULs in a row); a
        // list without that end was cut off and is not taken at all.
        const size_t end = buffer.find(std::wstring(2, L'\0'), directoryEnd);
        if (end != std::wstring::npos) {
            choice.names = buffer.substr(directoryEnd + 1, end - directoryEnd);
            choice.count = static_cast<long>(std::count(choice.names.begin(), choice.names.end(), L'\0'));
        }
        return choice;
    }
    choice.directory = buffer.substr(0, offset);
    choice.names = title;
    choice.count = 1;
    return choice;
}

void FileSelection::SetDlgTitle(const std::wstring& value) {
    m_title = value.substr(0, kTitleLength);
    m_titleSet = true;
}

void FileSelection::SetFileExtension(const std::wstring& value) {
    std::wstring extension = value;
    if (extension.size() >= 3 && extension[0] == L'.') extension.erase(0, 1);
    m_extension = extension.substr(0, 3);
}

void FileSelection::SetFilter(const std::wstring& value) { m_filter = m_convert ? LinesToItems(value) : value; }

void FileSelection::SetFilterFrom(const VARIANT& value) {
    if (auto items = ArrayTexts(value, SIZE_MAX, false, kSource)) {
        std::wstring filter;
        for (const std::wstring& item : *items) {
            filter += item;
            filter += L'\0';
        }
        m_filter = filter + L'\0';
        return;
    }
    const VARIANT& held = Dereference(value);
    if (V_VT(&held) == VT_BSTR) SetFilter(V_BSTR(&held) ? std::wstring(V_BSTR(&held), SysStringLen(V_BSTR(&held))) : L"");
    if (V_VT(&held) == (VT_BYREF | VT_BSTR) && V_BSTRREF(&held))
        SetFilter(*V_BSTRREF(&held) ? std::wstring(*V_BSTRREF(&held), SysStringLen(*V_BSTRREF(&held))) : L"");
}

size_t FileSelection::MultipleBufferLength(long fileNumber) noexcept {
    const long files = fileNumber < 2 ? kFewestFiles : std::min(fileNumber, kMostFiles);
    return static_cast<size_t>(files) * kPathLength;
}

long FileSelection::Dialog(short mode) {
    if (mode < 0 || mode > 2) {
        m_errorLevel.Report(ObjectError(851), L"Mode parameter: Invalid argument.");
        return 0;
    }
    const bool multiple = mode == 2;

    // The file buffer holds the proposed name; one more character than the
    // longest name keeps its terminating NUL even for a 260-character name.
    std::vector<wchar_t> file(multiple ? MultipleBufferLength(m_fileNumber) : kPathLength + 1, L'\0');
    std::copy(m_fileName.begin(), m_fileName.begin() + std::min(m_fileName.size(), file.size() - 1), file.begin());
    std::vector<wchar_t> title(kPathLength, L'\0');
    // The items as given, always followed by enough NULs that the dialog
    // finds the end of the list, however the script laid it out.
    const std::wstring filter = m_filter + std::wstring(2, L'\0');

    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = nullptr;
    dialog.lpstrFilter = m_filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 0;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrFileTitle = title.data();
    dialog.nMaxFileTitle = static_cast<DWORD>(title.size());
    dialog.lpstrInitialDir = m_directory.empty() ? nullptr : m_directory.c_str();
    dialog.lpstrTitle = m_titleSet ? m_title.c_str() : nullptr;
    dialog.lpstrDefExt = (!multiple && !m_extension.empty()) ? m_extension.c_str() : nullptr;
    dialog.Flags = mode == 0 ? kOpenFlags : mode == 1 ? kSaveFlags : kMultipleFlags;

    const BOOL chosen = mode == 1 ? GetSaveFileNameW(&dialog) : GetOpenFileNameW(&dialog);
    if (!chosen) {
        const DWORD error = CommDlgExtendedError();
        m_errorCode = error ? static_cast<long>(error) : kCancelled;
        return 0;
    }
    const std::wstring answer(file.data(), file.size());
    const std::wstring titleText(title.data(), std::find(title.begin(), title.end(), L'\0') - title.begin());
    FileChoice choice = ReadFileChoice(answer, dialog.nFileOffset, titleText);
    if (m_convert && multiple) {
        std::wstring lines;
        for (wchar_t c : choice.names) lines += c == L'\0' ? std::wstring(L"\r\n") : std::wstring(1, c);
        choice.names = lines;
    }
    m_directory = choice.directory;
    m_fileName = choice.names;
    m_errorCode = 0;
    return choice.count;
}

}  // namespace kelpa
