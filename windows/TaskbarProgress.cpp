// Taskbar progress: the modes, what they accept, and when they show.
#include "windows/TaskbarProgress.h"

#include <objbase.h>
#include <utility>

namespace kelpa {
namespace {

constexpr long kMarqueeStyle = 8;  // PBS_MARQUEE
constexpr ULONGLONG kCurrencyScale = 10000;

// The taskbar's amounts are unsigned; a value driven below zero shows as none.
ULONGLONG AsCurrency(short value) { return value > 0 ? static_cast<ULONGLONG>(value) * kCurrencyScale : 0; }

}  // namespace

TaskbarProgress::TaskbarProgress(short osVersionNumber) noexcept {
    if (osVersionNumber < 601) return;
    Microsoft::WRL::ComPtr<ITaskbarList3> taskbar;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&taskbar)))) return;
    if (FAILED(taskbar->HrInit())) return;
    m_taskbar = std::move(taskbar);
}

short TaskbarProgress::DerivedState(const BarView& bar) noexcept {
    if (bar.style & kMarqueeStyle) return bar.marqueeOn ? TBPF_INDETERMINATE : TBPF_NOPROGRESS;
    if (bar.state == 2) return TBPF_ERROR;
    if (bar.state == 3) return TBPF_PAUSED;
    return TBPF_NORMAL;
}

void TaskbarProgress::ApplyState(HWND window) noexcept {
    if (m_active && window && m_taskbar) m_taskbar->SetProgressState(window, static_cast<TBPFLAG>(m_state));
}

void TaskbarProgress::ApplyValue(HWND window) noexcept {
    if (m_active && window && m_taskbar) m_taskbar->SetProgressValue(window, AsCurrency(m_value), AsCurrency(m_total));
}

void TaskbarProgress::TakeOver(HWND, const BarView& bar) noexcept {
    m_value = bar.position;
    m_total = static_cast<short>(bar.maximum - bar.minimum);
    m_state = DerivedState(bar);
}

void TaskbarProgress::SetMode(short mode, HWND window, const BarView& bar) noexcept {
    if (!Available() || mode == m_mode || mode < Off || mode > Mirror) return;
    m_mode = mode;
    m_active = mode != Off;
    m_follows = mode == Mirror;
    if (mode == Off) {
        if (window) m_taskbar->SetProgressState(window, TBPF_NOPROGRESS);
        return;
    }
    if (mode == Mirror) TakeOver(window, bar);
    ApplyValue(window);
    ApplyState(window);
}

void TaskbarProgress::SetState(short state, HWND window) noexcept {
    if (m_follows || state == m_state || state < 0) return;
    if (state != TBPF_NOPROGRESS && state != TBPF_INDETERMINATE && state != TBPF_NORMAL && state != TBPF_ERROR &&
        state != TBPF_PAUSED)
        return;
    m_state = state;
    ApplyState(window);
}

void TaskbarProgress::SetValue(short value, HWND window) noexcept {
    if (m_follows || value == m_value || value < 0) return;
    m_value = value;
    ApplyValue(window);
}

void TaskbarProgress::SetTotal(short total, HWND window) noexcept {
    if (m_follows || total == m_total || total < 0) return;
    m_total = total;
    ApplyValue(window);
}

void TaskbarProgress::Follow(short value, HWND window) noexcept {
    if (!m_follows) return;
    m_value = value;
    ApplyValue(window);
}

void TaskbarProgress::FollowRange(short minimum, short maximum, HWND window) noexcept {
    if (!m_follows) return;
    m_total = static_cast<short>(maximum - minimum);
    ApplyValue(window);
}

void TaskbarProgress::FollowLook(const BarView& bar, HWND window) noexcept {
    if (!m_follows) return;
    m_state = DerivedState(bar);
    ApplyState(window);
}

void TaskbarProgress::Refresh(HWND window, const BarView& bar) noexcept {
    if (m_mode == Off) return;
    if (m_follows) TakeOver(window, bar);
    ApplyValue(window);
    ApplyState(window);
}

void TaskbarProgress::Clear(HWND window) noexcept {
    if (m_active && window && m_taskbar) m_taskbar->SetProgressState(window, TBPF_NOPROGRESS);
}

HRESULT TaskbarProgress::SetProgressState(HWND window, long flags) noexcept {
    if (!m_taskbar) return E_NOINTERFACE;
    return m_taskbar->SetProgressState(window, static_cast<TBPFLAG>(flags));
}

HRESULT TaskbarProgress::SetProgressValue(HWND window, ULONGLONG completed, ULONGLONG total) noexcept {
    if (!m_taskbar) return E_NOINTERFACE;
    return m_taskbar->SetProgressValue(window, completed, total);
}

}  // namespace kelpa
