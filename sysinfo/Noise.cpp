// Sound object.
#include "sysinfo/Noise.h"

#include <mmsystem.h>
#include <algorithm>

namespace kelpa {
namespace {

class Platform final : public SoundDevice {
public:
    void Tone(DWORD frequency, DWORD milliseconds) override { Beep(frequency, milliseconds); }
    void MessageSound(UINT type) override { MessageBeep(type); }
    void PlayNamed(const wchar_t* sound, HMODULE module, DWORD flags) override { PlaySoundW(sound, module, flags); }
};

}  // namespace

SoundDevice& PlatformSoundDevice() noexcept {
    static Platform device;
    return device;
}

void Noise::Ring(long frequency, long milliseconds) {
    m_device.Tone(static_cast<DWORD>(std::clamp(frequency, 37L, 32767L)),
                  static_cast<DWORD>(std::clamp(milliseconds, 10L, 10000L)));
}

void Noise::MsgBeep(long type) {
    switch (type) {
    case -1: case 0: case 16: case 32: case 48: case 64:
        m_device.MessageSound(static_cast<UINT>(type));
        break;
    default:
        m_device.MessageSound(0);
        break;
    }
}

void Noise::Play(const std::wstring& sound, long module, long flags) {
    // A module handle from a script is only a number: one that names no
    // loaded module would send the resource lookup through a wild pointer.
    // A Long carries the low 32 bits of a handle (Me.hInstance gives them);
    // the 64-bit programs load below 4 GiB, so zero-extending restores it.
    const HMODULE handle = reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(static_cast<unsigned long>(module)));
    wchar_t path[MAX_PATH];
    if (handle && !GetModuleFileNameW(handle, path, MAX_PATH)) return;
    PlayStep(sound, handle, static_cast<DWORD>(flags));
}

void Noise::PlayFile(const std::wstring& sound, long flags) {
    PlayStep(sound, nullptr, static_cast<DWORD>(flags) | SND_FILENAME | SND_NODEFAULT);
}

void Noise::PlayEvent(const std::wstring& sound, long flags) {
    PlayStep(sound, nullptr, static_cast<DWORD>(flags) | SND_ALIAS);
}

void Noise::PlayStep(const std::wstring& sound, HMODULE module, DWORD flags) {
    if (sound.size() > kLongestSound) return;
    if (sound.empty()) {
        m_device.PlayNamed(nullptr, module, flags);  // stops the sound that is playing
        return;
    }
    if ((flags & kResourceFlag) != kResourceFlag && (flags & kMemoryFlag)) return;
    m_device.PlayNamed(sound.c_str(), module, flags);
}

}  // namespace kelpa
