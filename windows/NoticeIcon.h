// Where the icons of "Kelpa.Notice" come from (a stock shell icon, a system
// icon, an .ico file or the resources of any module) and their loading, with
// the reason left in an error code when no icon results.
#pragma once

#include <windows.h>
#include <string>

#include "runtime/UniqueHandle.h"

namespace kelpa {

// The four settings that name one icon (IconID, IconName, IconFile, IconSize
// for the tray; the BIcon ones for a balloon).
struct NoticeIconSource {
    long id = 0;
    std::wstring name;
    std::wstring file;
    short size = 0;  // 0 small, 1 large
};

enum class NoticeIconOrigin { StockIcon, SystemIcon, IconFile, Module };

// Error codes the icon loading leaves.
constexpr long kNoticeNoIcon = 2;
constexpr long kNoticeNeedsVista = 3;

// A file whose name ends in ".ico" (any case) is read as an icon file, any
// other file as a module; without a file, numbers below 32501 are stock
// shell icons and the rest system icons.
NoticeIconOrigin OriginOf(const NoticeIconSource& source);

// Loads the icon; errorCode becomes 0, or 3 when the source needs Windows
// Vista (version number 600) or later, or 2 when nothing could be loaded.
unique_hicon LoadNoticeIcon(const NoticeIconSource& source, bool useImageLoader, short osVersion, long& errorCode);

}  // namespace kelpa
