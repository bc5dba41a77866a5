// Process-wide object count shared by every object and class factory lock.
#include "runtime/ServerLifetime.h"

#include <atomic>

namespace kelpa {
namespace {
std::atomic<long> g_objects{0};
std::atomic<HWND> g_serverWindow{nullptr};
}  // namespace

void ServerObjectCreated() noexcept { ++g_objects; }

void ServerObjectDestroyed() noexcept {
    if (--g_objects == 0) {
        const HWND window = g_serverWindow.load();
        if (window) PostMessageW(window, kMessageServerIdle, 0, 0);
    }
}

long ServerObjectCount() noexcept { return g_objects.load(); }

void ServerNotifyIdleTo(HWND window) noexcept { g_serverWindow = window; }

}  // namespace kelpa
