// Text in the system ANSI code page, as the classes that read and write
// bytes for scripts store it: one byte per character, or two for the
// double-byte characters of East Asian code pages.
#pragma once

#include <cstddef>
#include <string>

namespace kelpa {

// Characters the code page lacks become its default character ("?").
std::string ToAnsi(const std::wstring& text);
std::wstring FromAnsi(const char* bytes, size_t count);

}  // namespace kelpa
