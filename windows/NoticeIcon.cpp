// Icon loading of "Kelpa.Notice".
#include "windows/NoticeIcon.h"

#include <commctrl.h>
#include <shellapi.h>
#include <cwctype>

#include "core/ScriptValues.h"
#include "core/windowfn.h"
#include "runtime/DynamicImport.h"

namespace kelpa {
namespace {

constexpr long kFirstSystemIcon = 32501;
constexpr short kVista = 600;

using LoadIconMetricFn = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, HICON*);

bool EndsWithIco(const std::wstring& file) {
    if (file.size() < 4) return false;
    std::wstring tail = file.substr(file.size() - 4);
    for (wchar_t& c : tail) c = static_cast<wchar_t>(std::towlower(c));
    return tail == L".ico";
}

// Wine 8 answers success with neither icon nor a usable location (iIcon -1
// for every stock icon): the loading then ends with ErrorCode 2.
HICON StockIcon(long id, bool large) {
    SHSTOCKICONINFO info = {};
    info.cbSize = sizeof(info);
    const UINT flags = SHGSI_ICON | (large ? 0 : SHGSI_SMALLICON);
    return SUCCEEDED(SHGetStockIconInfo(static_cast<SHSTOCKICONID>(id), flags, &info)) ? info.hIcon : nullptr;
}

// LoadIconMetric lives in version 6 of the common controls only; looked up at
// run time so that a host without it still loads and gets no icon.
HICON MetricIcon(HINSTANCE module, const wchar_t* resource, bool large) {
    static const auto loadIconMetric = LoadedFunction<LoadIconMetricFn>(L"comctl32.dll", "LoadIconMetric");
    HICON icon = nullptr;
    if (!loadIconMetric || FAILED(loadIconMetric(module, resource, large ? LIM_LARGE : LIM_SMALL, &icon))) return nullptr;
    return icon;
}

HICON ImageIcon(HINSTANCE module, const wchar_t* resource, UINT flags, bool large) {
    const int edge = large ? 0 : GetSystemMetrics(SM_CXSMICON);
    if (large) flags |= LR_DEFAULTSIZE;
    return static_cast<HICON>(LoadImageW(module, resource, IMAGE_ICON, edge, edge, flags));
}

}  // namespace

NoticeIconOrigin OriginOf(const NoticeIconSource& source) {
    if (!source.file.empty()) return EndsWithIco(source.file) ? NoticeIconOrigin::IconFile : NoticeIconOrigin::Module;
    return source.id < kFirstSystemIcon ? NoticeIconOrigin::StockIcon : NoticeIconOrigin::SystemIcon;
}

unique_hicon LoadNoticeIcon(const NoticeIconSource& source, bool useImageLoader, short osVersion, long& errorCode) {
    errorCode = 0;
    const NoticeIconOrigin origin = OriginOf(source);
    if (osVersion < kVista && (!useImageLoader || origin == NoticeIconOrigin::StockIcon)) {
        errorCode = kNoticeNeedsVista;
        return unique_hicon();
    }
    const bool large = source.size != 0;
    const wchar_t* resource = source.name.empty() ? ResourceNumber(source.id) : source.name.c_str();
    unique_hicon icon;
    switch (origin) {
    case NoticeIconOrigin::StockIcon:
        icon.reset(StockIcon(source.id, large));
        break;
    case NoticeIconOrigin::SystemIcon:
        // Shared system icons must never be destroyed: a copy is owned instead.
        if (HICON shared = useImageLoader ? ImageIcon(nullptr, resource, LR_SHARED, large)
                                          : MetricIcon(nullptr, resource, large))
            icon.reset(useImageLoader ? CopyIcon(shared) : shared);
        break;
    case NoticeIconOrigin::IconFile:
        icon.reset(useImageLoader ? ImageIcon(nullptr, source.file.c_str(), LR_LOADFROMFILE, large)
                                  : MetricIcon(nullptr, source.file.c_str(), large));
        break;
    case NoticeIconOrigin::Module: {
        const unique_hmodule module = LoadResourceModule(source.file);
        if (module)
            icon.reset(useImageLoader ? ImageIcon(module.get(), resource, 0, large)
                                      : MetricIcon(module.get(), resource, large));
        break;
    }
    }
    if (!icon && errorCode == 0) errorCode = kNoticeNoIcon;
    return icon;
}

}  // namespace kelpa
