// "Kelpa.FileSelection": the system's common file dialog for one file to
// open, one name to save under, or several files to open. The settings and
// the reading of the dialog's answer are plain functions so that every shape
// of answer (one full path, a directory and names, a cut-off list) can be
// checked without showing a dialog.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <string>

#include "core/ErrorLevel.h"

namespace kelpa {

// What one successful dialog left in its file buffer, read back.
struct FileChoice {
    std::wstring directory;  // with a trailing backslash
    std::wstring names;      // one name, or the names each followed by a NUL
    long count = 0;
};

// Reads a buffer the dialog filled: `offset` is its nFileOffset, `title`
// the file-title buffer (one file). A NUL before the offset means the
// multiple-selection shape: a directory, NUL, names each ended by NUL, NUL.
FileChoice ReadFileChoice(const std::wstring& buffer, size_t offset, const std::wstring& title);

class FileSelection {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.FileSelection";
    static constexpr size_t kPathLength = 260;
    static constexpr size_t kTitleLength = 256;

    const std::wstring& Directory() const noexcept { return m_directory; }
    void SetDirectory(const std::wstring& value) { m_directory = value.substr(0, kPathLength); }
    const std::wstring& DlgTitle() const noexcept { return m_title; }
    void SetDlgTitle(const std::wstring& value);
    long ErrorLevel() const noexcept { return m_errorLevel.Get(); }
    void SetErrorLevel(long value) noexcept { m_errorLevel.Set(value); }
    const std::wstring& FileName() const noexcept { return m_fileName; }
    void SetFileName(const std::wstring& value) { m_fileName = value.substr(0, kPathLength); }
    const std::wstring& FileExtension() const noexcept { return m_extension; }
    // A leading dot goes when at least 3 characters are given; the rest is
    // cut to 3 (".html" and "html" give "htm", ".a" stays).
    void SetFileExtension(const std::wstring& value);
    const std::wstring& Filter() const noexcept { return m_filter; }
    // With Convert, CR LF pairs separate the items and a NUL ends the last.
    void SetFilter(const std::wstring& value);
    // An array gives one item per element; a String is taken as by Filter.
    void SetFilterFrom(const VARIANT& value);
    long FileNumber() const noexcept { return m_fileNumber; }
    void SetFileNumber(long value) noexcept { m_fileNumber = value; }
    bool Convert() const noexcept { return m_convert; }
    void SetConvert(bool value) noexcept { m_convert = value; }
    long ErrorCode() const noexcept { return m_errorCode; }

    // 0 open one file, 1 save one, 2 open several; the number of files
    // chosen, 0 when cancelled (ErrorCode -1) or failed (ErrorCode the
    // dialog's error). A bad mode is the one failure that is raised.
    long Dialog(short mode);

    // The characters the file buffer holds in a multiple selection.
    static size_t MultipleBufferLength(long fileNumber) noexcept;

private:
    std::wstring m_directory;
    std::wstring m_title;
    bool m_titleSet = false;
    kelpa::ErrorLevel m_errorLevel{kSource, 1, 1};
    std::wstring m_fileName;
    std::wstring m_extension;
    std::wstring m_filter;
    long m_fileNumber = 0;
    bool m_convert = false;
    long m_errorCode = 0;
};

}  // namespace kelpa
