// Counts the live objects and server locks of the process. When the count
// falls to zero the server's message loop is told, so it can linger briefly
// and then shut down (see Server.cpp). In-process users (tests) never arm it.
#pragma once

#include <windows.h>

namespace kelpa {

// Posted to the server's message window when the last object goes away.
constexpr UINT kMessageServerIdle = WM_APP + 0x4B;

void ServerObjectCreated() noexcept;
void ServerObjectDestroyed() noexcept;
long ServerObjectCount() noexcept;
// Arms the idle notification: a window message, not a thread message, so it
// survives the message loops of dialogs that run on the same thread.
void ServerNotifyIdleTo(HWND window) noexcept;

}  // namespace kelpa
