// "Kelpa.Notice": the COM face of Notice, raising TrayClick and BalloonClick
// on the __Notice event interface.
#pragma once

#include "sysinfo/OsVersion.h"
#include "kelpa_h.h"
#include "runtime/ConnectionPoint.h"
#include "runtime/DispatchObject.h"
#include "windows/Notice.h"

namespace kelpa {

class NoticeObject : public DispatchObject<NoticeObject, _Notice, ::Notice>, private NoticeEvents {
public:
    static constexpr const wchar_t* kSource = L"Kelpa.Notice";
    static constexpr DISPID kTrayClick = 1;
    static constexpr DISPID kBalloonClick = 2;

    HRESULT STDMETHODCALLTYPE Add(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE ChangeIcon(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE Remove() noexcept override;
    HRESULT STDMETHODCALLTYPE ShowBalloon(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ErrorCode(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE get_BalloonOptions(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_BalloonOptions(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_BalloonText(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_BalloonText(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_BalloonTitle(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_BalloonTitle(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_BalloonIcon(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_BalloonIcon(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_BIconID(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_BIconID(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_BIconFile(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_BIconFile(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_BIconName(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_BIconName(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_BIconSize(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_BIconSize(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_IconID(long* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_IconID(long value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_IconFile(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_IconFile(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_IconName(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_IconName(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_IconSize(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_IconSize(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_TipText(BSTR* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_TipText(BSTR value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_TriggerEvent(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_TriggerEvent(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_UseLoadImageAPI(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_UseLoadImageAPI(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_BalloonClicked(VARIANT_BOOL* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_BalloonClicked(VARIANT_BOOL value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_TrayClicked(short* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_TrayClicked(short value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ContextMenu(VARIANT* result) noexcept override;
    HRESULT STDMETHODCALLTYPE put_ContextMenu(VARIANT* value) noexcept override;
    HRESULT STDMETHODCALLTYPE get_ContextMenuItems(short* result) noexcept override;

    HRESULT QueryExtra(REFIID iid, void** result) noexcept { return m_events.Query(iid, result); }
    static const IID* SourceInterface() noexcept { return &DIID___Notice; }

private:
    void TrayClick(short action) override;
    void BalloonClick() override;
    void Hold() noexcept override { AddRef(); }
    void LetGo() noexcept override { Release(); }

    EventSource m_events{static_cast<_Notice*>(this), DIID___Notice};
    // Declared last: its window goes before the event source does.
    Notice m_notice{*this, OsVersion::Number()};
};

}  // namespace kelpa
