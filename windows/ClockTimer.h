// The one-shot timer behind "Kelpa.Clock": a system timer of the calling
// thread without a window. The shared timer procedure finds its timer through
// a table from timer identifier to owner, so no code is ever written into
// memory, and a timer that was stopped or whose owner is gone finds nothing.
#pragma once

#include <windows.h>
#include <functional>

namespace kelpa {

class ClockTimer {
public:
    // onExpiry runs on the thread that started the timer, from its message
    // loop, after the timer has been stopped; it may start the timer again.
    explicit ClockTimer(std::function<void()> onExpiry) : m_onExpiry(std::move(onExpiry)) {}
    ~ClockTimer() { Stop(); }
    ClockTimer(const ClockTimer&) = delete;
    ClockTimer& operator=(const ClockTimer&) = delete;

    // Stops a running timer, then starts one for the time given (as an
    // unsigned count of milliseconds, which the system limits to its range).
    // 0 only stops. True when a timer now runs.
    bool Start(long milliseconds);
    void Stop() noexcept;
    bool Running() const noexcept { return m_id != 0; }

private:
    static void CALLBACK Expired(HWND, UINT, UINT_PTR id, DWORD) noexcept;

    std::function<void()> m_onExpiry;
    UINT_PTR m_id = 0;
};

}  // namespace kelpa
