// COM shim of Notice: converts arguments, raises the events, nothing else.
#include "windows/NoticeObject.h"

#include "runtime/Conversions.h"

namespace kelpa {

HRESULT NoticeObject::Add(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_notice.Add()); });
}
HRESULT NoticeObject::ChangeIcon(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_notice.ChangeIcon()); });
}
HRESULT NoticeObject::Remove() noexcept {
    return Call([&] { m_notice.Remove(); });
}
HRESULT NoticeObject::ShowBalloon(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_notice.ShowBalloon()); });
}
HRESULT NoticeObject::get_ErrorCode(long* result) noexcept {
    return Call([&] { *result = m_notice.ErrorCode(); });
}
HRESULT NoticeObject::get_BalloonOptions(long* result) noexcept {
    return Call([&] { *result = m_notice.BalloonOptions(); });
}
HRESULT NoticeObject::put_BalloonOptions(long value) noexcept {
    return Call([&] { m_notice.SetBalloonOptions(value); });
}
HRESULT NoticeObject::get_BalloonText(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_notice.BalloonText()); });
}
HRESULT NoticeObject::put_BalloonText(BSTR value) noexcept {
    return Call([&] { m_notice.SetBalloonText(FromBstr(value)); });
}
HRESULT NoticeObject::get_BalloonTitle(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_notice.BalloonTitle()); });
}
HRESULT NoticeObject::put_BalloonTitle(BSTR value) noexcept {
    return Call([&] { m_notice.SetBalloonTitle(FromBstr(value)); });
}
HRESULT NoticeObject::get_BalloonIcon(short* result) noexcept {
    return Call([&] { *result = m_notice.BalloonIcon(); });
}
HRESULT NoticeObject::put_BalloonIcon(short value) noexcept {
    return Call([&] { m_notice.SetBalloonIcon(value); });
}
HRESULT NoticeObject::get_BIconID(long* result) noexcept {
    return Call([&] { *result = m_notice.BalloonIconSource().id; });
}
HRESULT NoticeObject::put_BIconID(long value) noexcept {
    return Call([&] { m_notice.BalloonIconSource().id = value; });
}
HRESULT NoticeObject::get_BIconFile(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_notice.BalloonIconSource().file); });
}
HRESULT NoticeObject::put_BIconFile(BSTR value) noexcept {
    return Call([&] { Notice::SetIconFile(m_notice.BalloonIconSource(), FromBstr(value)); });
}
HRESULT NoticeObject::get_BIconName(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_notice.BalloonIconSource().name); });
}
HRESULT NoticeObject::put_BIconName(BSTR value) noexcept {
    return Call([&] { m_notice.BalloonIconSource().name = FromBstr(value); });
}
HRESULT NoticeObject::get_BIconSize(short* result) noexcept {
    return Call([&] { *result = m_notice.BalloonIconSource().size; });
}
HRESULT NoticeObject::put_BIconSize(short value) noexcept {
    return Call([&] { Notice::SetIconSize(m_notice.BalloonIconSource(), value); });
}
HRESULT NoticeObject::get_IconID(long* result) noexcept {
    return Call([&] { *result = m_notice.TrayIconSource().id; });
}
HRESULT NoticeObject::put_IconID(long value) noexcept {
    return Call([&] { m_notice.TrayIconSource().id = value; });
}
HRESULT NoticeObject::get_IconFile(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_notice.TrayIconSource().file); });
}
HRESULT NoticeObject::put_IconFile(BSTR value) noexcept {
    return Call([&] { Notice::SetIconFile(m_notice.TrayIconSource(), FromBstr(value)); });
}
HRESULT NoticeObject::get_IconName(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_notice.TrayIconSource().name); });
}
HRESULT NoticeObject::put_IconName(BSTR value) noexcept {
    return Call([&] { m_notice.TrayIconSource().name = FromBstr(value); });
}
HRESULT NoticeObject::get_IconSize(short* result) noexcept {
    return Call([&] { *result = m_notice.TrayIconSource().size; });
}
HRESULT NoticeObject::put_IconSize(short value) noexcept {
    return Call([&] { Notice::SetIconSize(m_notice.TrayIconSource(), value); });
}
HRESULT NoticeObject::get_TipText(BSTR* result) noexcept {
    return Call([&] { *result = ToBstr(m_notice.TipText()); });
}
HRESULT NoticeObject::put_TipText(BSTR value) noexcept {
    return Call([&] { m_notice.SetTipText(FromBstr(value)); });
}
HRESULT NoticeObject::get_TriggerEvent(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_notice.TriggerEvent()); });
}
HRESULT NoticeObject::put_TriggerEvent(VARIANT_BOOL value) noexcept {
    return Call([&] { m_notice.SetTriggerEvent(FromVariantBool(value)); });
}
HRESULT NoticeObject::get_UseLoadImageAPI(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_notice.UseLoadImageAPI()); });
}
HRESULT NoticeObject::put_UseLoadImageAPI(VARIANT_BOOL value) noexcept {
    return Call([&] { m_notice.SetUseLoadImageAPI(FromVariantBool(value)); });
}
HRESULT NoticeObject::get_BalloonClicked(VARIANT_BOOL* result) noexcept {
    return Call([&] { *result = ToVariantBool(m_notice.BalloonClicked()); });
}
HRESULT NoticeObject::put_BalloonClicked(VARIANT_BOOL) noexcept {
    return Call([&] { m_notice.ResetBalloonClicked(); });
}
HRESULT NoticeObject::get_TrayClicked(short* result) noexcept {
    return Call([&] { *result = m_notice.TrayClicked(); });
}
HRESULT NoticeObject::put_TrayClicked(short) noexcept {
    return Call([&] { m_notice.ResetTrayClicked(); });
}
HRESULT NoticeObject::get_ContextMenu(VARIANT* result) noexcept {
    return Call([&] { m_notice.ContextMenu(result); });
}
HRESULT NoticeObject::put_ContextMenu(VARIANT* value) noexcept {
    return Call([&] {
        if (value) m_notice.SetContextMenu(*value);
    });
}
HRESULT NoticeObject::get_ContextMenuItems(short* result) noexcept {
    return Call([&] { *result = m_notice.ContextMenuItems(); });
}

void NoticeObject::TrayClick(short action) {
    VARIANT argument;
    VariantInit(&argument);
    V_VT(&argument) = VT_I2;
    V_I2(&argument) = action;
    m_events.Fire(kTrayClick, {argument});
}

void NoticeObject::BalloonClick() { m_events.Fire(kBalloonClick); }

}  // namespace kelpa
