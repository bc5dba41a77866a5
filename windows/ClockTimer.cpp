// One-shot timers bound to their owners through a per-thread table.
#include "windows/ClockTimer.h"

#include <unordered_map>

namespace kelpa {
namespace {

// Timers without a window belong to the thread that set them and expire on
// it; so does this table, which therefore needs no lock.
thread_local std::unordered_map<UINT_PTR, ClockTimer*> t_timers;

}  // namespace

bool ClockTimer::Start(long milliseconds) {
    Stop();
    if (milliseconds == 0) return false;
    const UINT_PTR id = ::SetTimer(nullptr, 0, static_cast<UINT>(milliseconds), &ClockTimer::Expired);
    if (id == 0) return false;
    try {
        t_timers[id] = this;
    } catch (...) {
        ::KillTimer(nullptr, id);
        throw;
    }
    m_id = id;
    return true;
}

void ClockTimer::Stop() noexcept {
    if (m_id == 0) return;
    ::KillTimer(nullptr, m_id);
    t_timers.erase(m_id);
    m_id = 0;
}

void CALLBACK ClockTimer::Expired(HWND, UINT, UINT_PTR id, DWORD) noexcept {
    const auto found = t_timers.find(id);
    if (found == t_timers.end()) {
        // A stopped timer's message that was already on its way: nobody's.
        ::KillTimer(nullptr, id);
        return;
    }
    ClockTimer* timer = found->second;
    timer->Stop();
    // A copy runs, not the member: the handler may release the owner and
    // with it this timer while it is still running.
    try {
        const std::function<void()> onExpiry = timer->m_onExpiry;
        if (onExpiry) onExpiry();
    } catch (...) {
        // Nothing may leave a timer procedure; the event is simply lost.
    }
}

}  // namespace kelpa
